#pragma once

#include <cstdint>

namespace kelvora {

// The variables the menu, the viewer and the scenes share for the whole
// run. All start at zero.
struct SharedState {
    std::int16_t SceneIndex = 0;  // the selected scene, 0..15
    std::int16_t LastFrame = 0;   // 11 or 23: the loop has LastFrame + 1 frames
    std::int16_t StopFlag = 0;    // 1 asks a running playback loop to stop
    std::int16_t SceneParam = 0;  // the value of the viewer's parameter scroll bar
};

// The program's one instance.
SharedState& Shared();

}  // namespace kelvora
