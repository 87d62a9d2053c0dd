#include "viewer_model/worksheet_layout.h"

#include <algorithm>

namespace kelvora {

namespace {

// The scale of each frame in a grid of the given columns.
double gridScale(int frameCount, int columns, double frameWidth, double frameHeight, double areaWidth,
    double areaHeight, double labelHeight, double gap)
{
    const int rows = (frameCount + columns - 1) / columns;
    const double cellWidth = (areaWidth - gap * (columns - 1)) / columns;
    const double cellHeight = (areaHeight - gap * (rows - 1)) / rows;
    return std::min(cellWidth / frameWidth, (cellHeight - labelHeight) / frameHeight);
}

}  // namespace

double PointsToMm(double points) { return points * 25.4 / 72; }

WorksheetGrid LayOutWorksheet(int frameCount, double frameWidth, double frameHeight, double areaWidth,
    double areaHeight, double mmPerUnit)
{
    WorksheetGrid g;
    g.titleHeight = PointsToMm(kWorksheetTitlePoints) * kWorksheetLineHeight / mmPerUnit;
    g.labelHeight = PointsToMm(kWorksheetLabelPoints) * kWorksheetLineHeight / mmPerUnit;
    g.gap = areaWidth * 0.015;
    const double gridHeight = areaHeight - g.titleHeight;
    g.columns = WorksheetColumns(frameCount, frameWidth, frameHeight, areaWidth, gridHeight, g.labelHeight, g.gap);
    g.rows = (frameCount + g.columns - 1) / g.columns;
    g.cellWidth = (areaWidth - g.gap * (g.columns - 1)) / g.columns;
    const double cellHeight = (gridHeight - g.gap * (g.rows - 1)) / g.rows;
    // The largest picture that leaves room for the label in every cell.
    const double scale =
        gridScale(frameCount, g.columns, frameWidth, frameHeight, areaWidth, gridHeight, g.labelHeight, g.gap);
    g.shownWidth = frameWidth * scale;
    g.shownHeight = frameHeight * scale;
    g.rowPitch = std::min(cellHeight + g.gap, g.shownHeight + g.labelHeight + g.gap);
    g.firstRowTop = g.titleHeight + (gridHeight - (g.rows * g.rowPitch - g.gap)) / 2;
    return g;
}

WorksheetPlace WorksheetFramePlace(const WorksheetGrid& g, int k)
{
    return {(k % g.columns) * (g.cellWidth + g.gap) + (g.cellWidth - g.shownWidth) / 2,
        g.firstRowTop + (k / g.columns) * g.rowPitch};
}

std::string WorksheetLabel(int k, int frameCount)
{
    const std::string time =
        k == 0 ? "t = 0" : "t = " + std::to_string(k) + "/" + std::to_string(frameCount) + " T";
    return "コマ " + std::to_string(k + 1) + "　" + time;
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
        const double scale = gridScale(frameCount, columns, frameWidth, frameHeight, areaWidth, areaHeight,
                                 labelHeight, gap) *
            (fullRows ? 1.05 : 1.0);
        if (scale > bestScale * 1.000001) {
            bestScale = scale;
            best = columns;
        }
    }
    return best;
}

}  // namespace kelvora
