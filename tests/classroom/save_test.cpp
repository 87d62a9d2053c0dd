// 保存 on the viewer: when it can be pressed, and the GIF, worksheet and
// PNG it writes, read back from the files.

#include "canvas/canvas.h"
#include "export/gif_file_reader.h"
#include "pdf_info.h"
#include "probe/probe.h"
#include "viewer/viewer_fixture.h"
#include "viewer/save_target.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>

namespace kelvora {
namespace {

using test::ViewerFixture;

// A viewer whose save dialog answers with a path chosen by the test and
// remembers what it was asked.
struct Saving : ViewerFixture {
    explicit Saving(int sceneIndex = 0)
        : ViewerFixture(sceneIndex)
    {
        form().setSaveDialog([this](QWidget*, const QString&, const QString& proposal, const QString& filters,
                                 QString* selected) {
            askedProposal = proposal;
            askedFilters = filters;
            if (!filter.isEmpty())
                *selected = filter;
            ++dialogs;
            return answer;
        });
    }
    QString save(const QString& path, const QString& chosenFilter = {})
    {
        answer = path;
        filter = chosenFilter;
        click(form().saveButton());
        return form().saveStatus()->text();
    }
    QImage stored(int k)
    {
        QImage image;
        form().frameStore().read(k, image);
        return image;
    }

    QTemporaryDir dir;
    QString answer;
    QString filter;
    QString askedProposal;
    QString askedFilters;
    int dialogs = 0;
};

TEST(SaveButton, FollowsTheStoredFramesAndPlayback)
{
    Saving v;
    QPushButton* save = v.form().saveButton();
    EXPECT_EQ(save->text(), QStringLiteral("保存"));
    EXPECT_FALSE(save->isEnabled());

    v.captureFrames(3);
    EXPECT_FALSE(save->isEnabled()) << "not while the frames are drawn";
    v.settle();
    EXPECT_TRUE(save->isEnabled());

    v.click(v.form().playButton());
    EXPECT_FALSE(save->isEnabled());
    v.click(v.form().pauseButton());
    EXPECT_TRUE(save->isEnabled());
    v.click(v.form().playButton());
    v.click(v.form().stepButton());
    EXPECT_TRUE(save->isEnabled());

    // A new capture disables it until every frame is stored again.
    v.click(v.form().drawButton());
    EXPECT_FALSE(save->isEnabled());
    v.settle();
    EXPECT_TRUE(save->isEnabled());
}

TEST(SaveButton, GifHoldsEveryStoredFrameAtTheSpeedOfTheScrollBar)
{
    Saving v;
    v.capture();
    v.form().speedBar()->setValue(134);
    const QString path = v.dir.filePath(QStringLiteral("loop"));
    const QString status = v.save(path);  // no suffix: the GIF filter is the default

    EXPECT_EQ(v.dialogs, 1);
    EXPECT_TRUE(v.askedProposal.endsWith(QStringLiteral("/単振動の変位.gif"))) << v.askedProposal.toStdString();
    EXPECT_EQ(v.askedFilters.count(QStringLiteral(";;")), 2);
    EXPECT_TRUE(status.contains(QStringLiteral("loop.gif"))) << status.toStdString();
    EXPECT_TRUE(v.messages.empty());

    const test::DecodedGif gif = test::ReadGif(path + QStringLiteral(".gif"));
    ASSERT_TRUE(gif.error.empty()) << gif.error;
    EXPECT_EQ(gif.signature, "GIF89a");
    EXPECT_EQ(gif.loopCount, 0);
    ASSERT_EQ(gif.frames.size(), 12u);
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(gif.delays[static_cast<std::size_t>(k)], 13) << "frame " << k;
        const QImage expected = v.stored(k).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(gif.frames[static_cast<std::size_t>(k)].convertToFormat(QImage::Format_RGB32), expected)
            << "frame " << k;
    }
    EXPECT_EQ(QSize(gif.width, gif.height), v.form().picture()->contentsRect().size());
}

TEST(SaveButton, PngIsTheFrameOnThePicture)
{
    Saving v;
    v.capture();
    for (int i = 0; i < 5; ++i)
        v.click(v.form().stepButton());  // frames 0..4
    ASSERT_EQ(v.shownFrame(), 4);
    const QString path = v.dir.filePath(QStringLiteral("frame"));
    v.save(path, QStringLiteral("表示中のコマ PNG (*.png)"));
    QImage read(path + QStringLiteral(".png"));
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), v.stored(4));
}

