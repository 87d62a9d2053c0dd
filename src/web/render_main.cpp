// kelvora-render compiled to WebAssembly and run with Node: the same
// option parser and trace job as the desktop build, so its trace shows
// that the browser runs the same scenes. The picture modes need Qt and
// are left to the desktop build.

#include "job_result.h"
#include "render_options.h"
#include "trace_job.h"

#include "scenes/scene_catalogue.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace kelvora::render;

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedCommandLine parsed = ParseRenderArguments(arguments);
    if (parsed.action == ParsedCommandLine::Action::Help) {
        std::cout << RenderUsage() << std::flush;
        return std::cout ? kExitDone : kExitFailed;
    }
    if (parsed.action == ParsedCommandLine::Action::Error) {
        std::cerr << "kelvora-render: " << parsed.error << " (see --help)\n";
        return kExitBadInput;
    }
    if (parsed.options.mode != OutputMode::Trace) {
        std::cerr << "kelvora-render: --png, --gif and --sheet need the desktop build; this one writes --trace\n";
        return kExitBadInput;
    }

    // The parser keeps the scene inside the catalogue.
    const auto scene = static_cast<std::size_t>(parsed.options.scene);
    const JobResult result = RunTraceJob(parsed.options, std::cout, kelvora::SceneCatalogue().at(scene).drawFrame);
    if (result.status != kExitDone) {
        std::cerr << "kelvora-render: " << result.message << '\n';
        return result.status;
    }
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "kelvora-render: cannot write to standard output\n";
        return kExitFailed;
    }
    return kExitDone;
}
