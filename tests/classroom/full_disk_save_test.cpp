// 保存 over a worksheet on a full disk through the viewer's own window and
// message box. tests/export/saving_test.sh fills the disk, names the folder
// holding w.pdf in KELVORA_FULL_DISK, and checks w.pdf afterwards.

#include "viewer/viewer_window.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kelvora {
namespace {

// Clicks whatever is seen at the button's centre, as a pointer would.
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
    window.setSaveDialog([&](QWidget*, auto&, auto&, auto&, QString*) { return folder + QStringLiteral("/w.pdf"); });
    clickWhereSeen(window, window.drawButton());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.saveButton()->isEnabled(); }, 30000));
    clickWhereSeen(window, window.saveButton());

    EXPECT_EQ(window.saveStatus()->text(), QStringLiteral("保存できませんでした"));
    const QList<QMessageBox*> boxes = window.findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0]->isVisible());
    EXPECT_TRUE(boxes[0]->text().startsWith(QStringLiteral("「w.pdf」を保存できませんでした。\nディスクの空きが足りません。")))
        << boxes[0]->text().toStdString();
}

}  // namespace
}  // namespace kelvora
