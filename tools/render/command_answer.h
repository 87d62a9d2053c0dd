#pragma once

#include "job_result.h"
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

// Reports a job that ran: its message or notice on err as one line, and
// standard output flushed. Returns the exit status; a job that could not
// write all of its standard output (its reader gone) failed. Shared by the
// desktop and the WebAssembly builds.
int FinishJob(const JobResult& result, std::ostream& out, std::ostream& err);

}  // namespace kelvora::render
