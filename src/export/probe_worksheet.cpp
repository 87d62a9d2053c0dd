#include "export/probe_worksheet.h"

#include "export/worksheet_writer.h"

namespace kelvora {

QString AnswerPageTitle(const QString& title) { return title + QStringLiteral("　（解答）"); }

ExportResult WriteProbeWorksheet(
    const QString& path, const QString& title, const std::vector<QImage>& frames, const ProbeSheetGraphs& graphs)
{
    if (frames.empty() || frames.front().isNull() || graphs.blank.isNull() || graphs.answer.isNull())
        return ExportResult{false, "no frames to write", false};
    return WriteWorksheetPages(path, title, 2, [&](QPainter& painter, const QRectF& page, int index) {
        // The graph across the foot of the page, the frames above it.
        const double graphHeight = page.width() * graphs.blank.height() / graphs.blank.width();
        const double gap = page.height() * 0.02;
        const QRectF graph(page.left(), page.bottom() - graphHeight, page.width(), graphHeight);
        const QRectF sheet(page.left(), page.top(), page.width(), page.height() - graphHeight - gap);
        DrawWorksheetPage(painter, sheet, index == 0 ? title : AnswerPageTitle(title), frames);
        painter.drawImage(graph, index == 0 ? graphs.blank : graphs.answer);
    });
}

}  // namespace kelvora
