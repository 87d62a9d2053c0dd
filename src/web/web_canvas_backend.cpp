#include "web/web_canvas_backend.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kelvora {

namespace {

// A dot this many device pixels wide or less is a square of pixels (a round
// dot of two pixels is a square anyway); wider ones are drawn round.
constexpr int kLayerDotWidth = 2;
// Thin dots of one batch that go to the page as boxes before the layer
// takes over: a box costs the page little, laying the layer over the
// picture a fixed amount.
constexpr int kDotBoxesPerBatch = 256;

// A layer pixel: bytes R, G, B, A in memory, opaque.
std::uint32_t layerPixel(Color c) { return 0xFF000000u | (c & 0x00FFFFFFu); }

int deviceSide(int logical, double ratio) { return std::max(1, static_cast<int>(std::lround(logical * ratio))); }

}  // namespace

WebCanvasBackend::WebCanvasBackend(int logicalWidth, int logicalHeight, double devicePixelRatio, Painter painter)
    : logicalWidth_(std::max(1, logicalWidth))
    , logicalHeight_(std::max(1, logicalHeight))
    , devicePixelRatio_(devicePixelRatio > 0 ? devicePixelRatio : 1.0)
    , painter_(std::move(painter))
{
    mapping_.width = static_cast<float>(logicalWidth_);
    mapping_.height = static_cast<float>(logicalHeight_);
    mapping_.pixelWidth = deviceSide(logicalWidth_, devicePixelRatio_);
    mapping_.pixelHeight = deviceSide(logicalHeight_, devicePixelRatio_);
    dots_.assign(static_cast<std::size_t>(mapping_.pixelWidth) * static_cast<std::size_t>(mapping_.pixelHeight), 0);
}

void WebCanvasBackend::flush()
{
    const bool dotsSet = dotsRight_ >= dotsLeft_;
    if (dotsSet) {
        push(static_cast<double>(PaintOp::Pixels));
        for (int v : {dotsLeft_, dotsTop_, dotsRight_, dotsBottom_})
            push(v);
    }
    if (!ops_.empty())
        painter_(PaintBatch{ops_, texts_, dots_, mapping_.pixelWidth, mapping_.pixelHeight});
    ops_.clear();
    texts_.clear();
    dotBoxes_ = 0;
    if (dotsSet) {
        const auto width = static_cast<std::size_t>(mapping_.pixelWidth);
        for (int row = dotsTop_; row <= dotsBottom_; ++row) {
            const auto begin = dots_.begin() + static_cast<std::ptrdiff_t>(row * width + dotsLeft_);
            std::fill(begin, begin + (dotsRight_ - dotsLeft_ + 1), 0u);
        }
        dotsRight_ = -1;
        dotsBottom_ = -1;
    }
}

void WebCanvasBackend::beginOp(PaintOp op)
{
    if (dotsRight_ >= dotsLeft_)
        flush();
    push(static_cast<double>(op));
}

void WebCanvasBackend::scaleChanged(const DrawState& s) { mapping_.setScale(s); }

int WebCanvasBackend::penWidth(const DrawState& s) const { return DevicePenWidth(s.drawWidth, devicePixelRatio_); }

void WebCanvasBackend::clear(const DrawState& s)
{
    // Whatever was drawn before is covered: neither it nor the layer's
    // dots need painting.
    ops_.clear();
    texts_.clear();
    dotBoxes_ = 0;
    if (dotsRight_ >= dotsLeft_) {
        std::fill(dots_.begin(), dots_.end(), 0u);
        dotsRight_ = -1;
        dotsBottom_ = -1;
    }
    push(static_cast<double>(PaintOp::Clear));
    push(s.backColor);
}

