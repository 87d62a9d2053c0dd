#include "canvas/color.h"

#include "canvas/runtime_error.h"

#include <array>
#include <cstdio>

namespace kelvora {

Color QBColor(int index)
{
    static constexpr std::array<Color, 16> palette = {
        RGB(0, 0, 0),       RGB(0, 0, 128),     RGB(0, 128, 0),     RGB(0, 128, 128),
        RGB(128, 0, 0),     RGB(128, 0, 128),   RGB(128, 128, 0),   RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(0, 0, 255),     RGB(0, 255, 0),     RGB(0, 255, 255),
        RGB(255, 0, 0),     RGB(255, 0, 255),   RGB(255, 255, 0),   RGB(255, 255, 255),
    };
    if (index < 0 || index > 15)
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "QBColor index outside 0..15");
    return palette[static_cast<std::size_t>(index)];
}

std::string ColorHex(Color c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", RedOf(c), GreenOf(c), BlueOf(c));
    return text;
}

}  // namespace kelvora
