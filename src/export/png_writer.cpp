#include "export/png_writer.h"

#include "export/atomic_file.h"

#include <QFile>
#include <QImageWriter>

namespace kelvora {

ExportResult WritePng(const QString& path, const QImage& image)
{
    ExportResult result;
    if (image.isNull()) {
        result.error = "no image to write";
        return result;
    }
    AtomicFile file(path);
    if (!file.open()) {
        result.error = file.error();
        return result;
    }
    const std::string cannotWrite = "cannot write " + path.toStdString() + ": ";
    {
        QFile device;
        if (!device.open(file.handle(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
            result.error = cannotWrite + device.errorString().toStdString();
            return result;
        }
        QImageWriter writer(&device, "png");
        if (!writer.write(image)) {
            result.error = cannotWrite + writer.errorString().toStdString();
            return result;
        }
        if (!device.flush() || device.error() != QFileDevice::NoError) {
            result.error = cannotWrite + device.errorString().toStdString();
            return result;
        }
    }
    if (!file.commit()) {
        result.error = file.error();
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace kelvora
