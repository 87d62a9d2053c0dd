// The web viewer's side of the probe: clicks on the picture go to the
// model, and each frame shown is ringed and graphed as the core draws them,
// through the page's painters.

#include "web/web_viewer.h"


#include <algorithm>

namespace kelvora {

using emscripten::val;

void WebViewer::clickPicture(double x, double y, int areaWidth, int areaHeight)
{
    model_->clickPicture(x, y, areaWidth, areaHeight, backend_->logicalWidth(), backend_->logicalHeight());
}

void WebViewer::setGraphSize(int width, int height)
{
    if (graphBackend_ && graphBackend_->logicalWidth() == width && graphBackend_->logicalHeight() == height &&
        graphBackend_->devicePixelRatio() == pendingSize_.devicePixelRatio)
        return;
    graphCanvas_.reset();
    graphBackend_ = std::make_unique<WebCanvasBackend>(std::max(1, width), std::max(1, height),
        pendingSize_.devicePixelRatio, [this](const PaintBatch& batch) { PaintOnPage(page_, batch, "paintGraph"); });
    graphCanvas_ = std::make_unique<Canvas>(*graphBackend_, graphBackend_->logicalWidth(),
        graphBackend_->logicalHeight());
    if (model_->shownFrame() >= 0 && !model_->probe().empty())
        markGraph(model_->shownFrame());
}

void WebViewer::markShownFrame(int k)
{
    const ViewerProbe& probe = model_->probe();
    if (probe.empty())
        return;
    probe.drawRings(*canvas_, k);
    backend_->flush();
    markGraph(k);
}

void WebViewer::markGraph(int k)
{
    if (!graphCanvas_)
        return;
    model_->probe().drawGraph(*graphCanvas_, k);
    graphBackend_->flush();
}

val WebViewer::drawProbedPicture(int k, val target) const
{
    const ViewerProbe& probe = model_->probe();
    const double ratio = backend_->devicePixelRatio();
    WebCanvasBackend rings(backend_->logicalWidth(), backend_->logicalHeight(), ratio,
        [&](const PaintBatch& batch) { PaintOnPage(target, batch); });
    Canvas picture(rings, rings.logicalWidth(), rings.logicalHeight());
    picture.RestoreState(canvas_->state());
    probe.drawRings(picture, k);
    rings.flush();

    const ProbeLayout layout = LayOutProbeGraph(rings.logicalWidth(), rings.logicalHeight());
    WebCanvasBackend graphBackend(layout.graph.width, layout.graph.height, ratio,
        [&](const PaintBatch& batch) { PaintOnPage(target, batch, "paintGraph"); });
    Canvas graph(graphBackend, layout.graph.width, layout.graph.height);
    probe.drawGraph(graph, k);
    graphBackend.flush();

    // Device pixels: each part keeps the size its surface gives it.
    val out = val::object();
    out.set("width", rings.deviceWidth());
    out.set("height", rings.deviceHeight() + graphBackend.deviceHeight());
    out.set("graphTop", rings.deviceHeight());
    return out;
}

val WebViewer::probePlaces() const
{
    val places = val::array();
    for (const MediumSite& site : model_->probe().marks().sites) {
        val place = val::object();
        place.set("x", site.rest.x);
        place.set("y", site.rest.y);
        places.call<void>("push", place);
    }
    return places;
}

}  // namespace kelvora
