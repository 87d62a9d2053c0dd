#include "canvas/canvas.h"
#include "raster/raster_surface.h"

#include <QImage>

#include <gtest/gtest.h>

namespace kelvora {
namespace {

constexpr QRgb kWhitePixel = 0xFFFFFFFF;
constexpr QRgb kBlackPixel = 0xFF000000;

// The bounding box of every pixel of one colour.
QRect extentOf(const QImage& image, QRgb color)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == color)
                box |= QRect(x, y, 1, 1);
    return box;
}

struct Surface {
    explicit Surface(int w = 960, int h = 600, double ratio = 1.0)
        : raster(w, h, ratio), canvas(raster, w, h)
    {
        canvas.Scale(0, 240, 640, 0);
        canvas.Cls();
    }
    RasterSurface raster;
    Canvas canvas;
};

TEST(RasterSurface, MapsUserCoordinatesToPixels)
{
    Surface s;
    s.canvas.PSet(0, 240);
    s.canvas.PSet(320, 120, QBColor(12));
    s.canvas.PSet(100, 200, QBColor(9));
    s.canvas.PSet(100, 100, QBColor(10));
    const QImage& image = s.raster.image();
    EXPECT_EQ(image.pixel(0, 0), kBlackPixel);
    EXPECT_EQ(image.pixel(480, 300), 0xFFFF0000);
    // Larger y is higher on the screen.
    EXPECT_EQ(extentOf(image, 0xFF0000FF), QRect(150, 100, 1, 1));
    EXPECT_EQ(extentOf(image, 0xFF00FF00), QRect(150, 350, 1, 1));
    // A single-pixel PSet sets exactly one pixel.
    EXPECT_EQ(extentOf(image, 0xFFFF0000).size(), QSize(1, 1));
}

TEST(RasterSurface, CircleIsRoundWithTheRadiusInHorizontalUnits)
{
    Surface s;
    s.canvas.Circle(320, 120, 120);
    const QRect box = extentOf(s.raster.image(), kBlackPixel);
    EXPECT_NEAR(box.width(), 360, 1);
    EXPECT_NEAR(box.height(), 360, 1);
    EXPECT_EQ(box.width(), box.height());
    EXPECT_NEAR(box.center().x(), 480, 1);
    EXPECT_NEAR(box.center().y(), 300, 1);
}

TEST(RasterSurface, FillStyleDecidesWhetherACircleCoversWhatIsUnder)
{
    for (int fillStyle : {0, 1}) {
        Surface s;
        s.canvas.Line(100, 120, 540, 120, QBColor(9));
        s.canvas.SetFillStyle(static_cast<std::int16_t>(fillStyle));
        s.canvas.SetFillColor(QBColor(12));
        s.canvas.Circle(320, 120, 60, QBColor(0));
        const QImage& image = s.raster.image();
        if (fillStyle == 1) {
            EXPECT_EQ(image.pixel(480, 300), 0xFF0000FF) << "the line stays visible inside";
        } else {
            EXPECT_EQ(image.pixel(480, 300), 0xFFFF0000) << "the fill covers the line";
            EXPECT_EQ(image.pixel(480, 300 - 60), 0xFFFF0000);
        }
        // The outline is drawn either way, over the fill.
        EXPECT_EQ(image.pixel(480 + 90, 300 - 1), kBlackPixel);
    }
}

TEST(RasterSurface, DottedOnlyForOnePixelPens)
{
    auto countOnRow = [](int drawWidth) {
        Surface s;
        s.canvas.SetDrawStyle(2);
        s.canvas.SetDrawWidth(static_cast<std::int16_t>(drawWidth));
        s.canvas.Line(100, 120, 300, 120);
        const QImage& image = s.raster.image();
        int black = 0;
        for (int x = 160; x < 440; ++x)
            black += image.pixel(x, 300) == kBlackPixel;
        return black;
    };
    EXPECT_LT(countOnRow(1), 200) << "DrawStyle 2 at width 1 is dotted";
    EXPECT_GT(countOnRow(1), 50);
    EXPECT_EQ(countOnRow(4), 280) << "DrawStyle 2 at width 4 is solid";
}

