#pragma once

#include "canvas/color.h"

#include <span>
#include <string>

namespace kelvora {

// How a colour appears in a scene, so its key shows a mark of that shape.
enum class KeyMark {
    Dot,   // particles and the dots of a curve
    Ring,  // a particle picked out by a coloured outline
    Line,  // lines and arrows
    Band,  // a filled region
};

// One entry of a scene's colour key: what the colour stands for.
struct KeyEntry {
    Color color;
    KeyMark mark;
    const char* meaning;  // UTF-8
};

// The colours of a scene's curves, particles and regions with their
// meanings, in the order a teacher would name them; empty outside 0..15.
std::span<const KeyEntry> SceneKey(int sceneIndex);

// The Japanese name of a colour a key uses (緑, 黄, ...), so a copy in black
// and white still says which is which.
std::string ColourName(Color color);

// "緑：入射波": the entry as printed beside its mark.
std::string KeyText(const KeyEntry& entry);

}  // namespace kelvora
