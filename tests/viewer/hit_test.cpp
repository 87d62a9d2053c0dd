// A click reaches every control of both windows: at its centre, and for a
// scroll bar on both arrows, the widget found at that point of the window
// is the control itself. Run once for each screen size (KELVORA_TEST_SCREEN
// = WIDTHxHEIGHT, on the offscreen platform).

#include "menu/menu_window.h"
#include "viewer/viewer_window.h"

#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <span>
#include <vector>

namespace kelvora {
namespace {

// The sub-control of a scroll bar under a point of the window.
QStyle::SubControl partAt(QScrollBar* bar, QPoint inWindow)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    return bar->style()->hitTestComplexControl(QStyle::CC_ScrollBar, &option, bar->mapFrom(bar->window(), inWindow),
        bar);
}

void expectEveryControlReached(QWidget* window, std::span<const ControlDescription> controls,
    const std::vector<QWidget*>& widgets)
{
    for (std::size_t i = 0; i < controls.size(); ++i) {
        QWidget* widget = widgets[i];
        if (!controls[i].takesFocus() || widget->isHidden())
            continue;
        const QRect place = widget->geometry();
        EXPECT_TRUE(window->rect().contains(place)) << controls[i].name;
        EXPECT_EQ(window->childAt(place.center()), widget) << controls[i].name;
        // Text grows with the screen.
        const QRect screen = window->screen()->geometry();
        EXPECT_EQ(widget->font().pointSizeF(), controls[i].font.points * ScreenScale(screen.width(), screen.height()))
            << controls[i].name;
        if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
            const QPoint leftArrow(place.left() + 2, place.center().y());
            const QPoint rightArrow(place.right() - 2, place.center().y());
            EXPECT_EQ(window->childAt(leftArrow), widget) << controls[i].name << " left arrow";
            EXPECT_EQ(window->childAt(rightArrow), widget) << controls[i].name << " right arrow";
            EXPECT_EQ(partAt(bar, leftArrow), QStyle::SC_ScrollBarSubLine);
            EXPECT_EQ(partAt(bar, rightArrow), QStyle::SC_ScrollBarAddLine);
        }
    }
}

TEST(HitTest, EveryViewerControlIsReachedForEveryKindOfScene)
{
    for (int scene : {0, 10, 14, 15}) {
        ViewerWindow viewer(scene);
        viewer.show();
        std::vector<QWidget*> widgets;
        for (const ControlDescription& c : viewer.description().controls)
            widgets.push_back(viewer.controlWidget(c.name));
        expectEveryControlReached(&viewer, viewer.description().controls, widgets);
    }
}

TEST(HitTest, EveryMenuButtonIsReached)
{
    MenuWindow menu;
    menu.show();
    expectEveryControlReached(&menu, menu.description().controls, menu.controlWidgets());
}

}  // namespace
}  // namespace kelvora

int main(int argc, char** argv)
{
    // One offscreen screen of the size asked for.
    const QByteArray size = qgetenv("KELVORA_TEST_SCREEN").isEmpty() ? "1280x800" : qgetenv("KELVORA_TEST_SCREEN");
    const QList<QByteArray> wh = size.split('x');
    QTemporaryFile config;
    if (!config.open() || wh.size() != 2)
        return 2;
    config.write(R"({"screens": [{"name": "Test", "x": 0, "y": 0, "width": )" + wh[0] + R"(, "height": )" + wh[1]
        + R"(, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toUtf8());
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
