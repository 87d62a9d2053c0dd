#include "menu/menu_window.h"

#include "raster/raster_surface.h"
#include "scenes/scene_catalogue.h"
#include "viewer/viewer_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <cmath>

namespace kelvora {

namespace {

constexpr int kTwipsPerPixel = 15;

int twipsToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

}  // namespace

QSize MenuWindow::outerSizePixels()
{
    return {twipsToPixels(kMenuWidthTwips), twipsToPixels(kMenuHeightTwips)};
}

MenuWindow::MenuWindow(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("メニュー"));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(background);
    createControls();
    // The whole window, with its frame, is 8640 x 6390 twips, centred on
    // the screen. Until a frame is known the drawing area takes it all.
    resize(outerSizePixels());
    move(centredTopLeft());
    layout_ = ComputeMenuLayout();
    placeControls();
}

void MenuWindow::createControls()
{
    for (int i = 0; i < 16; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(FindScene(i)->menuCaption), this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        connect(button, &QPushButton::clicked, this, [this, i] { openScene(i); });
        button->installEventFilter(this);
        sceneButtons_[static_cast<std::size_t>(i)] = button;
    }
    endButton_ = new QPushButton(QStringLiteral("終了"), this);
    endButton_->setObjectName(QStringLiteral("Cmd_End"));
    connect(endButton_, &QPushButton::clicked, this, [this] { endProgram(); });

    heading_ = new QLabel(QStringLiteral("波動メニュー"), this);
    heading_->setObjectName(QStringLiteral("Label1"));
    QFont heading;
    heading.setFamilies(TextFontFamilies());
    heading.setPointSize(24);
    heading_->setFont(heading);
    QPalette blue = heading_->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    heading_->setPalette(blue);

    // Tab goes as the arrows do, row by row through the scenes, then to the
    // end button under them (the heading takes no focus).
    QWidget* previous = nullptr;
    for (int index : kMenuReadingOrder) {
        QWidget* next = sceneButtons_[static_cast<std::size_t>(index)];
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
    setTabOrder(previous, endButton_);
    nameControls();
}

// What a screen reader says of each control: the caption, and what a
// scene button opens.
void MenuWindow::nameControls()
{
    for (int i = 0; i < 16; ++i) {
        QPushButton* button = sceneButtons_[static_cast<std::size_t>(i)];
        button->setAccessibleName(button->text());
        const QString parameter = QString::fromStdString(ParameterName(i));
        button->setAccessibleDescription(parameter.isEmpty()
                ? QStringLiteral("この場面を開く")
                : QStringLiteral("この場面を開く。%1を変えられる").arg(parameter));
    }
    endButton_->setAccessibleName(QStringLiteral("終了"));
    endButton_->setAccessibleDescription(QStringLiteral("Kelvora を終わる"));
    heading_->setAccessibleName(heading_->text());
}

QPoint MenuWindow::centredTopLeft()
{
    const QSize outer = outerSizePixels();
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
    if (frameFitted_ || !isVisible())
        return;
    const QSize margins = frameGeometry().size() - size();
    if (margins.width() <= 0 && margins.height() <= 0)
        return;
    frameFitted_ = true;
    resize(outerSizePixels() - margins);
    move(centredTopLeft());
}

void MenuWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void MenuWindow::placeControls()
{
    // User units to pixels of the drawing area; widths of buttons are
    // design twips, the same on every screen.
    const double unitX = width() / kMenuScaleWidth;
    const double unitY = height() / kMenuScaleHeight;
    auto place = [&](QWidget* widget, const UserRect& r, bool widthInTwips) {
        const int left = static_cast<int>(std::lround(r.left * unitX));
        const int top = static_cast<int>(std::lround(r.top * unitY));
        const int w = widthInTwips ? twipsToPixels(r.width) : static_cast<int>(std::lround(r.width * unitX));
        const int h = static_cast<int>(std::lround(r.height * unitY));
        widget->setGeometry(left, top, w, h);
    };
    for (std::size_t i = 0; i < sceneButtons_.size(); ++i)
        place(sceneButtons_[i], layout_.sceneButtons[i], true);
    place(endButton_, layout_.endButton, true);
    place(heading_, layout_.heading, false);
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

void MenuWindow::moveFocusInReadingOrder(int step)
{
    int position = 0;
    for (std::size_t i = 0; i < kMenuReadingOrder.size(); ++i)
        if (sceneButtons_[static_cast<std::size_t>(kMenuReadingOrder[i])] == focusWidget())
            position = static_cast<int>(i) + step;
    const int count = static_cast<int>(kMenuReadingOrder.size());
    position = (position % count + count) % count;
    sceneButtons_[static_cast<std::size_t>(kMenuReadingOrder[static_cast<std::size_t>(position)])]->setFocus();
}

// Arrow keys walk the scene buttons in the order of the layout (row by
// row, left column first; up and down move a whole row), Enter opens the
// focused scene.
bool MenuWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Right: moveFocusInReadingOrder(1); return true;
    case Qt::Key_Left: moveFocusInReadingOrder(-1); return true;
    case Qt::Key_Down: moveFocusInReadingOrder(2); return true;
    case Qt::Key_Up: moveFocusInReadingOrder(-2); return true;
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
