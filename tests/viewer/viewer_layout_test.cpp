#include "viewer/viewer_layout.h"

#include "canvas/numeric.h"
#include "viewer/viewer_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <memory>

namespace kelvora {
namespace {

TEST(ViewerLayout, PictureBoxOfTheExampleDrawingArea)
{
    const PictureLayout layout = LayoutPicture(1272, 762);
    EXPECT_DOUBLE_EQ(layout.width, 954);
    EXPECT_NEAR(layout.height, 609.6, 1e-9);
    EXPECT_DOUBLE_EQ(layout.left, 224);
    EXPECT_NEAR(layout.top, 76.2, 1e-9);
    EXPECT_NEAR(layout.titleLeft, 509, 1e-9);
    EXPECT_EQ(PictureRect(layout), QRect(224, 76, 954, 610));
}

TEST(ViewerLayout, TwipsBecomeWholePixels)
{
    EXPECT_EQ(TwipsToPixels({480, 840, 1455, 495}), QRect(32, 56, 97, 33));
    EXPECT_EQ(TwipsToPixels({480, 3240, 1455, 492}), QRect(32, 216, 97, 33));  // 32.8 rounds up
}

std::unique_ptr<ViewerWindow> openViewer(int scene)
{
    return std::make_unique<ViewerWindow>(scene);
}

TEST(ViewerWindow, CoversTheScreenWithThePictureBoxInProportion)
{
    auto form = openViewer(0);
    const QRect screen = form->screen()->geometry();
    EXPECT_EQ(form->geometry(), screen);
    const PictureLayout layout = LayoutPicture(screen.width(), screen.height());
    EXPECT_EQ(form->picture()->geometry(), PictureRect(layout));
    EXPECT_EQ(form->titleLabel()->pos(), QPoint(ToInt32(layout.titleLeft), 16));
    EXPECT_EQ(form->titleLabel()->size(), QSize(337, 33));
    // The surface fills the drawing area inside the border.
    EXPECT_EQ(form->picture()->surface().image().size(), form->picture()->contentsRect().size());
}

TEST(ViewerWindow, ControlsAsDesigned)
{
    auto form = openViewer(0);
    EXPECT_EQ(form->windowTitle(), "Kelvora");
    EXPECT_TRUE(form->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_FALSE(form->windowIcon().isNull());

    struct Expected {
        QWidget* widget;
        QString text;
        QRect place;
    };
    const Expected controls[] = {
        {form->drawButton(), "描画", {32, 56, 97, 33}},
        {form->playButton(), "アニメ開始", {32, 104, 97, 33}},
        {form->pauseButton(), "一時停止", {32, 136, 97, 33}},
        {form->stepButton(), "コマ送り", {32, 168, 97, 33}},
        {form->endButton(), "終了", {32, 216, 97, 33}},
        {form->speedLabel(), "アニメ速度", {48, 272, 57, 17}},
        {form->speedBar(), "", {40, 296, 73, 33}},
        {form->fastLabel(), "速", {16, 304, 41, 25}},
        {form->slowLabel(), "遅", {128, 304, 33, 25}},
        {form->parameterLabel(), QString::fromUtf8("       　 節の数"), {8, 368, 153, 17}},
        {form->parameterBar(), "", {40, 384, 57, 33}},
        {form->parameterText(), "1", {48, 424, 41, 25}},
        {form->frames12(), "１２画面", {192, 24, 81, 25}},
        {form->frames24(), "２４画面", {280, 24, 89, 25}},
    };
    for (const Expected& c : controls) {
        QString text;
        if (auto* b = qobject_cast<QAbstractButton*>(c.widget))
            text = b->text();
        else if (auto* l = qobject_cast<QLabel*>(c.widget))
            text = l->text();
        else if (auto* e = qobject_cast<QLineEdit*>(c.widget))
            text = e->text();
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(c.widget->geometry(), c.place) << text.toStdString();
    }
    EXPECT_EQ(form->titleLabel()->text(), QStringLiteral("　　　　　　単振動の変位"));
    EXPECT_EQ(form->titleLabel()->font().pointSize(), 18);
    EXPECT_EQ(form->titleLabel()->font().families().value(0), "IPAPGothic");
    EXPECT_EQ(form->parameterText()->font().pointSize(), 12);
    EXPECT_TRUE(form->parameterText()->isReadOnly());
    EXPECT_EQ(form->picture()->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(form->picture()->frameShadow(), QFrame::Sunken);

    const QScrollBar* speed = form->speedBar();
    EXPECT_EQ(speed->minimum(), 1);
    EXPECT_EQ(speed->maximum(), 1000);
    EXPECT_EQ(speed->singleStep(), 10);
    EXPECT_EQ(speed->pageStep(), 50);
    EXPECT_EQ(speed->value(), 200);
    EXPECT_FALSE(speed->hasTracking());
    EXPECT_FALSE(form->parameterBar()->hasTracking());
}

TEST(ViewerWindow, TabOrderFollowsTheLayout)
{
    auto form = openViewer(0);
    // Down the left column, then the options at the top and the picture.
    const std::vector<QWidget*> expected = {form->drawButton(), form->playButton(), form->pauseButton(),
        form->stepButton(), form->endButton(), form->speedBar(), form->parameterBar(), form->parameterText(),
        form->saveButton(), form->frames12(), form->frames24(), form->picture()};
    std::vector<QWidget*> chain;
    QWidget* w = form->drawButton();
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            chain.push_back(w);
        w = w->nextInFocusChain();
    } while (w != form->drawButton() && chain.size() < 40);
    EXPECT_EQ(chain, expected);
    EXPECT_EQ(form->focusWidget(), form->speedBar());  // where the focus starts, as before
}

TEST(ViewerWindow, LoadedState)
{
    auto form = openViewer(0);
    EXPECT_TRUE(form->drawButton()->isEnabled());
    EXPECT_FALSE(form->playButton()->isEnabled());
    EXPECT_FALSE(form->pauseButton()->isEnabled());
    EXPECT_FALSE(form->stepButton()->isEnabled());
    EXPECT_TRUE(form->endButton()->isEnabled());
    EXPECT_TRUE(form->frames12()->isEnabled());
    EXPECT_TRUE(form->frames24()->isEnabled());
    EXPECT_TRUE(form->frames12()->isChecked());
    EXPECT_EQ(form->model().sceneParam(), 1);
    EXPECT_EQ(form->frameStore().heldCount(), 0);
}

}  // namespace
}  // namespace kelvora
