// The frame store's compact form: every scene's frames come back pixel for
// pixel at one byte a pixel, and frames of many colours are kept whole.

#include "viewer/frame_store.h"

#include "canvas/canvas.h"
#include "raster/raster_surface.h"
#include "scenes/scene_catalogue.h"
#include "support/trace_reader.h"

#include <gtest/gtest.h>

#include <new>

namespace kelvora {
namespace {

// An image of exactly `colours` distinct colours.
QImage withColours(QSize size, int colours)
{
    QImage image(size, QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x, ++n)
            image.setPixel(x, y, 0xFF000000u | static_cast<QRgb>((n % colours) * 40503u));
    return image;
}

class StoredScene : public ::testing::TestWithParam<int> {};

TEST_P(StoredScene, FramesComeBackPixelForPixelAtOneBytePerPixel)
{
    const int sceneIndex = GetParam();
    const QSize size(720, 415);
    RasterSurface surface(size.width(), size.height());
    Canvas canvas(surface, size.width(), size.height());
    SceneContext context = test::MakeContext(24, 1920, 1080);
    ParameterControl parameter;
    context.parameter = &parameter;
    FrameStore store;
    QImage back;
    for (std::int16_t frameNo = 0; frameNo < 24; ++frameNo) {
        std::int16_t k = frameNo;
        DrawCaptureFrame(sceneIndex, canvas, k, context);
        store.allocate(frameNo, size, 4);
        ASSERT_TRUE(store.write(frameNo, surface.image()));
        ASSERT_TRUE(store.read(frameNo, back));
        ASSERT_EQ(back, surface.image()) << "scene " << sceneIndex << " frame " << frameNo;
    }
    EXPECT_EQ(store.heldBytes(), 24u * static_cast<std::size_t>(size.width() * size.height()));
}

INSTANTIATE_TEST_SUITE_P(FrameStoreCompact, StoredScene, ::testing::Range(0, kSceneCount));

TEST(FrameStoreCompact, TwoHundredFiftySixColoursStayIndexedAndMoreAreKeptWhole)
{
    const QSize size(40, 20);
    FrameStore store;
    store.allocate(0, size, 4);
    QImage back;

    const QImage paletteFull = withColours(size, 256);
    ASSERT_TRUE(store.write(0, paletteFull));
    EXPECT_EQ(store.heldBytes(), 800u);
    ASSERT_TRUE(store.read(0, back));
    EXPECT_EQ(back, paletteFull);

    const QImage tooMany = withColours(size, 257);
    ASSERT_TRUE(store.write(0, tooMany));
    EXPECT_EQ(store.heldBytes(), 3200u);
    ASSERT_TRUE(store.read(0, back));
    EXPECT_EQ(back, tooMany);

    // Back to a few colours: indexed again, in the buffer already held.
    const QImage few = withColours(size, 3);
    ASSERT_TRUE(store.write(0, few));
    ASSERT_TRUE(store.read(0, back));
    EXPECT_EQ(back, few);
    store.releaseAll();
    EXPECT_EQ(store.heldBytes(), 0u);
}

TEST(FrameStoreCompact, ColoursTakingTurnsComeBack)
{
    // Dots on a background, two and three colours taking turns.
    QImage frame(23, 3, QImage::Format_RGB32);
    const QRgb colours[] = {0xFFFFFFFFu, 0xFF0000FFu, 0x00000000u, 0xFF0000FFu, 0xFFFFFFFFu, 0xFF123456u};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 23; ++x)
            frame.setPixel(x, y, colours[(x * (y + 1) + x / 5) % 6]);
    FrameStore store;
    store.allocate(0, frame.size(), 4);
    ASSERT_TRUE(store.write(0, frame));
    QImage back;
    ASSERT_TRUE(store.read(0, back));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 23; ++x)
            ASSERT_EQ(back.pixel(x, y), frame.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(back, frame);
}

TEST(FrameStoreCompact, AWholeFrameBeyondTheBudgetLeavesTheSlotBlack)
{
    const QSize size(40, 20);
    FrameStore store;
    store.setByteBudget(800);
    store.allocate(0, size, 4);
    EXPECT_THROW(store.write(0, withColours(size, 1000)), std::bad_alloc);
    QImage back;
    ASSERT_TRUE(store.read(0, back));
    QImage black(size, QImage::Format_RGB32);
    black.fill(0);
    EXPECT_EQ(back, black);
    EXPECT_EQ(store.heldBytes(), 800u);
}

TEST(FrameStoreCompact, AFramePackedElsewhereIsPutInPlaceAndTheOldBufferHandedBack)
{
    const QSize size(64, 32);
    FrameStore store;
    store.allocate(5, size, 4);
    const QImage frame = withColours(size, 7);
    EncodedFrame packed;
    EncodeFrame(frame, packed);
    EXPECT_EQ(packed.colours, 7);
    EXPECT_FALSE(packed.full);
    ASSERT_TRUE(store.put(5, packed));
    QImage back;
    ASSERT_TRUE(store.read(5, back));
    EXPECT_EQ(back, frame);
    // The old, zeroed buffer came back for the next frame.
    ASSERT_TRUE(packed.bits);
    EXPECT_EQ(packed.bytes, 64u * 32u);
    EXPECT_EQ(store.heldBytes(), 64u * 32u);

    EncodedFrame wrongSize;
    EncodeFrame(withColours({8, 8}, 2), wrongSize);
    EXPECT_FALSE(store.put(5, wrongSize));
    EXPECT_FALSE(store.put(6, packed));  // empty slot
}

TEST(FrameStoreCompact, ReadingIntoAnImageOfTheRightSizeReusesIt)
{
    const QSize size(30, 10);
    FrameStore store;
    store.allocate(0, size, 4);
    ASSERT_TRUE(store.write(0, withColours(size, 5)));
    QImage target(size, QImage::Format_RGB32);
    const uchar* before = target.constBits();
    ASSERT_TRUE(store.read(0, target));
    EXPECT_EQ(target.constBits(), before);
    EXPECT_EQ(target, withColours(size, 5));
}

}  // namespace
}  // namespace kelvora
