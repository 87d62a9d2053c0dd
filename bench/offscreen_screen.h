#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>

namespace kelvora::bench {

// Selects the offscreen platform with one screen of the given size, unless
// QT_QPA_PLATFORM is set already. Call before the application object.
inline void UseOffscreenScreen(int width, int height)
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    const QString path = QDir::temp().filePath(QStringLiteral("kelvora-bench-screen-%1x%2.json").arg(width).arg(height));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(QStringLiteral(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": %1, "height": %2,)"
                                  R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                       .arg(width)
                       .arg(height)
                       .toUtf8());
        file.close();
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + path).toUtf8());
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

}  // namespace kelvora::bench
