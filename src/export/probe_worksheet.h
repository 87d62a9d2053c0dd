#pragma once

#include "export/export_result.h"

#include <QImage>
#include <QString>

#include <vector>

namespace kelvora {

// The displacement-time graphs of a worksheet with probes, drawn at the
// size below: blank, for students to plot the ringed particle frame by
// frame, and with the curve, as the answer.
struct ProbeSheetGraphs {
    QImage blank;
    QImage answer;
};

// Pixels of a sheet's graph (at device pixel ratio 1): as wide as the
// page, a fifth of that high.
inline constexpr int kSheetGraphWidth = 1500;
inline constexpr int kSheetGraphHeight = 300;

// Writes the worksheet of WriteWorksheet with the blank graph under the
// frames, and a second page, the answer, with the graph drawn.
ExportResult WriteProbeWorksheet(
    const QString& path, const QString& title, const std::vector<QImage>& frames, const ProbeSheetGraphs& graphs);

// The title of the answer page.
QString AnswerPageTitle(const QString& title);

}  // namespace kelvora
