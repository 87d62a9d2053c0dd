#include "command_answer.h"

#include "job_result.h"

namespace kelvora::render {

std::optional<int> AnswerWithoutDrawing(
    const ParsedCommandLine& parsed, const char* version, std::ostream& out, std::ostream& err)
{
    switch (parsed.action) {
    case ParsedCommandLine::Action::Help:
        out << RenderUsage() << std::flush;
        return out ? kExitDone : kExitFailed;
    case ParsedCommandLine::Action::Version:
        out << "kelvora-render " << version << '\n' << std::flush;
        return out ? kExitDone : kExitFailed;
    case ParsedCommandLine::Action::Error:
        err << "kelvora-render: " << parsed.error << " (see --help)\n";
        return kExitBadInput;
    case ParsedCommandLine::Action::Render:
        break;
    }
    return std::nullopt;
}

}  // namespace kelvora::render
