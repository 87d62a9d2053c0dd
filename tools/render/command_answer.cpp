#include "command_answer.h"

#include "message_line.h"

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

int FinishJob(const JobResult& result, std::ostream& out, std::ostream& err)
{
    if (result.status != kExitDone) {
        err << "kelvora-render: " << MessageLine(result.message) << '\n';
        return result.status;
    }
    if (!result.notice.empty())
        err << "kelvora-render: " << MessageLine(result.notice) << '\n';
    out.flush();
    if (!out) {
        err << "kelvora-render: cannot write to standard output\n";
        return kExitFailed;
    }
    return kExitDone;
}

}  // namespace kelvora::render
