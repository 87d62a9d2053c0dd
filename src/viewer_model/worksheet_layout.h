#pragma once

namespace kelvora {

// The grid of a worksheet's pictures, the same on paper from both front
// ends: each frame shown as large as its cell allows with its label under
// it, one label height, and the gap between the cells.

// A frame's label is 10 pt, on a line of 1.6 times that.
inline constexpr double kWorksheetLabelPoints = 10;
inline constexpr double kWorksheetLineHeight = 1.6;

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

}  // namespace kelvora
