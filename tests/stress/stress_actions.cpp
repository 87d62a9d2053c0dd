#include "stress/stress_actions.h"

#include "menu/form2.h"
#include "stress/stress_harness.h"
#include "viewer/form1.h"

#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <array>

namespace kelvora::stress {

namespace {

// What the open viewer is doing, for the coverage counts.
std::string stateOf(const Form1& viewer)
{
    if (viewer.isCapturing())
        return "during capture";
    return viewer.isPlaying() ? "during playback" : "while idle";
}

bool menuOpen(StressHarness& h) { return h.menu() != nullptr; }
bool viewerOpen(StressHarness& h) { return h.viewer() != nullptr; }

// A click with the mouse, as the user gives it: on a disabled control it
// does nothing.
std::string clickViewerControl(StressHarness& h, QAbstractButton* (*control)(const Form1&), const char* name)
{
    Form1* viewer = h.viewer();
    h.count(std::string(name) + " " + stateOf(*viewer));
    QTest::mouseClick(control(*viewer), Qt::LeftButton);
    return "";
}

template <QAbstractButton* (*Control)(const Form1&)>
bool viewerControlEnabled(StressHarness& h)
{
    const Form1* viewer = h.viewer();
    return viewer && Control(*viewer)->isEnabled() && Control(*viewer)->isVisible();
}

QAbstractButton* picture(const Form1& v) { return v.Cmd_Picture(); }
QAbstractButton* anime(const Form1& v) { return v.Cmd_Anime(); }
QAbstractButton* stop(const Form1& v) { return v.Cmd_stop(); }
QAbstractButton* step(const Form1& v) { return v.Cmd_step(); }
QAbstractButton* viewerEnd(const Form1& v) { return v.Cmd_End(); }
QAbstractButton* option1(const Form1& v) { return v.Option1(); }
QAbstractButton* option2(const Form1& v) { return v.Option2(); }

// Moves a scroll bar the way a user can: to either end, to any value (a
// drag released there), or by an arrow or a click in the trough.
std::string moveScrollBar(StressHarness& h, QScrollBar* bar, const std::string& name)
{
    const int how = h.uniform(0, 5);
    std::string detail;
    switch (how) {
    case 0: bar->setValue(bar->minimum()); detail = "to the minimum"; break;
    case 1: bar->setValue(bar->maximum()); detail = "to the maximum"; break;
    case 2: {
        const int value = h.uniform(bar->minimum(), bar->maximum());
        bar->setValue(value);
        detail = "to " + std::to_string(value);
        break;
    }
    case 3: bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); detail = "one step right"; break;
    case 4: bar->triggerAction(QAbstractSlider::SliderSingleStepSub); detail = "one step left"; break;
    default: bar->triggerAction(QAbstractSlider::SliderPageStepAdd); detail = "one page right"; break;
    }
    h.count(name + " " + stateOf(*h.viewer()));
    if (how < 2)
        h.count(name + " " + detail);
    return detail;
}

const std::array kActions{
    StressAction{"menu: scene button", 16, menuOpen,
        [](StressHarness& h) {
            const int scene = h.uniform(0, 15);
            h.count("scene button " + std::to_string(scene));
            QTest::mouseClick(h.menu()->Command1(scene), Qt::LeftButton);
            return "scene " + std::to_string(scene);
        }},
    StressAction{"menu: 終了", 1, menuOpen,
        [](StressHarness& h) {
            h.count("menu 終了");
            QTest::mouseClick(h.menu()->Cmd_End(), Qt::LeftButton);
            return std::string();
        },
        true},
    StressAction{"menu: closed by its frame", 1, menuOpen,
        [](StressHarness& h) {
            h.count("menu closed by its frame");
            h.menu()->close();
            return std::string();
        },
        true},
    StressAction{"viewer: 描画", 4, viewerControlEnabled<picture>,
        [](StressHarness& h) { return clickViewerControl(h, picture, "描画"); }},
    StressAction{"viewer: アニメ開始", 6, viewerControlEnabled<anime>,
        [](StressHarness& h) { return clickViewerControl(h, anime, "アニメ開始"); }},
    StressAction{"viewer: 一時停止", 4, viewerControlEnabled<stop>,
        [](StressHarness& h) { return clickViewerControl(h, stop, "一時停止"); }},
    StressAction{"viewer: コマ送り", 5, viewerControlEnabled<step>,
        [](StressHarness& h) { return clickViewerControl(h, step, "コマ送り"); }},
    StressAction{"viewer: １２画面", 2, viewerControlEnabled<option1>,
        [](StressHarness& h) { return clickViewerControl(h, option1, "１２画面"); }},
    StressAction{"viewer: ２４画面", 2, viewerControlEnabled<option2>,
        [](StressHarness& h) { return clickViewerControl(h, option2, "２４画面"); }},
    StressAction{"viewer: 終了", 1, viewerControlEnabled<viewerEnd>,
        [](StressHarness& h) { return clickViewerControl(h, viewerEnd, "終了"); }},
    StressAction{"viewer: closed by its frame", 1, viewerOpen,
        [](StressHarness& h) {
            h.count("viewer closed by its frame " + stateOf(*h.viewer()));
            h.viewer()->close();
            return std::string();
        },
        true},
    StressAction{"viewer: HScroll1 (speed)", 3, viewerOpen,
        [](StressHarness& h) { return moveScrollBar(h, h.viewer()->HScroll1(), "HScroll1"); }},
    StressAction{"viewer: HScroll2 (parameter)", 4,
        [](StressHarness& h) {
            const Form1* viewer = h.viewer();
            return viewer && viewer->HScroll2()->isVisible() && viewer->HScroll2()->isEnabled();
        },
        [](StressHarness& h) { return moveScrollBar(h, h.viewer()->HScroll2(), "HScroll2"); }},
    // Playback's wake-ups: the next frame falls due, on time or late.
    StressAction{"time passes", 16,
        [](StressHarness& h) { return h.viewerWatch() && h.viewerWatch()->clock->pending(); },
        [](StressHarness& h) {
            const int wakeUps = h.uniform(1, 4);
            const int late = h.uniform(0, 1) ? 0 : h.uniform(1, 1500);
            for (int i = 0; i < wakeUps; ++i)
                if (ViewerWatch* watch = h.viewerWatch(); watch && watch->clock->pending())
                    watch->clock->fire(late);
            h.count("playback wake-ups");
            return std::to_string(wakeUps) + " wake-ups, " + std::to_string(late) + " ms late";
        }},
    // The user waits: pending events (a capture's next frame) run.
    StressAction{"wait", 12, [](StressHarness&) { return true; },
        [](StressHarness& h) {
            h.settle(h.uniform(1, 3));
            return std::string();
        }},
};

}  // namespace

std::span<const StressAction> StressActions() { return kActions; }

}  // namespace kelvora::stress
