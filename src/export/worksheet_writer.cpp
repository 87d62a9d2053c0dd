#include "export/worksheet_writer.h"

#include "export/atomic_file.h"
#include "raster/raster_surface.h"
#include "viewer_model/worksheet_layout.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace kelvora {

namespace {

constexpr int kResolutionDpi = 300;

QFont sheetFont(double points)
{
    QFont font;
    font.setFamilies(TextFontFamilies());
    font.setPointSizeF(points);
    return font;
}

// Draws the page: the title across the top, then the frames in a grid,
// each scaled into its cell with its label underneath.
void drawSheet(QPainter& painter, const QRectF& page, const QString& title, const std::vector<QImage>& frames)
{
    const int count = static_cast<int>(frames.size());
    const QSizeF frameSize = frames.front().deviceIndependentSize();
    const WorksheetGrid grid = LayOutWorksheet(count, frameSize.width(), frameSize.height(), page.width(),
        page.height(), 25.4 / kResolutionDpi);

    painter.setFont(sheetFont(kWorksheetTitlePoints));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(page.left(), page.top(), page.width(), grid.titleHeight), Qt::AlignLeft | Qt::AlignTop,
        title);
    painter.setFont(sheetFont(kWorksheetLabelPoints));
    for (int k = 0; k < count; ++k) {
        const WorksheetPlace place = WorksheetFramePlace(grid, k);
        const QRectF target(page.topLeft() + QPointF(place.left, place.top), QSizeF(grid.shownWidth, grid.shownHeight));
        painter.drawImage(target, frames[static_cast<std::size_t>(k)]);
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(target);
        painter.drawText(QRectF(target.left(), target.bottom(), target.width(), grid.labelHeight), Qt::AlignCenter,
            QString::fromStdString(WorksheetLabel(k, count)));
    }
}

}  // namespace

ExportResult WriteWorksheet(const QString& path, const QString& title, const std::vector<QImage>& frames)
{
    if (frames.empty() || frames.front().isNull())
        return ExportResult{false, "no frames to write", false};
    return WriteFileAtomically(path, [&](QIODevice& device) -> std::string {
        QPdfWriter writer(&device);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Kelvora"));
        writer.setResolution(kResolutionDpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
            QMarginsF(kWorksheetMarginMm, kWorksheetMarginMm, kWorksheetMarginMm, kWorksheetMarginMm),
            QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer))
            return "the PDF could not be started";
        // Line drawings: no JPEG blur around the lines.
        painter.setRenderHint(QPainter::LosslessImageRendering);
        drawSheet(painter, QRectF(QPointF(0, 0), QSizeF(writer.width(), writer.height())), title, frames);
        if (!painter.end())
            return "the PDF could not be finished";
        return {};
    });
}

}  // namespace kelvora
