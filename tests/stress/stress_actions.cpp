#include "stress/stress_actions.h"

#include "menu/menu_window.h"
#include "stress/button_states.h"
#include "stress/stress_harness.h"
#include "viewer/viewer_window.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <array>
#include <utility>
#include <vector>

namespace kelvora::stress {

namespace {

// What the open viewer is doing, for the coverage counts.
std::string stateOf(const ViewerWindow& viewer)
{
    if (viewer.isCapturing())
        return "during capture";
    return viewer.isPlaying() ? "during playback" : "while idle";
}

bool menuOpen(StressHarness& h) { return h.menu() != nullptr; }
bool viewerOpen(StressHarness& h) { return h.viewer() != nullptr; }

// A click with the mouse, as the user gives it: on a disabled control it
// does nothing.
std::string clickViewerControl(StressHarness& h, QAbstractButton* (*control)(const ViewerWindow&), const char* name)
{
    ViewerWindow* viewer = h.viewer();
    h.count(std::string(name) + " " + stateOf(*viewer));
    QTest::mouseClick(control(*viewer), Qt::LeftButton);
    return "";
}

template <QAbstractButton* (*Control)(const ViewerWindow&)>
bool viewerControlEnabled(StressHarness& h)
{
    const ViewerWindow* viewer = h.viewer();
    return viewer && Control(*viewer)->isEnabled() && Control(*viewer)->isVisible();
}

QAbstractButton* picture(const ViewerWindow& v) { return v.drawButton(); }
QAbstractButton* anime(const ViewerWindow& v) { return v.playButton(); }
QAbstractButton* stop(const ViewerWindow& v) { return v.pauseButton(); }
QAbstractButton* step(const ViewerWindow& v) { return v.stepButton(); }
QAbstractButton* viewerEnd(const ViewerWindow& v) { return v.endButton(); }
QAbstractButton* option1(const ViewerWindow& v) { return v.frames12(); }
QAbstractButton* option2(const ViewerWindow& v) { return v.frames24(); }
QAbstractButton* saveButton(const ViewerWindow& v) { return v.saveButton(); }

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


// The viewer's keys with how often each is pressed among them; Esc, which
// ends the viewer, about as often as its 終了 button is clicked.
struct KeyChoice {
    Qt::Key key;
    const char* name;
    int weight;
};
constexpr std::array kKeys{KeyChoice{Qt::Key_Space, "Space", 5}, KeyChoice{Qt::Key_Right, "Right", 3},
    KeyChoice{Qt::Key_PageDown, "PageDown", 2}, KeyChoice{Qt::Key_Left, "Left", 3},
    KeyChoice{Qt::Key_PageUp, "PageUp", 2}, KeyChoice{Qt::Key_Return, "Return", 2},
    KeyChoice{Qt::Key_Enter, "Enter", 1}, KeyChoice{Qt::Key_Escape, "Esc", 1}};

const KeyChoice& pickKey(StressHarness& h)
{
    int total = 0;
    for (const KeyChoice& k : kKeys)
        total += k.weight;
    int ticket = h.uniform(0, total - 1);
    for (const KeyChoice& k : kKeys) {
        if (ticket < k.weight)
            return k;
        ticket -= k.weight;
    }
    return kKeys.back();
}

// The button a key stands for now, as the viewer's key table has it.
QAbstractButton* buttonOfKey(const ViewerWindow& v, Qt::Key key)
{
    switch (key) {
    case Qt::Key_Space: return v.isPlaying() ? v.pauseButton() : v.playButton();
    case Qt::Key_Return:
    case Qt::Key_Enter: return v.drawButton();
    case Qt::Key_Escape: return v.endButton();
    default: return v.stepButton();
    }
}

// A control that can have the focus when the key comes: the window itself
// or a scroll bar or option button (which take arrows and Space for
// themselves when the key is not the viewer's just then).
QWidget* keyTarget(StressHarness& h, ViewerWindow& viewer, std::string& where)
{
    std::vector<std::pair<QWidget*, const char*>> targets{{&viewer, "window"}, {&viewer, "window"},
        {viewer.speedBar(), "HScroll1"}, {viewer.frames12(), "Option1"}};
    if (viewer.parameterBar()->isVisible())
        targets.emplace_back(viewer.parameterBar(), "HScroll2");
    const int chosen = h.uniform(0, static_cast<int>(targets.size()) - 1);
    const auto& [widget, name] = targets[static_cast<std::size_t>(chosen)];
    where = name;
    if (widget != &viewer)
        widget->setFocus(Qt::OtherFocusReason);
    return widget;
}

// Presses a key and checks that it did what its button does, or nothing
// when its button is off and the key went to the window itself.
std::string pressKey(StressHarness& h)
{
    QPointer<ViewerWindow> viewer = h.viewer();
    const KeyChoice& key = pickKey(h);
    std::string where;
    QWidget* target = keyTarget(h, *viewer, where);
    const bool wasPlaying = viewer->isPlaying();
    // A focused control keeps the keys it uses: a scroll bar its arrows and
    // page keys, an option button those and Space.
    const bool arrowOrPage = key.key == Qt::Key_Right || key.key == Qt::Key_Left || key.key == Qt::Key_PageUp
        || key.key == Qt::Key_PageDown;
    const bool keptByControl = target->isEnabled()
        && ((where.starts_with("HScroll") && arrowOrPage)
            || (where == "Option1" && (arrowOrPage || key.key == Qt::Key_Space)));
    const bool active = !keptByControl && buttonOfKey(*viewer, key.key)->isEnabled();
    const std::string before = DescribeButtons(*viewer);
    const int shownBefore = viewer->shownFrameIndex();
    h.count(std::string("key ") + key.name + (active ? " acting " : " ignored ") + stateOf(*viewer));
    if (where != "window")
        h.count(std::string("key on a focused ") + where);

    QTest::keyClick(target, key.key);

    const std::string what = std::string(key.name) + " on " + where;
    auto expect = [&h, &what](bool holds, const std::string& effect) {
        if (!holds)
            h.violation("key " + what + ": " + effect);
    };
    if (!active) {
        if (where == "window" && viewer)
            expect(DescribeButtons(*viewer) == before, "a key whose button is off changed the viewer");
        if (keptByControl && where == "HScroll1" && viewer)
            expect(viewer->shownFrameIndex() == shownBefore && viewer->isPlaying() == wasPlaying,
                "a key the speed scroll bar keeps stepped or paused the viewer");
        return what;
    }
    switch (key.key) {
    case Qt::Key_Escape: expect(!viewer || !viewer->isVisible(), "the viewer stayed open"); break;
    case Qt::Key_Space:
        expect(viewer && viewer->isPlaying() != wasPlaying, "playback did not start or pause");
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        expect(viewer && (viewer->isCapturing() || viewer->frameStore().heldCount() == viewer->model().lastFrame() + 1),
            "no capture started");
        break;
    case Qt::Key_Left:
    case Qt::Key_PageUp: {
        const int last = viewer->model().lastFrame();
        const int wanted = shownBefore <= 0 || shownBefore > last ? last : shownBefore - 1;
        expect(viewer && !viewer->isPlaying() && viewer->shownFrameIndex() == wanted,
            "did not step back to frame " + std::to_string(wanted));
        break;
    }
    default: expect(viewer && !viewer->isPlaying(), "a step left playback running"); break;
    }
    return what;
}

// 保存 into the test's folder: mostly a GIF or a PNG, now and then a
// worksheet PDF (the slowest to write) or a cancelled dialog. A few names
// are reused, so a save also replaces an earlier file.
std::string save(StressHarness& h)
{
    ViewerWindow* viewer = h.viewer();
    const int pick = h.uniform(0, 19);
    const char* suffix = pick == 0 ? ".pdf" : pick < 10 ? ".gif" : pick < 18 ? ".png" : nullptr;
    const QString path = suffix
        ? h.saveFolder() + QStringLiteral("/frames%1").arg(h.uniform(0, 2)) + QString::fromLatin1(suffix)
        : QString();
    h.count(std::string("保存 ") + (suffix ? suffix + 1 : "cancelled"));
    if (h.viewerWatch()->onWorkers)
        h.count("保存 after a capture on workers");
    const int callsBefore = h.saveDialogCalls();
    const std::string before = DescribeButtons(*viewer);

    h.answerSaveDialogWith(path);
    QTest::mouseClick(viewer->saveButton(), Qt::LeftButton);

    if (h.saveDialogCalls() != callsBefore + 1)
        h.violation("保存 did not ask where to save");
    if (DescribeButtons(*viewer) != before)
        h.violation("保存 changed the viewer: " + DescribeButtons(*viewer));
    if (!path.isEmpty()) {
        const QFileInfo saved(path);
        if (!saved.isFile() || saved.size() == 0)
            h.violation("保存 reported no error but " + path.toStdString() + " is missing or empty");
        if (!viewer->saveStatus()->text().startsWith(QStringLiteral("保存しました")))
            h.violation("保存's status line says " + viewer->saveStatus()->text().toStdString());
    }
    return path.isEmpty() ? std::string("cancelled") : QFileInfo(path).fileName().toStdString();
}

const std::array kActions{
    StressAction{"menu: scene button", 16, menuOpen,
        [](StressHarness& h) {
            const int scene = h.uniform(0, 15);
            h.count("scene button " + std::to_string(scene));
            QTest::mouseClick(h.menu()->sceneButton(scene), Qt::LeftButton);
            return "scene " + std::to_string(scene);
        }},
    StressAction{"menu: 終了", 1, menuOpen,
        [](StressHarness& h) {
            h.count("menu 終了");
            QTest::mouseClick(h.menu()->endButton(), Qt::LeftButton);
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
        [](StressHarness& h) { return moveScrollBar(h, h.viewer()->speedBar(), "HScroll1"); }},
    StressAction{"viewer: HScroll2 (parameter)", 4,
        [](StressHarness& h) {
            const ViewerWindow* viewer = h.viewer();
            return viewer && viewer->parameterBar()->isVisible() && viewer->parameterBar()->isEnabled();
        },
        [](StressHarness& h) { return moveScrollBar(h, h.viewer()->parameterBar(), "HScroll2"); }},
    StressAction{"viewer: a key", 8, viewerOpen, pressKey},
    StressAction{"viewer: 保存", 2, viewerControlEnabled<saveButton>, save},
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
    // The user waits for a capture on worker threads to end: its frames
    // arrive as the threads finish them, not with each pass of the loop.
    StressAction{"wait for the workers", 4,
        [](StressHarness& h) {
            return h.viewer() && h.viewer()->isCapturing() && h.viewerWatch()->onWorkers;
        },
        [](StressHarness& h) {
            QPointer<ViewerWindow> viewer = h.viewer();
            QDeadlineTimer patience(h.uniform(0, 3) == 0 ? 5 : 2000);
            while (viewer && viewer->isCapturing() && !patience.hasExpired())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
            const bool finished = viewer && !viewer->isCapturing();
            h.count(std::string("capture on workers ") + (finished ? "finished" : "going on"));
            return std::string();
        }},
};

}  // namespace

std::span<const StressAction> StressActions() { return kActions; }

}  // namespace kelvora::stress