TEST(RasterSurface, WidePensAndZeroLengthLines)
{
    Surface s;
    s.canvas.SetDrawWidth(5);
    s.canvas.Line(320, 120, 320, 120, QBColor(9));  // zero length: a round dot
    const QRect dot = extentOf(s.raster.image(), 0xFF0000FF);
    EXPECT_EQ(dot.width(), 5);
    EXPECT_EQ(dot.height(), 5);
    EXPECT_TRUE(dot.contains(480, 300));

    Surface t;
    t.canvas.SetDrawWidth(4);
    t.canvas.Line(100, 120, 300, 120);
    const QRect bar = extentOf(t.raster.image(), kBlackPixel);
    EXPECT_EQ(bar.height(), 4);
}

TEST(RasterSurface, FilledBoxIncludesBothCorners)
{
    Surface s;
    s.canvas.LineBoxFilled(360, 10, 640, 230, kBoxBlue);
    const QRect box = extentOf(s.raster.image(), 0xFFC0C0FF);
    EXPECT_EQ(box.left(), 540);
    EXPECT_EQ(box.top(), 25);
    EXPECT_EQ(box.bottom(), 575);
    EXPECT_EQ(box.right(), 959);  // x = 640 is column 960, clipped
}

TEST(RasterSurface, ClsFillsWithBackColor)
{
    Surface s;
    s.canvas.Line(0, 0, 640, 240);
    s.canvas.Cls();
    EXPECT_TRUE(extentOf(s.raster.image(), kBlackPixel).isEmpty());
    EXPECT_EQ(s.raster.image().format(), QImage::Format_RGB32);
}

TEST(RasterSurface, PrintPutsTheTopLeftOfTheTextAtTheCurrentPoint)
{
    Surface s;
    s.canvas.SetFontSize(14);
    s.canvas.SetCurrentX(110);
    s.canvas.SetCurrentY(20);
    s.canvas.Print("等速円運動");
    const QRect text = extentOf(s.raster.image(), kBlackPixel);
    ASSERT_FALSE(text.isEmpty());
    // (110, 20) is pixel (165, 550); 14 pt is 19 pixels at 96 dpi.
    EXPECT_NEAR(text.left(), 165, 3);
    EXPECT_GE(text.top(), 550);
    EXPECT_LE(text.bottom(), 550 + 22);
    EXPECT_GT(text.width(), 4 * 19);
    // No antialiasing: only black and white.
    const QImage& image = s.raster.image();
    for (int y = text.top(); y <= text.bottom(); ++y)
        for (int x = text.left(); x <= text.right(); ++x)
            ASSERT_TRUE(image.pixel(x, y) == kBlackPixel || image.pixel(x, y) == kWhitePixel);
}

TEST(RasterSurface, SmallTextGrowsToTheMinimumAboutItsCentreAndStaysOnThePicture)
{
    const auto printed = [](int minimum, float y) {
        Surface s;
        s.raster.setMinimumTextPixels(minimum);
        s.canvas.SetFontSize(14);
        s.canvas.PrintAt(300, y, "変位");
        return extentOf(s.raster.image(), kBlackPixel);
    };
    // 40 pixels, not 19: about twice as tall, centred where it was.
    const QRect own = printed(0, 120);
    const QRect grown = printed(40, 120);
    EXPECT_GT(grown.height(), own.height() * 17 / 10);
    EXPECT_NEAR(grown.center().y(), own.center().y(), 3);
    EXPECT_NEAR(grown.center().x(), own.center().x(), 3);
    // At the top edge it is moved down to stay whole on the picture.
    EXPECT_GT(printed(40, 240).height(), printed(0, 240).height() * 17 / 10);
}

TEST(RasterSurface, SnapshotAndRestoreRoundTrip)
{
    Surface s;
    s.canvas.Circle(320, 120, 50, QBColor(12));
    const QImage stored = s.raster.snapshot();
    s.canvas.Cls();
    s.raster.restore(stored);
    EXPECT_EQ(s.raster.image(), stored);
    // Drawing after a snapshot does not change the snapshot.
    s.canvas.Line(0, 0, 640, 240);
    EXPECT_NE(s.raster.image(), stored);
}

TEST(RasterSurface, DevicePixelRatioScalesThePicture)
{
    Surface one(480, 300, 1.0);
    Surface two(480, 300, 2.0);
    for (Surface* s : {&one, &two}) {
        s->canvas.Circle(320, 120, 120);
    }
    const QRect a = extentOf(one.raster.image(), kBlackPixel);
    const QRect b = extentOf(two.raster.image(), kBlackPixel);
    EXPECT_EQ(two.raster.image().size(), QSize(960, 600));
    EXPECT_NEAR(b.width(), 2 * a.width(), 2);
}

}  // namespace
}  // namespace kelvora
