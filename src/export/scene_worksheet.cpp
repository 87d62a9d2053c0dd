#include "export/scene_worksheet.h"

#include "canvas/canvas.h"
#include "export/worksheet_writer.h"
#include "raster/raster_surface.h"
#include "scenes/scene_catalogue.h"
#include "scenes/scene_key.h"

namespace kelvora {

namespace {

// The frames of one period at one parameter value.
std::vector<QImage> drawPeriod(const SceneWorksheet& sheet, int parameterValue, int minimumTextPixels)
{
    RasterSurface surface(sheet.size.width(), sheet.size.height(), sheet.devicePixelRatio);
    surface.setMinimumTextPixels(minimumTextPixels);
    Canvas canvas(surface, sheet.size.width(), sheet.size.height());
    std::vector<QImage> frames;
    frames.reserve(static_cast<std::size_t>(sheet.frameCount));
    DrawPeriod(sheet.sceneIndex, canvas, sheet.frameCount, parameterValue, sheet.screen.width(),
        sheet.screen.height(), [&](int) { frames.push_back(surface.snapshot()); });
    return frames;
}

}  // namespace

ExportResult WriteSceneWorksheet(const QString& path, const SceneWorksheet& sheet)
{
    if (!FindScene(sheet.sceneIndex) || sheet.parameterValues.empty())
        return ExportResult{false, "no frames to write", false};
    WorksheetPages pages;
    for (int value : sheet.parameterValues)
        pages.titles.push_back(
            QString::fromStdString(WorksheetTitle(sheet.sceneIndex, ParameterText(sheet.sceneIndex, value))));
    pages.frameCount = sheet.frameCount;
    pages.framePixels = sheet.size;
    pages.key = SceneKey(sheet.sceneIndex);
    return WriteWorksheet(path, pages, [&](int page, int minimumTextPixels) {
        return drawPeriod(sheet, sheet.parameterValues[static_cast<std::size_t>(page)], minimumTextPixels);
    });
}

}  // namespace kelvora
