#include "viewer/frame_store.h"

#include "canvas/numeric.h"
#include "canvas/runtime_error.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <atomic>
#include <new>
#include <utility>

namespace kelvora {

namespace {

EncodedFrame::Bytes allocateBytes(std::size_t count, bool zeroed)
{
    const std::size_t n = std::max<std::size_t>(count, 1);
    // calloc takes fresh zero pages from the system for large blocks
    // instead of clearing them.
    void* bytes = zeroed ? std::calloc(n, 1) : std::malloc(n);
    if (!bytes)
        throw std::bad_alloc();
    return EncodedFrame::Bytes(static_cast<std::uint8_t*>(bytes));
}

std::size_t pixelCount(QSize size)
{
    return static_cast<std::size_t>(std::max(size.width(), 0)) * static_cast<std::size_t>(std::max(size.height(), 0));
}

// Colour to palette index, by open addressing in a table four times the
// palette's largest size, so probes stay short.
class PaletteLookup {
public:
    PaletteLookup() { indices_.fill(-1); }

    // The index of argb, or -1.
    int find(std::uint32_t argb) const
    {
        for (std::size_t at = home(argb);; at = (at + 1) & kMask) {
            if (indices_[at] < 0 || keys_[at] == argb)
                return indices_[at];
        }
    }
    void insert(std::uint32_t argb, int index)
    {
        std::size_t at = home(argb);
        while (indices_[at] >= 0)
            at = (at + 1) & kMask;
        keys_[at] = argb;
        indices_[at] = static_cast<std::int16_t>(index);
    }

private:
    static constexpr std::size_t kSize = 1024;
    static constexpr std::size_t kMask = kSize - 1;
    static std::size_t home(std::uint32_t argb) { return (argb * 2654435761u) >> 22; }

    std::array<std::uint32_t, kSize> keys_{};
    std::array<std::int16_t, kSize> indices_{};
};

// Writes the indices of frame into into.bits (which holds a byte a pixel)
// and its palette. Returns false at the 257th colour.
bool encodeIndexed(const QImage& frame, EncodedFrame& into)
{
    const int width = frame.width();
    const int height = frame.height();
    PaletteLookup lookup;
    int colours = 0;
    // Runs of one colour are the rule: look a colour up only when it changes.
    std::uint32_t last = 0;
    std::uint8_t lastIndex = 0;
    std::uint32_t previous = 0;
    std::uint8_t previousIndex = 0;
    bool started = false;
    bool havePrevious = false;
    std::uint8_t* out = into.bits.get();
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(frame.constScanLine(y));
        for (int x = 0; x < width; ++x) {
#if defined(__SSE2__)
            // Four pixels at a time while they repeat the last colour.
            if (started) {
                const __m128i repeated = _mm_set1_epi32(static_cast<int>(last));
                const std::uint32_t fourIndices = 0x01010101u * lastIndex;
                while (x + 4 <= width &&
                    _mm_movemask_epi8(_mm_cmpeq_epi32(
                        _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x)), repeated)) == 0xFFFF) {
                    std::memcpy(out, &fourIndices, 4);
                    out += 4;
                    x += 4;
                }
                if (x == width)
                    break;
            }
#endif
            const std::uint32_t argb = row[x];
            if (!started || argb != last) {
                if (havePrevious && argb == previous) {
                    // Two colours taking turns, as dots on a background.
                    std::swap(last, previous);
                    std::swap(lastIndex, previousIndex);
                } else {
                    int index = lookup.find(argb);
                    if (index < 0) {
                        if (colours == 256)
                            return false;
                        index = colours++;
                        lookup.insert(argb, index);
                        into.palette[static_cast<std::size_t>(index)] = argb;
                    }
                    previous = last;
                    previousIndex = lastIndex;
                    havePrevious = started;
                    last = argb;
                    lastIndex = static_cast<std::uint8_t>(index);
                    started = true;
                }
            }
            *out++ = lastIndex;
        }
    }
    into.colours = std::max(colours, 1);
    return true;
}

void copyWhole(const QImage& frame, EncodedFrame& into)
{
    const auto rowBytes = static_cast<std::size_t>(frame.width()) * 4;
    for (int y = 0; y < frame.height(); ++y)
        std::memcpy(into.bits.get() + static_cast<std::size_t>(y) * rowBytes, frame.constScanLine(y), rowBytes);
}

// Index 0 everywhere, colour 0 as its palette: black. The bytes must be
// zero already unless clearBytes.
void makeZeroed(EncodedFrame& frame, bool clearBytes)
{
    if (clearBytes)
        std::memset(frame.bits.get(), 0, frame.capacity);
    frame.bytes = pixelCount(frame.size);
    frame.full = false;
    frame.colours = 1;
    frame.palette[0] = 0;
}

bool storable(const QImage& frame, QSize size)
{
    return frame.size() == size && frame.format() == QImage::Format_RGB32;
}

std::atomic<int> liveBuffers{0};

}  // namespace

