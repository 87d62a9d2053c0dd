#pragma once

#include "export/export_result.h"
#include "scenes/scene_key.h"

#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <functional>
#include <span>
#include <vector>

namespace kelvora {

// What goes on a worksheet besides the pictures: one A4 landscape page per
// title, each with every frame of one period of framePixels (logical
// pixels), and the scene's colour key at the foot of every page. With
// graphs, one a page, each goes across the page under the frames.
struct WorksheetPages {
    std::vector<QString> titles;
    int frameCount = 0;
    QSize framePixels;
    std::span<const KeyEntry> key;
    std::vector<QImage> graphs{};
};

// The frames of a page, drawn with the pictures' own text at least
// minimumTextPixels logical pixels tall, so it is legible on paper.
using WorksheetFrames = std::function<std::vector<QImage>(int page, int minimumTextPixels)>;

// Writes a worksheet for printing and handing out. Each page has the title,
// a line of fields for the student to fill in (名前・組・番号・日付), the
// frames in reading order, each labelled "コマ k　t = …" with its time as a
// reduced fraction of the period, and the colour key, which names each
// colour so a black-and-white copy can still be read. The file appears at
// path only when complete; a failure, or an exception from frames, leaves
// nothing behind. Needs a QGuiApplication for the text.
ExportResult WriteWorksheet(const QString& path, const WorksheetPages& pages, const WorksheetFrames& frames);

// The columns of the grid that shows frameCount frames of the given size
// largest in an area of the given size, with a label of labelHeight under
// each frame and gap between the cells; grids of full rows are preferred
// unless another shows the frames more than 5 % larger.
int WorksheetColumns(int frameCount, QSizeF frame, QSizeF area, double labelHeight, double gap);

}  // namespace kelvora
