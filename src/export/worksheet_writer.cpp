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
#include <memory>
#include <new>

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

// A frame from the source; a null image is one that could not be made.
QImage frameOf(const WorksheetFrameSource& frameAt, int k)
{
    QImage frame = frameAt(k);
    if (frame.isNull())
        throw std::bad_alloc();
    return frame;
}

// Draws the page: the title across the top, then the frames in a grid,
// each scaled into its cell with its label underneath. The frames are
// asked for one at a time, in order, and each is let go once drawn.
void drawSheet(QPainter& painter, const QRectF& page, const QString& title, int count,
    const WorksheetFrameSource& frameAt)
{
    QImage frame = frameOf(frameAt, 0);
    const QFont titleFont = sheetFont(kTitlePoints);
    const QFont labelFont = sheetFont(kLabelPoints);
    const double titleHeight = QFontMetricsF(titleFont, painter.device()).height() * 1.6;
    const double labelHeight = QFontMetricsF(labelFont, painter.device()).height() * 1.4;

    painter.setFont(titleFont);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(page.left(), page.top(), page.width(), titleHeight), Qt::AlignLeft | Qt::AlignTop, title);

    const QRectF grid(page.left(), page.top() + titleHeight, page.width(), page.height() - titleHeight);
    const QSizeF frameSize = frame.deviceIndependentSize();
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
        if (k > 0) {
            frame = QImage();  // let go before the next is made
            frame = frameOf(frameAt, k);
        }
        painter.drawImage(target, frame);
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

ExportResult WriteWorksheet(const FilePath& path, const QString& title, const std::vector<QImage>& frames)
{
    if (frames.empty() || frames.front().isNull())
        return ExportResult{false, "no frames to write", false};
    return WriteWorksheet(path, title, static_cast<int>(frames.size()),
        [&frames](int k) { return frames[static_cast<std::size_t>(k)]; });
}

ExportResult WriteWorksheet(
    const FilePath& path, const QString& title, int frameCount, const WorksheetFrameSource& frameAt)
{
    if (frameCount < 1)
        return ExportResult{false, "no frames to write", false};
    // QPdfWriter reports no write errors; the atomic file's device under
    // it checks every byte.
    return WriteFileAtomically(path, [&](QIODevice& device) -> std::string {
        auto writer = std::make_unique<QPdfWriter>(&device);
        writer->setTitle(title);
        writer->setCreator(QStringLiteral("Kelvora"));
        writer->setResolution(kResolutionDpi);
        writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
            QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter));
        auto painter = std::make_unique<QPainter>();
        // The device is open: only a want of memory stops the painter.
        if (!painter->begin(writer.get()))
            throw std::bad_alloc();
        // Line drawings: no JPEG blur around the lines.
        painter->setRenderHint(QPainter::LosslessImageRendering);
        // Running out of memory while drawing is caught here, with the
        // frames let go, so that the painter can end.
        bool outOfMemory = false;
        try {
            drawSheet(*painter, QRectF(QPointF(0, 0), QSizeF(writer->width(), writer->height())), title,
                frameCount, frameAt);
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
        try {
            outOfMemory = !painter->end() || outOfMemory;
        } catch (const std::bad_alloc&) {
            // A painter whose end failed half way tries again in its
            // destructor, where a second failure would end the program:
            // on this rare path both are left unfreed.
            static_cast<void>(painter.release());
            static_cast<void>(writer.release());
            throw;
        }
        if (outOfMemory)
            throw std::bad_alloc();
        return {};
    });
}

}  // namespace kelvora
