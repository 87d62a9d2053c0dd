// Kelvora: the program starts at the menu window and nothing else.

#include "kelvora_version.h"

#include "app/quit_when_shown.h"
#include "canvas/runtime_error.h"
#include "menu/form2.h"
#include "raster/raster_surface.h"
#include "viewer/runtime_error_report.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

bool displayAvailable()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;  // the user chose a platform; let Qt judge it
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// A run-time error ends the program, after saying what it was.
[[noreturn]] void reportAndEnd(const kelvora::RuntimeError& error)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Kelvora"),
        QStringLiteral("実行時エラー %1\n\n%2")
            .arg(static_cast<int>(error.number()))
            .arg(QString::fromUtf8(error.what())));
    box.exec();
    std::fprintf(stderr, "kelvora: %s\n", error.what());
    std::exit(1);
}

}  // namespace

int main(int argc, char** argv)
{
    // Answered before anything needs a display, so it works anywhere.
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--version") {
            std::printf("kelvora %s\n", KELVORA_VERSION);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
    }
    if (!displayAvailable()) {
        std::fprintf(stderr, "kelvora: no display found (DISPLAY is not set); try: xvfb-run scripts/run\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kelvora/kelvora.png")));
    QFont font = QApplication::font();
    font.setFamilies(kelvora::TextFontFamilies());
    QApplication::setFont(font);

    kelvora::SetRuntimeErrorHandler(&reportAndEnd);
    kelvora::QuitWhenShownIfAsked();
    kelvora::ShowMenu();
    return QApplication::exec();
}
