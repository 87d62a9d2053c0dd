#pragma once

#include "web/web_viewer.h"

#include <emscripten/val.h>

namespace kelvora {

// What the page's worksheet of a scene says besides its pictures: the
// label of each of frameCount frames, the fields to fill in (caption,
// share of the line), the colour key (colour "#rrggbb", mark "dot", "ring",
// "line" or "band", text), a page for each parameter value (value, title,
// and with probes answerTitle, the title of its answer page) and the
// smallest text on paper in millimetres. `places` are the probes'
// ([{ x, y }], the viewer's probePlaces), found again on a screen of
// size's screenWidth x screenHeight; with none the sheet has no graph.
emscripten::val WorksheetContent(int sceneIndex, int frameCount, const WebPictureSize& size, emscripten::val places);

// Where everything of a printed page goes, in millimetres, for frames of
// the given size in pixels: the layout of the desktop's PDF on the area the
// browser prints on (a millimetre less each way, for the frames' outlines),
// with the text sizes in points (titlePoints, fieldPoints, labelPoints).
// With a graph, the graph's band (graphHeight) goes under the frames,
// graphGap above the key.
emscripten::val WorksheetPrintLayout(int frameCount, double frameWidth, double frameHeight, bool withGraph);

// Draws one period of the scene at the parameter value param for a printed
// worksheet, in a picture of the given size with its text at least
// minimumTextPixels logical pixels tall: page.paint(...) as for the viewer,
// then page.frameDrawn(k) after each frame. With probes at `places`, each
// frame rings them, and then the graph is painted the same way twice, for
// the sheet (page.graphDrawn(false), blank) and its answer
// (page.graphDrawn(true)).
void DrawWorksheetPeriod(int sceneIndex, int frameCount, int param, const WebPictureSize& size,
    int minimumTextPixels, emscripten::val places, emscripten::val page);

}  // namespace kelvora
