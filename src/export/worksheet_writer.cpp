#include "export/worksheet_writer.h"

#include "export/atomic_file.h"
#include "raster/raster_surface.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace kelvora {

namespace {

constexpr int kResolutionDpi = 300;
constexpr double kMarginMm = 10.0;
constexpr double kTitlePoints = 16.0;
constexpr double kLabelPoints = 10.0;

QFont sheetFont(double points)
{
    QFont font;
    font.setFamilies(TextFontFamilies());
    font.setPointSizeF(points);
    return font;
}

// The scale of each frame in a grid of the given columns.
double gridScale(int frameCount, int columns, QSizeF frame, QSizeF area, double labelHeight, double gap)
{
    const int rows = (frameCount + columns - 1) / columns;
    const double cellWidth = (area.width() - gap * (columns - 1)) / columns;
    const double cellHeight = (area.height() - gap * (rows - 1)) / rows;
    return std::min(cellWidth / frame.width(), (cellHeight - labelHeight) / frame.height());
}

// Draws the page: the title across the top, then the frames in a grid,
// each scaled into its cell with its label underneath.
void drawSheet(QPainter& painter, const QRectF& page, const QString& title, const std::vector<QImage>& frames)
{
    const QFont titleFont = sheetFont(kTitlePoints);
    const QFont labelFont = sheetFont(kLabelPoints);
    const double titleHeight = QFontMetricsF(titleFont, painter.device()).height() * 1.6;
    const double labelHeight = QFontMetricsF(labelFont, painter.device()).height() * 1.4;

    painter.setFont(titleFont);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(page.left(), page.top(), page.width(), titleHeight), Qt::AlignLeft | Qt::AlignTop, title);

    const QRectF grid(page.left(), page.top() + titleHeight, page.width(), page.height() - titleHeight);
    const int count = static_cast<int>(frames.size());
    const QSizeF frameSize = frames.front().deviceIndependentSize();
    const double gap = page.width() * 0.015;
    const int columns = WorksheetColumns(count, frameSize, grid.size(), labelHeight, gap);
    const int rows = (count + columns - 1) / columns;
    const double cellWidth = (grid.width() - gap * (columns - 1)) / columns;
    const double cellHeight = (grid.height() - gap * (rows - 1)) / rows;
    // The largest picture that leaves room for the label in every cell.
    const QSizeF shown = frameSize * gridScale(count, columns, frameSize, grid.size(), labelHeight, gap);

    // Rows as close as their labels allow, the block centred on the page.
    const double rowPitch = std::min(cellHeight + gap, shown.height() + labelHeight + gap);
    const double top = grid.top() + (grid.height() - (rows * rowPitch - gap)) / 2;
    painter.setFont(labelFont);
    for (int k = 0; k < count; ++k) {
        const double x = grid.left() + (k % columns) * (cellWidth + gap) + (cellWidth - shown.width()) / 2;
        const double y = top + (k / columns) * rowPitch;
        const QRectF target(QPointF(x, y), shown);
        painter.drawImage(target, frames[static_cast<std::size_t>(k)]);
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(target);
        painter.drawText(QRectF(x, y + shown.height(), shown.width(), labelHeight), Qt::AlignCenter,
            WorksheetLabel(k, count));
    }
}

}  // namespace

QString WorksheetLabel(int k, int frameCount)
{
    const QString time = k == 0 ? QStringLiteral("t = 0") : QStringLiteral("t = %1/%2 T").arg(k).arg(frameCount);
    return QStringLiteral("コマ %1　%2").arg(k + 1).arg(time);
}

int WorksheetColumns(int frameCount, QSizeF frame, QSizeF area, double labelHeight, double gap)
{
    int best = 1;
    double bestScale = 0;
    for (int columns = 1; columns <= frameCount; ++columns) {
        // Full rows read better: a grid with a gap in its last row must show
        // the frames clearly larger to be chosen.
        const bool fullRows = frameCount % columns == 0;
        const double scale
            = gridScale(frameCount, columns, frame, area, labelHeight, gap) * (fullRows ? 1.05 : 1.0);
        if (scale > bestScale * 1.000001) {
            bestScale = scale;
            best = columns;
        }
    }
    return best;
}

ExportResult WriteWorksheet(const QString& path, const QString& title, const std::vector<QImage>& frames)
{
    if (frames.empty() || frames.front().isNull())
        return ExportResult{false, "no frames to write", false};
    return WriteWorksheetPages(path, title, 1,
        [&](QPainter& painter, const QRectF& page, int) { DrawWorksheetPage(painter, page, title, frames); });
}

void DrawWorksheetPage(QPainter& painter, const QRectF& page, const QString& title, const std::vector<QImage>& frames)
{
    drawSheet(painter, page, title, frames);
}

ExportResult WriteWorksheetPages(const QString& path, const QString& title, int pageCount,
    const std::function<void(QPainter&, const QRectF&, int)>& drawPage)
{
    return WriteFileAtomically(path, [&](QIODevice& device) -> std::string {
        QPdfWriter writer(&device);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Kelvora"));
        writer.setResolution(kResolutionDpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
            QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer))
            return "the PDF could not be started";
        // Line drawings: no JPEG blur around the lines.
        painter.setRenderHint(QPainter::LosslessImageRendering);
        for (int page = 0; page < pageCount; ++page) {
            if (page > 0 && !writer.newPage())
                return "the PDF could not be given another page";
            drawPage(painter, QRectF(QPointF(0, 0), QSizeF(writer.width(), writer.height())), page);
        }
        if (!painter.end())
            return "the PDF could not be finished";
        return {};
    });
}

}  // namespace kelvora
