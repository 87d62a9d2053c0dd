#pragma once

// The rows a viewer's controls may be in, as data: the state tables of
// capture, playback and the parameter change. A stress test matches the
// live viewer against them after every action.

#include <optional>
#include <span>
#include <string>

namespace kelvora {
class ViewerWindow;
}

namespace kelvora::stress {

enum class Mode { Idle, Capturing, Playing };
// Enabled, disabled, or either (a state that leaves the control as it was).
enum class Flag { On, Off, Any };
// What the frame store holds in that state.
enum class Held { None, AllFrames };

struct ButtonRow {
    const char* name;
    Mode mode;
    Flag picture, anime, stop, step, options, hScroll2, save;
    Held held;
};

std::span<const ButtonRow> AllowedButtonRows();

// The row the viewer is in now, or nothing when it matches none.
const ButtonRow* MatchingRow(const ViewerWindow& viewer);
// The viewer's controls and modes as one line, for failure reports.
std::string DescribeButtons(const ViewerWindow& viewer);

}  // namespace kelvora::stress
