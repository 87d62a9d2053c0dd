#include "web/web_viewer.h"

#include "canvas/runtime_error.h"
#include "scenes/scene_catalogue.h"
#include "web/runtime_error_text.h"

#include <emscripten/val.h>

#include <new>
#include <utility>

namespace kelvora {

using emscripten::val;

WebViewer::WebViewer(int sceneIndex, val page, const WebPictureSize& size)
    : page_(std::move(page))
    , size_(size)
    , pendingSize_(size)
{
    val timers = page_;
    clock_ = std::make_shared<WebPlaybackClock>(
        [timers](int ticket, double delayMs) mutable { timers.call<void>("wakeAt", ticket, delayMs); },
        [timers]() mutable { timers.call<void>("cancelWake"); });
    createSurface();
    model_ = std::make_unique<ViewerModel>(sceneIndex, static_cast<ViewerHost&>(*this), clock_);
    source_ = std::make_unique<PictureFrameSource>(*model_,
        PictureFrameSource::Host{[this]() -> Canvas& { return *canvas_; },
            [this] { page_.call<void>("scheduleCapture"); }, [this] { page_.call<void>("cancelCapture"); },
            [this](int k) {
                backend_->flush();
                if (!page_.call<bool>("storeFrame", k))
                    throw std::bad_alloc();
            },
            // Each frame is drawn on the canvas the page shows.
            [] {}});
}

WebViewer::~WebViewer() { model_->close(); }

// A canvas of the current size that carries on the drawing state of the
// one before, as the desktop keeps its picture's state.
void WebViewer::createSurface()
{
    auto backend = std::make_unique<WebCanvasBackend>(size_.width, size_.height, size_.devicePixelRatio,
        [this](const PaintBatch& batch) { paint(batch); });
    auto canvas = std::make_unique<Canvas>(*backend, backend->logicalWidth(), backend->logicalHeight());
    if (canvas_)
        canvas->RestoreState(canvas_->state());
    canvas_ = std::move(canvas);
    backend_ = std::move(backend);
}

void PaintOnPage(val& page, const PaintBatch& batch, const char* method)
{
    val texts = val::array();
    for (const std::string& text : batch.texts)
        texts.call<void>("push", val(text));
    const auto* dotBytes = reinterpret_cast<const unsigned char*>(batch.dots.data());
    page.call<void>(method, val(emscripten::typed_memory_view(batch.ops.size(), batch.ops.data())), texts,
        val(emscripten::typed_memory_view(batch.dots.size() * 4, dotBytes)), batch.deviceWidth, batch.deviceHeight);
}

void WebViewer::paint(const PaintBatch& batch)
{
    PaintOnPage(page_, batch);
}

namespace {

bool operator==(const WebPictureSize& a, const WebPictureSize& b)
{
    return a.width == b.width && a.height == b.height && a.devicePixelRatio == b.devicePixelRatio &&
        a.screenWidth == b.screenWidth && a.screenHeight == b.screenHeight;
}

}  // namespace

void WebViewer::resize(const WebPictureSize& size)
{
    const bool changed = !(size == pendingSize_);
    pendingSize_ = size;
    if (changed)
        model_->pictureResized();
}

void WebViewer::allocateFrames(int count)
{
    if (!(pendingSize_ == size_)) {
        size_ = pendingSize_;
        createSurface();
    }
    if (!page_.call<bool>("allocateFrames", count, backend_->deviceWidth(), backend_->deviceHeight()))
        throw std::bad_alloc();
}

bool WebViewer::showFrame(int k)
{
    if (!page_.call<bool>("showFrame", k))
        return false;
    markShownFrame(k);
    return true;
}

void WebViewer::releaseFrames() { page_.call<void>("releaseFrames"); }

void WebViewer::modelChanged() { page_.call<void>("modelChanged"); }

void WebViewer::showMessage(const std::string& text) { page_.call<void>("showMessage", text); }

void WebViewer::reportRuntimeError(const RuntimeError& error)
{
    page_.call<void>("runtimeError", static_cast<int>(error.number()), std::string(RuntimeErrorTextJa(error.number())),
        std::string(error.what()));
}

}  // namespace kelvora
