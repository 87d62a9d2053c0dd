#include "canvas/canvas.h"
#include "canvas/trace_surface.h"

#include <gtest/gtest.h>

#include <utility>

namespace kelvora {
namespace {

TEST(TraceSurface, RecordsEveryOperationInTheTraceFormat)
{
    TraceSurface trace;
    Canvas c(trace, 960, 600);
    trace.beginFrame(3);
    c.Scale(0, 240, 640, 0);
    c.Cls();
    c.SetDrawWidth(2);
    c.Line(40, 120, 625.5f, 120);
    c.LineTo(630, 0.1f, QBColor(12));
    c.LineBoxFilled(360, 10, 640, 230, kBoxBlue);
    c.Circle(160, 120, 120, QBColor(0));
    c.SetFillStyle(0);
    c.SetFillColor(QBColor(10));
    c.Circle(1, 2, 3);
    c.SetDrawWidth(1);
    c.SetDrawStyle(2);
    c.Line(1, 2, 3, 4);
    c.PSet(365, 120);
    c.SetFontSize(14);
    c.SetCurrentX(110);
    c.SetCurrentY(20);
    c.Print("  ｘ-tグラフ");
    EXPECT_EQ(trace.text(),
        "frame 3\n"
        "scale 0 240 640 0\n"
        "cls\n"
        "line 40 120 625.5 120 #000000 2 solid\n"
        "line 625.5 120 630 0.100000001 #ff0000 2 solid\n"
        "box 360 10 640 230 #c0c0ff\n"
        "circle 160 120 120 #000000 2 none\n"
        "circle 1 2 3 #000000 2 #00ff00\n"
        "line 1 2 3 4 #000000 1 dotted\n"
        "pset 365 120 #000000 1\n"
        "print 110 20 14   ｘ-tグラフ\n");
}

TEST(TraceSurface, DottedOnlyAtWidthOne)
{
    TraceSurface trace;
    Canvas c(trace, 100, 100);
    c.SetDrawStyle(2);
    c.SetDrawWidth(4);
    c.Line(0, 0, 1, 1);
    EXPECT_EQ(trace.text(), "line 0 0 1 1 #000000 4 solid\n");
}

TEST(TraceSurface, NotRecordingLeavesNoLines)
{
    TraceSurface trace;
    Canvas c(trace, 100, 100);
    trace.setRecording(false);
    c.Cls();
    c.Line(0, 0, 1, 1);
    trace.setRecording(true);
    c.PSet(1, 1);
    EXPECT_EQ(trace.text(), "pset 1 1 #000000 1\n");
}

TEST(Canvas, ClsKeepsTheStateAndResetsTheCurrentPoint)
{
    TraceSurface trace;
    Canvas c(trace, 960, 600);
    c.Scale(0, 240, 640, 0);
    c.SetDrawWidth(5);
    c.SetFillStyle(0);
    c.SetFillColor(QBColor(12));
    c.SetFontSize(13);
    c.Line(10, 20, 30, 40);
    c.Cls();
    EXPECT_EQ(c.state().drawWidth, 5);
    EXPECT_EQ(c.state().fillStyle, 0);
    EXPECT_EQ(c.state().fillColor, QBColor(12));
    EXPECT_EQ(c.state().fontSize, 13);
    EXPECT_EQ(c.state().scaleTop, 240);
    trace.clearText();
    c.LineTo(50, 60, QBColor(0));
    EXPECT_EQ(trace.text(), "line 0 0 50 60 #000000 5 solid\n");
}

TEST(Canvas, CurrentPointFollowsEachOperation)
{
    TraceSurface trace;
    Canvas c(trace, 960, 600);
    c.Circle(7, 8, 3);
    EXPECT_EQ(c.state().currentX, 7);
    EXPECT_EQ(c.state().currentY, 8);
    c.PSet(9, 10);
    EXPECT_EQ(c.state().currentX, 9);
    c.Line(1, 2, 3, 4);
    EXPECT_EQ(c.state().currentY, 4);
}

TEST(Palette, QBColorIsTheSixteenColourPalette)
{
    // Every entry under the name the scenes use for it.
    const std::pair<int, const char*> palette[] = {{qb::Black, "#000000"}, {qb::DarkBlue, "#000080"},
        {qb::DarkGreen, "#008000"}, {qb::DarkCyan, "#008080"}, {qb::DarkRed, "#800000"},
        {qb::DarkMagenta, "#800080"}, {qb::DarkYellow, "#808000"}, {qb::LightGrey, "#c0c0c0"},
        {qb::Grey, "#808080"}, {qb::Blue, "#0000ff"}, {qb::Green, "#00ff00"}, {qb::Cyan, "#00ffff"},
        {qb::Red, "#ff0000"}, {qb::Magenta, "#ff00ff"}, {qb::Yellow, "#ffff00"}, {qb::White, "#ffffff"}};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(palette[i].first, i);
        EXPECT_EQ(ColorHex(QBColor(palette[i].first)), palette[i].second) << i;
    }
    EXPECT_EQ(QBColor(12), 0x000000FFu);  // 0x00BBGGRR: red in the low byte
    EXPECT_EQ(kBoxBlue, 0x00FFC0C0u);
    EXPECT_THROW(QBColor(16), std::exception);
}

}  // namespace
}  // namespace kelvora
