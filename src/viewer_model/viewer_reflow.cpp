// The viewer on any screen: the design's places where they fit a mouse,
// else a flow of the controls around a picture in the design's proportions.

#include "viewer_model/viewer_description.h"

#include <algorithm>
#include <array>
#include <limits>

namespace kelvora {

namespace {

bool inside(const PixelRect& r, int width, int height)
{
    return r.left >= 0 && r.top >= 0 && r.left + r.width <= width && r.top + r.height <= height;
}

// The design fits when every control lies in the area, clear of the picture.
bool designFits(const ViewerDescription& viewer, const std::vector<PixelRect>& places, int width, int height)
{
    const std::size_t picture = viewer.indexOf("picture");
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (i == picture || !ShownWith(viewer.controls[i], Pointer::Fine))
            continue;
        if (!inside(places[i], width, height) || places[i].overlaps(places[picture]))
            return false;
    }
    return true;
}

// The picture's width over its height, as on the design's screen.
constexpr double kPictureAspect = kDesignScreenWidth * 0.75 / (kDesignScreenHeight * 0.8);

// Design lengths (pixels at the design's screen) of the flow, before the
// screen's scale.
constexpr double kMargin = 8;
constexpr double kColumnWidth = 176;
constexpr double kGroupGap = 12;
constexpr double kFineGap = 4;
constexpr double kTouchGap = 8;

// The column's controls in groups that stay together: the buttons, the
// speed, the parameter, 保存.
using Group = std::vector<std::string_view>;
const std::array<Group, 4> kGroups = {{
    {"draw", "play", "pause", "step", "end"},
    {"speed-label", "speed-less", "speed", "speed-more", "fast-label", "slow-label"},
    {"parameter-label", "parameter-less", "parameter", "parameter-more", "parameter-text"},
    {"save", "save-status"},
}};

// Places controls in rows, in pixels of the area.
class Flow {
public:
    Flow(const ViewerDescription& viewer, Pointer pointer, double scale)
        : viewer_(viewer)
        , pointer_(pointer)
        , scale_(scale)
        , places_(viewer.controls.size())
    {
    }

    int px(double designPixels) const { return ScaledPixels(designPixels, scale_); }
    int gap() const { return px(pointer_ == Pointer::Coarse ? kTouchGap : kFineGap); }

    bool shown(std::string_view name) const { return ShownWith(viewer_.at(name), pointer_); }

    // A control's design width and height at the scale, a touch target at
    // the least if it takes a finger.
    int width(std::string_view name) const { return side(name, viewer_.at(name).rect.width); }
    int height(std::string_view name) const { return side(name, viewer_.at(name).rect.height); }

    void put(std::string_view name, PixelRect r) { places_[viewer_.indexOf(name)] = r; }

    // A group in a column at (left, top), width wide; returns its height.
    int placeGroup(const Group& group, int left, int top, int columnWidth)
    {
        int y = top;
        const auto row = [&](int h) {
            const int at = y;
            y += h + gap();
            return at;
        };
        const std::string_view first = group.front();
        if (first == "draw" || first == "save") {
            for (std::string_view name : group)
                if (shown(name))
                    put(name, {left, row(height(name)), columnWidth, height(name)});
        } else if (shown(group[2])) {
            // The label, the bar between its step buttons, then the ends'
            // labels or the value under it.
            put(group[0], {left, row(height(group[0])), columnWidth, height(group[0])});
            const int bar = height(group[2]);
            const int at = row(bar);
            int barLeft = left;
            int barRight = left + columnWidth;
            if (shown(group[1])) {
                const int step = std::max(width(group[1]), bar);
                put(group[1], {left, at, step, bar});
                put(group[3], {barRight - step, at, step, bar});
                barLeft += step + gap();
                barRight -= step + gap();
            }
            put(group[2], {barLeft, at, barRight - barLeft, bar});
            if (group.size() == 6) {
                const int h = std::max(height(group[4]), height(group[5]));
                const int under = row(h);
                put(group[4], {barLeft, under, width(group[4]), h});
                put(group[5], {barRight - width(group[5]), under, width(group[5]), h});
            } else {
                put(group[4], {barLeft, row(height(group[4])), width(group[4]), height(group[4])});
            }
        }
        return y == top ? 0 : y - top - gap();
    }

    // The top row, left to right from (left, top), wrapping at right;
    // returns its bottom.
    int placeTopRow(int left, int top, int right)
    {
        int x = left;
        int y = top;
        int rowHeight = 0;
        for (std::string_view name : {"readout", "frames12", "frames24"}) {
            const int w = width(name);
            const int h = height(name);
            if (x > left && x + w > right) {
                x = left;
                y += rowHeight + gap();
                rowHeight = 0;
            }
            put(name, {x, y, w, h});
            x += w + gap();
            rowHeight = std::max(rowHeight, h);
        }
        return y + rowHeight;
    }

    std::vector<PixelRect>& places() { return places_; }

private:
    int side(std::string_view name, double twips) const
    {
        const int designed = TwipsToPixels(twips * scale_);
        return viewer_.at(name).takesFocus() ? TargetSize(designed, pointer_) : designed;
    }

