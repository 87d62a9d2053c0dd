#include "canvas/canvas.h"

#include "canvas/runtime_error.h"

namespace kelvora {

Canvas::Canvas(CanvasBackend& backend, int pixelWidth, int pixelHeight)
    : backend_(backend)
    , pixelWidth_(pixelWidth)
    , pixelHeight_(pixelHeight)
{
    state_.scaleWidth = static_cast<float>(pixelWidth);
    state_.scaleHeight = static_cast<float>(pixelHeight);
}

void Canvas::Scale(float x1, float y1, float x2, float y2)
{
    // A degenerate scale would divide by zero when mapping.
    if (x2 == x1 || y2 == y1)
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "Scale with an empty range");
    state_.scaleLeft = x1;
    state_.scaleTop = y1;
    state_.scaleWidth = x2 - x1;
    state_.scaleHeight = y2 - y1;
    backend_.scaleChanged(state_);
}

void Canvas::Cls()
{
    backend_.clear(state_);
    state_.currentX = 0;
    state_.currentY = 0;
}

void Canvas::Line(float x1, float y1, float x2, float y2) { Line(x1, y1, x2, y2, state_.foreColor); }

void Canvas::Line(float x1, float y1, float x2, float y2, Color color)
{
    backend_.line(state_, x1, y1, x2, y2, color);
    state_.currentX = x2;
    state_.currentY = y2;
}

void Canvas::LineTo(float x2, float y2, Color color) { Line(state_.currentX, state_.currentY, x2, y2, color); }

void Canvas::LineBoxFilled(float x1, float y1, float x2, float y2, Color color)
{
    backend_.filledBox(state_, x1, y1, x2, y2, color);
    state_.currentX = x2;
    state_.currentY = y2;
}

void Canvas::Circle(float x, float y, float radius) { Circle(x, y, radius, state_.foreColor); }

void Canvas::Circle(float x, float y, float radius, Color color)
{
    backend_.circle(state_, x, y, radius, color);
    state_.currentX = x;
    state_.currentY = y;
}

void Canvas::PSet(float x, float y) { PSet(x, y, state_.foreColor); }

void Canvas::PSet(float x, float y, Color color)
{
    backend_.pset(state_, x, y, color);
    state_.currentX = x;
    state_.currentY = y;
}

void Canvas::RestoreState(const DrawState& state)
{
    state_ = state;
    backend_.scaleChanged(state_);
}

void Canvas::Print(const std::string& text) { backend_.print(state_, text); }

void Canvas::PrintAt(float x, float y, const std::string& text)
{
    SetCurrentX(x);
    SetCurrentY(y);
    Print(text);
}

void Canvas::SetDrawWidth(std::int16_t width)
{
    // A pen is at least one pixel wide.
    state_.drawWidth = width < 1 ? std::int16_t{1} : width;
}

}  // namespace kelvora
