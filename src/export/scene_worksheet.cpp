#include "export/scene_worksheet.h"

#include "canvas/canvas.h"
#include "export/probe_graph_image.h"
#include "export/worksheet_writer.h"
#include "probe/worksheet_probes.h"
#include "raster/raster_surface.h"
#include "scenes/scene_catalogue.h"
#include "scenes/worksheet_text.h"

namespace kelvora {

namespace {

WorksheetProbes probesAt(const SceneWorksheet& sheet, int parameterValue)
{
    return WorksheetProbesAt(sheet.sceneIndex, sheet.frameCount, parameterValue, sheet.screen.width(),
        sheet.screen.height(), sheet.probes);
}

// The frames of one period at one parameter value, the probed places
// ringed, each handed on as soon as it is drawn (a copy: drawing goes on in
// the surface's own pixels).
void drawPeriod(const SceneWorksheet& sheet, int parameterValue, int minimumTextPixels,
    const WorksheetFrameDrawn& frameDrawn)
{
    RasterSurface surface(sheet.size.width(), sheet.size.height(), sheet.devicePixelRatio);
    surface.setMinimumTextPixels(minimumTextPixels);
    Canvas canvas(surface, sheet.size.width(), sheet.size.height());
    DrawRingedPeriod(sheet.sceneIndex, canvas, sheet.frameCount, parameterValue, sheet.screen.width(),
        sheet.screen.height(), sheet.probes, [&](int k) { frameDrawn(k, surface.snapshot()); });
}

}  // namespace

ExportResult WriteSceneWorksheet(const FilePath& path, const SceneWorksheet& sheet)
{
    if (!FindScene(sheet.sceneIndex) || sheet.parameterValues.empty())
        return ExportResult{false, "no frames to write", false};
    // With probes, each value has two pages: the sheet and its answer.
    const std::size_t pagesPerValue = sheet.probes.empty() ? 1 : 2;
    WorksheetPages pages;
    for (int value : sheet.parameterValues) {
        const std::string title = WorksheetTitle(sheet.sceneIndex, ParameterText(sheet.sceneIndex, value));
        pages.titles.push_back(QString::fromStdString(title));
        if (pagesPerValue == 1)
            continue;
        pages.titles.push_back(QString::fromStdString(WorksheetAnswerTitle(title)));
        const WorksheetProbes probes = probesAt(sheet, value);
        const ProbeGraph graph = MakeProbeGraph(probes.sites, probes.amplitude, sheet.frameCount);
        for (const GraphContent content : {GraphContent::Blank, GraphContent::Answer})
            pages.graphs.push_back(ProbeGraphImage(graph, content,
                QSize(kWorksheetGraphWidth, kWorksheetGraphHeight), sheet.devicePixelRatio));
    }
    pages.frameCount = sheet.frameCount;
    pages.framePixels = sheet.size;
    // The key names the rings too, after the scene's own colours.
    const std::vector<KeyEntry> key
        = WorksheetKey(sheet.sceneIndex, probesAt(sheet, sheet.parameterValues.front()).sites);
    pages.key = key;
    return WriteWorksheet(path, pages, [&](int page, int minimumTextPixels, const WorksheetFrameDrawn& frameDrawn) {
        const std::size_t value = static_cast<std::size_t>(page) / pagesPerValue;
        drawPeriod(sheet, sheet.parameterValues[value], minimumTextPixels, frameDrawn);
    });
}

}  // namespace kelvora
