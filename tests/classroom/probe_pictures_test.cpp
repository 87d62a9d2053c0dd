// kelvora-render --probe with pictures: the ring and the graph under the
// frame, and the worksheet with a blank graph and its answer page.
#include "pdf_info.h"
#include "render_job.h"
#include "render_options.h"

#include "canvas/color.h"
#include "probe/probe.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

namespace kelvora {
namespace {

using render::ParseRenderArguments;

int runJob(const std::vector<std::string>& args)
{
    const render::ParsedCommandLine parsed = ParseRenderArguments(args);
    EXPECT_EQ(parsed.action, render::ParsedCommandLine::Action::Render) << parsed.error;
    std::ostringstream trace;
    return render::RunRenderJob(parsed.options, trace).status;
}

// Pixels of a colour inside a rectangle of the image.
int pixelsOf(const QImage& image, Color color, QRect area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == ToArgb(color);
    return count;
}

TEST(ProbePictures, TheFrameIsRingedAndItsGraphStandsUnderIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("probed.png");
    ASSERT_EQ(runJob({"--scene", "2", "--frame", "3", "--probe", "245", "--probe", "35", "--png", path.toStdString()}), 0);
    const QImage with(path);
    ASSERT_EQ(with.width(), 960);
    ASSERT_GT(with.height(), 600);
    // Frame 3 of 12: the green particle (x = 245) is down at y = 70, so its
    // ring is round pixel (368, 425) and nowhere else on the picture.
    const QRect ringArea(368 - 25, 425 - 25, 51, 51);
    EXPECT_GT(pixelsOf(with, ProbeColor(0), ringArea), 50);
    EXPECT_EQ(pixelsOf(with, ProbeColor(0), QRect(0, 0, 960, 600)), pixelsOf(with, ProbeColor(0), ringArea));
    // Both curves under the picture.
    const QRect graph(0, 600, 960, with.height() - 600);
    EXPECT_GT(pixelsOf(with, ProbeColor(0), graph), 500);
    EXPECT_GT(pixelsOf(with, ProbeColor(1), graph), 500);
}

TEST(ProbePictures, TheWorksheetHasABlankGraphAndAnAnswerPage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sheet.pdf");
    ASSERT_EQ(runJob({"--scene", "4", "--probe", "160", "--sheet", path.toStdString()}), 0);
    const test::PdfInfo info = test::ReadPdfInfo(path);
    if (!info.available)
        GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_EQ(info.pages, 2);
    const QString text = test::ReadPdfText(path);
    EXPECT_EQ(text.count(QStringLiteral("横波定常波")), 2) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("（解答）")), 1) << text.toStdString();
}

}  // namespace
}  // namespace kelvora
