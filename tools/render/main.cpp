// kelvora-render: draws frames of a scene without a window, to a PNG or
// looping GIF file or as a text trace of the drawing operations.

#include "kelvora_version.h"

#include "command_answer.h"
#include "render_job.h"
#include "render_options.h"

#include <QGuiApplication>

#include <csignal>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

// Qt's remarks about the environment (such as an unset XDG_RUNTIME_DIR)
// would mix with the tool's own one-line messages that scripts read from
// stderr; only Qt's critical and fatal messages are passed on.
void passSeriousQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "kelvora-render: " << message.toStdString() << '\n';
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace kelvora::render;

    // A trace's reader that goes away (`| head`) is a failed write with a
    // message and status 1, as in the WebAssembly build, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);

    // The arguments are read before Qt sees them, so Qt cannot take any
    // of them (such as -platform) for its own.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedCommandLine parsed = ParseRenderArguments(arguments);
    if (const std::optional<int> status = AnswerWithoutDrawing(parsed, KELVORA_VERSION, std::cout, std::cerr))
        return *status;

    // Text needs an application object; the tool never shows a window.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(passSeriousQtMessages);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);

    return FinishJob(RunRenderJob(parsed.options, std::cout), std::cout, std::cerr);
}
