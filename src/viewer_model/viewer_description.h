#pragma once

#include "viewer_model/control_description.h"

#include <string>
#include <string_view>
#include <vector>

namespace kelvora {

// Where the viewer's 保存 writes the worksheet: the desktop writes a PDF
// file, the page prints (to paper or to a PDF).
enum class WorksheetMedium { PdfFile, Print };

// The viewer window as both front ends build it: every control with its
// caption, design place, font, tooltip and what a screen reader says of it.
// The controls stand in reading order, top row first, then the column at
// the left from top to bottom, then the picture: the order of the page's
// document, of the Tab key on both front ends (labels are skipped), and of
// a screen reader.
struct ViewerDescription {
    std::string windowCaption;
    unsigned background = 0;    // 0xRRGGBB
    unsigned disabledText = 0;  // the grey of a disabled control's text
    unsigned pictureBackground = 0;
    DesignRect designArea;
    std::vector<ControlDescription> controls;
    // The control that has the focus when the window opens.
    std::string initialFocus;

    // The control of that name; throws std::out_of_range for another name.
    const ControlDescription& at(std::string_view name) const;
    // Its position in controls.
    std::size_t indexOf(std::string_view name) const;
};

// The viewer of a scene: its title and, for a scene with a parameter, the
// parameter's caption and names (the controls of the others are hidden).
ViewerDescription DescribeViewer(int sceneIndex, WorksheetMedium worksheet);

// Where the controls go in a drawing area of the given size in pixels, in
// the order of ViewerDescription::controls: the picture fills three
// quarters of the width and four fifths of the height (ViewerPictureLayout)
// and the title moves with it; the other controls keep their design places.
std::vector<PixelRect> LayOutViewer(const ViewerDescription& viewer, int areaWidth, int areaHeight);

// The picture box in a drawing area of the given size, in pixels with
// fractions: three quarters of the width and four fifths of the height,
// centred and then moved 65 pixels right; the title's left edge halfway
// along the box's right part, less 80.
struct PictureLayout {
    double left;
    double top;
    double width;
    double height;
    double titleLeft;
};

PictureLayout LayoutPicture(double areaWidth, double areaHeight);

// The picture box in whole pixels: left, top, width and height each
// rounded to the nearest, halves to even (1272 x 762 gives 954 x 610 at
// (224, 76)).
PixelRect PictureRect(const PictureLayout& layout);

}  // namespace kelvora
