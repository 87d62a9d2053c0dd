#include "menu/menu_window.h"

#include "viewer/control_widgets.h"
#include "viewer/viewer_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <optional>

namespace kelvora {

namespace {

// The menu on the primary screen with a mouse: the design grown with the
// screen, or where that does not fit, the flow of LayOutMenuOnScreen in
// what the window's frame leaves of the screen.
WindowLayout layoutOnScreen(const MenuDescription& menu, QSize frame = {})
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->geometry().size() : QSize(kDesignScreenWidth, kDesignScreenHeight);
    const WindowLayout design = LayOutMenuOnScreen(menu, size.width(), size.height(), Pointer::Fine);
    if (!design.reflowed || !frame.isValid())
        return design;
    return LayOutMenuOnScreen(menu, size.width() - frame.width(), size.height() - frame.height(), Pointer::Fine);
}

}  // namespace

QSize MenuWindow::outerSizePixels()
{
    const WindowLayout layout = layoutOnScreen(DescribeMenu());
    return {layout.contentWidth, layout.contentHeight};
}

MenuWindow::MenuWindow(QWidget* parent)
    : QWidget(parent)
    , description_(DescribeMenu())
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromStdString(description_.windowCaption));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, ToQColor(description_.background));
    setPalette(background);
    createControls();
    // The whole window, with its frame, is 8640 x 6390 twips, centred on
    // the screen. Until a frame is known the drawing area takes it all.
    resize(outerSizePixels());
    move(centredTopLeft());
    placeControls();
}

void MenuWindow::createControls()
{
    for (const ControlDescription& c : description_.controls) {
        QWidget* widget = BuildControl(c, this);
        controls_.push_back(widget);
        auto* button = qobject_cast<QPushButton*>(widget);
        if (!button) {
            heading_ = qobject_cast<QLabel*>(widget);
        } else if (c.value < 0) {
            endButton_ = button;
            connect(button, &QPushButton::clicked, this, [this] { endProgram(); });
        } else {
            const int scene = c.value;
            sceneButtons_[static_cast<std::size_t>(scene)] = button;
            connect(button, &QPushButton::clicked, this, [this, scene] { openScene(scene); });
            button->installEventFilter(this);
        }
    }
    // Tab goes as the arrows do, row by row through the scenes, then to the
    // end button under them (the heading takes no focus).
    StackAndChain(description_.controls, controls_);
}

QPoint MenuWindow::centredTopLeft() { return centredTopLeft(outerSizePixels()); }

QPoint MenuWindow::centredTopLeft(QSize outer)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QRect area = screen->geometry();
    return {area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2};
}

// A window manager frames the window only once it is mapped, and the
// frame's size arrives later still, with a move or a resize. The first time
// a frame is known, the drawing area shrinks so the whole window keeps its
// size, and the whole window is centred again.
bool MenuWindow::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
        fitFrameOnce();
        break;
    default:
        break;
    }
    return handled;
}

void MenuWindow::fitFrameOnce()
{
    if (frame_.isValid() || !isVisible())
        return;
    const QSize margins = frameGeometry().size() - size();
    if (margins.width() <= 0 && margins.height() <= 0)
        return;
    frame_ = margins;
    // The design keeps its whole size, frame included; a flow is made
    // again to fit beside the frame, since the window cannot scroll.
    const WindowLayout layout = layoutOnScreen(description_, frame_);
    const QSize area = layout.reflowed ? QSize(layout.contentWidth, layout.contentHeight) : outerSizePixels() - margins;
    resize(area);
    move(centredTopLeft(area + margins));
}

void MenuWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void MenuWindow::placeControls()
{
    WindowLayout layout = layoutOnScreen(description_, frame_);
    // The design's user scale fills the drawing area as it is, frame or not.
    if (!layout.reflowed)
        layout.places = LayOutMenu(description_, width(), height(), layout.textScale);
    ApplyLayout(description_.controls, controls_, layout);
    columns_ = MenuColumns(layout);
}

void MenuWindow::openScene(int sceneIndex)
{
    auto* viewer = new ViewerWindow(sceneIndex);
    viewer->show();
    connect(viewer, &ViewerWindow::menuRequested, viewer, [] { ShowMenu(); });
    emit viewerOpened(viewer);
    close();
}

void MenuWindow::endProgram()
{
    // End: every window closes and the program stops.
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

// Arrow keys walk the scene buttons as MenuSceneAfterArrow says, Enter
// opens the focused scene.
bool MenuWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const auto walk = [this](MenuArrow arrow) {
        std::optional<int> focused;
        for (std::size_t i = 0; i < sceneButtons_.size(); ++i)
            if (sceneButtons_[i] == focusWidget())
                focused = static_cast<int>(i);
        sceneButtons_[static_cast<std::size_t>(MenuSceneAfterArrow(focused, arrow, columns_))]->setFocus();
        return true;
    };
    switch (key->key()) {
    case Qt::Key_Right: return walk(MenuArrow::Right);
    case Qt::Key_Left: return walk(MenuArrow::Left);
    case Qt::Key_Down: return walk(MenuArrow::Down);
    case Qt::Key_Up: return walk(MenuArrow::Up);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QPushButton*>(watched)) {
            button->click();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

MenuWindow* ShowMenu()
{
    auto* menu = new MenuWindow();
    menu->show();
    return menu;
}

}  // namespace kelvora
