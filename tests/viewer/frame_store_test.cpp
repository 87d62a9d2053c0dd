#include "viewer/frame_store.h"

#include "canvas/runtime_error.h"

#include <gtest/gtest.h>

#include <new>

namespace kelvora {
namespace {

QImage patterned(QSize size, int seed)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, 0xFF000000u | static_cast<QRgb>((x * 7 + y * 13 + seed) * 2654435761u) >> 8);
    return image;
}

ErrorNumber errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return ErrorNumber{};
}

TEST(FrameStore, SlotsRunFromZeroToHundred)
{
    FrameStore store;
    store.allocate(0, {2, 2}, 4);
    store.allocate(100, {2, 2}, 4);
    EXPECT_EQ(store.heldCount(), 2);
    EXPECT_EQ(errorOf([&] { store.allocate(101, {2, 2}, 4); }), ErrorNumber::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { store.allocate(-1, {2, 2}, 4); }), ErrorNumber::SubscriptOutOfRange);
    QImage out;
    EXPECT_EQ(errorOf([&] { store.read(101, out); }), ErrorNumber::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { store.write(101, patterned({2, 2}, 0)); }), ErrorNumber::SubscriptOutOfRange);
}

TEST(FrameStore, FrameComesBackExactlyAndBufferStartsZeroed)
{
    FrameStore store;
    const QSize size(37, 11);  // odd width: no padding may creep in
    store.allocate(3, size, 4);
    EXPECT_EQ(store.heldBytes(), 37u * 11u);  // one byte a pixel
    QImage out;
    ASSERT_TRUE(store.read(3, out));
    EXPECT_EQ(out.pixel(36, 10), 0xFF000000u);

    const QImage frame = patterned(size, 5);
    ASSERT_TRUE(store.write(3, frame));
    ASSERT_TRUE(store.read(3, out));
    EXPECT_EQ(out, frame);
}

TEST(FrameStore, NothingIsWrittenIntoAnEmptySlot)
{
    FrameStore store;
    const QImage frame = patterned({4, 4}, 1);
    EXPECT_FALSE(store.write(0, frame));
    store.allocate(0, {4, 4}, 4);
    store.release(0);
    EXPECT_FALSE(store.write(0, frame));
    EXPECT_FALSE(store.holds(0));
    QImage out;
    EXPECT_FALSE(store.read(0, out));
    EXPECT_TRUE(out.isNull());
    // A frame of another size is refused too.
    store.allocate(1, {4, 4}, 4);
    EXPECT_FALSE(store.write(1, patterned({5, 4}, 1)));
}

TEST(FrameStore, CountsBuffersWithinItsBudget)
{
    FrameStore store;
    store.setByteBudget(3 * 100);
    for (int k = 0; k < 3; ++k)
        store.allocate(k, {10, 10}, 4);
    store.allocate(1, {10, 10}, 4);  // replacing a buffer does not add one
    EXPECT_THROW(store.allocate(3, {10, 10}, 4), std::bad_alloc);
    EXPECT_FALSE(store.holds(3));
    EXPECT_EQ(store.heldCount(), 3);
    EXPECT_EQ(errorOf([&] { store.allocate(4, {40000, 40000}, 4); }), ErrorNumber::Overflow);
    store.releaseAll();
    EXPECT_EQ(store.heldCount(), 0);
    EXPECT_EQ(store.heldBytes(), 0u);
    EXPECT_EQ(store.peakHeldCount(), 3);
}

}  // namespace
}  // namespace kelvora
