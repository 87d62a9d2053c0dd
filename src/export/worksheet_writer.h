#pragma once

#include "export/export_result.h"

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <vector>

namespace kelvora {

// Writes a worksheet for printing and handing out: every frame of one
// period on a single A4 landscape PDF page, in reading order, under the
// title. Frame k of n is labelled "コマ k+1" with its time as a fraction
// of the period, "t = k/n T" (frame 0 is "t = 0"). The file appears at
// path only when complete; a failure leaves nothing behind.
// Needs a QGuiApplication for the text.
ExportResult WriteWorksheet(const QString& path, const QString& title, const std::vector<QImage>& frames);

// Draws the page of such a worksheet into `page` (in the painter's units).
void DrawWorksheetPage(QPainter& painter, const QRectF& page, const QString& title, const std::vector<QImage>& frames);

// Writes a worksheet PDF of pageCount A4 landscape pages, each drawn by
// drawPage(painter, page rectangle inside the margins, page index), with
// the same care: the file appears at path only when complete.
ExportResult WriteWorksheetPages(const QString& path, const QString& title, int pageCount,
    const std::function<void(QPainter&, const QRectF&, int)>& drawPage);

// The label under frame k of frameCount.
QString WorksheetLabel(int k, int frameCount);

// The columns of the grid that shows frameCount frames of the given size
// largest in an area of the given size, with a label of labelHeight under
// each frame and gap between the cells; grids of full rows are preferred
// unless another shows the frames more than 5 % larger.
int WorksheetColumns(int frameCount, QSizeF frame, QSizeF area, double labelHeight, double gap);

}  // namespace kelvora
