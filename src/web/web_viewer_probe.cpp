// The web viewer's side of the probe: clicks on the picture go to the
// model, and each frame shown is ringed and graphed as the core draws them,
// through the page's painters.

#include "web/web_viewer.h"

#include <algorithm>

namespace kelvora {

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
        pendingSize_.devicePixelRatio, [this](const PaintBatch& batch) {
            PaintOnPage(page_, batch, graphBackend_->deviceWidth(), graphBackend_->deviceHeight(), "paintGraph");
        });
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

}  // namespace kelvora
