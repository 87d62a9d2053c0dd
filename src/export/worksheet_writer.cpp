#include "export/worksheet_writer.h"

#include "export/atomic_file.h"
#include "raster/raster_surface.h"
#include "scenes/worksheet_text.h"
#include "viewer_model/worksheet_layout.h"

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
constexpr double kTitlePoints = kWorksheetTitlePoints;
constexpr double kHeaderPoints = kWorksheetFieldPoints;
constexpr double kLabelPoints = kWorksheetLabelPoints;

double millimetres(double mm) { return mm / 25.4 * kResolutionDpi; }

QFont sheetFont(double points)
{
    QFont font;
    font.setFamilies(TextFontFamilies());
    font.setPointSizeF(points);
    return font;
}

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

// Where everything of a page goes, in the PDF's device units; the same
// for every page of a worksheet.
struct SheetLayout {
    QRectF title;
    QRectF fields;
    QRectF key;
    QRectF graph;  // empty without graphs
    int columns = 1;
    double gap = 0;
    double cellWidth = 0;
    double rowPitch = 0;
    double top = 0;
    QSizeF shown;  // one picture on paper
    double labelHeight = 0;
};

QRectF band(const WorksheetPageLayout& page, const WorksheetBand& band)
{
    return {0, millimetres(band.top), millimetres(page.width), millimetres(band.height)};
}

SheetLayout layOut(const WorksheetPages& pages)
{
    const double graphAspect = pages.graphs.empty()
        ? 0
        : static_cast<double>(pages.graphs.front().height()) / pages.graphs.front().width();
    const WorksheetPageLayout page = LayOutWorksheetPage(kWorksheetAreaWidthMm, kWorksheetAreaHeightMm,
        pages.frameCount, pages.framePixels.width(), pages.framePixels.height(), graphAspect);
    SheetLayout layout;
    layout.title = band(page, page.title);
    layout.fields = band(page, page.fields);
    layout.key = band(page, page.key);
    if (graphAspect > 0)
        layout.graph = band(page, page.graph);
    layout.columns = page.columns;
    layout.gap = millimetres(page.gap);
    layout.cellWidth = millimetres(page.cellWidth);
    layout.rowPitch = millimetres(page.rowPitch);
    layout.top = millimetres(page.framesTop);
    layout.shown = QSizeF(millimetres(page.shownWidth), millimetres(page.shownHeight));
    layout.labelHeight = millimetres(page.labelHeight);
    return layout;
}

// The fields to fill in: each caption, then a line to write on across its
// share of the width.
void drawFields(QPainter& painter, const QRectF& area)
{
    painter.setFont(sheetFont(kHeaderPoints));
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double space = millimetres(6);
    double x = area.left();
    const double baseline = area.bottom() - metrics.descent() - millimetres(1);
    for (const WorksheetField& field : WorksheetFields()) {
        const double width = area.width() * field.share;
        const QString caption = QString::fromUtf8(field.caption);
        painter.drawText(QPointF(x, baseline), caption);
        const double lineStart = x + metrics.horizontalAdvance(caption) + millimetres(2);
        painter.drawLine(QPointF(lineStart, baseline + millimetres(1)), QPointF(x + width - space, baseline + millimetres(1)));
        x += width;
    }
}

// A mark of the colour in the shape the scene uses, outlined in black so
// even yellow shows on white paper.
void drawKeyMark(QPainter& painter, const KeyEntry& entry, const QRectF& box)
{
    const QColor colour = QColor::fromRgb(ToArgb(entry.color));
    const QPointF centre = box.center();
    const double r = box.height() / 2;
    switch (entry.mark) {
    case KeyMark::Dot:
        painter.setPen(QPen(Qt::black, millimetres(0.15)));
        painter.setBrush(colour);
        painter.drawEllipse(centre, r * 0.7, r * 0.7);
        break;
    case KeyMark::Ring:
        painter.setPen(QPen(colour, millimetres(0.6)));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, r * 0.7, r * 0.7);
        break;
    case KeyMark::Line:
        painter.setPen(QPen(colour, millimetres(0.8), Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(box.left(), centre.y()), QPointF(box.right(), centre.y()));
        break;
    case KeyMark::Band:
        painter.setPen(QPen(Qt::black, millimetres(0.15)));
        painter.setBrush(colour);
        painter.drawRect(box);
        break;
    }
    painter.setBrush(Qt::NoBrush);
}

