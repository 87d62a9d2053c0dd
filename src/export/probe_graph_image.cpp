#include "export/probe_graph_image.h"

#include "canvas/canvas.h"
#include "raster/raster_surface.h"

namespace kelvora {

QImage ProbeGraphImage(const ProbeGraph& graph, GraphContent content, QSize size, double devicePixelRatio,
    int frameShown)
{
    RasterSurface surface(size.width(), size.height(), devicePixelRatio);
    Canvas canvas(surface, size.width(), size.height());
    DrawProbeGraph(canvas, graph, content, frameShown);
    return surface.snapshot();
}

}  // namespace kelvora
