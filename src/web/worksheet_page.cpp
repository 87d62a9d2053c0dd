// The worksheet as the page prints it: its words and colour key from the
// core, and each page's frames drawn afresh at the parameter value of that
// page, with the pictures' text large enough for paper.

#include "web/worksheet_page.h"

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

}  // namespace

val WorksheetContent(int sceneIndex, int frameCount)
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
    for (const KeyEntry& entry : SceneKey(sceneIndex)) {
        val item = val::object();
        item.set("colour", ColorHex(entry.color));
        item.set("mark", std::string(markName(entry.mark)));
        item.set("text", KeyText(entry));
        key.call<void>("push", item);
    }
    out.set("key", key);
    val pages = val::array();
    for (int value : ParameterValues(sceneIndex)) {
        val page = val::object();
        page.set("value", value);
        page.set("title", WorksheetTitle(sceneIndex, ParameterText(sceneIndex, value)));
        pages.call<void>("push", page);
    }
    out.set("pages", pages);
    out.set("minimumTextMm", kWorksheetMinimumTextMm);
    return out;
}

val WorksheetPrintLayout(int frameCount, double frameWidth, double frameHeight)
{
    const WorksheetPageLayout page = LayOutWorksheetPage(
        kWorksheetAreaWidthMm - 1, kWorksheetAreaHeightMm - 1, frameCount, frameWidth, frameHeight, 0);
    val out = val::object();
    out.set("areaWidth", kWorksheetAreaWidthMm);
    out.set("width", page.width);
    out.set("titleHeight", page.title.height);
    out.set("fieldsHeight", page.fields.height);
    out.set("gridMargin", page.grid.top - page.fields.bottom());
    out.set("gridHeight", page.grid.height);
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

void DrawWorksheetPeriod(
    int sceneIndex, int frameCount, int param, const WebPictureSize& size, int minimumTextPixels, val page)
{
    WebCanvasBackend* backendPointer = nullptr;
    WebCanvasBackend backend(size.width, size.height, size.devicePixelRatio, [&](const PaintBatch& batch) {
        PaintOnPage(page, batch, backendPointer->deviceWidth(), backendPointer->deviceHeight());
    });
    backendPointer = &backend;
    backend.setMinimumTextPixels(minimumTextPixels);
    Canvas canvas(backend, size.width, size.height);
    DrawPeriod(sceneIndex, canvas, frameCount, param, size.screenWidth, size.screenHeight, [&](int k) {
        backend.flush();
        page.call<void>("frameDrawn", k);
    });
}

}  // namespace kelvora
