#pragma once

#include "web/packed_frame.h"

#include <emscripten/val.h>

#include <cstdint>
#include <vector>

namespace kelvora {

// The page's stored frames, each packed (PackedFrame) in the module's
// memory: the page copies a frame's RGBA bytes into pixels() and packs
// them with pack(k); unpack(k) puts a frame back into pixels(), whence the
// page shows it. Views into the module's memory are valid until the next
// call here, which may grow it.
class WebFrameStore {
public:
    // Slots for count frames of width x height pixels and the buffer of
    // one; false, holding nothing, when the memory is not there.
    bool allocate(int count, int width, int height);
    // A Uint8Array view of one frame's RGBA bytes.
    emscripten::val pixels();
    // Packs pixels() as frame k; false when the memory is not there.
    bool pack(int k);
    // Unpacks frame k into pixels(); false when it is not stored.
    bool unpack(int k);
    bool holds(int k) const;
    int count() const { return static_cast<int>(frames_.size()); }
    bool allStored() const;
    // Bytes the packed frames take.
    double packedBytes() const;
    // The frames go; the buffer stays for a capture of the same size.
    void release();
    // Gives all the memory back.
    void dispose();

private:
    std::vector<PackedFrame> frames_;
    std::vector<bool> stored_;
    std::vector<std::uint32_t> pixels_;
    PackedFrame scratch_;
};

}  // namespace kelvora
