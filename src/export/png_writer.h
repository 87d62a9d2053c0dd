#pragma once

#include "export/export_result.h"

#include <QImage>
#include <QString>

namespace kelvora {

// Saves the image as a PNG file. The file appears at path only when
// complete; a failure leaves nothing behind.
ExportResult WritePng(const QString& path, const QImage& image);

}  // namespace kelvora
