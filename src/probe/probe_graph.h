#pragma once

// The displacement–time graph of the probed places, and where it goes
// beside the picture. Both are described here once; each face draws the
// graph through a Canvas of the graph's size and places it by the layout.

#include "canvas/color.h"
#include "canvas/pixel_rect.h"
#include "scenes/medium.h"

#include <vector>

namespace kelvora {

class Canvas;

// The picture and its graph side by side: the graph goes under the
// picture, as wide as it, so it covers none of the medium and its time
// axis runs the same way as the picture's x axis.
struct ProbeLayout {
    PixelRect picture;
    PixelRect graph;
    int width = 0;   // of the whole
    int height = 0;
};

ProbeLayout LayOutProbeGraph(int pictureWidth, int pictureHeight);

// What the graph shows of one probe.
struct ProbeTrack {
    Color color = 0;
    std::vector<double> curve;     // the displacement at kCurveSamples + 1 even steps of the period
    std::vector<double> atFrames;  // the displacement at each frame
};

// The graph of one or two probes over one period of `frames` frames, on a
// vertical scale that the medium's amplitude fills.
struct ProbeGraph {
    std::vector<ProbeTrack> tracks;
    double amplitude = 1;
    int frames = 12;
};

inline constexpr int kCurveSamples = 120;

// Asks the model once for everything the graph shows; drawing it then
// asks nothing.
ProbeGraph MakeProbeGraph(const std::vector<MediumSite>& sites, double amplitude, int frames);

enum class GraphContent {
    Blank,   // axes and grid only, for students to draw on
    Answer,  // with the curves and the frames' values
    Shown,   // as the answer, with a cursor at the frame shown
};

// Draws the whole graph on a canvas of the graph's size: clears it, sets
// its own scale (one unit a pixel, y down) and leaves that state behind.
void DrawProbeGraph(Canvas& canvas, const ProbeGraph& graph, GraphContent content, int frameShown = 0);

}  // namespace kelvora
