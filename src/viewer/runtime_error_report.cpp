#include "viewer/runtime_error_report.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace kelvora {

namespace {

RuntimeErrorHandler& installedHandler()
{
    static RuntimeErrorHandler handler;
    return handler;
}

}  // namespace

void SetRuntimeErrorHandler(RuntimeErrorHandler handler) { installedHandler() = std::move(handler); }

void ReportRuntimeError(const RuntimeError& error)
{
    if (const RuntimeErrorHandler& handler = installedHandler()) {
        handler(error);
        return;
    }
    // No window is left in a state worth saving; the event loop and the
    // windows are not unwound, so leave without running exit-time cleanup.
    std::fprintf(stderr, "kelvora: %s\n", error.what());
    std::fflush(stderr);
    std::quick_exit(EXIT_FAILURE);
}

}  // namespace kelvora
