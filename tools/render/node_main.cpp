// kelvora-render compiled to WebAssembly and run with Node: the same
// option parser and trace job as the desktop build, so its trace shows
// that the browser runs the same scenes. The picture modes need Qt and
// are left to the desktop build.

#include "kelvora_version.h"

#include "command_answer.h"
#include "render_options.h"
#include "trace_job.h"

#include "scenes/scene_catalogue.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace kelvora::render;

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedCommandLine parsed = ParseRenderArguments(arguments);
    if (const std::optional<int> status = AnswerWithoutDrawing(parsed, KELVORA_VERSION, std::cout, std::cerr))
        return *status;
    if (parsed.options.mode != OutputMode::Trace) {
        std::cerr << "kelvora-render: --png, --gif and --sheet need the desktop build; this one writes --trace\n";
        return kExitBadInput;
    }

    // The parser keeps the scene inside the catalogue.
    const auto scene = static_cast<std::size_t>(parsed.options.scene);
    return FinishJob(RunTraceJob(parsed.options, std::cout, kelvora::SceneCatalogue().at(scene).drawFrame), std::cout,
        std::cerr);
}
