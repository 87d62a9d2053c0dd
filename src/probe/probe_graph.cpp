#include "probe/probe_graph.h"

#include "canvas/canvas.h"
#include "probe/probe.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>

namespace kelvora {

namespace {

// The graph is 0.4 of the picture's height: room for a swing of the size
// the picture shows, and for the labels.
constexpr double kGraphHeightShare = 0.4;

// The graph's plot area in its own pixels, worked out from its size.
struct Frame {
    double fontPoints;
    double fontPixels;
    double left;    // t = 0, the displacement axis
    double right;   // t = T
    double top;
    double bottom;
    double middle;  // displacement 0, the time axis
    double amplitude;

    double xOf(double t) const { return left + t * (right - left); }
    // The amplitude fills the plot but for a little room at its edges.
    double yOf(double value) const { return middle - value / (amplitude * 1.08) * (bottom - top) / 2; }
};

Frame frameFor(const Canvas& canvas, double amplitude)
{
    const double width = canvas.pixelWidth();
    const double height = canvas.pixelHeight();
    Frame f{};
    // 12 points on a graph 240 pixels high, in proportion on others.
    f.fontPoints = std::clamp(std::floor(height / 20), 7.0, 16.0);
    f.fontPixels = f.fontPoints * 96 / 72;
    const double line = f.fontPixels * 1.3;
    f.top = line + 4;
    f.bottom = height - line - 2;
    f.middle = std::round((f.top + f.bottom) / 2);
    f.left = std::round(std::max(f.fontPixels, width * 0.04));
    // Room after the time axis for its arrow and "時刻 t".
    f.right = std::round(width - f.fontPixels * 4.6 - 14);
    f.amplitude = amplitude > 0 ? amplitude : 1;
    return f;
}

// A text's width, estimated: the full-width characters of the labels are
// one em, the rest about 0.6 em.
double textWidth(const std::string& text, double fontPixels)
{
    double ems = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        ems += length >= 3 ? 1.0 : 0.6;
        i += length;
    }
    return ems * fontPixels;
}

void line(Canvas& c, double x1, double y1, double x2, double y2, Color color)
{
    c.Line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2), static_cast<float>(y2), color);
}

void drawGrid(Canvas& c, const Frame& f, int frames)
{
    const Color grey = QBColor(qb::LightGrey);
    c.SetDrawWidth(1);
    // One line a frame, so the frames' values can be plotted on it.
    for (int k = 1; k <= frames; ++k)
        line(c, f.xOf(k / double(frames)), f.top, f.xOf(k / double(frames)), f.bottom, grey);
    for (const double share : {-1.0, -0.5, 0.5, 1.0})
        line(c, f.left, f.yOf(share * f.amplitude), f.right, f.yOf(share * f.amplitude), grey);
}

void drawAxes(Canvas& c, const Frame& f)
{
    const Color black = QBColor(qb::Black);
    const double arrow = std::max(4.0, f.fontPixels * 0.4);
    c.SetDrawWidth(1);
    // The time axis at displacement 0, the displacement axis at t = 0,
    // each with an arrowhead.
    const double end = f.right + 12;
    line(c, f.left, f.middle, end, f.middle, black);
    line(c, end, f.middle, end - arrow, f.middle - arrow / 2, black);
    line(c, end, f.middle, end - arrow, f.middle + arrow / 2, black);
    const double head = f.top - 6;
    line(c, f.left, f.bottom, f.left, head, black);
    line(c, f.left, head, f.left - arrow / 2, head + arrow, black);
    line(c, f.left, head, f.left + arrow / 2, head + arrow, black);

    c.SetFontSize(static_cast<float>(f.fontPoints));
    const double textHeight = f.fontPixels * 1.3;
    c.PrintAt(static_cast<float>(f.left + arrow), static_cast<float>(head - textHeight / 2 - 1), "変位 y");
    c.PrintAt(static_cast<float>(end + 4), static_cast<float>(f.middle - textHeight / 2), "時刻 t");

    // The quarter periods, marked on the axis and named under the plot.
    static const char* const quarters[] = {"T/4", "T/2", "3T/4", "T"};
    c.SetDrawWidth(2);
    for (int q = 1; q <= 4; ++q) {
        const double x = f.xOf(q / 4.0);
        line(c, x, f.middle - 5, x, f.middle + 5, black);
        const std::string name = quarters[q - 1];
        c.PrintAt(static_cast<float>(x - textWidth(name, f.fontPixels) / 2), static_cast<float>(f.bottom + 2), name);
    }
    c.PrintAt(static_cast<float>(f.left - textWidth("0", f.fontPixels) / 2), static_cast<float>(f.bottom + 2), "0");
}

