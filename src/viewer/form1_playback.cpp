// Playback: the stored frames shown as a loop, on an absolute schedule of
// HScroll1 milliseconds per frame, with pause and single step. Playback
// never draws; it only puts stored frames back on Picture1.

#include "viewer/form1.h"

#include "app/shared_state.h"
#include "canvas/numeric.h"

#include <QPushButton>
#include <QScrollBar>

namespace kelvora {

void Form1::Cmd_Anime_Click()
{
    // The parameter cannot change under the playing frames.
    hScroll2_->setEnabled(false);
    Shared().StopFlag = 0;
    guarded([this] { Animate(); });
}

void Form1::Animate()
{
    vars_.FrameDelay = static_cast<std::int16_t>(hScroll1_->value());
    nextTime_ = clock_->nowMs();
    // Playback always starts at frame 0, also after a pause.
    vars_.FrameNo = 0;
    playing_ = true;
    animatePass();
}

// One pass of the loop: show the frame that is due, then sleep until the
// next one is. Frame j of a run is due at the start plus the delays in
// force when frames 0 to j-1 were shown, so a late frame shortens the next
// wait instead of pushing the whole loop back.
void Form1::animatePass()
{
    if (Shared().StopFlag != 0 || unloaded_) {
        playing_ = false;
        return;
    }
    vars_.FrameNo = static_cast<std::int16_t>(vars_.FrameNo % (Shared().LastFrame + 1));
    cmdPicture_->setEnabled(false);
    cmdAnime_->setEnabled(false);
    ShowStoredFrame(vars_.FrameNo);
    nextTime_ += vars_.FrameDelay;
    // FrameNo moves on before the wait, so a pause or a single step that
    // comes during the wait finds the frame after the one on the screen.
    vars_.FrameNo = Add16(vars_.FrameNo, 1);
    WaitTill(nextTime_);
}

void Form1::WaitTill(std::int64_t nextTime)
{
    clock_->wakeAt(nextTime, [this] { guarded([this] { animatePass(); }); });
}

void Form1::haltPlayback()
{
    playing_ = false;
    clock_->cancel();
}

void Form1::Cmd_stop_Click()
{
    hScroll2_->setEnabled(true);
    cmdPicture_->setEnabled(true);
    cmdAnime_->setEnabled(true);
    Shared().StopFlag = 1;
    haltPlayback();
}

void Form1::Cmd_step_Click()
{
    Shared().StopFlag = 1;
    haltPlayback();
    cmdPicture_->setEnabled(true);
    cmdAnime_->setEnabled(true);
    guarded([this] {
        vars_.FrameNo = static_cast<std::int16_t>(vars_.FrameNo % (Shared().LastFrame + 1));
        ShowStoredFrame(vars_.FrameNo);
        vars_.FrameNo = Add16(vars_.FrameNo, 1);
    });
}

void Form1::HScroll1_Change(int value)
{
    // Read by the next pass of the loop: the new speed applies from the
    // next frame on.
    vars_.FrameDelay = static_cast<std::int16_t>(value);
}

void Form1::ShowStoredFrame(int k)
{
    // Unpacked straight into the drawing surface, with no copy between.
    QImage& pixels = picture1_->surface().pixelsForWriting();
    if (!frameStore_.holds(k) || frameStore_.frameSize(k) != pixels.size())
        return;
    frameStore_.read(k, pixels);
    noteShownFrame(k);
    picture1_->update();
}

}  // namespace kelvora
