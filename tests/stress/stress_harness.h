#pragma once

// Drives the real menu and viewer windows (offscreen) and checks, after
// every action, what must always hold: how many windows are open, what the
// frame store holds, which row of the button tables the viewer is in, that
// nothing is drawn into or shown in a closed viewer, that playback's
// wake-ups end with the viewer, and that 保存 leaves only complete files in
// its folder.

#include "viewer_model/playback_clock.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace kelvora {
class ViewerWindow;
class MenuWindow;
}

namespace kelvora::stress {

// Time stands still until an action lets it pass; the pending wake-up runs
// only when the harness fires it.
class StressClock : public PlaybackClock {
public:
    std::int64_t nowMs() override { return now_; }
    void wakeAt(std::int64_t dueMs, std::function<void()> callback) override;
    void cancel() override { callback_ = nullptr; }

    bool pending() const { return static_cast<bool>(callback_); }
    // Moves the time to the due time plus `lateMs` and runs the wake-up.
    void fire(std::int64_t lateMs);

private:
    std::int64_t now_ = 1000;
    std::int64_t due_ = 0;
    std::function<void()> callback_;
};

// One viewer the run has opened, alive or closed.
struct ViewerWatch {
    QPointer<ViewerWindow> viewer;
    std::shared_ptr<StressClock> clock = std::make_shared<StressClock>();
    bool closed = false;      // its close event has been seen
    bool captured = false;    // 描画 has been pressed at least once
    // Captures on worker threads, as the viewer ships; the others draw one
    // by one on the picture through the test's wrapper, which checks that
    // the viewer drawn into is still open.
    bool onWorkers = false;
};

class StressHarness : public QObject {
public:
    explicit StressHarness(std::uint32_t seed);
    ~StressHarness() override;

    std::mt19937& rng() { return rng_; }
    // A whole number from lo to hi, both included.
    int uniform(int lo, int hi);

    // The open windows (visible), or null.
    MenuWindow* menu() const;
    ViewerWindow* viewer() const;
    ViewerWatch* viewerWatch();

    // Opens a new menu, as the program does at start.
    void startMenu();
    // Runs pending events briefly (a bounded number of passes), then the
    // deferred deletions of closed windows.
    void settle(int passes = 2);
    // Hooks menus opened since the last call, so their viewers get the
    // test's clock and renderer.
    void hookNewMenus();

    // Empty when everything holds; else what does not. `windowsExpected`
    // is the number of windows that must be open now (0 or 1).
    std::string checkInvariants(int windowsExpected);
    // Violations seen inside the windows since the last call (drawing into
    // a closed viewer, an unexpected message or run-time error).
    std::string takeViolations();
    // Records a violation found by an action (a key that did not act).
    void violation(const std::string& what);

    // 保存's folder, and the answer the injected save dialog gives next
    // (an empty path cancels). The dialog notes each path it hands out;
    // the folder may hold those files only.
    QString saveFolder() const { return saveDir_.path(); }
    void answerSaveDialogWith(const QString& path) { saveAnswer_ = path; }
    int saveDialogCalls() const { return saveDialogCalls_; }

    // How often each notable situation came up, for the coverage check.
    std::map<std::string, int>& coverage() { return coverage_; }
    void count(const std::string& what) { ++coverage_[what]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onViewerOpened(ViewerWindow* viewer);
    void checkSaveFolder(const std::function<void(const std::string&)>& fail) const;
    ViewerWatch* watchOf(const QObject* object);

    std::mt19937 rng_;
    std::vector<std::unique_ptr<ViewerWatch>> watches_;
    std::string violations_;
    std::map<std::string, int> coverage_;
    QTemporaryDir saveDir_;
    QString saveAnswer_;
    int saveDialogCalls_ = 0;
    std::set<QString> savedNames_;
};

}  // namespace kelvora::stress