void WebCanvasBackend::dot(int cx, int cy, int width, Color color)
{
    if (width > kLayerDotWidth) {
        beginOp(PaintOp::Dot);
        for (double v : {static_cast<double>(cx), static_cast<double>(cy), static_cast<double>(width)})
            push(v);
        push(color);
        return;
    }
    // The square of the pen's width whose top-left pixel is the point's.
    const int left = std::max(cx, 0);
    const int top = std::max(cy, 0);
    const int right = std::min(cx + width - 1, mapping_.pixelWidth - 1);
    const int bottom = std::min(cy + width - 1, mapping_.pixelHeight - 1);
    if (left > right || top > bottom)
        return;
    if (dotsRight_ < dotsLeft_ && dotBoxes_ < kDotBoxesPerBatch) {
        ++dotBoxes_;
        push(static_cast<double>(PaintOp::Box));
        for (int v : {left, top, right - left + 1, bottom - top + 1})
            push(v);
        push(color);
        return;
    }
    if (dotsRight_ < dotsLeft_) {
        dotsLeft_ = left;
        dotsTop_ = top;
        dotsRight_ = right;
        dotsBottom_ = bottom;
    } else {
        dotsLeft_ = std::min(dotsLeft_, left);
        dotsTop_ = std::min(dotsTop_, top);
        dotsRight_ = std::max(dotsRight_, right);
        dotsBottom_ = std::max(dotsBottom_, bottom);
    }
    const std::uint32_t pixel = layerPixel(color);
    const auto pitch = static_cast<std::size_t>(mapping_.pixelWidth);
    for (int row = top; row <= bottom; ++row)
        for (int column = left; column <= right; ++column)
            dots_[static_cast<std::size_t>(row) * pitch + static_cast<std::size_t>(column)] = pixel;
}

void WebCanvasBackend::line(const DrawState& s, float x1, float y1, float x2, float y2, Color color)
{
    const int ax = mapping_.columnOf(x1);
    const int ay = mapping_.rowOf(y1);
    const int bx = mapping_.columnOf(x2);
    const int by = mapping_.rowOf(y2);
    const int width = penWidth(s);
    if (ax == bx && ay == by) {
        // A line of no length is a dot of the pen.
        dot(ax, ay, width, color);
        return;
    }
    beginOp(PaintOp::Line);
    for (int v : {ax, ay, bx, by})
        push(v);
    push(color);
    push(width);
    push(s.dottedPen() ? 1 : 0);
}

void WebCanvasBackend::filledBox(const DrawState&, float x1, float y1, float x2, float y2, Color color)
{
    const int ax = mapping_.columnOf(x1);
    const int ay = mapping_.rowOf(y1);
    const int bx = mapping_.columnOf(x2);
    const int by = mapping_.rowOf(y2);
    // Both corner pixels are inside the box.
    beginOp(PaintOp::Box);
    push(std::min(ax, bx));
    push(std::min(ay, by));
    push(std::abs(bx - ax) + 1);
    push(std::abs(by - ay) + 1);
    push(color);
}

void WebCanvasBackend::circle(const DrawState& s, float x, float y, float radius, Color outline)
{
    beginOp(PaintOp::Circle);
    push(mapping_.columnOf(x));
    push(mapping_.rowOf(y));
    push(mapping_.horizontalPixels(radius));
    push(outline);
    push(penWidth(s));
    push(s.dottedPen() ? 1 : 0);
    push(s.filled() ? static_cast<double>(s.fillColor) : -1.0);
}

void WebCanvasBackend::pset(const DrawState& s, float x, float y, Color color)
{
    dot(mapping_.columnOf(x), mapping_.rowOf(y), penWidth(s), color);
}

void WebCanvasBackend::print(const DrawState& s, const std::string& text)
{
    beginOp(PaintOp::Text);
    push(mapping_.columnOf(s.currentX));
    push(mapping_.rowOf(s.currentY));
    // Points at 96 dots per inch, times the device pixel ratio.
    push(std::max(1, static_cast<int>(std::lround(s.fontSize * 96.0 / 72.0 * devicePixelRatio_))));
    push(s.foreColor);
    push(static_cast<double>(texts_.size()));
    push(std::lround(minimumTextPixels_ * devicePixelRatio_));
    texts_.push_back(text);
}

}  // namespace kelvora
