#include "stress/stress_harness.h"

#include "menu/menu_window.h"
#include "scenes/scene_catalogue.h"
#include "stress/button_states.h"
#include "viewer/viewer_window.h"
#include "viewer/runtime_error_report.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace kelvora::stress {

void StressClock::wakeAt(std::int64_t dueMs, std::function<void()> callback)
{
    due_ = dueMs;
    callback_ = std::move(callback);
}

void StressClock::fire(std::int64_t lateMs)
{
    now_ = std::max(now_, due_ + lateMs);
    std::function<void()> callback = std::move(callback_);
    callback_ = nullptr;
    if (callback)
        callback();
}

StressHarness::StressHarness(std::uint32_t seed)
    : rng_(seed)
{
    SetRuntimeErrorHandler([this](const RuntimeError& error) { violation(std::string("run-time error: ") + error.what()); });
}

StressHarness::~StressHarness()
{
    QApplication::closeAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const auto& watch : watches_)
        delete watch->viewer.data();
    SetRuntimeErrorHandler(nullptr);
}

int StressHarness::uniform(int lo, int hi)
{
    return lo + static_cast<int>(rng_() % static_cast<std::uint32_t>(hi - lo + 1));
}

MenuWindow* StressHarness::menu() const
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<MenuWindow*>(w); m && m->isVisible())
            return m;
    return nullptr;
}

ViewerWindow* StressHarness::viewer() const
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<ViewerWindow*>(w); v && v->isVisible())
            return v;
    return nullptr;
}

ViewerWatch* StressHarness::viewerWatch()
{
    ViewerWindow* open = viewer();
    return open ? watchOf(open) : nullptr;
}

ViewerWatch* StressHarness::watchOf(const QObject* object)
{
    for (const auto& watch : watches_)
        if (watch->viewer && (watch->viewer == object || watch->viewer->picture() == object))
            return watch.get();
    return nullptr;
}

void StressHarness::startMenu()
{
    ShowMenu();
    hookNewMenus();
}

void StressHarness::settle(int passes)
{
    for (int pass = 0; pass < passes; ++pass)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void StressHarness::hookNewMenus()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* menu = qobject_cast<MenuWindow*>(w);
        if (!menu || menu->property("stressHooked").toBool())
            continue;
        menu->setProperty("stressHooked", true);
        connect(menu, &MenuWindow::viewerOpened, this, [this](ViewerWindow* viewer) { onViewerOpened(viewer); });
    }
}

void StressHarness::onViewerOpened(ViewerWindow* viewer)
{
    auto watch = std::make_unique<ViewerWatch>();
    watch->viewer = viewer;
    ViewerWatch* w = watch.get();
    watches_.push_back(std::move(watch));
    viewer->setPlaybackClock(w->clock);
    viewer->setMessageSink([this](const QString& text) { violation("unexpected message: " + text.toStdString()); });
    // About half the viewers capture on worker threads; the rest draw one
    // by one on the picture through a wrapper that first checks that the
    // viewer drawn into is still open.
    w->onWorkers = uniform(0, 1) == 0;
    count(w->onWorkers ? "viewers capturing on workers" : "viewers capturing through the wrapper");
    if (!w->onWorkers) {
        viewer->setParallelCapture(false);
        viewer->setFrameRenderer([this, w](int scene, Canvas& canvas, std::int16_t& frameNo, SceneContext& context) {
            if (w->closed || !w->viewer || !w->viewer->isVisible())
                violation("scene " + std::to_string(scene) + " frame " + std::to_string(frameNo)
                    + " drawn into a closed viewer");
            count("frames drawn");
            return DrawCaptureFrame(scene, canvas, frameNo, context);
        });
    }
    count("picture " + std::to_string(viewer->picture()->width()) + "x" + std::to_string(viewer->picture()->height()));
    viewer->installEventFilter(this);
    viewer->picture()->installEventFilter(this);
    connect(viewer->drawButton(), &QAbstractButton::clicked, this, [w] { w->captured = true; });
    viewer->setSaveDialog([this](QWidget*, const QString&, const QString&, const QString&, QString*) {
        ++saveDialogCalls_;
        if (!saveAnswer_.isEmpty())
            savedNames_.insert(QFileInfo(saveAnswer_).fileName());
        return std::exchange(saveAnswer_, QString());
    });
}

bool StressHarness::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close || event->type() == QEvent::Paint) {
        if (ViewerWatch* w = watchOf(watched)) {
            if (event->type() == QEvent::Close && watched == w->viewer)
                w->closed = true;
            else if (event->type() == QEvent::Paint && (w->closed || !w->viewer->isVisible()))
                violation("a frame shown in a closed viewer");
        }
    }
    return QObject::eventFilter(watched, event);
}

void StressHarness::violation(const std::string& what)
{
    if (!violations_.empty())
        violations_ += "; ";
    violations_ += what;
}

