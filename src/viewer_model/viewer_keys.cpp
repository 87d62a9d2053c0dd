#include "viewer_model/viewer_keys.h"

namespace kelvora {

namespace {

bool isProbeKey(ViewerKey key)
{
    return key == ViewerKey::ShiftRight || key == ViewerKey::ShiftLeft || key == ViewerKey::ShiftUp ||
        key == ViewerKey::ShiftDown;
}

bool isArrowOrPage(ViewerKey key)
{
    return key == ViewerKey::Right || key == ViewerKey::PageDown || key == ViewerKey::Left ||
        key == ViewerKey::PageUp;
}

// The keys each kind of control uses itself when it has the focus.
bool focusUses(FocusKind focus, ViewerKey key)
{
    switch (focus) {
    case FocusKind::ScrollBar:
        return isArrowOrPage(key);
    case FocusKind::Button:
        return key == ViewerKey::Space;
    case FocusKind::OptionButton:
        return key == ViewerKey::Space || isArrowOrPage(key);
    case FocusKind::TextBox:
        // Shift with an arrow selects text.
        return key == ViewerKey::Left || key == ViewerKey::Right || isProbeKey(key);
    case FocusKind::Picture:
        return false;
    }
    return false;
}

}  // namespace

KeyCommand CommandForKey(ViewerKey key, FocusKind focus, const ViewerControls& controls, bool playing, ProbeKeys probe)
{
    if (focusUses(focus, key))
        return KeyCommand::None;
    if (isProbeKey(key) && !probe.movable)
        return KeyCommand::None;
    switch (key) {
    case ViewerKey::Space:
        if (playing)
            return controls.pause ? KeyCommand::Pause : KeyCommand::None;
        return controls.play ? KeyCommand::Play : KeyCommand::None;
    case ViewerKey::Right:
    case ViewerKey::PageDown:
        return controls.step ? KeyCommand::Step : KeyCommand::None;
    case ViewerKey::Left:
    case ViewerKey::PageUp:
        return controls.step ? KeyCommand::StepBack : KeyCommand::None;
    case ViewerKey::Enter:
        return controls.draw ? KeyCommand::Draw : KeyCommand::None;
    case ViewerKey::Escape:
        if (probe.marked)
            return KeyCommand::ClearProbes;
        return controls.end ? KeyCommand::End : KeyCommand::None;
    case ViewerKey::ShiftRight: return KeyCommand::ProbeRight;
    case ViewerKey::ShiftLeft: return KeyCommand::ProbeLeft;
    case ViewerKey::ShiftUp: return KeyCommand::ProbeUp;
    case ViewerKey::ShiftDown: return KeyCommand::ProbeDown;
    }
    return KeyCommand::None;
}

int ScrollBarKeyStep(ScrollKey key, int smallChange, int largeChange)
{
    switch (key) {
    case ScrollKey::Right:
    case ScrollKey::Down: return smallChange;
    case ScrollKey::Left:
    case ScrollKey::Up: return -smallChange;
    case ScrollKey::PageDown: return largeChange;
    case ScrollKey::PageUp: return -largeChange;
    }
    return 0;
}

bool RepeatsWhenHeld(ViewerKey key) { return isArrowOrPage(key) || isProbeKey(key); }

}  // namespace kelvora
