// The viewer's probe: clicks, taps and keys on the picture, handed to the
// core's rules, and the frame shown again with the marks.

#include "canvas/canvas.h"
#include "viewer_model/viewer_host.h"
#include "viewer_model/viewer_model.h"

namespace kelvora {

// Also while the frames are drawn again for the graph's room: a second
// click right after the first counts. The frames' scale is the canvas's
// whatever its size.
bool ViewerModel::probeTakesInput() const
{
    return probe_.takesProbe() && shownFrame_ >= 0 && phase_ != ViewerPhase::Empty && !closed_;
}

void ViewerModel::clickPicture(double x, double y, int areaWidth, int areaHeight, int pictureWidth, int pictureHeight)
{
    if (!probeTakesInput() || pictureWidth <= 0 || pictureHeight <= 0 || areaWidth <= 0 || areaHeight <= 0)
        return;
    const UserPoint at = ShownToPicture(areaWidth, areaHeight, pictureWidth, pictureHeight, x, y);
    if (at.x < 0 || at.y < 0 || at.x > pictureWidth || at.y > pictureHeight)
        return;
    if (probe_.click(sceneContext(nullptr), host_.canvas().state(), pictureWidth, pictureHeight, at.x, at.y,
            lastFrame_ + 1))
        probeChanged();
}

void ViewerModel::moveProbe(int direction, bool across)
{
    if (!probeTakesInput())
        return;
    // Up on the picture is up in the scene's coordinates when its scale
    // runs y upwards.
    if (!across && host_.canvas().state().scaleHeight > 0)
        direction = -direction;
    if (probe_.step(sceneContext(nullptr), direction, across, lastFrame_ + 1))
        probeChanged();
}

void ViewerModel::clearProbes()
{
    if (probe_.clear())
        probeChanged();
}

// The frame on the picture is put back from the store, and the host marks
// it as it shows it; a frame still being captured gets its marks from the
// capture's own showing.
void ViewerModel::probeChanged()
{
    changed();
    if (shownFrame_ >= 0 && !isCapturing())
        host_.showFrame(shownFrame_);
}

}  // namespace kelvora
