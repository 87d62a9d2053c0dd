// The worksheet writer, and kelvora-render's --sheet, which uses it.

#include "export/worksheet_writer.h"
#include "scenes/worksheet_text.h"
#include "pdf_info.h"
#include "picture_job.h"
#include "render_job.h"
#include "render_options.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace kelvora {
namespace {

std::vector<QImage> colouredFrames(int count, QSize size)
{
    std::vector<QImage> frames;
    for (int k = 0; k < count; ++k) {
        QImage frame(size, QImage::Format_RGB32);
        frame.fill(QColor::fromHsv(k * 360 / count, 200, 220));
        frames.push_back(frame);
    }
    return frames;
}

// Pages of the given titles, each drawing the same coloured frames.
ExportResult writeSheet(const QString& path, std::vector<QString> titles, int count, QSize size)
{
    WorksheetPages pages{std::move(titles), count, size, SceneKey(10)};
    return WriteWorksheet(path, pages, [&](int, int, const WorksheetFrameDrawn& frameDrawn) {
        const std::vector<QImage> frames = colouredFrames(count, size);
        for (int k = 0; k < count; ++k)
            frameDrawn(k, frames[static_cast<std::size_t>(k)]);
    });
}

TEST(Worksheet, LabelsNameTheFrameAndItsTimeAsAReducedFraction)
{
    EXPECT_EQ(WorksheetFrameLabel(0, 12), "コマ 1　t = 0");
    EXPECT_EQ(WorksheetFrameLabel(3, 12), "コマ 4　t = T/4");
    EXPECT_EQ(FrameTimeText(6, 24), "t = T/4");
    EXPECT_EQ(FrameTimeText(10, 12), "t = 5T/6");
    EXPECT_EQ(FrameTimeText(23, 24), "t = 23T/24");
}

TEST(Worksheet, IsOneA4LandscapePage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    const ExportResult written = writeSheet(path, {QStringLiteral("縦波")}, 24, {480, 300});
    ASSERT_TRUE(written.ok) << written.error;
    const test::PdfInfo info = test::ReadPdfInfo(path);
    if (!info.available)
        GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_EQ(info.pages, 1);
    EXPECT_NEAR(info.widthPt, 841.89, 1.0);
    EXPECT_NEAR(info.heightPt, 595.28, 1.0);
}

TEST(Worksheet, AFailureLeavesNoFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/sheet.pdf"));
    const ExportResult written = writeSheet(path, {QStringLiteral("縦波")}, 12, {48, 30});
    EXPECT_FALSE(written.ok);
    EXPECT_NE(written.error.find("No such file or directory"), std::string::npos) << written.error;
    EXPECT_FALSE(writeSheet(dir.filePath(QStringLiteral("empty.pdf")), {}, 12, {48, 30}).ok);
    // A scene's run-time error while its frames are drawn.
    WorksheetPages pages{{QStringLiteral("x")}, 12, {48, 30}, {}};
    EXPECT_THROW(WriteWorksheet(dir.filePath(QStringLiteral("thrown.pdf")), pages,
                     [](int, int, auto&) { throw std::runtime_error("drawing failed"); }),
        std::runtime_error);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

TEST(RenderSheet, OptionIsAddedBesideTheOthers)
{
    using namespace render;
    ParsedCommandLine parsed = ParseRenderArguments({"--scene", "3", "--frames", "24", "--sheet", "a.pdf"});
    ASSERT_EQ(parsed.action, ParsedCommandLine::Action::Render) << parsed.error;
    EXPECT_EQ(parsed.options.mode, OutputMode::Sheet);
    EXPECT_EQ(parsed.options.output, "a.pdf");
    EXPECT_EQ(parsed.options.frames, 24);

    parsed = ParseRenderArguments({"--scene", "3", "--sheet", "a.pdf", "--frame", "2"});
    EXPECT_EQ(parsed.error, "--frame does not apply to --sheet, which shows every frame");
    parsed = ParseRenderArguments({"--scene", "3", "--sheet", "a.pdf", "--gif", "b.gif"});
    EXPECT_EQ(parsed.error, "--gif and --sheet cannot be used together");
    parsed = ParseRenderArguments({"--scene", "3", "--sheet", "a.pdf", "--delay", "100"});
    EXPECT_EQ(parsed.error, "--delay works only with --gif");
    parsed = ParseRenderArguments({"--scene", "3", "--sheet"});
    EXPECT_EQ(parsed.error, "--sheet needs a value");
    EXPECT_EQ(ParseRenderArguments({"--scene", "3", "--sheet", "a.png"}).error, "--sheet: 'a.png' does not end in .pdf");
    EXPECT_EQ(ParseRenderArguments({"--scene", "3", "--sheet", "a.pdf", "--param", "all"}).error,
        "--param: scene 3 has no parameter");
    EXPECT_EQ(ParseRenderArguments({"--scene", "10", "--png", "a.png", "--param", "all"}).error,
        "--param all works only with --sheet, which gives each value a page");
    EXPECT_TRUE(ParseRenderArguments({"--scene", "10", "--sheet", "A.PDF", "--param", "all"}).options.allParameterValues);
    EXPECT_NE(RenderUsage().find("--sheet FILE"), std::string::npos);
}

TEST(RenderSheet, WritesTheSceneAsOnePage)
{
    using namespace render;
    QTemporaryDir dir;
    RenderOptions options;
    options.scene = 14;
    options.param = 25;
    options.mode = OutputMode::Sheet;
    options.size = {480, 300};
    options.output = dir.filePath(QStringLiteral("standing.pdf")).toStdString();
    std::ostringstream unused;
    const JobResult result = RunRenderJob(options, unused);
    ASSERT_EQ(result.status, kExitDone) << result.message;
    EXPECT_TRUE(unused.str().empty());
    // The surface and the one frame going onto the page.
    EXPECT_EQ(FrameMemoryBytes(options), 480u * 300u * 4u * 2u);
    const test::PdfInfo info = test::ReadPdfInfo(QString::fromStdString(options.output));
    if (!info.available)
        GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_EQ(info.pages, 1);
    EXPECT_GT(info.widthPt, info.heightPt);
    const QString text = test::ReadPdfText(QString::fromStdString(options.output));
    EXPECT_EQ(text.section('\n', 0, 0), QStringLiteral("薄膜の干渉（反射波） 膜の厚さの２倍/膜中の波長 2.5"));  // U+3000 read as a space
    for (const char* shown : {"名前", "日付", "コマ 4 t = T/4", "黄：膜の中の波と裏面での反射波"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown;

    options.scene = 10;
    options.allParameterValues = true;
    ASSERT_EQ(RunRenderJob(options, unused).status, kExitDone);
    EXPECT_EQ(test::ReadPdfInfo(QString::fromStdString(options.output)).pages, 5);
}

TEST(RenderScale, DrawsMorePixelsWithThePictureUnchanged)
{
    using namespace render;
    ParsedCommandLine parsed = ParseRenderArguments({"--scene", "0", "--scale", "1.5", "--png", "a.png"});
    ASSERT_EQ(parsed.action, ParsedCommandLine::Action::Render) << parsed.error;
    EXPECT_DOUBLE_EQ(parsed.options.scale, 1.5);
    EXPECT_DOUBLE_EQ(ParseRenderArguments({"--scene", "0", "--png", "a.png"}).options.scale, 1.0);
    for (const char* bad : {"0.5", "5", "x", "", "2x"})
        EXPECT_EQ(ParseRenderArguments({"--scene", "0", "--scale", bad, "--png", "a.png"}).error,
            std::string("--scale: '") + bad + "' is not a number from 1 to 4");
    EXPECT_EQ(ParseRenderArguments({"--scene", "0", "--scale", "2", "--trace"}).error,
        "--scale does not apply to --trace");

    QTemporaryDir dir;
    RenderOptions options;
    options.scene = 4;
    options.size = {240, 150};
    options.frame = 3;
    std::ostringstream unused;
    QImage pictures[2];
    for (int i = 0; i < 2; ++i) {
        options.scale = 1.0 + i;
        options.output = dir.filePath(QStringLiteral("f%1.png").arg(i)).toStdString();
        ASSERT_EQ(RunRenderJob(options, unused).status, kExitDone);
        pictures[i].load(QString::fromStdString(options.output));
    }
    EXPECT_EQ(pictures[0].size(), QSize(240, 150));
    EXPECT_EQ(pictures[1].size(), QSize(480, 300));
    EXPECT_EQ(FrameMemoryBytes(options), 480u * 300u * 4u);
    // The same picture, sharper: halved again, most pixels agree.
    const QImage halved = pictures[1].scaled(240, 150, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    int same = 0;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 240; ++x)
            same += halved.pixel(x, y) == pictures[0].pixel(x, y);
    EXPECT_GT(same, 240 * 150 * 9 / 10);
}

}  // namespace
}  // namespace kelvora
