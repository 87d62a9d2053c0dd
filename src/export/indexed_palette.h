#pragma once

#include <QImage>

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace kelvora {

// The colour table of an indexed picture made from RGB32 frames, and the
// index of every colour the frames use.
struct IndexedPalette {
    std::vector<QRgb> colours;  // at most 256, as 0x00rrggbb
    std::unordered_map<QRgb, std::uint8_t> indexOf;  // every 0x00rrggbb used
    // More than 256 colours were used, so some now share an entry.
    bool quantised = false;
};

inline constexpr int kMaxPaletteColours = 256;

// The exact colours of the frames, in the order they first appear, when
// there are at most 256 of them; otherwise 256 colours chosen by median cut
// over the histogram, each used colour mapped to the entry of its box.
// The frames must be RGB32 or ARGB32 (alpha is ignored).
IndexedPalette BuildPalette(const std::vector<QImage>& frames);

}  // namespace kelvora
