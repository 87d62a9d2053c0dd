#pragma once

#include "canvas/runtime_error.h"

#include <functional>

namespace kelvora {

// A run-time error raised while the viewer draws or plays (an overflow in a
// scene, a frame index out of range) ends the program. The windows catch it
// at the edge of their event handlers, stop what they were doing and hand it
// here; the program's start-up installs the handler that tells the user and
// ends the program.
using RuntimeErrorHandler = std::function<void(const RuntimeError&)>;

// Replaces the handler; an empty one restores the default, which writes
// the error to stderr and ends the process at once.
void SetRuntimeErrorHandler(RuntimeErrorHandler handler);

// Passes the error to the installed handler.
void ReportRuntimeError(const RuntimeError& error);

}  // namespace kelvora
