#include "menu/form2.h"

#include "app/shared_state.h"
#include "raster/raster_surface.h"
#include "scenes/scene_catalogue.h"
#include "viewer/form1.h"

#include <QApplication>
#include <QGuiApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QLineEdit>

#include <cmath>

namespace kelvora {

namespace {

constexpr int kTwipsPerPixel = 15;

int twipsToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

}  // namespace

QSize Form2::outerSizePixels()
{
    return {twipsToPixels(kMenuWidthTwips), twipsToPixels(kMenuHeightTwips)};
}

Form2::Form2(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("メニュー"));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(background);
    createControls();
    Form_Load();
}

void Form2::createControls()
{
    for (int i = 0; i < 16; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(FindScene(i)->menuCaption), this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        button->installEventFilter(this);
        command1_[static_cast<std::size_t>(i)] = button;
    }
    cmdEnd_ = new QPushButton(QStringLiteral("終了"), this);
    cmdEnd_->setObjectName(QStringLiteral("Cmd_End"));
    connect(cmdEnd_, &QPushButton::clicked, this, [this] { Cmd_End_Click(); });

    label1_ = new QLabel(QStringLiteral("波動メニュー"), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    QFont heading;
    heading.setFamilies(TextFontFamilies());
    heading.setPointSize(24);
    label1_->setFont(heading);
    QPalette blue = label1_->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    label1_->setPalette(blue);

    // Tab order of the design: scenes 0..7, 10, 11, 8, 9, the end button,
    // then 12, 13, 14, 15 (the heading takes no focus).
    const int tabOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 8, 9, -1, 12, 13, 14, 15};
    QWidget* previous = nullptr;
    for (int index : tabOrder) {
        QWidget* next = index < 0 ? static_cast<QWidget*>(cmdEnd_) : command1_[static_cast<std::size_t>(index)];
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
}

QPoint Form2::centredTopLeft()
{
    const QSize outer = outerSizePixels();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QRect area = screen->geometry();
    return {area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2};
}

void Form2::Form_Load()
{
    // The whole window, with its frame, is 8640 x 6390 twips, centred on
    // the screen. Until a frame is known the drawing area takes it all.
    resize(outerSizePixels());
    move(centredTopLeft());
    layout_ = ComputeMenuLayout();
    placeControls();
}

void Form2::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // With a window frame, known only now, shrink the drawing area so the
    // whole window keeps its size, and centre the whole window again.
    if (frameAdjusted_)
        return;
    frameAdjusted_ = true;
    const QSize margins = frameGeometry().size() - size();
    if (margins.width() > 0 || margins.height() > 0) {
        resize(outerSizePixels() - margins);
        move(centredTopLeft());
    }
}

void Form2::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void Form2::placeControls()
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
    for (std::size_t i = 0; i < command1_.size(); ++i)
        place(command1_[i], layout_.sceneButtons[i], true);
    place(cmdEnd_, layout_.endButton, true);
    place(label1_, layout_.heading, false);
}

void Form2::Command1_Click(int index)
{
    Shared().SceneIndex = static_cast<std::int16_t>(index);
    auto* viewer = new Form1();  // its Form_Load runs here
    viewer->show();
    const SceneInfo* scene = FindScene(index);
    if (!scene->hasParameter) {
        viewer->HScroll2()->setVisible(false);
        viewer->Label4()->setVisible(false);
        viewer->Text1()->setVisible(false);
    }
    viewer->Label5()->setText(QString::fromUtf8(scene->viewerTitle));
    connect(viewer, &Form1::menuRequested, viewer, [] { ShowMenu(); });
    emit viewerOpened(viewer);
    close();
}

void Form2::Cmd_End_Click()
{
    // End: every window closes and the program stops.
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

void Form2::moveFocusInReadingOrder(int step)
{
    int position = 0;
    for (std::size_t i = 0; i < kMenuReadingOrder.size(); ++i)
        if (command1_[static_cast<std::size_t>(kMenuReadingOrder[i])] == focusWidget())
            position = static_cast<int>(i) + step;
    const int count = static_cast<int>(kMenuReadingOrder.size());
    position = (position % count + count) % count;
    command1_[static_cast<std::size_t>(kMenuReadingOrder[static_cast<std::size_t>(position)])]->setFocus();
}

// Arrow keys walk the scene buttons in the order of the layout (row by
// row, left column first; up and down move a whole row), Enter opens the
// focused scene.
bool Form2::eventFilter(QObject* watched, QEvent* event)
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

Form2* ShowMenu()
{
    auto* menu = new Form2();
    menu->show();
    return menu;
}

}  // namespace kelvora
