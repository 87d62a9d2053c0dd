#include "export/scene_worksheet.h"

#include "canvas/canvas.h"
#include "export/worksheet_writer.h"
#include "raster/raster_surface.h"
#include "scenes/scene_catalogue.h"
#include "scenes/scene_key.h"

#include <optional>

namespace kelvora {

namespace {

// The frames of one period at one parameter value, on one surface from
// frame 0 on, as a capture draws them.
std::vector<QImage> drawPeriod(const SceneWorksheet& sheet, int parameterValue, int minimumTextPixels)
{
    const SceneInfo* scene = FindScene(sheet.sceneIndex);
    RasterSurface surface(sheet.size.width(), sheet.size.height(), sheet.devicePixelRatio);
    surface.setMinimumTextPixels(minimumTextPixels);
    Canvas canvas(surface, sheet.size.width(), sheet.size.height());
    ParameterControl control;
    SceneContext context = CaptureContext(sheet.sceneIndex, sheet.frameCount, parameterValue,
        sheet.screen.width(), sheet.screen.height(), control);
    std::vector<QImage> frames;
    frames.reserve(static_cast<std::size_t>(sheet.frameCount));
    // FrameNo itself is the loop variable handed to the scene, as in a capture.
    for (std::int16_t frameNo = 0; frameNo < sheet.frameCount; ++frameNo) {
        canvas.Cls();
        scene->drawFrame(canvas, frameNo, context);
        frames.push_back(surface.snapshot());
    }
    return frames;
}

}  // namespace

std::vector<int> AllParameterValues(int sceneIndex)
{
    const std::optional<ParameterSetup> setup = ParameterSetupFor(sceneIndex);
    if (!setup)
        return {1};
    std::vector<int> values;
    for (int value = setup->min; value <= setup->max; ++value)
        values.push_back(value);
    return values;
}

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
