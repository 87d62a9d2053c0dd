// The viewer window as the model's host: the frame store of the picture's
// pixels, and where capture frames are drawn (on worker threads, or one by
// one on the picture).

#include "viewer/viewer_window.h"

#include "canvas/numeric.h"
#include "viewer/runtime_error_report.h"

#include <QScreen>

namespace kelvora {

Canvas& ViewerWindow::canvas() { return picture_->canvas(); }

int ViewerWindow::screenWidth() const { return screen()->geometry().width(); }

int ViewerWindow::screenHeight() const { return screen()->geometry().height(); }

void ViewerWindow::allocateFrames(int count)
{
    if (picture_->surfaceOutOfDate()) {
        // Frames of the new size, and drawing threads for it.
        workerSource_->surfaceReplaced();
        picture_->createSurface();
    }
    const QImage& pixels = picture_->surface().image();
    geometry_.BytesPerPixel = ToInt32(pixels.depth() / 8.0);
    geometry_.PicWidth = ToInt32(picture_->width());
    geometry_.PicHeight = ToInt32(picture_->height());
    for (int k = 0; k < count; ++k)
        frameStore_.allocate(k, pixels.size(), geometry_.BytesPerPixel);
}

bool ViewerWindow::showFrame(int k)
{
    // Unpacked straight into the drawing surface, with no copy between.
    QImage& pixels = picture_->surface().pixelsForWriting();
    if (!frameStore_.holds(k) || frameStore_.frameSize(k) != pixels.size())
        return false;
    frameStore_.read(k, pixels);
    markShownFrame(k);
    picture_->update();
    return true;
}

void ViewerWindow::releaseFrames() { frameStore_.releaseAll(); }

FrameSource& ViewerWindow::frameSource()
{
    if (parallelCapture_)
        return *workerSource_;
    return *pictureSource_;
}

void ViewerWindow::setFrameRenderer(const FrameRenderer& renderer)
{
    workerSource_->setRenderer(renderer);
    pictureSource_->setRenderer(renderer);
}

int ViewerWindow::framesDrawnByWorkers() const { return workerSource_->drawCount(); }

void ViewerWindow::showMessage(const std::string& text) { messageSink_(QString::fromStdString(text)); }

void ViewerWindow::reportRuntimeError(const RuntimeError& error) { ReportRuntimeError(error); }

}  // namespace kelvora
