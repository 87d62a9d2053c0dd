#pragma once

// The user actions of the window stress test, one row each: a name, how
// often to pick it among the actions possible at that moment, when it is
// possible, and what it does. A new control or key of the windows gets a
// new row here.

#include <span>
#include <string>

namespace kelvora::stress {

class StressHarness;

struct StressAction {
    const char* name;
    int weight;
    bool (*possible)(StressHarness& harness);
    // Performs the action; returns what it chose (for replaying a failure).
    std::string (*run)(StressHarness& harness);
    // Whether it ends the program: no window is open afterwards, and the
    // run goes on with a new menu.
    bool endsProgram = false;
};

std::span<const StressAction> StressActions();

}  // namespace kelvora::stress