std::string StressHarness::takeViolations() { return std::exchange(violations_, std::string()); }

std::string StressHarness::checkInvariants(int windowsExpected)
{
    std::string failures = takeViolations();
    auto fail = [&failures](const std::string& what) {
        failures += (failures.empty() ? "" : "; ") + what;
    };

    int menus = 0, viewers = 0, aliveMenus = 0, aliveViewers = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<MenuWindow*>(w))
            ++aliveMenus, menus += w->isVisible();
        if (qobject_cast<ViewerWindow*>(w))
            ++aliveViewers, viewers += w->isVisible();
    }
    if (menus + viewers != windowsExpected)
        fail(std::to_string(menus) + " menus and " + std::to_string(viewers) + " viewers open, expected "
            + std::to_string(windowsExpected) + " windows");
    if (aliveMenus > menus || aliveViewers > viewers)
        fail("a closed window was not deleted");
    if (!saveDir_.isValid())
        fail("no temporary folder for saving");
    checkSaveFolder(fail);

    for (const auto& watch : watches_) {
        if (watch->closed && watch->clock->pending())
            fail("a playback wake-up is still pending after its viewer closed");
        if (watch->closed && watch->viewer && watch->viewer->isPlaying())
            fail("a closed viewer still plays");
    }

    ViewerWindow* open = viewer();
    ViewerWatch* watch = open ? watchOf(open) : nullptr;
    if (open && !watch)
        fail("a viewer opened without the menu's signal");
    if (!open || !watch)
        return failures;

    const FrameStore& store = open->frameStore();
    const int lastFrame = open->model().lastFrame();
    if (!watch->captured) {
        if (store.heldCount() != 0 || store.peakHeldCount() != 0)
            fail("frames held before the first capture");
    } else {
        if (lastFrame != (open->frames12()->isChecked() ? 11 : 23))
            fail("LastFrame " + std::to_string(lastFrame) + " does not match the chosen frame count");
        if (store.heldCount() > lastFrame + 1 || store.peakHeldCount() > lastFrame + 1)
            fail("the frame store held " + std::to_string(store.peakHeldCount()) + " frames at once");
        for (int k = std::max(lastFrame + 1, 0); k < FrameStore::kSlotCount; ++k)
            if (store.holds(k)) {
                fail("slot " + std::to_string(k) + " above LastFrame holds a frame");
                break;
            }
    }
    if (open->frames12()->isChecked() == open->frames24()->isChecked())
        fail("not exactly one frame-count option selected");
    if (watch->clock->pending() != open->isPlaying())
        fail(std::string("playback wake-up ") + (watch->clock->pending() ? "pending" : "missing") + " while "
            + (open->isPlaying() ? "playing" : "not playing"));
    if (open->isPlaying() && open->isCapturing())
        fail("capturing and playing at once");
    const int sceneParam = open->model().sceneParam();
    const bool hasParameter = FindScene(open->model().sceneIndex())->hasParameter;
    if (hasParameter && sceneParam != open->parameterBar()->value())
        fail("SceneParam " + std::to_string(sceneParam) + " is not HScroll2's value "
            + std::to_string(open->parameterBar()->value()));
    if (!hasParameter && sceneParam != 1)
        fail("SceneParam changed in a scene without a parameter");
    const ViewerControls says = open->model().controls();
    if (says.draw != open->drawButton()->isEnabled() || says.play != open->playButton()->isEnabled()
        || says.pause != open->pauseButton()->isEnabled() || says.step != open->stepButton()->isEnabled()
        || says.save != open->saveButton()->isEnabled() || says.parameter != open->parameterBar()->isEnabled()
        || says.frameCount != open->frames12()->isEnabled())
        fail("the window does not show the controls the model says: " + DescribeButtons(*open));
    if (!MatchingRow(*open))
        fail("the viewer's controls match no allowed row: " + DescribeButtons(*open));
    bool allStored = store.heldCount() == lastFrame + 1;
    for (int k = 0; allStored && k <= lastFrame; ++k)
        allStored = store.holds(k);
    if (open->saveButton()->isEnabled() != (allStored && !open->isPlaying() && !open->isCapturing()))
        fail(std::string("保存 is ") + (open->saveButton()->isEnabled() ? "enabled" : "disabled")
            + " with frames held " + std::to_string(store.heldCount()) + ": " + DescribeButtons(*open));
    return failures;
}

void StressHarness::checkSaveFolder(const std::function<void(const std::string&)>& fail) const
{
    const QFileInfoList entries
        = QDir(saveDir_.path()).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (!savedNames_.count(entry.fileName()))
            fail("the save folder holds " + entry.fileName().toStdString() + ", which was not a chosen target");
        else if (!entry.isFile() || entry.size() == 0)
            fail("the saved file " + entry.fileName().toStdString() + " is empty");
    }
}

}  // namespace kelvora::stress
