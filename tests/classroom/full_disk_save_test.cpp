// 保存 over a worksheet on a full disk, through the viewer's own window:
// the real scene, the buttons pressed where they are seen, the viewer's own
// message box. The disk is made full by tests/export/saving_test.sh, which
// runs this with KELVORA_FULL_DISK naming a folder on it that holds w.pdf,
// and checks afterwards that w.pdf is as it was.

#include "viewer/viewer_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kelvora {
namespace {

// Clicks the control seen at the centre of button, as a pointer would.
void clickWhereSeen(QWidget& window, QPushButton* button)
{
    const QPoint centre = button->geometry().center();
    QWidget* seen = window.childAt(centre);
    ASSERT_EQ(seen, button) << button->text().toStdString() << " is covered";
    QTest::mouseClick(seen, Qt::LeftButton, {}, seen->mapFrom(&window, centre));
}

TEST(SaveOnAFullDisk, TheOldWorksheetStaysAndTheBoxSaysWhy)
{
    const QString folder = qEnvironmentVariable("KELVORA_FULL_DISK");
    if (folder.isEmpty())
        GTEST_SKIP() << "needs a full disk: run through tests/export/saving_test.sh";
    ViewerWindow window(8);
    window.show();
    window.setSaveDialog([&](QWidget*, const QString&, const QString&, const QString&, QString*) {
        return folder + QStringLiteral("/w.pdf");
    });

    clickWhereSeen(window, window.drawButton());
    QElapsedTimer waited;
    waited.start();
    while (!window.saveButton()->isEnabled() && waited.elapsed() < 30000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    clickWhereSeen(window, window.saveButton());

    EXPECT_EQ(window.saveStatus()->text(), QStringLiteral("保存できませんでした"));
    const QList<QMessageBox*> boxes = window.findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0]->isVisible());
    const QString text = boxes[0]->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("「w.pdf」を保存できませんでした。"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("ディスクの空きが足りません。"))) << text.toStdString();
}

}  // namespace
}  // namespace kelvora
