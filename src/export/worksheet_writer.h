#pragma once

#include "export/export_result.h"
#include "export/file_path.h"

#include <QImage>
#include <QSizeF>
#include <QString>

#include <functional>
#include <vector>

namespace kelvora {

// Writes a worksheet for printing and handing out: every frame of one
// period on a single A4 landscape PDF page, in reading order, under the
// title. Frame k of n is labelled "コマ k+1" with its time as a fraction
// of the period, "t = k/n T" (frame 0 is "t = 0"). The file appears at
// path only when complete (see AtomicFile); a failure, running out of
// memory included, leaves nothing behind.
// Needs a QGuiApplication for the text.
ExportResult WriteWorksheet(const FilePath& path, const QString& title, const std::vector<QImage>& frames);

// Frame k of the worksheet; a null image when it could not be made.
using WorksheetFrameSource = std::function<QImage(int k)>;

// The same with the frames made one at a time: frameAt is called once for
// each k from 0 to frameCount - 1, in order, and no frame is kept after it
// is drawn on the page.
ExportResult WriteWorksheet(
    const FilePath& path, const QString& title, int frameCount, const WorksheetFrameSource& frameAt);

// The label under frame k of frameCount.
QString WorksheetLabel(int k, int frameCount);

// The columns of the grid that shows frameCount frames of the given size
// largest in an area of the given size, with a label of labelHeight under
// each frame and gap between the cells; grids of full rows are preferred
// unless another shows the frames more than 5 % larger.
int WorksheetColumns(int frameCount, QSizeF frame, QSizeF area, double labelHeight, double gap);

}  // namespace kelvora
