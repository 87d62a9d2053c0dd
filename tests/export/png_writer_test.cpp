#include "export/atomic_file.h"
#include "export/png_writer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace kelvora {
namespace {

// The names in a directory, hidden ones too, as one line.
std::string entriesOf(const QString& directory)
{
    const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
    return QDir(directory).entryList(all, QDir::Name).join(", ").toStdString();
}

TEST(PngWriter, WritesThePixelsAndNothingElse)
{
    QTemporaryDir dir;
    QImage image(17, 9, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 15, y * 28, (x + y) % 2 ? 255 : 0));
    const ExportResult result = WritePng(dir.filePath("a.png"), image);
    ASSERT_TRUE(result.ok) << result.error;

    QImage back(dir.filePath("a.png"));
    ASSERT_EQ(back.size(), image.size());
    back = back.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(back.pixel(x, y), image.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(entriesOf(dir.path()), "a.png");
}

TEST(PngWriter, UnwritablePlaceFailsWithoutLeavingAFile)
{
    QTemporaryDir dir;
    const QImage image(4, 4, QImage::Format_RGB32);
    const ExportResult result = WritePng(dir.filePath("missing/a.png"), image);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("missing/a.png"), std::string::npos) << result.error;
    EXPECT_FALSE(WritePng(dir.filePath("null.png"), QImage()).ok);
    EXPECT_EQ(entriesOf(dir.path()), "");
}

TEST(AtomicFile, TargetAppearsOnlyOnCommit)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("t.txt");
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.open()) << file.error();
        ASSERT_EQ(::write(file.handle(), "abc", 3), 3);
        EXPECT_FALSE(QFile::exists(target));
        // Dropped without commit: the half-made file goes away.
    }
    EXPECT_EQ(entriesOf(dir.path()), "");

    AtomicFile file(target);
    ASSERT_TRUE(file.open()) << file.error();
    ASSERT_EQ(::write(file.handle(), "abc", 3), 3);
    ASSERT_TRUE(file.commit()) << file.error();
    QFile written(target);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("abc"));
    EXPECT_EQ(entriesOf(dir.path()), "t.txt");
}

TEST(AtomicFile, CheckWritableNamesTheProblemAndLeavesNoTrace)
{
    QTemporaryDir dir;
    EXPECT_EQ(CheckWritable(dir.filePath("fine.png")), "");
    EXPECT_NE(CheckWritable(dir.filePath("missing/x.png")).find("No such file or directory"), std::string::npos);
    EXPECT_NE(CheckWritable(dir.path()).find("directory"), std::string::npos);
    EXPECT_NE(CheckWritable(QString()), "");
    EXPECT_EQ(entriesOf(dir.path()), "");
}

}  // namespace
}  // namespace kelvora
