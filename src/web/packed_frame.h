#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelvora {

// One frame of the page's store, packed to a byte a pixel or less, as the
// desktop keeps its frames in one. Canvas 2D smooths the edges of lines,
// circles and text, which gives a frame hundreds of colours, most of them
// on a few pixels: the 255 commonest colours get an index, and the pixels
// of every other colour take index 255 and have their colours listed, in
// order, in `extra`. So a frame comes back pixel for pixel.
//
// The indices are packed in runs, as PackBits does: a control byte c < 128
// is followed by c + 1 indices, one a pixel; 128 <= c < 255 by one index
// for c - 125 pixels (3 to 129); c = 255 by a length of three bytes, low
// byte first, then one index for that many pixels. The pictures are mostly
// large areas of one colour, so a frame packs to a fraction of its pixels
// and unpacks a run at a time.
//
// Pixels are 32-bit words, as RGBA bytes read on a little-endian machine.
struct PackedFrame {
    std::vector<std::uint8_t> data;
    std::array<std::uint32_t, 256> palette{};
    std::vector<std::uint32_t> extra;
    std::size_t pixels = 0;
};

// Throws std::bad_alloc when the memory is not there.
void PackFrame(const std::uint32_t* pixels, std::size_t count, PackedFrame& into);
// Writes the frame's frame.pixels pixels to `out`.
void UnpackFrame(const PackedFrame& frame, std::uint32_t* out);

}  // namespace kelvora