void EncodeFrame(const QImage& frame, EncodedFrame& into)
{
    const std::size_t pixels = pixelCount(frame.size());
    into.size = frame.size();
    if (into.capacity < pixels) {
        into.bits = allocateBytes(pixels, false);
        into.capacity = pixels;
    }
    into.bytes = pixels;
    into.full = false;
    if (encodeIndexed(frame, into))
        return;
    if (into.capacity < pixels * 4) {
        into.bits = allocateBytes(pixels * 4, false);
        into.capacity = pixels * 4;
    }
    into.bytes = pixels * 4;
    into.full = true;
    copyWhole(frame, into);
}

void DecodeFrame(const EncodedFrame& frame, QImage& into)
{
    const int width = frame.size.width();
    const auto stride = static_cast<std::size_t>(into.bytesPerLine());
    std::uint8_t* target = into.bits();
    const std::uint8_t* source = frame.bits.get();
    if (frame.full) {
        const auto rowBytes = static_cast<std::size_t>(width) * 4;
        for (int y = 0; y < frame.size.height(); ++y)
            std::memcpy(target + static_cast<std::size_t>(y) * stride, source + static_cast<std::size_t>(y) * rowBytes,
                rowBytes);
        return;
    }
    const std::uint32_t* palette = frame.palette.data();
    for (int y = 0; y < frame.size.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(target + static_cast<std::size_t>(y) * stride);
        const std::uint8_t* indices = source + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x)
            row[x] = palette[indices[x]];
    }
}

std::size_t FrameStore::checkedIndex(int slot)
{
    if (slot < 0 || slot >= kSlotCount)
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange, "frame slot " + std::to_string(slot));
    return static_cast<std::size_t>(slot);
}

void FrameStore::reserveBytes(std::size_t bytes) const
{
    if (heldBytes_ > byteBudget_ || bytes > byteBudget_ - heldBytes_)
        throw std::bad_alloc();
}

void FrameStore::allocate(int slot, QSize size, std::int32_t bytesPerPixel)
{
    EncodedFrame& s = slots_[checkedIndex(slot)];
    Mul32(Mul32(size.height(), size.width()), bytesPerPixel);  // the run-time error of an oversized frame
    release(slot);
    const std::size_t bytes = pixelCount(size);
    reserveBytes(bytes);
    s.bits = allocateBytes(bytes, true);
    s.capacity = bytes;
    ++liveBuffers;
    s.size = size;
    makeZeroed(s, false);  // calloc gave zeroes
    heldBytes_ += s.capacity;
    peakHeldCount_ = std::max(peakHeldCount_, ++heldCount_);
}

bool FrameStore::write(int slot, const QImage& frame)
{
    EncodedFrame& s = slots_[checkedIndex(slot)];
    if (!s.bits || !storable(frame, s.size))
        return false;
    const std::size_t pixels = pixelCount(s.size);
    s.bytes = pixels;
    s.full = false;
    if (encodeIndexed(frame, s))
        return true;
    // Too many colours for a palette: the frame is kept whole.
    if (s.capacity < pixels * 4) {
        try {
            reserveBytes(pixels * 4 - s.capacity);
            EncodedFrame::Bytes whole = allocateBytes(pixels * 4, false);
            heldBytes_ += pixels * 4 - s.capacity;
            s.bits = std::move(whole);
            s.capacity = pixels * 4;
        } catch (const std::bad_alloc&) {
            makeZeroed(s, true);  // never half a frame
            throw;
        }
    }
    s.bytes = pixels * 4;
    s.full = true;
    copyWhole(frame, s);
    return true;
}

bool FrameStore::put(int slot, EncodedFrame& frame)
{
    EncodedFrame& s = slots_[checkedIndex(slot)];
    if (!s.bits || !frame.bits || frame.size != s.size)
        return false;
    if (frame.capacity > s.capacity)
        reserveBytes(frame.capacity - s.capacity);
    heldBytes_ = heldBytes_ - s.capacity + frame.capacity;
    std::swap(s, frame);
    return true;
}

bool FrameStore::read(int slot, QImage& into) const
{
    const EncodedFrame& s = slots_[checkedIndex(slot)];
    if (!s.bits)
        return false;
    if (!storable(into, s.size)) {
        into = QImage(s.size, QImage::Format_RGB32);
        if (into.isNull())
            throw std::bad_alloc();
    }
    DecodeFrame(s, into);
    return true;
}

void FrameStore::release(int slot)
{
    EncodedFrame& s = slots_[checkedIndex(slot)];
    if (!s.bits)
        return;
    heldBytes_ -= s.capacity;
    --heldCount_;
    s = EncodedFrame();
    --liveBuffers;
}

void FrameStore::releaseAll()
{
    for (int k = 0; k < kSlotCount; ++k)
        release(k);
}

int FrameStore::liveBufferCount() { return liveBuffers.load(); }

bool FrameStore::holds(int slot) const { return static_cast<bool>(slots_[checkedIndex(slot)].bits); }

}  // namespace kelvora
