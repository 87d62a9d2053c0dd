#pragma once

#include "export/export_result.h"
#include "export/file_path.h"

#include <QImage>

namespace kelvora {

// Saves the image as a PNG file. The file appears at path only when
// complete (see AtomicFile); a failure leaves nothing behind.
ExportResult WritePng(const FilePath& path, const QImage& image);

}  // namespace kelvora
