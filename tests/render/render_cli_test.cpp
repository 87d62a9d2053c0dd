// Runs the kelvora-render program itself: exit statuses, messages, files.

#include "export/gif_file_reader.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

namespace kelvora {
namespace {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the program; `modifier` runs in the child before it starts.
ProgramRun render(
    const QStringList& arguments, const QString& stdoutFile = {}, const std::function<void()>& modifier = {})
{
    QProcess process;
    process.setProgram(QStringLiteral(KELVORA_RENDER_BINARY));
    process.setArguments(arguments);
    if (!stdoutFile.isEmpty())
        process.setStandardOutputFile(stdoutFile);
    if (modifier)
        process.setChildProcessModifier(modifier);
    process.start();
    ProgramRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "kelvora-render did not finish normally";
        return run;
    }
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

// The names in a directory, hidden ones too, as one line.
std::string entriesOf(const QString& directory)
{
    const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
    return QDir(directory).entryList(all, QDir::Name).join(", ").toStdString();
}

// One line on stderr, prefixed with the program's name.
void expectOneLineMessage(const ProgramRun& run, const std::string& text)
{
    EXPECT_EQ(run.err.rfind("kelvora-render: ", 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find(text), std::string::npos) << run.err;
}

// The lines of a trace from "frame <k>" up to the next frame header.
std::string frameSection(const std::string& trace, int k)
{
    const std::string header = "frame " + std::to_string(k) + "\n";
    const std::size_t begin = trace.find(header);
    if (begin == std::string::npos)
        return {};
    const std::size_t end = trace.find("\nframe ", begin);
    return trace.substr(begin, end == std::string::npos ? std::string::npos : end + 1 - begin);
}

TEST(RenderCli, TraceOfSceneZero)
{
    const ProgramRun first = render({"--scene", "0", "--trace"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out.rfind("frame 0\nscale 0 240 640 0\ncls\n", 0), 0u) << first.out.substr(0, 80);
    EXPECT_EQ(first.err, "");

    const ProgramRun all = render({"--scene", "0", "--trace", "--all"});
    ASSERT_EQ(all.status, 0) << all.err;
    int headers = 0;
    for (std::size_t at = all.out.find("frame "); at != std::string::npos; at = all.out.find("\nframe ", at + 1))
        ++headers;
    EXPECT_EQ(headers, 12);
    EXPECT_EQ(frameSection(all.out, 0), first.out);
    // A single frame traced alone is the same as in the trace of every frame.
    const ProgramRun seventh = render({"--scene", "0", "--frame", "7", "--trace"});
    EXPECT_EQ(seventh.out, frameSection(all.out, 7));
    EXPECT_NE(seventh.out, "");

    // The screen size sets the aspect factor: 0.725 on 1600 x 800 puts the
    // circling body of frame 3 at 160, 120 + 87.
    const ProgramRun wide = render({"--scene", "0", "--frame", "3", "--screen", "1600x800", "--trace"});
    EXPECT_NE(wide.out.find("\ncircle 160 207 10 #00ff00 1 #00ff00\n"), std::string::npos) << wide.out;

    const ProgramRun twentyFour = render({"--scene", "0", "--frames", "24", "--all", "--trace"});
    EXPECT_NE(frameSection(twentyFour.out, 23), "");
    EXPECT_EQ(frameSection(twentyFour.out, 24), "");
}

TEST(RenderCli, PngHasTheRequestedSizeAndMatchesTheGifFrame)
{
    QTemporaryDir dir;
    const ProgramRun png
        = render({"--scene", "0", "--frame", "5", "--size", "480x300", "--png", dir.filePath("f5.png")});
    ASSERT_EQ(png.status, 0) << png.err;
    EXPECT_EQ(png.err, "");
    const QImage picture(dir.filePath("f5.png"));
    ASSERT_EQ(picture.size(), QSize(480, 300));

    const ProgramRun gif
        = render({"--scene", "0", "--size", "480x300", "--gif", dir.filePath("loop.gif"), "--delay", "130"});
    ASSERT_EQ(gif.status, 0) << gif.err;
    const test::DecodedGif decoded = test::ReadGif(dir.filePath("loop.gif"));
    ASSERT_EQ(decoded.error, "");
    EXPECT_EQ(decoded.loopCount, 0);
    ASSERT_EQ(decoded.frames.size(), 12u);
    EXPECT_EQ(decoded.delays, std::vector<int>(12, 13));
    const QImage expected = picture.convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(decoded.frames[5], expected);
    EXPECT_NE(decoded.frames[4], expected);
    EXPECT_EQ(entriesOf(dir.path()), "f5.png, loop.gif");
}

TEST(RenderCli, BadInputIsStatusTwoWithOneLine)
{
    const std::vector<std::pair<QStringList, std::string>> cases = {
        {{}, "--scene is required"},
        {{"--scene", "0", "--trace", "--bogus"}, "unknown option '--bogus'"},
        {{"--scene", "16", "--trace"}, "--scene: 16 is outside 0..15"},
        {{"--scene", "0", "--frame", "12", "--trace"}, "--frame: 12 is outside 0..11"},
        {{"--scene", "0", "--size", "960x", "--trace"}, "is not WIDTHxHEIGHT"},
        {{"--scene", "0", "--size", "16385x600", "--trace"}, "over 16384"},
        {{"--scene", "0", "--param", "3", "--trace"}, "scene 0 has no parameter"},
        {{"--scene", "0", "--png"}, "--png needs a value"},
    };
    for (const auto& [arguments, text] : cases) {
        const ProgramRun run = render(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, "");
        expectOneLineMessage(run, text);
    }
}

// Bad input that names an output file: the file is never created, not even
// as a temporary beside it.
TEST(RenderCli, BadInputWithAnOutputFileLeavesNoFile)
{
    QTemporaryDir dir;
    for (const QString mode : {"--png", "--gif"}) {
        const QString out = dir.filePath("out");
        const std::vector<std::pair<QStringList, std::string>> cases = {
            {{"--scene", "0", mode, out, "--bogus"}, "unknown option '--bogus'"},
            {{"--scene", "0", mode, out, "--frames"}, "--frames needs a value"},
            {{"--scene", "-1", mode, out}, "--scene: -1 is outside 0..15"},
            {{"--scene", "0", "--frames", "13", mode, out}, "--frames: 13 is not 12 or 24"},
            {{"--scene", "0", "--size", "0x600", mode, out}, "a side of 0 pixels"},
            {{"--scene", "0", "--screen", "1280x800x1", mode, out}, "is not WIDTHxHEIGHT"},
            {{"--scene", "0", "--size", "600x16385", mode, out}, "over 16384"},
            {{"--scene", "10", "--param", "6", mode, out}, "--param: 6 is outside 1..5"},
            {{"--scene", "14", "--param", "0", mode, out}, "--param: 0 is outside 1..40"},
            {{"--scene", "15", "--param", "17", mode, out}, "--param: 17 is outside 0..16"},
            {{"--scene", "12", "--param", "1", mode, out}, "scene 12 has no parameter"},
        };
        for (const auto& [arguments, text] : cases) {
            SCOPED_TRACE(arguments.join(' ').toStdString());
            const ProgramRun run = render(arguments);
            EXPECT_EQ(run.status, 2);
            expectOneLineMessage(run, text);
        }
    }
    const ProgramRun frame = render({"--scene", "0", "--frames", "24", "--frame", "24", "--png", dir.filePath("f")});
    EXPECT_EQ(frame.status, 2);
    expectOneLineMessage(frame, "--frame: 24 is outside 0..23");
    EXPECT_EQ(entriesOf(dir.path()), "");
}

// 16384 x 16384 frames for a GIF are refused before anything is drawn or
// written, where they would take more than half of the machine's memory
// (25 GiB for 24 frames; a machine with more is left to try).
TEST(RenderCli, GifTooLargeForMemoryIsRefusedUpFrontAndLeavesNothing)
{
    const auto physical = static_cast<std::uint64_t>(::sysconf(_SC_PHYS_PAGES))
        * static_cast<std::uint64_t>(::sysconf(_SC_PAGE_SIZE));
    if (25ull * 16384 * 16384 * 4 <= physical / 2)
        GTEST_SKIP() << "24 frames of 16384 x 16384 fit in this machine's memory";
    QTemporaryDir dir;
    const ProgramRun run = render({"--scene", "0", "--gif", dir.filePath("huge.gif"), "--size", "16384x16384",
        "--frames", "24"});
    EXPECT_EQ(run.status, 2);
    expectOneLineMessage(run, "--size 16384x16384: 24 frames need 25.0 GiB of memory, more than half");
    EXPECT_EQ(entriesOf(dir.path()), "");
}

TEST(RenderCli, UnwritableOutputIsStatusTwoAndLeavesNothing)
{
    QTemporaryDir dir;
    for (const QString mode : {"--png", "--gif"}) {
        const ProgramRun missing = render({"--scene", "0", mode, dir.filePath("no/such/dir/out")});
        EXPECT_EQ(missing.status, 2);
        expectOneLineMessage(missing, "No such file or directory");
        const ProgramRun directory = render({"--scene", "0", mode, dir.path()});
        EXPECT_EQ(directory.status, 2);
        expectOneLineMessage(directory, "is a directory");
    }
    EXPECT_EQ(entriesOf(dir.path()), "");
}

TEST(RenderCli, FailureWhileWritingIsStatusOneAndLeavesNothing)
{
    // A file size limit of 1 KB makes the write fail part way; the signal it
    // raises is ignored so that the write reports an error instead.
    const auto smallFiles = [] {
        const rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);
    };
    QTemporaryDir dir;
    for (const QString mode : {"--png", "--gif"}) {
        const ProgramRun run = render({"--scene", "0", mode, dir.filePath("big")}, {}, smallFiles);
        EXPECT_EQ(run.status, 1) << run.err;
        expectOneLineMessage(run, "cannot write");
    }
    EXPECT_EQ(entriesOf(dir.path()), "");

    const ProgramRun full = render({"--scene", "0", "--trace"}, "/dev/full");
    EXPECT_EQ(full.status, 1);
    expectOneLineMessage(full, "standard output");
}

TEST(RenderCli, HelpIsStatusZero)
{
    const ProgramRun help = render({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: kelvora-render --scene N", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");
}

}  // namespace
}  // namespace kelvora
