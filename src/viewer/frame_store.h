#pragma once

#include <QImage>
#include <QSize>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>

namespace kelvora {

// One frame's pixels in the store's compact form: a palette of up to 256
// colours and one index byte per pixel. A frame of more colours is kept
// whole instead, four bytes a pixel, so nothing is ever lost.
struct EncodedFrame {
    struct FreeBytes {
        void operator()(std::uint8_t* bytes) const { std::free(bytes); }
    };
    using Bytes = std::unique_ptr<std::uint8_t[], FreeBytes>;

    QSize size;
    Bytes bits;                 // indices, or RGB32 pixels when `full`
    std::size_t bytes = 0;      // length of bits
    std::size_t capacity = 0;   // bytes allocated for bits
    bool full = false;
    int colours = 1;            // palette entries in use
    std::array<std::uint32_t, 256> palette{};  // entry 0 is 0: a zeroed frame reads as black
};

// Packs an RGB32 image into `into`, reusing its buffer when it is large
// enough. Throws std::bad_alloc when the memory is not there.
void EncodeFrame(const QImage& frame, EncodedFrame& into);
// Unpacks into an RGB32 image of the frame's size, row by row, without
// allocating; `into` must already have that size and format.
void DecodeFrame(const EncodedFrame& frame, QImage& into);

// The viewer's stored frames: 101 slots, indices 0 to 100, slot k holding
// frame k. A slot is empty or holds one zero-filled frame from its
// allocation until its release. Frames are kept palette-indexed, one byte
// a pixel (see EncodedFrame), and come back pixel for pixel.
//
// A slot index outside 0..100 is the run-time error "Subscript out of
// range". Pixels are never written into an empty slot.
class FrameStore {
public:
    static constexpr int kSlotCount = 101;

    FrameStore() = default;
    ~FrameStore() { releaseAll(); }
    FrameStore(const FrameStore&) = delete;
    FrameStore& operator=(const FrameStore&) = delete;

    // Caps the bytes held at once; an allocation beyond the cap fails with
    // std::bad_alloc, exactly as an exhausted heap would. No cap by default.
    void setByteBudget(std::size_t bytes) { byteBudget_ = bytes; }

    // Gives slot a zero-filled frame of size pixels, replacing what the
    // slot held. The byte count of the frame at bytesPerPixel bytes each is
    // a 32-bit integer (an overflow is a run-time error), though the store
    // holds one byte a pixel. Throws std::bad_alloc when the memory is not
    // there.
    void allocate(int slot, QSize size, std::int32_t bytesPerPixel);
    // Stores the pixels of frame (an RGB32 image of the slot's size) in the
    // slot. Returns false, writing nothing, when the slot is empty or the
    // sizes differ. A frame of more than 256 colours is kept whole, which
    // may throw std::bad_alloc.
    bool write(int slot, const QImage& frame);
    // Stores a frame packed beforehand (on another thread, say), swapping
    // buffers with it: `frame` gets the slot's old buffer back for reuse.
    // Returns false, storing nothing, when the slot is empty or the sizes
    // differ.
    bool put(int slot, EncodedFrame& frame);
    // Copies the slot's pixels into `into`, which becomes an RGB32 image of
    // the slot's size (it is reused, not reallocated, when it already is
    // one). Returns false, leaving `into` alone, when the slot is empty;
    // throws std::bad_alloc when there is no memory for `into`.
    bool read(int slot, QImage& into) const;

    void release(int slot);
    // Releases every slot that holds a frame.
    void releaseAll();

    bool holds(int slot) const;
    // The size of the frame in slot (empty when the slot is).
    QSize frameSize(int slot) const { return slots_[checkedIndex(slot)].size; }
    // Frames held now, and the most ever held at once.
    int heldCount() const { return heldCount_; }
    int peakHeldCount() const { return peakHeldCount_; }
    std::size_t heldBytes() const { return heldBytes_; }
    // Buffers held by every store of the process together: zero once every
    // viewer has closed, whatever it did.
    static int liveBufferCount();

private:
    // Throws the run-time error for an index outside 0..100.
    static std::size_t checkedIndex(int slot);
    void reserveBytes(std::size_t bytes) const;

    std::array<EncodedFrame, kSlotCount> slots_;
    std::size_t byteBudget_ = std::numeric_limits<std::size_t>::max();
    std::size_t heldBytes_ = 0;
    int heldCount_ = 0;
    int peakHeldCount_ = 0;
};

}  // namespace kelvora
