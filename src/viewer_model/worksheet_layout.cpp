#include "viewer_model/worksheet_layout.h"

#include <algorithm>

namespace kelvora {

double WorksheetLabelHeightMm() { return kWorksheetLabelPoints * 25.4 / 72 * kWorksheetLineHeight; }

double WorksheetGridScale(int frameCount, int columns, double frameWidth, double frameHeight, double areaWidth,
    double areaHeight, double labelHeight, double gap)
{
    const int rows = (frameCount + columns - 1) / columns;
    const double cellWidth = (areaWidth - gap * (columns - 1)) / columns;
    const double cellHeight = (areaHeight - gap * (rows - 1)) / rows;
    return std::min(cellWidth / frameWidth, (cellHeight - labelHeight) / frameHeight);
}

int WorksheetColumns(int frameCount, double frameWidth, double frameHeight, double areaWidth, double areaHeight,
    double labelHeight, double gap)
{
    int best = 1;
    double bestScale = 0;
    for (int columns = 1; columns <= frameCount; ++columns) {
        // Full rows read better: a grid with a gap in its last row must show
        // the frames clearly larger to be chosen.
        const bool fullRows = frameCount % columns == 0;
        const double scale = WorksheetGridScale(frameCount, columns, frameWidth, frameHeight, areaWidth,
                                 areaHeight, labelHeight, gap) *
            (fullRows ? 1.05 : 1.0);
        if (scale > bestScale * 1.000001) {
            bestScale = scale;
            best = columns;
        }
    }
    return best;
}

}  // namespace kelvora