TEST(SaveButton, WorksheetIsOneA4LandscapePage)
{
    Saving v;
    v.capture();
    // The suffix the name has wins over the filter.
    const QString path = v.dir.filePath(QStringLiteral("sheet.PDF"));
    v.save(path, QStringLiteral("アニメーションGIF (*.gif)"));
    ASSERT_TRUE(QFileInfo::exists(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    const test::PdfInfo info = test::ReadPdfInfo(path);
    if (!info.available)
        GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_EQ(info.pages, 1);
    EXPECT_NEAR(info.widthPt, 841.89, 1.0);
    EXPECT_NEAR(info.heightPt, 595.28, 1.0);
}

// A particle marked with a click: the PNG is the frame ringed over its
// graph, and the worksheet gets its answer page.
TEST(SaveButton, KeepsTheProbeMarkedOnThePicture)
{
    Saving v(2);
    v.capture();
    test::clickAt(v.form(), test::particleOnScreen(v.form(), 7));
    ASSERT_FALSE(v.form().model().probe().empty());
    v.clock->fire();  // the frames drawn again for the smaller area
    v.settle();
    const QString png = v.dir.filePath(QStringLiteral("probed.png"));
    v.save(png);
    const QImage read(png);
    const QImage frame = v.stored(v.form().model().shownFrame());
    ASSERT_EQ(read.width(), frame.width());
    ASSERT_GT(read.height(), frame.height());
    const auto inkIn = [&](QRect area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (read.pixel(x, y) == ToArgb(ProbeColor(0)))
                    return true;
        return false;
    };
    EXPECT_TRUE(inkIn(QRect(0, 0, frame.width(), frame.height()))) << "the ring";
    EXPECT_TRUE(inkIn(QRect(0, frame.height(), read.width(), read.height() - frame.height()))) << "the curve";

    const QString sheet = v.dir.filePath(QStringLiteral("probed.pdf"));
    v.save(sheet);
    const test::PdfInfo info = test::ReadPdfInfo(sheet);
    if (!info.available)
        GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_EQ(info.pages, 2);
}

TEST(SaveButton, NamesTheParameterValueTheFramesWereDrawnWith)
{
    // Scene, the worksheet's title (pdftotext reads U+3000 as a space), the proposed file name.
    const std::tuple<int, const char*, const char*> rows[] = {
        {15, "干渉の条件 ＡＰの距離/（λ/4） 3", "干渉の条件　ＡＰの距離／（λ／4） 3.gif"}, {4, "横波定常波", "横波定常波.gif"}};
    for (const auto& [scene, title, proposal] : rows) {
        Saving v(scene);
        v.form().parameterBar()->setValue(scene == 4 ? 1 : 3);
        v.capture();
        v.save(v.dir.filePath(QStringLiteral("sheet.pdf")));
        EXPECT_EQ(QFileInfo(v.askedProposal).fileName(), QString::fromUtf8(proposal));
        EXPECT_EQ(test::ReadPdfText(v.dir.filePath(QStringLiteral("sheet.pdf"))).section('\n', 0, 0), title);
        // A page for every value is offered where there are values.
        EXPECT_EQ(v.askedFilters.contains(SaveFilter(SaveKind::WorksheetAllValues)), scene != 4);
    }
    Saving v(10);
    v.capture();
    const QString all = v.dir.filePath(QStringLiteral("all"));
    EXPECT_EQ(v.save(all, SaveFilter(SaveKind::WorksheetAllValues)), QStringLiteral("保存しました：all.pdf"));
    EXPECT_EQ(test::ReadPdfInfo(all + QStringLiteral(".pdf")).pages, 5);
}

TEST(SaveButton, AFailedSaveLeavesNoFileAndSaysWhyInJapanese)
{
    Saving v;
    v.capture();
    const QString missing = v.dir.filePath(QStringLiteral("no-such-folder/loop.gif"));
    EXPECT_EQ(v.save(missing), QStringLiteral("保存できませんでした"));
    ASSERT_EQ(v.messages.size(), 1u);
    EXPECT_TRUE(v.messages[0].contains(QStringLiteral("「loop.gif」を保存できませんでした")));
    EXPECT_TRUE(v.messages[0].contains(QStringLiteral("保存先のフォルダーが見つかりません")));

    // A folder where the file should go: nothing is written, nothing left over.
    const QString folder = v.dir.filePath(QStringLiteral("taken.pdf"));
    ASSERT_TRUE(QDir().mkpath(folder));
    v.save(folder);
    EXPECT_EQ(v.messages.size(), 2u);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(QDir(v.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

TEST(SaveButton, MoreThan256ColoursAreReducedAndTheStatusSaysSo)
{
    Saving v;
    // 20 x 20 boxes, each in a colour of its own.
    v.form().setFrameRenderer([](int, Canvas& canvas, std::int16_t&, SceneContext&) {
        canvas.Cls();
        canvas.Scale(0, 0, 20, 20);
        for (int i = 0; i < 400; ++i) {
            const float x = static_cast<float>(i % 20);
            const float y = static_cast<float>(i / 20);
            canvas.LineBoxFilled(x, y, x + 1, y + 1, RGB(i % 20 * 12, i / 20 * 12, 100));
        }
        return true;
    });
    v.capture();
    const QString status = v.save(v.dir.filePath(QStringLiteral("many.gif")));
    EXPECT_TRUE(status.contains(QStringLiteral("減色"))) << status.toStdString();
    const test::DecodedGif gif = test::ReadGif(v.dir.filePath(QStringLiteral("many.gif")));
    ASSERT_TRUE(gif.error.empty()) << gif.error;
    EXPECT_EQ(gif.frames.size(), 12u);
    EXPECT_LE(gif.globalColourCount, 256);

    // A picture with few colours says nothing of the kind.
    Saving plain;
    plain.capture();
    EXPECT_FALSE(plain.save(plain.dir.filePath(QStringLiteral("few.gif"))).contains(QStringLiteral("減色")));
}

TEST(SaveButton, CancellingTheDialogWritesNothing)
{
    Saving v;
    v.capture();
    EXPECT_EQ(v.save(QString()), QString());
    EXPECT_EQ(v.dialogs, 1);
    EXPECT_TRUE(v.messages.empty());
    EXPECT_EQ(QDir(v.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

}  // namespace
}  // namespace kelvora
