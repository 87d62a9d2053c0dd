#include "app/program.h"

#include "canvas/runtime_error.h"
#include "raster/raster_surface.h"
#include "viewer/runtime_error_report.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

namespace kelvora {

namespace {

// A run-time error ends the program, after saying what it was.
[[noreturn]] void reportAndEnd(const RuntimeError& error)
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

bool DisplayAvailable()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;  // the user chose a platform; let Qt judge it
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void SetUpProgram(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kelvora/kelvora.png")));
    QFont font = QApplication::font();
    font.setFamilies(TextFontFamilies());
    app.setFont(font);
    SetRuntimeErrorHandler(&reportAndEnd);
}

}  // namespace kelvora
