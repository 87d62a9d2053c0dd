#include "probe_pictures.h"

#include "canvas/canvas.h"
#include "export/probe_graph_image.h"
#include "probe/probe.h"
#include "raster/raster_surface.h"

#include <QPainter>

namespace kelvora::render {

ProbePictures::ProbePictures(const RenderOptions& options, const std::vector<MediumSite>& sites, double amplitude)
    : options_(options)
    , sites_(sites)
    , graph_(MakeProbeGraph(sites, amplitude, options.frames))
{
}

QImage ProbePictures::ringed(const QImage& frame, const DrawState& state, int frameNo) const
{
    RasterSurface surface(options_.size.width, options_.size.height, options_.scale);
    surface.restore(frame);
    Canvas canvas(surface, options_.size.width, options_.size.height);
    canvas.RestoreState(state);
    DrawProbeRings(canvas, sites_, frameNo / static_cast<double>(options_.frames));
    return surface.snapshot();
}

QImage ProbePictures::WithGraph(const QImage& frame, const DrawState& state, int frameNo) const
{
    const ProbeLayout layout = PictureLayout(options_);
    const QImage picture = ringed(frame, state, frameNo);
    const QImage graph = ProbeGraphImage(
        graph_, GraphContent::Shown, QSize(layout.graph.width, layout.graph.height), options_.scale, frameNo);
    // Device pixels: each part keeps the size its surface gave it.
    QImage whole(picture.width(), picture.height() + graph.height(), QImage::Format_RGB32);
    QPainter painter(&whole);
    painter.drawImage(0, 0, picture);
    painter.drawImage(0, picture.height(), graph);
    painter.end();
    return whole;
}

ProbeLayout PictureLayout(const RenderOptions& options)
{
    if (options.probes.empty())
        return {{0, 0, options.size.width, options.size.height}, {}, options.size.width, options.size.height};
    return LayOutProbeGraph(options.size.width, options.size.height);
}

}  // namespace kelvora::render