void drawTrack(Canvas& c, const Frame& f, const ProbeTrack& track, int frameShown, bool cursor)
{
    c.SetDrawWidth(2);
    for (std::size_t j = 1; j < track.curve.size(); ++j) {
        const double t0 = (j - 1) / double(kCurveSamples);
        const double t1 = j / double(kCurveSamples);
        line(c, f.xOf(t0), f.yOf(track.curve[j - 1]), f.xOf(t1), f.yOf(track.curve[j]), track.color);
    }
    c.SetDrawWidth(1);
    c.SetFillStyle(0);
    c.SetFillColor(track.color);
    const int frames = static_cast<int>(track.atFrames.size());
    for (int k = 0; k < frames; ++k) {
        const bool shown = cursor && k == frameShown;
        c.Circle(static_cast<float>(f.xOf(k / double(frames))), static_cast<float>(f.yOf(track.atFrames[k])),
            static_cast<float>(shown ? 6 : 3), shown ? QBColor(qb::Black) : track.color);
    }
    c.SetFillStyle(1);
}

}  // namespace

ProbeLayout LayOutProbeGraph(int pictureWidth, int pictureHeight)
{
    ProbeLayout layout;
    layout.picture = {0, 0, pictureWidth, pictureHeight};
    const int graphHeight = std::max(1, static_cast<int>(std::lround(pictureHeight * kGraphHeightShare)));
    layout.graph = {0, pictureHeight, pictureWidth, graphHeight};
    layout.width = pictureWidth;
    layout.height = pictureHeight + graphHeight;
    return layout;
}

ProbeGraph MakeProbeGraph(const std::vector<MediumSite>& sites, double amplitude, int frames)
{
    ProbeGraph graph;
    graph.amplitude = amplitude;
    graph.frames = frames;
    for (std::size_t n = 0; n < sites.size(); ++n) {
        ProbeTrack track;
        track.color = ProbeColor(static_cast<int>(n));
        for (int j = 0; j <= kCurveSamples; ++j)
            track.curve.push_back(sites[n].displacement(j / double(kCurveSamples)));
        for (int k = 0; k < frames; ++k)
            track.atFrames.push_back(sites[n].displacement(k / double(frames)));
        graph.tracks.push_back(std::move(track));
    }
    return graph;
}

void DrawProbeGraph(Canvas& canvas, const ProbeGraph& graph, GraphContent content, int frameShown)
{
    const Frame f = frameFor(canvas, graph.amplitude);
    canvas.Scale(0, 0, static_cast<float>(canvas.pixelWidth()), static_cast<float>(canvas.pixelHeight()));
    canvas.Cls();
    canvas.SetDrawStyle(0);
    canvas.SetFillStyle(1);
    drawGrid(canvas, f, graph.frames);
    const bool cursor = content == GraphContent::Shown;
    if (cursor) {
        const double x = f.xOf(frameShown / double(graph.frames));
        canvas.SetDrawWidth(2);
        line(canvas, x, f.top, x, f.bottom, QBColor(qb::Grey));
    }
    drawAxes(canvas, f);
    if (content == GraphContent::Blank)
        return;
    for (const ProbeTrack& track : graph.tracks)
        drawTrack(canvas, f, track, frameShown, cursor);
}

}  // namespace kelvora
