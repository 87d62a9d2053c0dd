#include "export/png_writer.h"

#include "export/atomic_file.h"

#include <QImageWriter>

#include <new>

namespace kelvora {

ExportResult WritePng(const FilePath& path, const QImage& image)
{
    if (image.isNull())
        return ExportResult{false, "no image to write", false};
    return WriteFileAtomically(path, [&image](QIODevice& device) -> std::string {
        QImageWriter writer(&device, "png");
        if (writer.write(image))
            return {};
        // Encoding into memory fails only for want of it.
        if (writer.error() == QImageWriter::DeviceError)
            throw std::bad_alloc();
        return writer.errorString().toStdString();
    });
}

}  // namespace kelvora
