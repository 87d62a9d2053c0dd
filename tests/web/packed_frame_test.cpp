// The page's packed frames come back pixel for pixel: long runs, short
// ones, single pixels, and more colours than the palette holds.

#include "web/packed_frame.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace kelvora {
namespace {

TEST(PackedFrame, EveryPixelComesBackAndLargeAreasPackSmall)
{
    // A white page with a line of 300 colours (more than an index holds),
    // dots of two pixels, and a band of 70000 pixels of one colour.
    std::vector<std::uint32_t> pixels(400000, 0xFFFFFFFFu);
    for (std::uint32_t i = 0; i < 1000; ++i)
        pixels[1000 + i] = 0xFF000000u | (i % 300) * 0x010203u;
    for (std::size_t i = 5000; i < 200000; i += 7)
        pixels[i] = pixels[i + 1] = 0xFFFF0000u;
    std::fill(pixels.begin() + 300000, pixels.begin() + 370000, 0xFF00FF00u);

    PackedFrame frame;
    PackFrame(pixels.data(), pixels.size(), frame);
    std::vector<std::uint32_t> back(pixels.size());
    UnpackFrame(frame, back.data());
    EXPECT_EQ(back, pixels);
    EXPECT_FALSE(frame.extra.empty()) << "the rarest colours are listed whole";
    EXPECT_LT(frame.data.size(), pixels.size() / 2);
}

}  // namespace
}  // namespace kelvora
