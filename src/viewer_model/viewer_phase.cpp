#include "viewer_model/viewer_phase.h"

namespace kelvora {

ViewerControls ControlsFor(ViewerPhase phase, bool capturedOnce, bool parameterLocked)
{
    ViewerControls controls;
    for (const PhaseButtons& row : kPhaseButtons) {
        if (row.phase != phase)
            continue;
        controls.draw = row.draw;
        controls.play = row.play;
        controls.pause = row.pause;
        controls.step = row.step;
        controls.save = row.save;
    }
    controls.frameCount = !capturedOnce;
    controls.parameter = !parameterLocked;
    return controls;
}

}  // namespace kelvora
