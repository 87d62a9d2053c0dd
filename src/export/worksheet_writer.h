#pragma once

#include "export/export_result.h"

#include <QImage>
#include <QString>

#include <vector>

namespace kelvora {

// Writes a worksheet for printing and handing out: every frame of one
// period on a single A4 landscape PDF page, in reading order, under the
// title. Frame k of n is labelled "コマ k+1" with its time as a fraction
// of the period, "t = k/n T" (frame 0 is "t = 0"); the layout is
// LayOutWorksheet's. The file appears at
// path only when complete; a failure leaves nothing behind.
// Needs a QGuiApplication for the text.
ExportResult WriteWorksheet(const QString& path, const QString& title, const std::vector<QImage>& frames);

}  // namespace kelvora
