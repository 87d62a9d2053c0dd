#pragma once

namespace kelvora {

// The grid of a worksheet's pictures, the same on paper from both front
// ends: each frame shown as large as its cell allows with its label under
// it, one label height, and the gap between the cells.

// The sheet's text: the title, the fields to fill in, and the frames'
// labels and the colour key. A frame's label stands on a line of 1.6 times
// its size.
inline constexpr double kWorksheetTitlePoints = 16;
inline constexpr double kWorksheetFieldPoints = 11;
inline constexpr double kWorksheetLabelPoints = 10;
inline constexpr double kWorksheetLineHeight = 1.6;

// What A4 landscape with 10 mm margins leaves to print on, in millimetres.
inline constexpr double kWorksheetAreaWidthMm = 277;
inline constexpr double kWorksheetAreaHeightMm = 190;

// The height of a frame's label line, in millimetres.
double WorksheetLabelHeightMm();

// The scale of each frame in a grid of the given columns on an area of the
// given size, with a label of labelHeight under each frame and gap between
// the cells (all in one unit).
double WorksheetGridScale(int frameCount, int columns, double frameWidth, double frameHeight, double areaWidth,
    double areaHeight, double labelHeight, double gap);

// The columns of the grid that shows frameCount frames largest; grids of
// full rows are preferred unless another shows the frames more than 5 %
// larger.
int WorksheetColumns(int frameCount, double frameWidth, double frameHeight, double areaWidth, double areaHeight,
    double labelHeight, double gap);

// A strip across the page: its top from the top of the printable area and
// its height, in millimetres.
struct WorksheetBand {
    double top = 0;
    double height = 0;
    double bottom() const { return top + height; }
};

// Where everything of a page goes, the same for every page of a
// worksheet, in millimetres: the title, the fields under it, the frames'
// grid, a y–t graph across the page if there is one, and the colour key
// along the foot. The frames stand in `columns` columns of cellWidth, each
// shownWidth x shownHeight with its label under it, the rows rowPitch
// apart and the block centred in the grid's band from framesTop.
struct WorksheetPageLayout {
    double width = 0;
    WorksheetBand title;
    WorksheetBand fields;
    WorksheetBand grid;
    WorksheetBand graph;  // height 0 without a graph
    WorksheetBand key;
    int columns = 1;
    double gap = 0;
    double cellWidth = 0;
    double shownWidth = 0;
    double shownHeight = 0;
    double labelHeight = 0;
    double rowPitch = 0;
    double framesTop = 0;
};

// The page of frameCount frames of frameWidth x frameHeight pixels on a
// printable area of the given size; graphAspect is the graph's height over
// its width, or 0 for a sheet without a graph.
WorksheetPageLayout LayOutWorksheetPage(double areaWidth, double areaHeight, int frameCount, double frameWidth,
    double frameHeight, double graphAspect);

}  // namespace kelvora
