// The viewer's keys, for the keyboard and for presenter remotes (which send
// Page Up and Page Down): Space starts or pauses playback, Right and Page
// Down step one frame, Left and Page Up step one frame back, Enter is 描画
// and Esc is 終了. A key acts only when its button is enabled, and the
// viewer keeps these keys whichever control has the focus, so a focused
// scroll bar or option button does not take the arrows.

#include "viewer/form1.h"

#include "app/shared_state.h"
#include "canvas/numeric.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>

namespace kelvora {

namespace {

// Keys that a held key repeats: the steps; starting, drawing and ending
// act once per press.
bool repeats(int key)
{
    return key == Qt::Key_Right || key == Qt::Key_PageDown || key == Qt::Key_Left || key == Qt::Key_PageUp;
}

}  // namespace

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cmdAnime_ && event->type() == QEvent::EnabledChange)
        updateSaveEnabled();
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QWidget::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (!widget || widget->window() != this || modifiers != Qt::NoModifier)
        return QWidget::eventFilter(watched, event);
    // A key whose button is off is not the viewer's just now: the focused
    // control gets it as usual (the arrows move a scroll bar before the
    // first capture, for example).
    QPushButton* button = buttonForKey(key->key());
    if (!button || !button->isEnabled())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        // Claimed here so no shortcut of a control takes the key first.
        event->accept();
        return true;
    }
    if (!key->isAutoRepeat() || repeats(key->key()))
        actOnKey(key->key());
    return true;
}

QPushButton* Form1::buttonForKey(int key) const
{
    switch (key) {
    case Qt::Key_Space:
        return playing_ ? cmdStop_ : cmdAnime_;
    case Qt::Key_Right:
    case Qt::Key_PageDown:
    case Qt::Key_Left:
    case Qt::Key_PageUp:
        return cmdStep_;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return cmdPicture_;
    case Qt::Key_Escape:
        return cmdEnd_;
    default:
        return nullptr;
    }
}

void Form1::actOnKey(int key)
{
    if (key == Qt::Key_Left || key == Qt::Key_PageUp)
        Cmd_stepBack();
    else if (QPushButton* button = buttonForKey(key))
        button->click();
}

// One frame back: as a single step, but showing the frame before the one
// last shown (from frame 0 back to LastFrame). A forward step after it
// shows the frame after it again.
void Form1::Cmd_stepBack()
{
    Shared().StopFlag = 1;
    haltPlayback();
    cmdPicture_->setEnabled(true);
    cmdAnime_->setEnabled(true);
    guarded([this] {
        const int last = Shared().LastFrame;
        const int k = shownFrameIndex_ <= 0 || shownFrameIndex_ > last ? last : shownFrameIndex_ - 1;
        ShowStoredFrame(k);
        vars_.FrameNo = Add16(static_cast<std::int16_t>(k), 1);
    });
}

}  // namespace kelvora
