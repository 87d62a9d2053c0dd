#include "stress/button_states.h"

#include "viewer/viewer_window.h"

#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <array>

namespace kelvora::stress {

namespace {

using enum Flag;

// Columns: 描画, アニメ開始, 一時停止, コマ送り, both options, HScroll2, 保存.
constexpr std::array kRows{
    ButtonRow{"viewer loaded", Mode::Idle, On, Off, Off, Off, On, On, Off, Held::None},
    ButtonRow{"during capture", Mode::Capturing, On, Off, Off, Off, Off, Any, Off, Held::AllFrames},
    ButtonRow{"capture finished (ready)", Mode::Idle, On, On, On, On, Off, Any, On, Held::AllFrames},
    ButtonRow{"playing", Mode::Playing, Off, Off, On, On, Off, Off, Off, Held::AllFrames},
    ButtonRow{"paused", Mode::Idle, On, On, On, On, Off, On, On, Held::AllFrames},
    ButtonRow{"stepped", Mode::Idle, On, On, On, On, Off, Any, On, Held::AllFrames},
    // The options keep what the first capture left: enabled before it.
    ButtonRow{"after a parameter change", Mode::Idle, On, Off, Off, Off, Any, On, Off, Held::None},
};

bool fits(Flag flag, bool enabled) { return flag == Any || (flag == On) == enabled; }

Mode modeOf(const ViewerWindow& viewer)
{
    if (viewer.isPlaying())
        return Mode::Playing;
    return viewer.isCapturing() ? Mode::Capturing : Mode::Idle;
}

bool holdsAllFrames(const ViewerWindow& viewer)
{
    const int frames = viewer.model().lastFrame() + 1;
    if (viewer.frameStore().heldCount() != frames)
        return false;
    for (int k = 0; k < frames; ++k)
        if (!viewer.frameStore().holds(k))
            return false;
    return true;
}

}  // namespace

std::span<const ButtonRow> AllowedButtonRows() { return kRows; }

const ButtonRow* MatchingRow(const ViewerWindow& viewer)
{
    const bool options = viewer.frames12()->isEnabled();
    if (viewer.frames24()->isEnabled() != options)
        return nullptr;  // the two options always go together
    for (const ButtonRow& row : kRows) {
        const bool held = row.held == Held::None ? viewer.frameStore().heldCount() == 0 : holdsAllFrames(viewer);
        if (row.mode == modeOf(viewer) && held && fits(row.picture, viewer.drawButton()->isEnabled())
            && fits(row.anime, viewer.playButton()->isEnabled()) && fits(row.stop, viewer.pauseButton()->isEnabled())
            && fits(row.step, viewer.stepButton()->isEnabled()) && fits(row.options, options)
            && fits(row.hScroll2, viewer.parameterBar()->isEnabled()) && fits(row.save, viewer.saveButton()->isEnabled()))
            return &row;
    }
    return nullptr;
}

std::string DescribeButtons(const ViewerWindow& viewer)
{
    auto flag = [](bool on) { return on ? "on" : "off"; };
    return std::string("描画 ") + flag(viewer.drawButton()->isEnabled()) + ", アニメ開始 "
        + flag(viewer.playButton()->isEnabled()) + ", 一時停止 " + flag(viewer.pauseButton()->isEnabled())
        + ", コマ送り " + flag(viewer.stepButton()->isEnabled()) + ", options "
        + flag(viewer.frames12()->isEnabled()) + "/" + flag(viewer.frames24()->isEnabled()) + ", HScroll2 "
        + flag(viewer.parameterBar()->isEnabled()) + ", 保存 " + flag(viewer.saveButton()->isEnabled()) + "; capturing "
        + flag(viewer.isCapturing()) + ", playing "
        + flag(viewer.isPlaying()) + ", frames held " + std::to_string(viewer.frameStore().heldCount())
        + ", LastFrame " + std::to_string(viewer.model().lastFrame());
}

}  // namespace kelvora::stress
