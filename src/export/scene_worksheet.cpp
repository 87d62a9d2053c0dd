#include "export/scene_worksheet.h"

#include "canvas/canvas.h"
#include "export/probe_graph_image.h"
#include "export/worksheet_writer.h"
#include "probe/probe.h"
#include "raster/raster_surface.h"
#include "scenes/scene_catalogue.h"
#include "scenes/scene_key.h"
#include "scenes/worksheet_text.h"

namespace kelvora {

namespace {

// A sheet's graph is as wide as the page and a fifth as high; 1500 pixels
// across keep its lines and labels sharp on paper.
const QSize kSheetGraphPixels(1500, 300);

// The probed places at one parameter value, and the largest swing of the
// medium, which the graph's scale fits.
struct Probes {
    std::vector<MediumSite> sites;
    double amplitude = 1;
};

Probes probesAt(const SceneWorksheet& sheet, int parameterValue)
{
    Probes probes;
    ParameterControl control;
    const SceneContext context = CaptureContext(sheet.sceneIndex, sheet.frameCount, parameterValue,
        sheet.screen.width(), sheet.screen.height(), control);
    const std::optional<Medium> medium = sheet.probes.empty() ? std::nullopt : MediumOf(sheet.sceneIndex, context);
    if (!medium)
        return probes;
    probes.amplitude = MediumAmplitude(*medium);
    for (const UserPoint& place : sheet.probes)
        if (const std::optional<MediumSite> site = SiteNear(*medium, place.x, place.y))
            probes.sites.push_back(*site);
    return probes;
}

// The frames of one period at one parameter value, the probed places
// ringed, each handed on as soon as it is drawn (a copy: drawing goes on in
// the surface's own pixels).
void drawPeriod(const SceneWorksheet& sheet, int parameterValue, int minimumTextPixels,
    const WorksheetFrameDrawn& frameDrawn)
{
    const std::vector<MediumSite> sites = probesAt(sheet, parameterValue).sites;
    RasterSurface surface(sheet.size.width(), sheet.size.height(), sheet.devicePixelRatio);
    surface.setMinimumTextPixels(minimumTextPixels);
    Canvas canvas(surface, sheet.size.width(), sheet.size.height());
    DrawPeriod(sheet.sceneIndex, canvas, sheet.frameCount, parameterValue, sheet.screen.width(),
        sheet.screen.height(), [&](int k) {
            DrawProbeRings(canvas, sites, k / static_cast<double>(sheet.frameCount));
            frameDrawn(k, surface.snapshot());
        });
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
        const Probes probes = probesAt(sheet, value);
        const ProbeGraph graph = MakeProbeGraph(probes.sites, probes.amplitude, sheet.frameCount);
        for (const GraphContent content : {GraphContent::Blank, GraphContent::Answer})
            pages.graphs.push_back(ProbeGraphImage(graph, content, kSheetGraphPixels, sheet.devicePixelRatio));
    }
    pages.frameCount = sheet.frameCount;
    pages.framePixels = sheet.size;
    // The key names the rings too, after the scene's own colours.
    const std::span<const KeyEntry> sceneKey = SceneKey(sheet.sceneIndex);
    std::vector<KeyEntry> key(sceneKey.begin(), sceneKey.end());
    const std::vector<MediumSite> sites = probesAt(sheet, sheet.parameterValues.front()).sites;
    for (std::size_t n = 0; n < sites.size(); ++n)
        key.push_back(ProbeKeyEntry(static_cast<int>(n), sites[n].motion));
    pages.key = key;
    return WriteWorksheet(path, pages, [&](int page, int minimumTextPixels, const WorksheetFrameDrawn& frameDrawn) {
        const std::size_t value = static_cast<std::size_t>(page) / pagesPerValue;
        drawPeriod(sheet, sheet.parameterValues[value], minimumTextPixels, frameDrawn);
    });
}

}  // namespace kelvora
