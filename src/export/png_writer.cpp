#include "export/png_writer.h"

#include "export/atomic_file.h"

#include <QBuffer>
#include <QImageWriter>

#include <new>

namespace kelvora {

ExportResult WritePng(const FilePath& path, const QImage& image)
{
    if (image.isNull())
        return ExportResult{false, "no image to write", false};
    return WriteFileAtomically(path, [&image](QIODevice& device) -> std::string {
        // Encoded in memory first: libpng prints write errors on stderr
        // itself, and the file's own message says more.
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (!writer.write(image)) {
            // Into memory, encoding fails only for want of it.
            if (writer.error() == QImageWriter::DeviceError)
                throw std::bad_alloc();
            return writer.errorString().toStdString();
        }
        device.write(bytes);
        return {};
    });
}

}  // namespace kelvora
