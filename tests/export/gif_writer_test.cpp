#include "export/gif_file_reader.h"
#include "export/gif_writer.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kelvora {
namespace {

using test::DecodedGif;
using test::ReadGif;

// The names in a directory, hidden ones too, as one line.
std::string entriesOf(const QString& directory)
{
    const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
    return QDir(directory).entryList(all, QDir::Name).join(", ").toStdString();
}

// Frames in which every pixel's colour depends on its place and the frame,
// drawn from `colours` distinct colours.
std::vector<QImage> patternFrames(int width, int height, int count, int colours)
{
    std::vector<QImage> frames;
    for (int f = 0; f < count; ++f) {
        QImage frame(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int n = (x * 7 + y * 3 + f * 5) % colours;
                frame.setPixel(x, y, qRgb((n * 37) % 256, (n * 11) % 256, n % 256));
            }
        frames.push_back(frame);
    }
    return frames;
}

void expectSamePixels(const QImage& expected, const QImage& actual, int frame)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            ASSERT_EQ(expected.pixel(x, y), actual.pixel(x, y)) << "frame " << frame << " at " << x << "," << y;
}

TEST(GifWriter, RoundTripKeepsEveryPixelTheFrameCountTheDelayAndTheLoop)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("round.gif");
    const std::vector<QImage> frames = patternFrames(37, 23, 3, 20);

    const ExportResult result = WriteAnimatedGif(path, frames, 130);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_FALSE(result.quantised);

    const DecodedGif gif = ReadGif(path);
    ASSERT_EQ(gif.error, "");
    EXPECT_EQ(gif.signature, "GIF89a");
    EXPECT_EQ(gif.width, 37);
    EXPECT_EQ(gif.height, 23);
    EXPECT_EQ(gif.globalColourCount, 32);  // 20 colours in a table of the next power of two
    EXPECT_EQ(gif.loopCount, 0);
    ASSERT_EQ(gif.frames.size(), frames.size());
    for (std::size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(gif.delays[i], 13);
        expectSamePixels(frames[i], gif.frames[i], static_cast<int>(i));
    }
    EXPECT_EQ(entriesOf(dir.path()), "round.gif");
}

TEST(GifWriter, ExactColoursUpTo256AndReportedQuantisationAbove)
{
    QTemporaryDir dir;
    const std::vector<QImage> exact = patternFrames(64, 8, 1, 256);
    const ExportResult exactResult = WriteAnimatedGif(dir.filePath("exact.gif"), exact, 100);
    ASSERT_TRUE(exactResult.ok) << exactResult.error;
    EXPECT_FALSE(exactResult.quantised);
    expectSamePixels(exact[0], ReadGif(dir.filePath("exact.gif")).frames.at(0), 0);

    // A smooth gradient of 64 x 64 colours: reduced, but each pixel stays
    // near its colour.
    QImage gradient(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            gradient.setPixel(x, y, qRgb(x * 4, y * 4, 128));
    const ExportResult reduced = WriteAnimatedGif(dir.filePath("many.gif"), {gradient}, 100);
    ASSERT_TRUE(reduced.ok) << reduced.error;
    EXPECT_TRUE(reduced.quantised);
    const DecodedGif gif = ReadGif(dir.filePath("many.gif"));
    ASSERT_EQ(gif.frames.size(), 1u);
    EXPECT_EQ(gif.globalColourCount, 256);
    int worst = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const QRgb want = gradient.pixel(x, y);
            const QRgb got = gif.frames[0].pixel(x, y);
            worst = std::max({worst, std::abs(qRed(want) - qRed(got)), std::abs(qGreen(want) - qGreen(got)),
                std::abs(qBlue(want) - qBlue(got))});
        }
    EXPECT_LE(worst, 8);
}

TEST(GifWriter, DelayIsRoundedToHundredthsAndNeverBelowTwo)
{
    EXPECT_EQ(GifDelayCentiseconds(200), 20);
    EXPECT_EQ(GifDelayCentiseconds(204), 20);
    EXPECT_EQ(GifDelayCentiseconds(205), 21);
    EXPECT_EQ(GifDelayCentiseconds(25), 3);
    EXPECT_EQ(GifDelayCentiseconds(15), 2);
    EXPECT_EQ(GifDelayCentiseconds(0), 2);
    EXPECT_EQ(GifDelayCentiseconds(kMaxGifDelayMs), 65535);

    QTemporaryDir dir;
    ASSERT_TRUE(WriteAnimatedGif(dir.filePath("fast.gif"), patternFrames(4, 4, 2, 3), 1).ok);
    EXPECT_EQ(ReadGif(dir.filePath("fast.gif")).delays, (std::vector<int>{2, 2}));
}

TEST(GifWriter, NewFileHonoursTheUmask)
{
    // giflib's own EGifOpenFileName would create it 0600 whatever the umask.
    QTemporaryDir dir;
    const mode_t previous = ::umask(022);
    const ExportResult result = WriteAnimatedGif(dir.filePath("mode.gif"), patternFrames(4, 4, 1, 2), 100);
    ::umask(previous);
    ASSERT_TRUE(result.ok) << result.error;
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(dir.filePath("mode.gif")).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(GifWriter, FailuresLeaveNothingBehind)
{
    QTemporaryDir dir;
    const std::vector<QImage> frames = patternFrames(4, 4, 2, 2);

    const ExportResult missingDirectory = WriteAnimatedGif(dir.filePath("no/such/dir/a.gif"), frames, 100);
    EXPECT_FALSE(missingDirectory.ok);
    EXPECT_NE(missingDirectory.error.find("no/such/dir/a.gif"), std::string::npos) << missingDirectory.error;

    EXPECT_FALSE(WriteAnimatedGif(dir.filePath("none.gif"), {}, 100).ok);
    EXPECT_FALSE(WriteAnimatedGif(dir.filePath("mixed.gif"), {frames[0], QImage(5, 4, QImage::Format_RGB32)}, 100).ok);
    EXPECT_FALSE(WriteAnimatedGif(dir.filePath("slow.gif"), frames, kMaxGifDelayMs + 1).ok);
    EXPECT_FALSE(WriteAnimatedGif(dir.path(), frames, 100).ok);  // a directory
    EXPECT_EQ(entriesOf(dir.path()), "");
}

TEST(GifWriter, ReplacesAnExistingFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("again.gif");
    ASSERT_TRUE(WriteAnimatedGif(path, patternFrames(40, 30, 4, 9), 100).ok);
    const std::vector<QImage> second = patternFrames(3, 2, 1, 2);
    ASSERT_TRUE(WriteAnimatedGif(path, second, 100).ok);
    const DecodedGif gif = ReadGif(path);
    ASSERT_EQ(gif.frames.size(), 1u);
    expectSamePixels(second[0], gif.frames[0], 0);
    EXPECT_EQ(entriesOf(dir.path()), "again.gif");
}

}  // namespace
}  // namespace kelvora
