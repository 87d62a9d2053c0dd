#include "viewer_model/worksheet_layout.h"

#include <algorithm>

namespace kelvora {

namespace {

constexpr double kPointMm = 25.4 / 72;

// A line of text of the given size, leading included, in millimetres.
double lineMm(double points, double lines) { return points * kPointMm * lines; }

}  // namespace

double WorksheetLabelHeightMm() { return lineMm(kWorksheetLabelPoints, kWorksheetLineHeight); }

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

WorksheetPageLayout LayOutWorksheetPage(double areaWidth, double areaHeight, int frameCount, double frameWidth,
    double frameHeight, double graphAspect)
{
    WorksheetPageLayout page;
    page.width = areaWidth;
    // The title's line with room under it; the fields written on a line
    // of their own under a blank one; the key's marks with room round them.
    page.title = {0, lineMm(kWorksheetTitlePoints, 1.4)};
    page.fields = {page.title.bottom(), lineMm(kWorksheetFieldPoints, 2.2)};
    const double keyHeight = lineMm(kWorksheetLabelPoints, 1.8);
    page.key = {areaHeight - keyHeight, keyHeight};
    double gridBottom = page.key.top;
    if (graphAspect > 0) {
        const double graphHeight = areaWidth * graphAspect;
        page.graph = {page.key.top - 1 - graphHeight, graphHeight};
        gridBottom = page.graph.top;
    }
    page.grid = {page.fields.bottom() + 2, gridBottom - page.fields.bottom() - 4};

    page.gap = areaWidth * 0.015;
    page.labelHeight = WorksheetLabelHeightMm();
    page.columns = WorksheetColumns(
        frameCount, frameWidth, frameHeight, areaWidth, page.grid.height, page.labelHeight, page.gap);
    const double scale = WorksheetGridScale(frameCount, page.columns, frameWidth, frameHeight, areaWidth,
        page.grid.height, page.labelHeight, page.gap);
    page.shownWidth = frameWidth * scale;
    page.shownHeight = frameHeight * scale;
    const int rows = (frameCount + page.columns - 1) / page.columns;
    page.cellWidth = (areaWidth - page.gap * (page.columns - 1)) / page.columns;
    const double cellHeight = (page.grid.height - page.gap * (rows - 1)) / rows;
    // Rows as close as their labels allow, the block centred in its band.
    page.rowPitch = std::min(cellHeight + page.gap, page.shownHeight + page.labelHeight + page.gap);
    page.framesTop = page.grid.top + (page.grid.height - (rows * page.rowPitch - page.gap)) / 2;
    return page;
}

}  // namespace kelvora
