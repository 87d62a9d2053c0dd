#pragma once

#include "canvas/canvas_backend.h"

#include <string>

namespace kelvora {

// A backend that records every operation as one line of text:
//
//   scale <x1> <y1> <x2> <y2>
//   cls
//   line <x1> <y1> <x2> <y2> <color> <width> <solid|dotted>
//   box <x1> <y1> <x2> <y2> <color>
//   circle <x> <y> <r> <outline> <width> <fill|none>
//   pset <x> <y> <color> <width>
//   print <x> <y> <size> <text>
//
// Numbers are user coordinates printed with %.9g, colours #rrggbb.
class TraceSurface : public CanvasBackend {
public:
    // Adds "frame <k>", the header line before a frame's operations.
    void beginFrame(int frameNo);
    // While not recording, operations leave no line (frames drawn only for
    // the state they leave behind).
    void setRecording(bool recording) { recording_ = recording; }

    const std::string& text() const { return text_; }
    void clearText() { text_.clear(); }

    void scaleChanged(const DrawState& state) override;
    void clear(const DrawState& state) override;
    void line(const DrawState& state, float x1, float y1, float x2, float y2, Color color) override;
    void filledBox(const DrawState& state, float x1, float y1, float x2, float y2, Color color) override;
    void circle(const DrawState& state, float x, float y, float radius, Color outline) override;
    void pset(const DrawState& state, float x, float y, Color color) override;
    void print(const DrawState& state, const std::string& text) override;

private:
    void append(const std::string& line);

    std::string text_;
    bool recording_ = true;
};

// One number as the trace prints it (%.9g).
std::string TraceNumber(double value);

}  // namespace kelvora
