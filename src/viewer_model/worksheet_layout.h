#pragma once

#include <string>

namespace kelvora {

// The worksheet that 保存 makes of the stored frames, for printing and
// handing out: one A4 landscape page with margins of 10 mm, the title
// across the top (16 pt) and every frame of the period in a grid under it,
// in reading order, each with its label underneath (10 pt). A line of text
// takes 1.6 times its size. Lengths in millimetres.
inline constexpr double kWorksheetPageWidthMm = 297;
inline constexpr double kWorksheetPageHeightMm = 210;
inline constexpr double kWorksheetMarginMm = 10;
inline constexpr double kWorksheetTitlePoints = 16;
inline constexpr double kWorksheetLabelPoints = 10;
inline constexpr double kWorksheetLineHeight = 1.6;

double PointsToMm(double points);

// Where everything goes on the page, in the unit of the area given.
struct WorksheetGrid {
    double titleHeight = 0;
    double labelHeight = 0;
    double gap = 0;  // between the cells, across and down
    int columns = 1;
    int rows = 1;
    double cellWidth = 0;
    double shownWidth = 0;  // a frame as shown, scaled into its cell
    double shownHeight = 0;
    double rowPitch = 0;    // rows as close as their labels allow
    double firstRowTop = 0;  // the block of rows centred under the title
};

// The grid of frameCount frames of the given size on an area of the given
// size (the page inside its margins; millimetres per unit given by
// mmPerUnit, so the title and labels keep their sizes in points).
WorksheetGrid LayOutWorksheet(int frameCount, double frameWidth, double frameHeight, double areaWidth,
    double areaHeight, double mmPerUnit = 1);

// The top-left corner of frame k's picture on the area.
struct WorksheetPlace {
    double left;
    double top;
};
WorksheetPlace WorksheetFramePlace(const WorksheetGrid& grid, int k);

// The label under frame k of frameCount: "コマ k+1" and its time as a
// fraction of the period, "t = k/n T" (frame 0 is "t = 0").
std::string WorksheetLabel(int k, int frameCount);

// The columns of the grid that shows frameCount frames largest; grids of
// full rows are preferred unless another shows the frames more than 5 %
// larger.
int WorksheetColumns(int frameCount, double frameWidth, double frameHeight, double areaWidth, double areaHeight,
    double labelHeight, double gap);

}  // namespace kelvora
