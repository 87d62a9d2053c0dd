#pragma once

#include <memory>
#include <mutex>

namespace kelvora {

namespace water {
struct SurfaceGeometry;
}

// Work that is the same in every frame of a capture, done by the first
// frame that needs it and then only read. Whoever drives a capture makes
// one for it and hands it to every frame through the SceneContext; frames
// drawn on several threads at once may share it.
class CaptureCache {
public:
    CaptureCache();
    ~CaptureCache();
    CaptureCache(const CaptureCache&) = delete;
    CaptureCache& operator=(const CaptureCache&) = delete;

    // The surface points of the water scenes (8 and 9).
    const water::SurfaceGeometry& waterSurface();

private:
    std::once_flag waterSurfaceBuilt_;
    std::unique_ptr<const water::SurfaceGeometry> waterSurface_;
};

}  // namespace kelvora
