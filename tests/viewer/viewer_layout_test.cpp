#include "viewer/control_widgets.h"
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

std::unique_ptr<ViewerWindow> openViewer(int scene)
{
    return std::make_unique<ViewerWindow>(scene);
}

TEST(ViewerWindow, CoversTheScreenWithThePictureBoxInProportion)
{
    auto form = openViewer(0);
    const QRect screen = form->screen()->geometry();
    EXPECT_EQ(form->geometry(), screen);
    EXPECT_EQ(form->picture()->geometry(), ToQRect(PictureRect(LayoutPicture(screen.width(), screen.height()))));
    // The surface fills the drawing area inside the border.
    EXPECT_EQ(form->picture()->surface().image().size(), form->picture()->contentsRect().size());
}

QString textOf(const QWidget* widget)
{
    if (auto* b = qobject_cast<const QAbstractButton*>(widget))
        return b->text();
    if (auto* l = qobject_cast<const QLabel*>(widget))
        return l->text();
    if (auto* e = qobject_cast<const QLineEdit*>(widget))
        return e->text();
    return {};
}

// Each widget is its control as described, where the layout puts it.
TEST(ViewerWindow, WidgetsAreTheirDescription)
{
    for (int scene : {0, 15}) {
        auto form = openViewer(scene);
        const ViewerDescription& d = form->description();
        EXPECT_EQ(form->windowTitle(), QString::fromStdString(d.windowCaption));
        EXPECT_EQ(form->palette().color(QPalette::Window), ToQColor(d.background));
        EXPECT_FALSE(form->windowIcon().isNull());
        const WindowLayout layout = LayOutViewer(d, form->width(), form->height(), Pointer::Fine, Scrolling::None);
        for (std::size_t i = 0; i < d.controls.size(); ++i) {
            const ControlDescription& c = d.controls[i];
            const QWidget* w = form->controlWidget(c.name);
            EXPECT_EQ(w->objectName().toStdString(), c.designName);
            EXPECT_EQ(w->geometry(), ToQRect(layout.places[i])) << c.name;
            if (c.role != ControlRole::ScrollBar && c.role != ControlRole::Picture && c.role != ControlRole::TextBox) {
                EXPECT_EQ(textOf(w).toStdString(), c.caption) << c.name;
            }
            EXPECT_EQ(w->toolTip().toStdString(), c.tooltip);
            EXPECT_EQ(w->accessibleDescription().toStdString(), c.accessibleDescription);
            EXPECT_EQ(w->isHidden(), !ShownWith(c, Pointer::Fine)) << c.name;
            EXPECT_EQ(w->font().pointSizeF(), c.font.points * layout.textScale) << c.name;
            if (auto* bar = qobject_cast<const QScrollBar*>(w)) {
                EXPECT_EQ(bar->singleStep(), c.range.smallChange);
                EXPECT_FALSE(bar->hasTracking());
            }
        }
        EXPECT_TRUE(form->parameterText()->isReadOnly());
        EXPECT_EQ(form->focusWidget(), form->controlWidget(d.initialFocus));
    }
}

TEST(ViewerWindow, TabFollowsTheDescribedOrder)
{
    auto form = openViewer(10);
    std::vector<QWidget*> expected;
    for (const ControlDescription& c : form->description().controls)
        if (c.takesFocus())
            expected.push_back(form->controlWidget(c.name));
    std::vector<QWidget*> chain;
    QWidget* w = expected.front();
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            chain.push_back(w);
        w = w->nextInFocusChain();
    } while (w != expected.front() && chain.size() < 40);
    EXPECT_EQ(chain, expected);
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
