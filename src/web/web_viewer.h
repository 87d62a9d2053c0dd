#pragma once

#include "canvas/canvas.h"
#include "viewer_model/frame_source.h"
#include "viewer_model/viewer_host.h"
#include "viewer_model/viewer_model.h"
#include "web/web_canvas_backend.h"
#include "web/web_playback_clock.h"

#include <emscripten/val.h>

#include <memory>

namespace kelvora {

// The picture's size in CSS pixels, its device pixel ratio, and the size of
// the area the page fills, which the scenes take for the screen in their
// aspect correction (the desktop viewer fills the screen).
struct WebPictureSize {
    int width = 0;
    int height = 0;
    double devicePixelRatio = 1;
    int screenWidth = 0;
    int screenHeight = 0;
};

// Hands a batch to page.paint(ops, texts, dots, deviceWidth, deviceHeight),
// the page's Painter (or to another method of the same arguments).
void PaintOnPage(emscripten::val& page, const PaintBatch& batch, const char* method = "paint");

// The viewer of the web page: the ViewerModel with the page as its host.
// The frame store, the scheduling of capture, the timeouts and the
// controls live in the page (a JavaScript object with the methods called
// below); the drawing canvas, the model and the frame source (one frame at
// a time on the picture's canvas) live here.
//
// A new picture size takes effect at the next capture, so the frames of one
// capture all have one size; until then the page shows them scaled to fit.
class WebViewer : public ViewerHost {
public:
    WebViewer(int sceneIndex, emscripten::val page, const WebPictureSize& size);
    ~WebViewer() override;
    WebViewer(const WebViewer&) = delete;
    WebViewer& operator=(const WebViewer&) = delete;

    ViewerModel* model() { return model_.get(); }
    // Draws the capture frame the model asked for; the page runs it once
    // for each scheduleCapture, as a task of its own.
    void drawNextFrame() { source_->drawPending(); }
    // Replaces the scenes' drawing of capture frames (the tests' hooks).
    void setFrameRenderer(FrameRenderer renderer) { source_->setRenderer(std::move(renderer)); }
    // The picture's new size, taken by the next capture; the model has the
    // frames drawn again once it settles.
    void resize(const WebPictureSize& size);
    // The probe (web_viewer_probe.cpp): a click or tap at (x, y) of the
    // picture, whose element is areaWidth x areaHeight CSS pixels and shows
    // the frames scaled to fit; and the size of the graph's canvas in CSS
    // pixels, which page.paintGraph paints.
    void clickPicture(double x, double y, int areaWidth, int areaHeight);
    void setGraphSize(int width, int height);
    // Frame k of a saved PNG or GIF with probes, as kelvora-render --probe
    // draws it (the frame over its graph, laid out by LayOutProbeGraph):
    // target.paint(...) rings the marked places on the stored frame,
    // target.paintGraph(...) draws the graph on a canvas of its own.
    // Returns where the graph goes under the frame, in device pixels:
    // { width, height, graphTop }.
    emscripten::val drawProbedPicture(int k, emscripten::val target) const;
    // The marked places in the scene's coordinates, [{ x, y }], for the
    // worksheet to find again at each parameter value.
    emscripten::val probePlaces() const;
    // The page's timeout with this ticket ran.
    void clockFired(int ticket) { clock_->fire(ticket); }
    // The device pixels of the frames being drawn or stored.
    int deviceWidth() const { return backend_->deviceWidth(); }
    int deviceHeight() const { return backend_->deviceHeight(); }

    Canvas& canvas() override { return *canvas_; }
    int screenWidth() const override { return size_.screenWidth; }
    int screenHeight() const override { return size_.screenHeight; }
    void allocateFrames(int count) override;
    bool showFrame(int k) override;
    void releaseFrames() override;
    FrameSource& frameSource() override { return *source_; }
    void modelChanged() override;
    void showMessage(const std::string& text) override;
    void reportRuntimeError(const RuntimeError& error) override;

private:
    void createSurface();
    void paint(const PaintBatch& batch);
    // Rings the marked particles on frame k as shown, and draws the graph.
    void markShownFrame(int k);
    void markGraph(int k);

    emscripten::val page_;
    WebPictureSize size_;
    WebPictureSize pendingSize_;
    std::shared_ptr<WebPlaybackClock> clock_;
    std::unique_ptr<WebCanvasBackend> backend_;
    std::unique_ptr<Canvas> canvas_;
    std::unique_ptr<ViewerModel> model_;
    std::unique_ptr<PictureFrameSource> source_;
    std::unique_ptr<WebCanvasBackend> graphBackend_;
    std::unique_ptr<Canvas> graphCanvas_;
};

}  // namespace kelvora
