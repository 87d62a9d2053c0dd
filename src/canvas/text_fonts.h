#pragma once

#include <array>
#include <string_view>

namespace kelvora {

// The families text is drawn in, in order of preference, on every face:
// a Japanese proportional gothic first (the IPA fonts that the pictures are
// made with), then what a tablet or another desktop is likely to have.
inline constexpr std::array<std::string_view, 10> kTextFontFamilies{"IPAPGothic", "IPA Pゴシック", "IPAGothic",
    "Yu Gothic", "Hiragino Sans", "Noto Sans CJK JP", "VL PGothic", "TakaoPGothic", "Droid Sans Japanese",
    "sans-serif"};

}  // namespace kelvora
