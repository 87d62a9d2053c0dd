#pragma once

// The probes of a worksheet, the same on paper from every face: the marked
// places found again in each page's medium, the graph's size and the key
// that names the rings.

#include "scenes/medium.h"
#include "scenes/scene_key.h"

#include <functional>
#include <vector>

namespace kelvora {

class Canvas;

// A sheet's graph in pixels: as wide as the page and a fifth as high; 1500
// pixels across keep its lines and labels sharp on paper.
inline constexpr int kWorksheetGraphWidth = 1500;
inline constexpr int kWorksheetGraphHeight = 300;

// The probes of the page of one parameter value: the places (the scene's
// coordinates, X alone in a row of particles) found again in the medium
// the frames at that value draw, and that medium's largest swing, which
// the graph's scale fits. Empty for a scene without a medium.
struct WorksheetProbes {
    std::vector<MediumSite> sites;
    double amplitude = 1;
};

WorksheetProbes WorksheetProbesAt(int sceneIndex, int frameCount, int parameterValue, int screenWidth,
    int screenHeight, const std::vector<UserPoint>& places);

// The frames of one period at one parameter value drawn afresh (see
// DrawPeriod), each ringed where the places are before frameDrawn(k).
void DrawRingedPeriod(int sceneIndex, Canvas& canvas, int frameCount, int parameterValue, int screenWidth,
    int screenHeight, const std::vector<UserPoint>& places, const std::function<void(int)>& frameDrawn);

// The sheet's colour key: the scene's own colours, then the rings.
std::vector<KeyEntry> WorksheetKey(int sceneIndex, const std::vector<MediumSite>& sites);

}  // namespace kelvora