// The key along the foot of the page: mark, then "緑：入射波", entry after
// entry.
void drawKey(QPainter& painter, const QRectF& area, std::span<const KeyEntry> key)
{
    painter.setFont(sheetFont(kLabelPoints));
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double markSize = metrics.height() * 0.8;
    double x = area.left();
    for (const KeyEntry& entry : key) {
        const QRectF mark(x, area.center().y() - markSize / 2, markSize * 1.6, markSize);
        drawKeyMark(painter, entry, mark);
        const QString text = fromUtf8(KeyText(entry));
        painter.setPen(Qt::black);
        const QRectF textBox(mark.right() + millimetres(1.5), area.top(), metrics.horizontalAdvance(text) + 1, area.height());
        painter.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter, text);
        x = textBox.right() + millimetres(7);
    }
}

// The page without its frames: title, fields, key and the graph if any.
void drawPageText(QPainter& painter, const SheetLayout& layout, const QString& title, std::span<const KeyEntry> key,
    const QImage* graph)
{
    if (graph)
        painter.drawImage(layout.graph, *graph);
    painter.setFont(sheetFont(kTitlePoints));
    painter.setPen(Qt::black);
    painter.drawText(layout.title, Qt::AlignLeft | Qt::AlignTop, title);
    drawFields(painter, layout.fields);
    drawKey(painter, layout.key, key);
}

// Frame k of count in its cell, outlined, with its label underneath.
void drawFrame(QPainter& painter, const SheetLayout& layout, int k, int count, const QImage& frame)
{
    painter.setFont(sheetFont(kLabelPoints));
    const double x = layout.fields.left() + (k % layout.columns) * (layout.cellWidth + layout.gap)
        + (layout.cellWidth - layout.shown.width()) / 2;
    const double y = layout.top + (k / layout.columns) * layout.rowPitch;
    const QRectF target(QPointF(x, y), layout.shown);
    painter.drawImage(target, frame);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(target);
    painter.drawText(QRectF(x, y + layout.shown.height(), layout.shown.width(), layout.labelHeight),
        Qt::AlignCenter, fromUtf8(WorksheetFrameLabel(k, count)));
}

// Every page, each frame put on it as it is drawn; an error text, or empty.
std::string drawPages(QPainter& painter, QPdfWriter& writer, const WorksheetPages& pages, const WorksheetFrames& frames)
{
    const SheetLayout layout = layOut(pages);
    // The pictures' own labels, drawn this many pixels tall, come out
    // at least the smallest legible size on paper.
    const double paperPerPixel = layout.shown.width() / pages.framePixels.width();
    const int minimumTextPixels = static_cast<int>(std::ceil(millimetres(kWorksheetMinimumTextMm) / paperPerPixel));
    for (int page = 0; page < static_cast<int>(pages.titles.size()); ++page) {
        if (page > 0 && !writer.newPage())
            return "a page could not be added";
        const auto index = static_cast<std::size_t>(page);
        drawPageText(painter, layout, pages.titles[index], pages.key,
            index < pages.graphs.size() ? &pages.graphs[index] : nullptr);
        int drawn = 0;
        frames(page, minimumTextPixels, [&](int k, const QImage& frame) {
            if (frame.isNull())
                throw std::bad_alloc();
            drawFrame(painter, layout, k, pages.frameCount, frame);
            ++drawn;
        });
        if (drawn != pages.frameCount)
            return "the frames could not be drawn";
    }
    return {};
}

}  // namespace

ExportResult WriteWorksheet(const FilePath& path, const WorksheetPages& pages, const WorksheetFrames& frames)
{
    if (pages.titles.empty() || pages.frameCount < 1 || pages.framePixels.isEmpty())
        return ExportResult{false, "no frames to write", false};
    // QPdfWriter reports no write errors; the atomic file's device under
    // it checks every byte.
    return WriteFileAtomically(path, [&](QIODevice& device) -> std::string {
        auto writer = std::make_unique<QPdfWriter>(&device);
        writer->setTitle(pages.titles.front());
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
        std::string problem;
        bool outOfMemory = false;
        try {
            problem = drawPages(*painter, *writer, pages, frames);
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
        return problem;
    });
}

}  // namespace kelvora
