#pragma once

#include <cstdint>
#include <string>

namespace kelvora {

// A 24-bit colour laid out as 0x00BBGGRR (red in the low byte).
using Color = std::uint32_t;

constexpr Color RGB(int red, int green, int blue)
{
    return static_cast<Color>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

inline constexpr Color kWhite = RGB(255, 255, 255);
inline constexpr Color kBlack = RGB(0, 0, 0);
// The one colour literal the scenes use: the light blue of filled boxes.
inline constexpr Color kBoxBlue = RGB(192, 192, 255);

// The 16-colour palette; an index outside 0..15 is the run-time error
// "Invalid procedure call".
Color QBColor(int index);

// Names for the palette's indices, after the colour each one gives.
namespace qb {
inline constexpr int Black = 0;        // #000000
inline constexpr int DarkBlue = 1;     // #000080
inline constexpr int DarkGreen = 2;    // #008000
inline constexpr int DarkCyan = 3;     // #008080
inline constexpr int DarkRed = 4;      // #800000
inline constexpr int DarkMagenta = 5;  // #800080
inline constexpr int DarkYellow = 6;   // #808000
inline constexpr int LightGrey = 7;    // #c0c0c0
inline constexpr int Grey = 8;         // #808080
inline constexpr int Blue = 9;         // #0000ff
inline constexpr int Green = 10;       // #00ff00
inline constexpr int Cyan = 11;        // #00ffff
inline constexpr int Red = 12;         // #ff0000
inline constexpr int Magenta = 13;     // #ff00ff
inline constexpr int Yellow = 14;      // #ffff00
inline constexpr int White = 15;       // #ffffff
}  // namespace qb

// "#rrggbb" in lower case.
std::string ColorHex(Color c);

// 0xAARRGGBB, fully opaque: the layout of a 32-bit pixel.
constexpr std::uint32_t ToArgb(Color c)
{
    return 0xFF000000u | (static_cast<std::uint32_t>(RedOf(c)) << 16)
        | (static_cast<std::uint32_t>(GreenOf(c)) << 8) | static_cast<std::uint32_t>(BlueOf(c));
}

}  // namespace kelvora
