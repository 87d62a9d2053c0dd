#include "web/packed_frame.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace kelvora {

namespace {

constexpr std::uint8_t kEscape = 255;
constexpr int kMaxLiteral = 128;
constexpr std::size_t kMinRun = 3;
constexpr std::size_t kMaxShortRun = 129;
constexpr std::size_t kMaxLongRun = 0xFFFFFF;

// Calls visit(colour, first, length) for each run of equal pixels.
template <typename Visit>
void forEachRun(const std::uint32_t* pixels, std::size_t count, Visit visit)
{
    for (std::size_t i = 0; i < count;) {
        const std::uint32_t colour = pixels[i];
        std::size_t j = i + 1;
        while (j < count && pixels[j] == colour)
            ++j;
        visit(colour, i, j - i);
        i = j;
    }
}

class Packer {
public:
    explicit Packer(std::vector<std::uint8_t>& data) : data_(data) {}

    void run(std::uint8_t index, std::size_t length)
    {
        literal_ = npos;
        while (length >= kMinRun) {
            const std::size_t n = std::min(length, kMaxLongRun);
            if (n <= kMaxShortRun) {
                data_.push_back(static_cast<std::uint8_t>(n + 125));
            } else {
                data_.insert(data_.end(), {255, static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                    static_cast<std::uint8_t>(n >> 16)});
            }
            data_.push_back(index);
            length -= n;
        }
        for (; length > 0; --length)
            literal(index);
    }

    void literal(std::uint8_t index)
    {
        if (literal_ == npos || data_[literal_] == kMaxLiteral - 1) {
            literal_ = data_.size();
            data_.push_back(0);
        } else {
            ++data_[literal_];
        }
        data_.push_back(index);
    }

private:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    std::vector<std::uint8_t>& data_;
    std::size_t literal_ = npos;
};

// A map's entry for a key, remembering the last two keys asked for: a
// picture's runs mostly take turns between a few colours (a dot cloud's
// between two), so most runs find their colour there without hashing.
template <typename Map>
class RecentEntries {
public:
    explicit RecentEntries(Map& map) : map_(map) {}

    typename Map::mapped_type* find(std::uint32_t key, bool insert)
    {
        for (Recent& r : recent_)
            if (r.value && r.key == key)
                return r.value;
        typename Map::mapped_type* value = nullptr;
        if (insert) {
            value = &map_[key];
        } else if (const auto found = map_.find(key); found != map_.end()) {
            value = &found->second;
        }
        recent_[next_] = {key, value};
        next_ ^= 1;
        return value;
    }

private:
    struct Recent {
        std::uint32_t key = 0;
        typename Map::mapped_type* value = nullptr;
    };
    Map& map_;
    Recent recent_[2];
    int next_ = 0;
};

}  // namespace

void PackFrame(const std::uint32_t* pixels, std::size_t count, PackedFrame& into)
{
    std::unordered_map<std::uint32_t, std::size_t> counts;
    RecentEntries countOf(counts);
    forEachRun(pixels, count,
        [&](std::uint32_t colour, std::size_t, std::size_t n) { *countOf.find(colour, true) += n; });
    std::vector<std::pair<std::uint32_t, std::size_t>> ranked(counts.begin(), counts.end());
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });

    std::unordered_map<std::uint32_t, std::uint8_t> index;
    std::size_t extraCount = 0;
    into.palette.fill(0);
    for (std::size_t k = 0; k < ranked.size(); ++k) {
        if (k < kEscape) {
            into.palette[k] = ranked[k].first;
            index[ranked[k].first] = static_cast<std::uint8_t>(k);
        } else {
            extraCount += ranked[k].second;
        }
    }
    into.pixels = count;
    into.extra.clear();
    into.extra.reserve(extraCount);
    into.data.clear();
    Packer packer(into.data);
    RecentEntries indexOf(index);
    forEachRun(pixels, count, [&](std::uint32_t colour, std::size_t first, std::size_t n) {
        if (const std::uint8_t* k = indexOf.find(colour, false)) {
            packer.run(*k, n);
            return;
        }
        for (std::size_t p = first; p < first + n; ++p) {
            into.extra.push_back(colour);
            packer.literal(kEscape);
        }
    });
}

void UnpackFrame(const PackedFrame& frame, std::uint32_t* out)
{
    const std::uint8_t* in = frame.data.data();
    const std::uint8_t* const end = in + frame.data.size();
    const std::uint32_t* extra = frame.extra.data();
    while (in < end) {
        const std::uint8_t c = *in++;
        if (c < kMaxLiteral) {
            for (int m = 0; m <= c; ++m) {
                const std::uint8_t k = *in++;
                *out++ = k == kEscape ? *extra++ : frame.palette[k];
            }
            continue;
        }
        std::size_t n = c - 125u;
        if (c == 255) {
            n = in[0] | static_cast<std::size_t>(in[1]) << 8 | static_cast<std::size_t>(in[2]) << 16;
            in += 3;
        }
        out = std::fill_n(out, n, frame.palette[*in++]);
    }
}

}  // namespace kelvora
