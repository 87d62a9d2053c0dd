#include "viewer/viewer_layout.h"

#include "canvas/numeric.h"
#include "scenes/scene_context.h"

namespace kelvora {

namespace {

int twipsToPixels(int twips) { return ToInt32(static_cast<double>(twips) / kTwipsPerPixel); }

}  // namespace

QRect TwipsToPixels(const TwipsRect& t)
{
    return {twipsToPixels(t.left), twipsToPixels(t.top), twipsToPixels(t.width), twipsToPixels(t.height)};
}

PictureLayout LayoutPicture(double drawingWidth, double drawingHeight)
{
    PictureLayout layout{};
    layout.width = drawingWidth * 0.75;
    layout.height = drawingHeight * 0.8;
    layout.left = (drawingWidth + 130 - layout.width) / 2;
    layout.top = (drawingHeight - layout.height) / 2;
    layout.titleLeft = (layout.width + layout.left) / 2 - 80;
    return layout;
}

QRect PictureRect(const PictureLayout& layout)
{
    return {ToInt32(layout.left), ToInt32(layout.top), ToInt32(layout.width), ToInt32(layout.height)};
}

}  // namespace kelvora
