#pragma once

#include "viewer_model/viewer_phase.h"

namespace kelvora {

// The viewer's keys, for the keyboard and for presenter remotes (which
// send Page Up and Page Down). The probe's keys are Shift with an arrow.
enum class ViewerKey {
    Space, Right, PageDown, Left, PageUp, Enter, Escape,
    ShiftRight, ShiftLeft, ShiftUp, ShiftDown,
};

// What kind of control has the keyboard focus: a control keeps the keys it
// has a use for (a scroll bar its arrows and page keys, a button Space).
enum class FocusKind { Picture, Button, OptionButton, ScrollBar, TextBox };

enum class KeyCommand {
    None, Draw, Play, Pause, Step, StepBack, End,
    ProbeRight, ProbeLeft, ProbeUp, ProbeDown, ClearProbes,
};

// What the probe makes of the keys: whether it can be placed or moved now
// (a scene with a medium, its frames on the picture), and whether any
// particle is marked.
struct ProbeKeys {
    bool movable = false;
    bool marked = false;
};

// The command a key gives: Space starts or pauses, Right and Page Down
// step, Left and Page Up step back, Enter is 描画, Esc is 終了. None when
// the focused control has a use for the key or the command's button is
// off just now (the focused control then gets the key as usual). With a
// particle marked, Esc removes the marks instead of ending; Shift with an
// arrow moves the probe (up and down: the water's rows) where it can move.
KeyCommand CommandForKey(
    ViewerKey key, FocusKind focus, const ViewerControls& controls, bool playing, ProbeKeys probe = {});

// The keys that move a focused scroll bar.
enum class ScrollKey { Left, Right, Up, Down, PageUp, PageDown };

// How far a key moves a focused scroll bar: an arrow by its small change, a
// page key by its large change. Right, Down and Page Down raise the value,
// as the right arrow button and a turn of the wheel down do (on アニメ速度,
// towards 遅).
int ScrollBarKeyStep(ScrollKey key, int smallChange, int largeChange);

// Whether holding the key down repeats its command: the steps and the
// probe's moves do;
// starting, drawing and ending act once per press.
bool RepeatsWhenHeld(ViewerKey key);

}  // namespace kelvora
