#pragma once

#include "viewer_model/control_description.h"
#include "viewer_model/screen_layout.h"

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
// the order of ViewerDescription::controls. Where the design fits the area
// and a mouse is the pointer: the picture fills three quarters of the width
// and four fifths of the height (LayoutPicture) and the title moves with it;
// the other controls keep their design places, grown by ScreenScale. Else
// the controls flow where there is room (ReflowViewer).
WindowLayout LayOutViewer(const ViewerDescription& viewer, int areaWidth, int areaHeight, Pointer pointer,
    Scrolling scrolling = Scrolling::Allowed);

// The design's layout grown by scale (1 at the design's screen: the design
// places, pixel for pixel); controls for a finger get no place.
std::vector<PixelRect> LayOutViewerAsDesigned(
    const ViewerDescription& viewer, int areaWidth, int areaHeight, double scale);

// The controls in a flow for an area the design does not fit, or for a
// finger: the top row, then the column of buttons and scroll bars beside
// the picture in one or more columns, or under it where the screen is tall;
// the picture in the design's proportions, every control a touch target
// where the pointer is a finger. When nothing fits, the window scrolls, or
// where it cannot, the flow that reaches least far below it.
WindowLayout ReflowViewer(const ViewerDescription& viewer, int areaWidth, int areaHeight, Pointer pointer,
    Scrolling scrolling = Scrolling::Allowed);

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
