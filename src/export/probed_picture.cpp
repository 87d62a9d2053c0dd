#include "export/probed_picture.h"

#include "canvas/canvas.h"
#include "export/probe_graph_image.h"
#include "probe/probe.h"
#include "raster/raster_surface.h"

#include <QPainter>

namespace kelvora {

namespace {

QImage ringed(const QImage& frame, const DrawState& state, const std::vector<MediumSite>& sites, double t,
    QSize logicalSize, double devicePixelRatio)
{
    RasterSurface surface(logicalSize.width(), logicalSize.height(), devicePixelRatio);
    surface.restore(frame);
    Canvas canvas(surface, logicalSize.width(), logicalSize.height());
    canvas.RestoreState(state);
    DrawProbeRings(canvas, sites, t);
    return surface.snapshot();
}

}  // namespace

QImage ProbedPicture(const QImage& frame, const DrawState& state, const std::vector<MediumSite>& sites,
    const ProbeGraph& graph, int frameNo, QSize logicalSize, double devicePixelRatio)
{
    const ProbeLayout layout = LayOutProbeGraph(logicalSize.width(), logicalSize.height());
    const QImage picture
        = ringed(frame, state, sites, frameNo / static_cast<double>(graph.frames), logicalSize, devicePixelRatio);
    const QImage graphImage = ProbeGraphImage(graph, GraphContent::Shown,
        QSize(layout.graph.width, layout.graph.height), devicePixelRatio, frameNo);
    // Device pixels: each part keeps the size its surface gave it.
    QImage whole(picture.width(), picture.height() + graphImage.height(), QImage::Format_RGB32);
    if (whole.isNull())
        return whole;
    QPainter painter(&whole);
    painter.drawImage(0, 0, picture);
    painter.drawImage(0, picture.height(), graphImage);
    painter.end();
    return whole;
}

}  // namespace kelvora
