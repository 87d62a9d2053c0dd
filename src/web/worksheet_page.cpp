// The worksheet as the page prints it: its words and colour key from the
// core, and each page's frames drawn afresh at the parameter value of that
// page, with the pictures' text large enough for paper.

#include "web/worksheet_page.h"

#include "probe/probe_graph.h"
#include "probe/worksheet_probes.h"
#include "scenes/scene_catalogue.h"
#include "scenes/scene_key.h"
#include "scenes/worksheet_text.h"
#include "viewer_model/worksheet_layout.h"
#include "web/web_canvas_backend.h"
#include "web/web_viewer.h"

namespace kelvora {

namespace {

using emscripten::val;

const char* markName(KeyMark mark)
{
    switch (mark) {
    case KeyMark::Dot: return "dot";
    case KeyMark::Ring: return "ring";
    case KeyMark::Line: return "line";
    case KeyMark::Band: return "band";
    }
    return "dot";
}

std::vector<UserPoint> placesFrom(const val& places)
{
    std::vector<UserPoint> out;
    const int count = places["length"].as<int>();
    for (int n = 0; n < count; ++n)
        out.push_back({places[n]["x"].as<double>(), places[n]["y"].as<double>()});
    return out;
}

WorksheetProbes probesAt(int sceneIndex, int frameCount, int param, const WebPictureSize& size, const val& places)
{
    return WorksheetProbesAt(sceneIndex, frameCount, param, size.screenWidth, size.screenHeight, placesFrom(places));
}

}  // namespace

val WorksheetContent(int sceneIndex, int frameCount, const WebPictureSize& size, val places)
{
    val out = val::object();
    val labels = val::array();
    for (int k = 0; k < frameCount; ++k)
        labels.call<void>("push", WorksheetFrameLabel(k, frameCount));
    out.set("labels", labels);
    val fields = val::array();
    for (const WorksheetField& field : WorksheetFields()) {
        val entry = val::object();
        entry.set("caption", std::string(field.caption));
        entry.set("share", field.share);
        fields.call<void>("push", entry);
    }
    out.set("fields", fields);
    val key = val::array();
    const std::vector<int> values = ParameterValues(sceneIndex);
    const bool probed = places["length"].as<int>() > 0;
    const std::vector<MediumSite> sites = probesAt(sceneIndex, frameCount, values.front(), size, places).sites;
    for (const KeyEntry& entry : WorksheetKey(sceneIndex, sites)) {
        val item = val::object();
        item.set("colour", ColorHex(entry.color));
        item.set("mark", std::string(markName(entry.mark)));
        item.set("text", KeyText(entry));
        key.call<void>("push", item);
    }
    out.set("key", key);
    val pages = val::array();
    for (int value : values) {
        val page = val::object();
        const std::string title = WorksheetTitle(sceneIndex, ParameterText(sceneIndex, value));
        page.set("value", value);
        page.set("title", title);
        if (probed)
            page.set("answerTitle", WorksheetAnswerTitle(title));
        pages.call<void>("push", page);
    }
    out.set("pages", pages);
    out.set("minimumTextMm", kWorksheetMinimumTextMm);
    return out;
}

val WorksheetPrintLayout(int frameCount, double frameWidth, double frameHeight, bool withGraph)
{
    const double graphAspect = withGraph ? double(kWorksheetGraphHeight) / kWorksheetGraphWidth : 0;
    const WorksheetPageLayout page = LayOutWorksheetPage(
        kWorksheetAreaWidthMm - 1, kWorksheetAreaHeightMm - 1, frameCount, frameWidth, frameHeight, graphAspect);
    val out = val::object();
    out.set("areaWidth", kWorksheetAreaWidthMm);
    out.set("width", page.width);
    out.set("titleHeight", page.title.height);
    out.set("fieldsHeight", page.fields.height);
    out.set("gridMargin", page.grid.top - page.fields.bottom());
    out.set("gridHeight", page.grid.height);
    out.set("graphHeight", page.graph.height);
    out.set("graphGap", withGraph ? page.key.top - page.graph.bottom() : 0);
    out.set("keyHeight", page.key.height);
    out.set("pageHeight", page.key.bottom());
    out.set("columns", page.columns);
    out.set("gap", page.gap);
    out.set("shownWidth", page.shownWidth);
    out.set("shownHeight", page.shownHeight);
    out.set("labelHeight", page.labelHeight);
    out.set("titlePoints", kWorksheetTitlePoints);
    out.set("fieldPoints", kWorksheetFieldPoints);
    out.set("labelPoints", kWorksheetLabelPoints);
    return out;
}

void DrawWorksheetPeriod(int sceneIndex, int frameCount, int param, const WebPictureSize& size,
    int minimumTextPixels, val places, val page)
{
    WebCanvasBackend backend(
        size.width, size.height, size.devicePixelRatio, [&](const PaintBatch& batch) { PaintOnPage(page, batch); });
    backend.setMinimumTextPixels(minimumTextPixels);
    Canvas canvas(backend, size.width, size.height);
    DrawRingedPeriod(sceneIndex, canvas, frameCount, param, size.screenWidth, size.screenHeight, placesFrom(places),
        [&](int k) {
            backend.flush();
            page.call<void>("frameDrawn", k);
        });
    // A graph wherever probes are marked, blank where this value's medium
    // has none of their places, as on the desktop's sheet.
    if (places["length"].as<int>() == 0)
        return;
    const WorksheetProbes probes = probesAt(sceneIndex, frameCount, param, size, places);
    const ProbeGraph graph = MakeProbeGraph(probes.sites, probes.amplitude, frameCount);
    WebCanvasBackend graphBackend(
        kWorksheetGraphWidth, kWorksheetGraphHeight, 1, [&](const PaintBatch& batch) { PaintOnPage(page, batch); });
    Canvas graphCanvas(graphBackend, kWorksheetGraphWidth, kWorksheetGraphHeight);
    for (const GraphContent content : {GraphContent::Blank, GraphContent::Answer}) {
        DrawProbeGraph(graphCanvas, graph, content);
        graphBackend.flush();
        page.call<void>("graphDrawn", content == GraphContent::Answer);
    }
}

}  // namespace kelvora
