// The viewer's keys and the mouse wheel. Space starts or pauses playback,
// Right and Page Down step one frame, Left and Page Up step one frame back,
// Enter is 描画 and Esc is 終了 (presenter remotes send Page Up and Page
// Down); Shift with an arrow moves the probe, and Esc removes its marks
// first. A focused control keeps the keys it has a use for; the model
// decides which those are and whether the key's button is live.

#include "viewer/viewer_window.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWheelEvent>

#include <optional>

namespace kelvora {

namespace {

// Shift with an arrow is the probe's key; the others go without modifiers.
std::optional<ViewerKey> viewerKey(int key, Qt::KeyboardModifiers modifiers)
{
    modifiers &= ~Qt::KeypadModifier;
    if (modifiers == Qt::ShiftModifier) {
        switch (key) {
        case Qt::Key_Right: return ViewerKey::ShiftRight;
        case Qt::Key_Left: return ViewerKey::ShiftLeft;
        case Qt::Key_Up: return ViewerKey::ShiftUp;
        case Qt::Key_Down: return ViewerKey::ShiftDown;
        default: return std::nullopt;
        }
    }
    if (modifiers != Qt::NoModifier)
        return std::nullopt;
    switch (key) {
    case Qt::Key_Space: return ViewerKey::Space;
    case Qt::Key_Right: return ViewerKey::Right;
    case Qt::Key_PageDown: return ViewerKey::PageDown;
    case Qt::Key_Left: return ViewerKey::Left;
    case Qt::Key_PageUp: return ViewerKey::PageUp;
    case Qt::Key_Return:
    case Qt::Key_Enter: return ViewerKey::Enter;
    case Qt::Key_Escape: return ViewerKey::Escape;
    default: return std::nullopt;
    }
}

std::optional<ScrollKey> scrollKey(int key)
{
    switch (key) {
    case Qt::Key_Left: return ScrollKey::Left;
    case Qt::Key_Right: return ScrollKey::Right;
    case Qt::Key_Up: return ScrollKey::Up;
    case Qt::Key_Down: return ScrollKey::Down;
    case Qt::Key_PageUp: return ScrollKey::PageUp;
    case Qt::Key_PageDown: return ScrollKey::PageDown;
    default: return std::nullopt;
    }
}

// A disabled control cannot hold the focus: a key that reaches one is the
// window's.
FocusKind focusKind(const QWidget* widget)
{
    if (!widget->isEnabled())
        return FocusKind::Picture;
    if (qobject_cast<const QScrollBar*>(widget))
        return FocusKind::ScrollBar;
    if (qobject_cast<const QRadioButton*>(widget))
        return FocusKind::OptionButton;
    if (qobject_cast<const QAbstractButton*>(widget))
        return FocusKind::Button;
    if (qobject_cast<const QLineEdit*>(widget))
        return FocusKind::TextBox;
    return FocusKind::Picture;
}

}  // namespace

bool ViewerWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        if (auto* bar = qobject_cast<QScrollBar*>(watched))
            return wheelEvent(bar, event);
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && keyEvent(widget, event))
            return true;
        auto* bar = qobject_cast<QScrollBar*>(watched);
        if (bar && event->type() == QEvent::KeyPress && scrollBarKey(bar, static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

// A key the focused control or a disabled button leaves alone goes to the
// control as usual (the arrows move a scroll bar before the first capture,
// for example). A key that reaches the window itself was not taken by the
// focused control.
bool ViewerWindow::keyEvent(QWidget* target, QEvent* event)
{
    auto* key = static_cast<QKeyEvent*>(event);
    const std::optional<ViewerKey> viewer = viewerKey(key->key(), key->modifiers());
    if (!viewer)
        return false;
    const KeyCommand command = model_->commandForKey(*viewer, focusKind(target));
    if (command == KeyCommand::None)
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // Claimed here so no shortcut of a control takes the key first.
        event->accept();
        return true;
    }
    if (!key->isAutoRepeat() || RepeatsWhenHeld(*viewer))
        perform(command);
    return true;
}

// A focused scroll bar moves as ScrollBarKeyStep says, whatever way Qt
// would turn a horizontal bar's keys.
bool ViewerWindow::scrollBarKey(QScrollBar* bar, QKeyEvent* key)
{
    const std::optional<ScrollKey> scroll = scrollKey(key->key());
    if (!scroll || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || !bar->isEnabled())
        return false;
    bar->setValue(bar->value() + ScrollBarKeyStep(*scroll, bar->singleStep(), bar->pageStep()));
    return true;
}

void ViewerWindow::perform(KeyCommand command)
{
    // A command of a button presses the button, as a click would; the
    // others are the model's.
    switch (command) {
    case KeyCommand::Draw: drawButton_->click(); break;
    case KeyCommand::Play: playButton_->click(); break;
    case KeyCommand::Pause: pauseButton_->click(); break;
    case KeyCommand::Step: stepButton_->click(); break;
    case KeyCommand::End: endButton_->click(); break;
    default: model_->runCommand(command); break;
    }
}

// The wheel moves the thumb as ScrollWheel says, by the lines a notch
// scrolls in the desktop's settings.
bool ViewerWindow::wheelEvent(QScrollBar* bar, QEvent* event)
{
    if (!bar->isEnabled())
        return true;
    const QPoint delta = static_cast<QWheelEvent*>(event)->angleDelta();
    ScrollWheel& wheel = bar == speedBar_ ? speedWheel_ : parameterWheel_;
    const int move = wheel.turn(delta.y() != 0 ? -delta.y() : -delta.x(), bar->singleStep(), bar->pageStep(),
        QApplication::wheelScrollLines());
    if (move != 0)
        bar->setValue(bar->value() + move);
    event->accept();
    return true;
}

}  // namespace kelvora
