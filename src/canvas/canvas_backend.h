#pragma once

#include "canvas/color.h"
#include "canvas/draw_state.h"

#include <string>

namespace kelvora {

// What carries out the operations of a Canvas: a raster image or a trace.
// Coordinates arrive in user units, exactly as the scene handed them over;
// the state is the drawing state in force for the operation; text is UTF-8.
class CanvasBackend {
public:
    virtual ~CanvasBackend() = default;

    virtual void scaleChanged(const DrawState& state) = 0;
    virtual void clear(const DrawState& state) = 0;
    virtual void line(const DrawState& state, float x1, float y1, float x2, float y2, Color color) = 0;
    virtual void filledBox(const DrawState& state, float x1, float y1, float x2, float y2, Color color) = 0;
    virtual void circle(const DrawState& state, float x, float y, float radius, Color outline) = 0;
    virtual void pset(const DrawState& state, float x, float y, Color color) = 0;
    virtual void print(const DrawState& state, const std::string& text) = 0;
};

}  // namespace kelvora
