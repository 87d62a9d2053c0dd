#pragma once

#include "render_options.h"

#include <optional>
#include <ostream>

namespace kelvora::render {

// What kelvora-render says without drawing anything: the usage for --help,
// its name and version for --version, or the one-line message of bad input
// on err. Returns the exit status, or nothing when the command line asks
// for a drawing. Shared by the desktop and the WebAssembly builds.
std::optional<int> AnswerWithoutDrawing(
    const ParsedCommandLine& parsed, const char* version, std::ostream& out, std::ostream& err);

}  // namespace kelvora::render
