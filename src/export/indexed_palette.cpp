#include "export/indexed_palette.h"

#include <algorithm>
#include <array>

namespace kelvora {

namespace {

constexpr QRgb kRgbMask = 0x00FFFFFF;

struct ColourCount {
    QRgb colour;
    std::uint64_t count;
};

int channel(QRgb colour, int which) { return static_cast<int>((colour >> (16 - 8 * which)) & 0xFF); }

// Every colour used, with how many pixels have it, in order of first use.
std::vector<ColourCount> histogram(const std::vector<QImage>& frames)
{
    std::unordered_map<QRgb, std::size_t> slotOf;
    std::vector<ColourCount> counts;
    for (const QImage& frame : frames) {
        for (int y = 0; y < frame.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
            // Runs of one colour are the common case: look each run up once.
            int x = 0;
            while (x < frame.width()) {
                const QRgb colour = row[x] & kRgbMask;
                int end = x + 1;
                while (end < frame.width() && (row[end] & kRgbMask) == colour)
                    ++end;
                const auto [slot, added] = slotOf.try_emplace(colour, counts.size());
                if (added)
                    counts.push_back({colour, 0});
                counts[slot->second].count += static_cast<std::uint64_t>(end - x);
                x = end;
            }
        }
    }
    return counts;
}

// A box of the median cut: a range of the histogram.
struct Box {
    std::size_t begin;
    std::size_t end;
    int widestChannel = 0;
    int spread = 0;
};

void measure(Box& box, const std::vector<ColourCount>& counts)
{
    std::array<int, 3> low{255, 255, 255};
    std::array<int, 3> high{0, 0, 0};
    for (std::size_t i = box.begin; i < box.end; ++i)
        for (int c = 0; c < 3; ++c) {
            low[c] = std::min(low[c], channel(counts[i].colour, c));
            high[c] = std::max(high[c], channel(counts[i].colour, c));
        }
    box.spread = -1;
    for (int c = 0; c < 3; ++c)
        if (high[c] - low[c] > box.spread) {
            box.spread = high[c] - low[c];
            box.widestChannel = c;
        }
}

// Splits the box at the pixel-weighted median of its widest channel.
std::pair<Box, Box> split(const Box& box, std::vector<ColourCount>& counts)
{
    const int c = box.widestChannel;
    std::sort(counts.begin() + static_cast<std::ptrdiff_t>(box.begin),
        counts.begin() + static_cast<std::ptrdiff_t>(box.end),
        [c](const ColourCount& a, const ColourCount& b) { return channel(a.colour, c) < channel(b.colour, c); });
    std::uint64_t total = 0;
    for (std::size_t i = box.begin; i < box.end; ++i)
        total += counts[i].count;
    std::uint64_t running = 0;
    std::size_t cut = box.begin + 1;
    for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
        running += counts[i].count;
        cut = i + 1;
        if (running * 2 >= total)
            break;
    }
    Box first{box.begin, cut};
    Box second{cut, box.end};
    measure(first, counts);
    measure(second, counts);
    return {first, second};
}

QRgb meanColour(const Box& box, const std::vector<ColourCount>& counts)
{
    std::array<double, 3> sum{};
    double weight = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) {
        const double w = static_cast<double>(counts[i].count);
        for (int c = 0; c < 3; ++c)
            sum[c] += w * channel(counts[i].colour, c);
        weight += w;
    }
    QRgb colour = 0;
    for (int c = 0; c < 3; ++c)
        colour |= static_cast<QRgb>(std::clamp(static_cast<int>(sum[c] / weight + 0.5), 0, 255)) << (16 - 8 * c);
    return colour;
}

IndexedPalette medianCut(std::vector<ColourCount> counts)
{
    std::vector<Box> boxes{{0, counts.size()}};
    measure(boxes.front(), counts);
    while (boxes.size() < static_cast<std::size_t>(kMaxPaletteColours)) {
        // The box whose colours lie furthest apart is cut next.
        auto widest = std::max_element(boxes.begin(), boxes.end(),
            [](const Box& a, const Box& b) { return a.spread < b.spread; });
        if (widest->spread <= 0)
            break;
        const auto [first, second] = split(*widest, counts);
        *widest = first;
        boxes.push_back(second);
    }
    IndexedPalette palette;
    palette.quantised = true;
    for (std::size_t b = 0; b < boxes.size(); ++b) {
        palette.colours.push_back(meanColour(boxes[b], counts));
        for (std::size_t i = boxes[b].begin; i < boxes[b].end; ++i)
            palette.indexOf.emplace(counts[i].colour, static_cast<std::uint8_t>(b));
    }
    return palette;
}

}  // namespace

IndexedPalette BuildPalette(const std::vector<QImage>& frames)
{
    std::vector<ColourCount> counts = histogram(frames);
    if (counts.size() > static_cast<std::size_t>(kMaxPaletteColours))
        return medianCut(std::move(counts));
    IndexedPalette palette;
    for (const ColourCount& entry : counts) {
        palette.indexOf.emplace(entry.colour, static_cast<std::uint8_t>(palette.colours.size()));
        palette.colours.push_back(entry.colour);
    }
    return palette;
}

}  // namespace kelvora
