#pragma once

#include "export/export_result.h"
#include "export/file_path.h"
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

// Takes frame k of a page as soon as it is drawn; a null image is one
// there was no memory for.
using WorksheetFrameDrawn = std::function<void(int k, const QImage& frame)>;

// Draws the frames of a page in order, with the pictures' own text at
// least minimumTextPixels logical pixels tall so it is legible on paper,
// handing each to frameDrawn. The page takes each frame as it comes, so
// none needs keeping once handed over.
using WorksheetFrames = std::function<void(int page, int minimumTextPixels, const WorksheetFrameDrawn& frameDrawn)>;

// Writes a worksheet for printing and handing out. Each page has the title,
// a line of fields for the student to fill in (名前・組・番号・日付), the
// frames in reading order, each labelled "コマ k　t = …" with its time as a
// reduced fraction of the period, and the colour key, which names each
// colour so a black-and-white copy can still be read. The file appears at
// path only when complete (see AtomicFile); a failure, running out of
// memory included, or an exception from frames, leaves nothing behind.
// Needs a QGuiApplication for the text.
ExportResult WriteWorksheet(const FilePath& path, const WorksheetPages& pages, const WorksheetFrames& frames);

}  // namespace kelvora
