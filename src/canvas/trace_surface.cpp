#include "canvas/trace_surface.h"

#include <cstdio>
#include <initializer_list>

namespace kelvora {

std::string TraceNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

namespace {

std::string numbers(std::initializer_list<double> values)
{
    std::string out;
    for (double v : values) {
        out += ' ';
        out += TraceNumber(v);
    }
    return out;
}

}  // namespace

void TraceSurface::append(const std::string& line)
{
    if (!recording_)
        return;
    text_ += line;
    text_ += '\n';
}

void TraceSurface::beginFrame(int frameNo) { append("frame " + std::to_string(frameNo)); }

void TraceSurface::scaleChanged(const DrawState& s)
{
    append("scale" + numbers({s.scaleLeft, s.scaleTop, s.scaleLeft + s.scaleWidth, s.scaleTop + s.scaleHeight}));
}

void TraceSurface::clear(const DrawState&) { append("cls"); }

void TraceSurface::line(const DrawState& s, float x1, float y1, float x2, float y2, Color color)
{
    append("line" + numbers({x1, y1, x2, y2}) + ' ' + ColorHex(color) + ' ' + std::to_string(s.drawWidth)
        + (s.dottedPen() ? " dotted" : " solid"));
}

void TraceSurface::filledBox(const DrawState&, float x1, float y1, float x2, float y2, Color color)
{
    append("box" + numbers({x1, y1, x2, y2}) + ' ' + ColorHex(color));
}

void TraceSurface::circle(const DrawState& s, float x, float y, float radius, Color outline)
{
    append("circle" + numbers({x, y, radius}) + ' ' + ColorHex(outline) + ' ' + std::to_string(s.drawWidth) + ' '
        + (s.filled() ? ColorHex(s.fillColor) : std::string("none")));
}

void TraceSurface::pset(const DrawState& s, float x, float y, Color color)
{
    append("pset" + numbers({x, y}) + ' ' + ColorHex(color) + ' ' + std::to_string(s.drawWidth));
}

void TraceSurface::print(const DrawState& s, const std::string& text)
{
    append("print" + numbers({s.currentX, s.currentY, s.fontSize}) + ' ' + text);
}

}  // namespace kelvora
