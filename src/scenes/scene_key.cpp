#include "scenes/scene_key.h"

#include "scenes/scene_catalogue.h"

#include <array>
#include <utility>

namespace kelvora {

namespace {

using Key = std::array<KeyEntry, 4>;

// Up to four entries per scene; an entry without a meaning ends the key.
const std::array<Key, kSceneCount>& keys()
{
    const Color kGreen = QBColor(qb::Green);
    const Color kYellow = QBColor(qb::Yellow);
    const Color kRed = QBColor(qb::Red);
    const Color kBlue = QBColor(qb::Blue);
    const Color kBlack = QBColor(qb::Black);
    static const std::array<Key, kSceneCount> table = {{
        /* 0 */ {{{kGreen, KeyMark::Dot, "等速円運動をする球"}, {kRed, KeyMark::Dot, "単振動をする球"},
            {kBlue, KeyMark::Line, "変位"}}},
        /* 1 */ {{{kBlue, KeyMark::Ring, "円の上の点と、それと同位相の粒子"},
            {kGreen, KeyMark::Ring, "反対側の点と、それと同位相の粒子"}, {kRed, KeyMark::Dot, "媒質の粒子"}}},
        /* 2 */ {{{kRed, KeyMark::Dot, "媒質の粒子"}, {kBlue, KeyMark::Line, "1 波長離れた 2 つの粒子の変位"},
            {kGreen, KeyMark::Line, "その中間の粒子の変位"}}},
        /* 3 */ {{{kRed, KeyMark::Dot, "媒質の層"}, {kGreen, KeyMark::Line, "層のつり合いの位置"},
            {kGreen, KeyMark::Dot, "横波表示（右向きの変位を上に）"}}},
        /* 4 */ {{{kGreen, KeyMark::Dot, "右へ進む波"}, {kYellow, KeyMark::Dot, "左へ進む波"},
            {kBlack, KeyMark::Dot, "合成波"}}},
        /* 5 */ {{{kGreen, KeyMark::Dot, "媒質の粒子"}, {kBlue, KeyMark::Dot, "右へ進む波（横波表示）"},
            {kYellow, KeyMark::Dot, "左へ進む波（横波表示）"}, {kBlack, KeyMark::Dot, "合成波（横波表示）"}}},
        /* 6 */ {{{kGreen, KeyMark::Dot, "入射波"}, {kYellow, KeyMark::Dot, "反射波"}, {kBlack, KeyMark::Dot, "合成波"},
            {kBoxBlue, KeyMark::Band, "端の向こう（白丸は入射波の延長）"}}},
        /* 7 */ {{{kGreen, KeyMark::Dot, "入射波"}, {kYellow, KeyMark::Dot, "反射波"}, {kBlack, KeyMark::Dot, "合成波"},
            {kBoxBlue, KeyMark::Band, "端の向こう（白丸は入射波の延長）"}}},
        /* 8 */ {{{kBlue, KeyMark::Dot, "水面（斜め上から見た点の列）"}}},
        /* 9 */ {{{kBlue, KeyMark::Dot, "水面（斜め上から見た点の列）"}}},
        /* 10 */ {{{kGreen, KeyMark::Dot, "空気の層"}, {kYellow, KeyMark::Dot, "変位（右向きを上に）"},
            {kRed, KeyMark::Dot, "密度（圧力）の変化"}}},
        /* 11 */ {{{kGreen, KeyMark::Dot, "空気の層"}, {kYellow, KeyMark::Dot, "変位（右向きを上に）"},
            {kRed, KeyMark::Dot, "密度（圧力）の変化"}}},
        /* 12 */ {{{kGreen, KeyMark::Line, "等速円運動の速度"}, {kRed, KeyMark::Line, "単振動の速度"}}},
        /* 13 */ {{{kGreen, KeyMark::Line, "等速円運動の加速度"}, {kRed, KeyMark::Line, "単振動の加速度"}}},
        /* 14 */ {{{kGreen, KeyMark::Dot, "入射波と表面での反射波"}, {kYellow, KeyMark::Dot, "膜の中の波と裏面での反射波"},
            {kBlack, KeyMark::Dot, "2 つの反射波の合成"}, {kBoxBlue, KeyMark::Band, "薄膜"}}},
        /* 15 */ {{{kGreen, KeyMark::Dot, "波源 A から出た波"}, {kYellow, KeyMark::Dot, "波源 B から出た波"},
            {kRed, KeyMark::Line, "点 P"}, {kBlack, KeyMark::Dot, "P での合成の変位"}}},
    }};
    return table;
}

}  // namespace

std::span<const KeyEntry> SceneKey(int sceneIndex)
{
    if (!FindScene(sceneIndex))
        return {};
    const Key& key = keys()[static_cast<std::size_t>(sceneIndex)];
    std::size_t count = 0;
    while (count < key.size() && key[count].meaning)
        ++count;
    return std::span<const KeyEntry>(key.data(), count);
}

std::string ColourName(Color color)
{
    static const std::array<std::pair<Color, const char*>, 8> names = {{
        {QBColor(qb::Green), "緑"}, {QBColor(qb::Yellow), "黄"}, {QBColor(qb::Red), "赤"},
        {QBColor(qb::Blue), "青"}, {QBColor(qb::Black), "黒"}, {kBoxBlue, "水色"},
        // The rings of the probe.
        {QBColor(qb::Magenta), "赤紫"}, {QBColor(qb::DarkCyan), "青緑"},
    }};
    for (const auto& [known, name] : names)
        if (known == color)
            return name;
    return ColorHex(color);
}

std::string KeyText(const KeyEntry& entry) { return ColourName(entry.color) + "：" + entry.meaning; }

}  // namespace kelvora
