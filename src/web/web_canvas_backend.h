#pragma once

#include "canvas/canvas_backend.h"
#include "canvas/coordinate_mapping.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kelvora {

// Operation codes of a PaintBatch (the page reads them through the
// bindings), each followed by its arguments (device pixels, colours as
// 0x00BBGGRR):
//   Clear    color
//   Line     x1 y1 x2 y2 color width dotted
//   Box      left top width height color
//   Circle   cx cy radius color width dotted fill (-1: not filled)
//   Dot      cx cy width color                     (a round dot)
//   Text     left top pixelSize color textIndex minimumPixelSize
//            (text smaller than the minimum is drawn at it, centred where it
//            would have been and kept on the picture; 0: no minimum)
//   Pixels   left top right bottom                 (the dot layer's box)
enum class PaintOp : int { Clear = 1, Line, Box, Circle, Dot, Text, Pixels };

// What the page paints in one go: operations in call order, their texts,
// and the dot layer (RGBA, width x height device pixels, transparent where
// nothing was set) that a Pixels operation lays over the picture; the
// canvas's size in device pixels.
struct PaintBatch {
    const std::vector<double>& ops;
    const std::vector<std::string>& texts;
    const std::vector<std::uint32_t>& dots;
    int deviceWidth;
    int deviceHeight;
};

// The canvas backend of the web page. It maps user coordinates to device
// pixels exactly as the desktop raster does (CoordinateMapping, nearest
// pixel), and hands the page the operations to draw with Canvas 2D: pens
// DrawWidth x device pixel ratio wide with round ends, dotted only at
// width 1, filled circles with the outline on top, radii in horizontal
// units, text top-left at the current point.
//
// Thin dots (PSet with a pen of one or two device pixels) are squares of
// pixels: the first few of a batch go to the page as small boxes; beyond
// that (the point clouds of the water scenes) they are set in a layer of
// pixels here, which the page lays over the picture with putImageData: one
// call a frame instead of tens of thousands of rectangles.
//
// Operations collect until flush() hands them to the page; a dot layer
// with dots in it is flushed before any other operation, so the page
// paints in call order.
class WebCanvasBackend : public CanvasBackend {
public:
    using Painter = std::function<void(const PaintBatch&)>;

    WebCanvasBackend(int logicalWidth, int logicalHeight, double devicePixelRatio, Painter painter);

    int logicalWidth() const { return logicalWidth_; }
    int logicalHeight() const { return logicalHeight_; }
    double devicePixelRatio() const { return devicePixelRatio_; }
    int deviceWidth() const { return mapping_.pixelWidth; }
    int deviceHeight() const { return mapping_.pixelHeight; }

    // Hands what was drawn since the last flush to the page.
    void flush();

    // Text smaller than this many logical pixels is to be drawn at this
    // size (see PaintOp::Text): for pictures printed small. 0, the default,
    // draws text at its own size.
    void setMinimumTextPixels(int logicalPixels) { minimumTextPixels_ = logicalPixels; }

    void scaleChanged(const DrawState& state) override;
    void clear(const DrawState& state) override;
    void line(const DrawState& state, float x1, float y1, float x2, float y2, Color color) override;
    void filledBox(const DrawState& state, float x1, float y1, float x2, float y2, Color color) override;
    void circle(const DrawState& state, float x, float y, float radius, Color outline) override;
    void pset(const DrawState& state, float x, float y, Color color) override;
    void print(const DrawState& state, const std::string& text) override;

private:
    int penWidth(const DrawState& state) const;
    void dot(int cx, int cy, int width, Color color);
    // Starts an operation other than a layer dot: the layer goes first.
    void beginOp(PaintOp op);
    void push(double value) { ops_.push_back(value); }

    int logicalWidth_;
    int logicalHeight_;
    double devicePixelRatio_;
    Painter painter_;
    CoordinateMapping mapping_;
    std::vector<double> ops_;
    std::vector<std::string> texts_;
    std::vector<std::uint32_t> dots_;
    // The box of the layer's pixels that are set, inclusive; empty when
    // dotsRight_ < dotsLeft_.
    int dotsLeft_ = 0;
    int dotsTop_ = 0;
    int dotsRight_ = -1;
    int dotsBottom_ = -1;
    // Thin dots handed over as boxes since the last flush.
    int dotBoxes_ = 0;
    int minimumTextPixels_ = 0;
};

}  // namespace kelvora
