#include "viewer/frame_store.h"

#include "canvas/numeric.h"
#include "canvas/runtime_error.h"

#include <algorithm>
#include <atomic>
#include <new>

namespace kelvora {

namespace {

constexpr int kStoredBytesPerPixel = 4;  // RGB32

std::atomic<int> liveBuffers{0};

}  // namespace

std::size_t FrameStore::checkedIndex(int slot)
{
    if (slot < 0 || slot >= kSlotCount)
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange, "frame slot " + std::to_string(slot));
    return static_cast<std::size_t>(slot);
}

void FrameStore::allocate(int slot, QSize size, std::int32_t bytesPerPixel)
{
    Slot& s = slots_[checkedIndex(slot)];
    const std::int32_t byteCount = Mul32(Mul32(size.height(), size.width()), bytesPerPixel);
    release(slot);
    const auto bytes = static_cast<std::size_t>(std::max(byteCount, 0));
    if (heldBytes_ > byteBudget_ || bytes > byteBudget_ - heldBytes_)
        throw std::bad_alloc();
    s.bits = std::make_unique<std::uint8_t[]>(bytes);  // value-initialised: zero
    ++liveBuffers;
    s.bytes = bytes;
    s.size = size;
    heldBytes_ += bytes;
    peakHeldCount_ = std::max(peakHeldCount_, ++heldCount_);
}

bool FrameStore::write(int slot, const QImage& frame)
{
    Slot& s = slots_[checkedIndex(slot)];
    if (!s.bits || frame.size() != s.size || frame.format() != QImage::Format_RGB32)
        return false;
    const auto rowBytes = static_cast<std::size_t>(s.size.width()) * kStoredBytesPerPixel;
    if (rowBytes * static_cast<std::size_t>(s.size.height()) > s.bytes)
        return false;
    for (int row = 0; row < s.size.height(); ++row)
        std::copy_n(frame.constScanLine(row), rowBytes, s.bits.get() + row * rowBytes);
    return true;
}

bool FrameStore::read(int slot, QImage& into) const
{
    const Slot& s = slots_[checkedIndex(slot)];
    if (!s.bits)
        return false;
    if (into.size() != s.size || into.format() != QImage::Format_RGB32)
        into = QImage(s.size, QImage::Format_RGB32);
    const auto rowBytes = static_cast<std::size_t>(s.size.width()) * kStoredBytesPerPixel;
    for (int row = 0; row < s.size.height(); ++row)
        std::copy_n(s.bits.get() + row * rowBytes, rowBytes, into.scanLine(row));
    return true;
}

void FrameStore::release(int slot)
{
    Slot& s = slots_[checkedIndex(slot)];
    if (!s.bits)
        return;
    heldBytes_ -= s.bytes;
    --heldCount_;
    s = Slot();
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
