#pragma once

#include "viewer_model/viewer_phase.h"

namespace kelvora {

// The viewer's keys, for the keyboard and for presenter remotes (which
// send Page Up and Page Down).
enum class ViewerKey { Space, Right, PageDown, Left, PageUp, Enter, Escape };

// What kind of control has the keyboard focus: a control keeps the keys it
// has a use for (a scroll bar its arrows and page keys, a button Space).
enum class FocusKind { Picture, Button, OptionButton, ScrollBar, TextBox };

enum class KeyCommand { None, Draw, Play, Pause, Step, StepBack, End };

// The command a key gives: Space starts or pauses, Right and Page Down
// step, Left and Page Up step back, Enter is 描画, Esc is 終了. None when
// the focused control has a use for the key or the command's button is
// off just now (the focused control then gets the key as usual).
KeyCommand CommandForKey(ViewerKey key, FocusKind focus, const ViewerControls& controls, bool playing);

// The keys that move a focused scroll bar.
enum class ScrollKey { Left, Right, Up, Down, PageUp, PageDown };

// How far a key moves a focused scroll bar: an arrow by its small change, a
// page key by its large change. Right, Down and Page Down raise the value,
// as the right arrow button and a turn of the wheel down do (on アニメ速度,
// towards 遅).
int ScrollBarKeyStep(ScrollKey key, int smallChange, int largeChange);

// Whether holding the key down repeats its command: the steps do;
// starting, drawing and ending act once per press.
bool RepeatsWhenHeld(ViewerKey key);

}  // namespace kelvora
