#include "export/png_writer.h"

#include "export/atomic_file.h"

#include <QImageWriter>

namespace kelvora {

ExportResult WritePng(const QString& path, const QImage& image)
{
    if (image.isNull())
        return ExportResult{false, "no image to write", false};
    return WriteFileAtomically(path, [&image](QIODevice& device) -> std::string {
        QImageWriter writer(&device, "png");
        if (!writer.write(image))
            return writer.errorString().toStdString();
        return {};
    });
}

}  // namespace kelvora