    const ViewerDescription& viewer_;
    Pointer pointer_;
    double scale_;
    std::vector<PixelRect> places_;
};

// The groups in columns: split where the tallest column is least tall.
// Returns the columns' height.
int placeGroups(Flow& flow, int columns, int left, int top, int columnWidth, int columnGap)
{
    std::array<int, kGroups.size()> heights{};
    for (std::size_t g = 0; g < kGroups.size(); ++g)
        heights[g] = Flow(flow).placeGroup(kGroups[g], 0, 0, columnWidth);
    const int groupGap = flow.px(kGroupGap);
    // column[g]: the column of group g; tried over every split in order.
    std::array<int, kGroups.size()> best{};
    int bestHeight = std::numeric_limits<int>::max();
    const int splits = 1 << (kGroups.size() - 1);
    for (int split = 0; split < splits; ++split) {
        std::array<int, kGroups.size()> column{};
        for (std::size_t g = 1; g < kGroups.size(); ++g)
            column[g] = column[g - 1] + ((split >> (g - 1)) & 1);
        if (column.back() >= columns)
            continue;
        std::vector<int> used(static_cast<std::size_t>(columns), 0);
        for (std::size_t g = 0; g < kGroups.size(); ++g) {
            int& h = used[static_cast<std::size_t>(column[g])];
            if (heights[g] > 0)
                h += (h > 0 ? groupGap : 0) + heights[g];
        }
        const int tallest = *std::max_element(used.begin(), used.end());
        if (tallest < bestHeight) {
            bestHeight = tallest;
            best = column;
        }
    }
    std::vector<int> y(static_cast<std::size_t>(columns), top);
    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        int& at = y[static_cast<std::size_t>(best[g])];
        const int h = flow.placeGroup(kGroups[g], left + best[g] * (columnWidth + columnGap), at, columnWidth);
        if (h > 0)
            at += h + groupGap;
    }
    return bestHeight;
}

// The largest picture in the design's proportions in a box, at its top,
// centred across.
PixelRect fitPicture(int left, int top, int width, int height)
{
    const double w = std::max(0, std::min(width, static_cast<int>(height * kPictureAspect)));
    const int h = static_cast<int>(w / kPictureAspect);
    return {left + (width - static_cast<int>(w)) / 2, top, static_cast<int>(w), h};
}

struct Candidate {
    WindowLayout layout;
    int pictureArea = 0;
    bool scrolls = true;
};

// The top row, the title over the picture, and the rest in columns beside
// it (columns > 0) or under it (columns == 0: as many as the width takes).
Candidate flowViewer(const ViewerDescription& viewer, int width, int height, Pointer pointer, double scale, int columns)
{
    Flow flow(viewer, pointer, scale);
    const int margin = flow.px(kMargin);
    const int gap = flow.gap();
    const int topBottom = flow.placeTopRow(margin, margin, width - margin);
    const int titleHeight = flow.height("title");
    const int pictureTop = topBottom + gap + titleHeight + gap;
    const int columnWidth = flow.px(kColumnWidth);
    PixelRect picture;
    int bottom = 0;
    if (columns > 0) {
        const int columnsTop = topBottom + gap;
        bottom = columnsTop + placeGroups(flow, columns, margin, columnsTop, columnWidth, margin);
        const int pictureLeft = margin + columns * columnWidth + (columns + 1) * margin;
        picture = fitPicture(pictureLeft, pictureTop, width - margin - pictureLeft, height - margin - pictureTop);
    } else {
        // As wide as the screen, and all of it seen before any scrolling.
        picture = fitPicture(margin, pictureTop, width - 2 * margin, height - margin - pictureTop);
        const int across = std::clamp((width - margin) / (columnWidth + margin), 1, static_cast<int>(kGroups.size()));
        const int stretched = (width - (across + 1) * margin) / across;
        const int columnsTop = picture.top + picture.height + margin;
        bottom = columnsTop + placeGroups(flow, across, margin, columnsTop, stretched, margin);
    }
    bottom = std::max(bottom, picture.top + picture.height);
    flow.put("picture", picture);
    flow.put("title", {picture.left, topBottom + gap, flow.width("title"), titleHeight});

    Candidate c;
    c.layout.places = std::move(flow.places());
    c.layout.textScale = scale;
    c.layout.contentWidth = width;
    c.layout.contentHeight = std::max(height, bottom + margin);
    c.layout.reflowed = true;
    c.pictureArea = picture.width * picture.height;
    c.scrolls = bottom + margin > height;
    return c;
}

}  // namespace

WindowLayout ReflowViewer(
    const ViewerDescription& viewer, int areaWidth, int areaHeight, Pointer pointer, Scrolling scrolling)
{
    const double scale = ScreenScale(areaWidth, areaHeight);
    // Beside the picture in one to three columns, or under it: the largest
    // picture, where one that needs scrolling to reach the controls must be
    // half as large again to be worth it.
    std::vector<Candidate> candidates;
    // On a tie the column beside the picture, where 描画 is in sight.
    for (int columns : {1, 2, 3, 0})
        candidates.push_back(flowViewer(viewer, areaWidth, areaHeight, pointer, scale, columns));
    const auto worth = [&](const Candidate& c) {
        if (!c.scrolls)
            return static_cast<double>(c.pictureArea);
        if (scrolling == Scrolling::None)
            return -static_cast<double>(c.layout.contentHeight);  // the least beyond the edge
        return c.pictureArea / 1.5;
    };
    const auto better = [&](const Candidate& a, const Candidate& b) { return worth(a) > worth(b); };
    return std::min_element(candidates.begin(), candidates.end(), better)->layout;
}

WindowLayout LayOutViewer(
    const ViewerDescription& viewer, int areaWidth, int areaHeight, Pointer pointer, Scrolling scrolling)
{
    const double scale = ScreenScale(areaWidth, areaHeight);
    std::vector<PixelRect> designed = LayOutViewerAsDesigned(viewer, areaWidth, areaHeight, scale);
    if (pointer == Pointer::Coarse || !designFits(viewer, designed, areaWidth, areaHeight))
        return ReflowViewer(viewer, areaWidth, areaHeight, pointer, scrolling);
    WindowLayout layout;
    layout.places = std::move(designed);
    layout.textScale = scale;
    layout.contentWidth = areaWidth;
    layout.contentHeight = areaHeight;
    return layout;
}

}  // namespace kelvora
