// The viewer on a screen of device pixel ratio 2: the picture has twice the
// pixels each way and everything drawn is twice as large in pixels, while
// the layout, the canvas units and what the scene is told stay as at 1.

#include "canvas/canvas.h"
#include "raster/raster_surface.h"
#include "viewer/viewer_window.h"
#include "viewer/control_widgets.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

#include <mutex>

namespace kelvora {
namespace {

constexpr QRgb kBlack = 0xFF000000;

// Columns from the leftmost to the rightmost black pixel of the image.
int blackWidth(const QImage& image)
{
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == kBlack) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return right < left ? 0 : right - left + 1;
}

// A circle a third of the picture's smaller side across, in the picture's
// logical units, whatever size the layout gives it; returns its radius.
int drawCircle(Canvas& canvas, int width, int height)
{
    const int radius = std::min(width, height) / 6;
    canvas.Cls();
    canvas.Scale(0, 0, static_cast<float>(width), static_cast<float>(height));
    canvas.Circle(static_cast<float>(width) / 2, static_cast<float>(height) / 2, static_cast<float>(radius), QBColor(0));
    return radius;
}

TEST(HighDensity, TheViewerDrawsWithTheScreensRatio)
{
    auto* viewer = new ViewerWindow(0);
    ASSERT_DOUBLE_EQ(viewer->devicePixelRatioF(), 2.0);
    // Drawn on the worker threads, several at once.
    std::mutex told;
    std::vector<std::pair<int, int>> toldScreen;
    viewer->setFrameRenderer([&](int, Canvas& canvas, std::int16_t&, SceneContext& context) {
        {
            const std::lock_guard lock(told);
            toldScreen.emplace_back(context.screenWidth, context.screenHeight);
        }
        drawCircle(canvas, canvas.pixelWidth(), canvas.pixelHeight());
        return true;
    });
    PictureBox* picture = viewer->picture();
    const QSize logical = picture->contentsRect().size();
    RasterSurface& surface = picture->surface();
    EXPECT_EQ(surface.logicalWidth(), logical.width());
    EXPECT_EQ(surface.image().size(), logical * 2);
    // The controls take their places in logical pixels.
    const ViewerDescription& d = viewer->description();
    EXPECT_EQ(viewer->saveButton()->geometry(),
        ToQRect(LayOutViewer(d, viewer->width(), viewer->height(), Pointer::Fine, Scrolling::None).places[d.indexOf("save")]));

    viewer->drawButton()->click();
    while (viewer->isCapturing())
        QCoreApplication::processEvents();
    ASSERT_EQ(toldScreen.size(), 12u);
    const QSize screen = viewer->screen()->geometry().size();
    EXPECT_EQ(toldScreen[0], std::make_pair(screen.width(), screen.height()));

    QImage stored;
    ASSERT_TRUE(viewer->frameStore().read(0, stored));
    EXPECT_EQ(stored.size(), logical * 2);

    RasterSurface single(logical.width(), logical.height(), 1.0);
    Canvas singleCanvas(single, logical.width(), logical.height());
    const int radius = drawCircle(singleCanvas, logical.width(), logical.height());
    const int atOne = blackWidth(single.image());
    EXPECT_GT(radius, 10);
    EXPECT_NEAR(atOne, 2 * radius + 1, 2);
    EXPECT_NEAR(blackWidth(stored), 2 * atOne, 2);
    delete viewer;
}

}  // namespace
}  // namespace kelvora
