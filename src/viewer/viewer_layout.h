#pragma once

#include <QRect>

namespace kelvora {

// The viewer's controls are placed in twips at 15 twips per pixel.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

// Whole pixels, each value rounded to the nearest (halves to even).
QRect TwipsToPixels(const TwipsRect& twips);

// Where the picture box and the title go in a drawing area of the given
// size, in pixels with fractions: three quarters of the width and four
// fifths of the height, centred and then moved 65 pixels right; the
// title's left edge halfway along the box's right part, less 80.
struct PictureLayout {
    double left;
    double top;
    double width;
    double height;
    double titleLeft;
};

PictureLayout LayoutPicture(double drawingWidth, double drawingHeight);

// The picture box on the screen: left, top, width and height each rounded
// to the nearest pixel, halves to even (1272 x 762 gives 954 x 610 at
// (224, 76)).
QRect PictureRect(const PictureLayout& layout);

}  // namespace kelvora
