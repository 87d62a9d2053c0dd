#pragma once

#include "canvas/canvas_backend.h"
#include "canvas/color.h"
#include "canvas/draw_state.h"

#include <cstdint>
#include <string>

namespace kelvora {

// The drawing surface as the scenes see it: immediate-mode operations in
// user coordinates plus the drawing state, which lives here and persists
// between calls and frames. The backend does the drawing.
//
// The surface starts in pixel coordinates (origin top-left); every scene
// sets its own system with Scale first.
class Canvas {
public:
    Canvas(CanvasBackend& backend, int pixelWidth, int pixelHeight);

    // Scale (x1, y1)-(x2, y2).
    void Scale(float x1, float y1, float x2, float y2);
    // Fills with BackColor and moves the current point to (0, 0).
    void Cls();
    // Line (x1, y1)-(x2, y2)[, color].
    void Line(float x1, float y1, float x2, float y2);
    void Line(float x1, float y1, float x2, float y2, Color color);
    // Line -(x2, y2), color: from the current point.
    void LineTo(float x2, float y2, Color color);
    // Line (x1, y1)-(x2, y2), color, BF.
    void LineBoxFilled(float x1, float y1, float x2, float y2, Color color);
    // Circle (x, y), radius[, color]; the radius is in horizontal units.
    void Circle(float x, float y, float radius);
    void Circle(float x, float y, float radius, Color color);
    // PSet (x, y)[, color].
    void PSet(float x, float y);
    void PSet(float x, float y, Color color);
    // Print text (UTF-8) at the current point (top-left of the first
    // character cell).
    void Print(const std::string& text);
    // CurrentX = x, CurrentY = y, then Print text.
    void PrintAt(float x, float y, const std::string& text);

    void SetCurrentX(float x) { state_.currentX = x; }
    void SetCurrentY(float y) { state_.currentY = y; }
    void SetDrawWidth(std::int16_t width);
    void SetDrawStyle(std::int16_t style) { state_.drawStyle = style; }
    void SetFillStyle(std::int16_t style) { state_.fillStyle = style; }
    void SetFillColor(Color color) { state_.fillColor = color; }
    void SetFontSize(float points) { state_.fontSize = points; }

    const DrawState& state() const { return state_; }
    // Puts a drawing state in force as if the calls that left it had run
    // on this canvas: a frame drawn on another canvas hands its state on.
    void RestoreState(const DrawState& state);
    int pixelWidth() const { return pixelWidth_; }
    int pixelHeight() const { return pixelHeight_; }

private:
    CanvasBackend& backend_;
    int pixelWidth_;
    int pixelHeight_;
    DrawState state_;
};

}  // namespace kelvora
