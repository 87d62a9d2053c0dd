#pragma once

#include "export/export_result.h"
#include "export/file_path.h"
#include "scenes/medium.h"

#include <QSize>
#include <QString>

#include <vector>

namespace kelvora {

// A worksheet of one scene: a page per parameter value, each with the
// frames of one period drawn afresh as a capture draws them.
struct SceneWorksheet {
    int sceneIndex = 0;
    int frameCount = 12;
    std::vector<int> parameterValues{1};  // the scroll bar's values; {1} without a parameter
    QSize size{960, 600};                 // the pictures, in logical pixels
    QSize screen{1280, 800};              // what the scenes take their aspect factor from
    double devicePixelRatio = 1.0;
    // Places to follow, in the scene's coordinates (X alone in a row of
    // particles, X,Y in the water): each frame rings them, a blank
    // displacement-time graph goes under the frames for the class to plot,
    // and each page is followed by its answer, the graph drawn.
    std::vector<UserPoint> probes;
};

// Draws and writes the worksheet (see WriteWorksheet). A run-time error of
// a scene is thrown as it is, with nothing written.
ExportResult WriteSceneWorksheet(const FilePath& path, const SceneWorksheet& sheet);

}  // namespace kelvora
