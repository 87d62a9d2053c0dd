#include "probe_pictures.h"

#include "export/probed_picture.h"

namespace kelvora::render {

ProbePictures::ProbePictures(const RenderOptions& options, const std::vector<MediumSite>& sites, double amplitude)
    : options_(options)
    , sites_(sites)
    , graph_(MakeProbeGraph(sites, amplitude, options.frames))
{
}

QImage ProbePictures::WithGraph(const QImage& frame, const DrawState& state, int frameNo) const
{
    return ProbedPicture(frame, state, sites_, graph_, frameNo, QSize(options_.size.width, options_.size.height),
        options_.scale);
}

ProbeLayout PictureLayout(const RenderOptions& options)
{
    if (options.probes.empty())
        return {{0, 0, options.size.width, options.size.height}, {}, options.size.width, options.size.height};
    return LayOutProbeGraph(options.size.width, options.size.height);
}

}  // namespace kelvora::render
