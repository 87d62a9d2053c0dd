#pragma once

// The probe as a viewer holds it: the marked places of the scene's medium,
// their graph, and where the frame and the graph go in the picture box.
// The stored frames are never drawn again for a probe: each face shows a
// stored frame, rings the marked places on it and draws the graph beside
// it, at show time, through a Canvas.

#include "canvas/draw_state.h"
#include "canvas/pixel_rect.h"
#include "probe/probe_graph.h"
#include "probe/probe_marks.h"
#include "scenes/scene_context.h"

#include <string>

namespace kelvora {

class Canvas;

// The picture box split for the probe: with a graph, the core's probe
// layout (the frame over its graph, as wide as it) scaled to fit the box
// and centred, so the frames keep their proportions and the graph covers
// none of them; without, the frame fills the box.
struct ProbeBoxLayout {
    PixelRect frame;
    PixelRect graph;  // empty without a graph
};

ProbeBoxLayout LayOutProbeBox(int boxWidth, int boxHeight, bool withGraph);

// A point of an area of areaWidth x areaHeight that shows a picture of
// pictureWidth x pictureHeight scaled to fit and centred (as both faces
// show frames of another size until they are drawn again), in the
// picture's pixels.
UserPoint ShownToPicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight, double x, double y);

// Scenes with a medium take a probe (1 to 11); the others (0, 12 to 15)
// draw graphs already.
bool SceneTakesProbe(int sceneIndex);

// The text a screen reader and a tooltip give the picture of a scene that
// takes a probe: how to place and move it, and how to remove it; empty for
// the others.
std::string ProbeHowTo(int sceneIndex);

// The viewer's probes: what a click, a tap or a key does to them, the
// graph they make, and the text alternative of that graph.
class ViewerProbe {
public:
    explicit ViewerProbe(int sceneIndex);

    bool takesProbe() const { return takesProbe_; }
    bool empty() const { return marks_.sites.empty(); }
    const ProbeMarks& marks() const { return marks_; }
    const ProbeGraph& graph() const { return graph_; }

    // A click or tap at the picture's pixel (px, py) on frames of
    // width x height that left `state` (its scale places the medium),
    // drawn with `context`, `frames` a period. Returns whether the marks
    // changed.
    bool click(const SceneContext& context, const DrawState& state, int width, int height, double px, double py,
        int frames);
    // The probe key: the last placed probe moves one particle (see
    // StepProbe). Returns whether the marks changed.
    bool step(const SceneContext& context, int direction, bool across, int frames);
    // Esc or 描画: both go. Returns whether there were any.
    bool clear();

    // The rings at frame k, on the canvas the frame was drawn on, its
    // state as the frame left it.
    void drawRings(Canvas& picture, int frame) const;
    // The graph with its cursor at frame k, on a canvas of the graph's
    // size (ProbeBoxLayout::graph).
    void drawGraph(Canvas& graph, int frame) const;
    // The graph in words: each probe's place and its displacement at each
    // stored frame; empty without a probe.
    std::string description() const;

private:
    void remake(const Medium& medium, int frames);

    bool takesProbe_;
    int sceneIndex_;
    ProbeMarks marks_;
    ProbeGraph graph_;
};

}  // namespace kelvora
