#include "scenes/capture_cache.h"

#include "scenes/water_interference.h"

namespace kelvora {

CaptureCache::CaptureCache() = default;
CaptureCache::~CaptureCache() = default;

const water::SurfaceGeometry& CaptureCache::waterSurface()
{
    std::call_once(waterSurfaceBuilt_,
        [this] { waterSurface_ = std::make_unique<const water::SurfaceGeometry>(water::BuildSurfaceGeometry()); });
    return *waterSurface_;
}

}  // namespace kelvora
