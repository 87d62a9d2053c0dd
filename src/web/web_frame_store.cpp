#include "web/web_frame_store.h"

#include <new>

namespace kelvora {

bool WebFrameStore::allocate(int count, int width, int height)
{
    release();
    try {
        pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        frames_.resize(static_cast<std::size_t>(count));
        stored_.assign(static_cast<std::size_t>(count), false);
    } catch (const std::bad_alloc&) {
        dispose();
        return false;
    }
    return true;
}

emscripten::val WebFrameStore::pixels()
{
    return emscripten::val(emscripten::typed_memory_view(
        pixels_.size() * 4, reinterpret_cast<const unsigned char*>(pixels_.data())));
}

bool WebFrameStore::pack(int k)
{
    if (k < 0 || k >= count())
        return false;
    stored_[k] = false;
    try {
        // Packed where the room is kept from frame to frame, then kept in
        // exactly the bytes it takes, so the module's memory grows by no
        // more than the frames.
        PackFrame(pixels_.data(), pixels_.size(), scratch_);
        PackedFrame& frame = frames_[k];
        frame.data.assign(scratch_.data.begin(), scratch_.data.end());
        frame.extra.assign(scratch_.extra.begin(), scratch_.extra.end());
        frame.palette = scratch_.palette;
        frame.pixels = scratch_.pixels;
    } catch (const std::bad_alloc&) {
        frames_[k] = PackedFrame{};
        return false;
    }
    stored_[k] = true;
    return true;
}

bool WebFrameStore::unpack(int k)
{
    if (!holds(k) || frames_[k].pixels != pixels_.size())
        return false;
    UnpackFrame(frames_[k], pixels_.data());
    return true;
}

bool WebFrameStore::holds(int k) const { return k >= 0 && k < count() && stored_[k]; }

bool WebFrameStore::allStored() const
{
    for (bool stored : stored_)
        if (!stored)
            return false;
    return !stored_.empty();
}

double WebFrameStore::packedBytes() const
{
    double bytes = 0;
    for (const PackedFrame& frame : frames_)
        bytes += static_cast<double>(frame.data.capacity() + frame.extra.capacity() * 4 + sizeof frame);
    return bytes;
}

void WebFrameStore::release()
{
    frames_.clear();
    stored_.clear();
}

void WebFrameStore::dispose()
{
    release();
    frames_.shrink_to_fit();
    stored_.shrink_to_fit();
    std::vector<std::uint32_t>().swap(pixels_);
    scratch_ = PackedFrame{};
}

}  // namespace kelvora
