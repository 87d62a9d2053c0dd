#pragma once

#include <QImage>
#include <QSize>

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>

namespace kelvora {

// The viewer's stored frames: 101 slots, indices 0 to 100, slot k holding
// frame k as a copy of the drawing surface's pixels. A slot is empty or
// holds one zero-filled buffer from its allocation until its release.
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

    // Gives slot a zero-filled buffer for a frame of size pixels, stored
    // with bytesPerPixel bytes each, replacing what the slot held. The byte
    // count is a 32-bit integer (an overflow is a run-time error).
    // Throws std::bad_alloc when the memory is not there.
    void allocate(int slot, QSize size, std::int32_t bytesPerPixel);
    // Copies the pixels of frame (an RGB32 image of the slot's size) into
    // the slot. Returns false, writing nothing, when the slot is empty or
    // the sizes differ.
    bool write(int slot, const QImage& frame);
    // Copies the slot's pixels into `into`, which becomes an RGB32 image of
    // the slot's size. Returns false, leaving `into` alone, when it is empty.
    bool read(int slot, QImage& into) const;

    void release(int slot);
    // Releases every slot that holds a buffer.
    void releaseAll();

    bool holds(int slot) const;
    // Buffers held now, and the most ever held at once.
    int heldCount() const { return heldCount_; }
    int peakHeldCount() const { return peakHeldCount_; }
    std::size_t heldBytes() const { return heldBytes_; }
    // Buffers held by every store of the process together: zero once every
    // viewer has closed, whatever it did.
    static int liveBufferCount();

private:
    struct Slot {
        std::unique_ptr<std::uint8_t[]> bits;
        std::size_t bytes = 0;
        QSize size;
    };

    // Throws the run-time error for an index outside 0..100.
    static std::size_t checkedIndex(int slot);

    std::array<Slot, kSlotCount> slots_;
    std::size_t byteBudget_ = std::numeric_limits<std::size_t>::max();
    std::size_t heldBytes_ = 0;
    int heldCount_ = 0;
    int peakHeldCount_ = 0;
};

}  // namespace kelvora
