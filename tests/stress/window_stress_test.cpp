// Random user actions on the real menu and viewer, checked after each one.
//
// Seeds and length come from the environment, so a long run or the replay
// of a failure needs no rebuild:
//   KELVORA_STRESS_SEEDS=11,12,13   the seeds (default: two fixed seeds)
//   KELVORA_STRESS_ACTIONS=20000    actions per seed (default 2500: 5000 a run)

#include "stress/stress_actions.h"
#include "stress/stress_harness.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <iostream>
#include <vector>

namespace kelvora::stress {
namespace {

std::vector<std::uint32_t> seedsToRun()
{
    const QString listed = qEnvironmentVariable("KELVORA_STRESS_SEEDS");
    if (listed.isEmpty())
        return {20261207u, 4242u};
    std::vector<std::uint32_t> seeds;
    for (const QString& s : listed.split(',', Qt::SkipEmptyParts))
        seeds.push_back(s.trimmed().toUInt());
    return seeds;
}

int actionsPerSeed()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("KELVORA_STRESS_ACTIONS", &ok);
    return ok && n > 0 ? n : 2500;
}

const StressAction& pick(StressHarness& harness)
{
    std::vector<const StressAction*> possible;
    int total = 0;
    for (const StressAction& action : StressActions())
        if (action.possible(harness)) {
            possible.push_back(&action);
            total += action.weight;
        }
    int ticket = harness.uniform(0, total - 1);
    for (const StressAction* action : possible) {
        if (ticket < action->weight)
            return *action;
        ticket -= action->weight;
    }
    return *possible.back();
}

// Runs one seed; returns false (after reporting) at the first broken invariant.
bool runSeed(std::uint32_t seed, int actions, std::map<std::string, int>& coverage)
{
    StressHarness harness(seed);
    harness.startMenu();
    std::deque<std::string> recent;
    for (int index = 0; index < actions; ++index) {
        const StressAction& action = pick(harness);
        const std::string detail = action.run(harness);
        harness.settle();
        recent.push_back("#" + std::to_string(index) + " " + action.name + (detail.empty() ? "" : " (" + detail + ")"));
        if (recent.size() > 12)
            recent.pop_front();
        const std::string failures = harness.checkInvariants(action.endsProgram ? 0 : 1);
        if (!failures.empty()) {
            std::string trail;
            for (const std::string& line : recent)
                trail += "\n  " + line;
            ADD_FAILURE() << "seed " << seed << ", action #" << index << " (" << action.name << "): " << failures
                          << "\nlast actions:" << trail << "\nreplay: KELVORA_STRESS_SEEDS=" << seed
                          << " KELVORA_STRESS_ACTIONS=" << index + 1;
            return false;
        }
        if (action.endsProgram)
            harness.startMenu();
        harness.hookNewMenus();
    }
    for (const auto& [what, n] : harness.coverage())
        coverage[what] += n;
    return true;
}

TEST(WindowStressTest, RandomActionsKeepEveryInvariant)
{
    const int actions = actionsPerSeed();
    std::map<std::string, int> coverage;
    int total = 0;
    for (std::uint32_t seed : seedsToRun()) {
        if (runSeed(seed, actions, coverage))
            total += actions;
    }
    std::cout << "window stress: " << total << " actions without a failure\n";
    for (const auto& [what, n] : coverage)
        std::cout << "  " << what << ": " << n << "\n";

    // The runs reached the situations the test is for.
    if (total < 5000)
        return;
    for (const char* situation : {"viewer closed by its frame during capture", "viewer closed by its frame during playback",
             "HScroll2 during capture", "終了 during playback", "終了 during capture", "menu 終了",
             "コマ送り during playback", "一時停止 during playback", "HScroll1 to the minimum",
             "HScroll1 to the maximum", "HScroll2 to the minimum", "HScroll2 to the maximum", "１２画面 while idle",
             "２４画面 while idle", "描画 during capture", "key Space acting while idle",
             "key Space acting during playback", "key Right acting during playback", "key Left acting while idle",
             "key PageUp acting while idle", "key Return acting during capture", "key Esc acting during capture",
             "key Right ignored while idle", "key on a focused HScroll1", "key on a focused HScroll2", "保存 gif",
             "保存 png", "保存 pdf", "保存 cancelled", "保存 after a capture on workers", "capture on workers finished",
             "viewers capturing on workers", "viewers capturing through the wrapper"})
        EXPECT_GT(coverage[situation], 0) << situation;
    for (int scene = 0; scene < 16; ++scene)
        EXPECT_GT(coverage["scene button " + std::to_string(scene)], 0) << scene;
}

}  // namespace
}  // namespace kelvora::stress
