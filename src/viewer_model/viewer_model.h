#pragma once

#include "scenes/scene_context.h"
#include "viewer_model/frame_source.h"
#include "viewer_model/frame_start.h"
#include "viewer_model/playback_clock.h"
#include "viewer_model/viewer_keys.h"
#include "viewer_model/viewer_phase.h"
#include "viewer_model/viewer_probe.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace kelvora {

class Canvas;
class RuntimeError;
class ViewerHost;

// The viewer's behaviour, without any widget: what each control does and
// in which order, which controls are live, the capture of every frame of
// one period into the host's frame store, the playback schedule, single
// step and step back, the parameter and its text, the 12/24 choice and
// the frame readout. The desktop window and the web page turn the user's
// actions into calls here and show what the model says after each
// ViewerHost::modelChanged.
//
// A run-time error of a scene stops capture and playback, empties the
// store and goes to ViewerHost::reportRuntimeError; no call here throws
// one.
class ViewerModel {
public:
    // Sets the viewer up for the scene: 12 frames chosen, only 描画 and 終了
    // of the buttons live, and the parameter controls of the scene.
    ViewerModel(int sceneIndex, ViewerHost& host, std::shared_ptr<PlaybackClock> clock);
    ~ViewerModel();
    ViewerModel(const ViewerModel&) = delete;
    ViewerModel& operator=(const ViewerModel&) = delete;

    // What the window shows.
    int sceneIndex() const { return sceneIndex_; }
    std::string title() const;  // padded with U+3000, as shown
    bool hasParameter() const;
    std::string parameterLabel() const;
    const ParameterControl& parameter() const { return parameter_; }
    std::int16_t sceneParam() const { return parameter_.value; }
    ViewerPhase phase() const { return phase_; }
    ViewerControls controls() const;
    bool isCapturing() const { return phase_ == ViewerPhase::Capturing; }
    bool isPlaying() const { return phase_ == ViewerPhase::Playing; }
    int frameCountChoice() const { return frames24_ ? 24 : 12; }
    int speed() const { return speed_; }
    std::int16_t lastFrame() const { return lastFrame_; }
    // The capture counter, then the next frame to play.
    std::int16_t frameNo() const { return frameNo_; }
    std::int16_t frameDelay() const { return frameDelay_; }
    // The stored frame on the picture, -1 before the first.
    int shownFrame() const { return shownFrame_; }
    // "コマ k / N" for the frame shown (counted from 1), empty before any.
    std::string frameReadout() const;
    // The picture as a screen reader names it: the title without its
    // padding and the frame shown ("閉管、コマ 4 / 12"); the title alone
    // before any frame.
    std::string pictureName() const;
    // The names of what 保存 writes from the stored frames: the worksheet's
    // title and the proposed file name without its suffix, with the
    // parameter value of a scene that has one. The parameter changes only
    // by discarding the stored frames (setParameter, or a scene moving it
    // during capture), so while frames are stored its text is the one they
    // were drawn with.
    std::string worksheetTitle() const;
    std::string saveFileStem() const;

    // What the user does. Each does nothing while its control is off.
    void chooseFrameCount(int frames);  // １２画面 / ２４画面
    void pressDraw();                   // 描画
    void pressPlay();                   // アニメ開始
    void pressPause();                  // 一時停止
    void pressStep();                   // コマ送り
    void stepBack();                    // one frame back (← and Page Up)
    // 終了: stops everything and empties the store; the window then
    // shows the menu and closes.
    void pressEnd();
    // The window is closing: nothing runs or draws afterwards.
    void close();
    void setSpeed(int msPerFrame);  // アニメ速度, from the next frame on
    void setParameter(int value);   // the parameter scroll bar moved
    // The command a key gives with this kind of control focused.
    KeyCommand commandForKey(ViewerKey key, FocusKind focus) const;
    // Carries out a key's command: every one but End, which closes the
    // host's window (and None); returns whether it was the model's.
    bool runCommand(KeyCommand command);

    // The probe (viewer_model_probe.cpp). It takes clicks and keys once a
    // frame is on the picture; a change shows
    // the frame on the picture again, which the host rings and graphs from
    // probe(). 描画 and a new parameter remove the marks.
    const ViewerProbe& probe() const { return probe_; }
    bool probeTakesInput() const;
    // A click or tap at (x, y) of the picture's frame area of
    // areaWidth x areaHeight pixels, which shows the stored frames of
    // pictureWidth x pictureHeight scaled to fit.
    void clickPicture(double x, double y, int areaWidth, int areaHeight, int pictureWidth, int pictureHeight);
    // The probe key: right (+1) or left (-1) along the medium, or with
    // `across` false up (+1) or down (-1) on the picture (the water's rows).
    void moveProbe(int direction, bool across);
    void clearProbes();
    // What a screen reader gives for the picture beyond its name: the
    // graph's text alternative while a particle is marked.
    std::string probeDescription() const { return probe_.description(); }
    // The picture's size changed (a resize, a rotation). The stored frames
    // play on as they are, which the host shows unstretched; once no change
    // has come for kResizeSettleMs (the user has let go), the frames are
    // drawn again, at the size the host then gives, and the viewer goes
    // back to the frame it showed, playing if it was.
    void pictureResized();
    static constexpr int kResizeSettleMs = 300;

    // Capture: the one entry point of every frame the host's FrameSource
    // draws. A frame drawn from the start the model asked for is taken: its
    // end state goes on the canvas, the parameter the scene handed back is
    // applied (a change ends the capture), its pixels are kept, it is shown
    // (every frame drawn on the picture; others at most every 16 ms and the
    // last one), and the count moves on to the next frame or ends the
    // capture. Returns false, taking nothing, for a frame drawn from another
    // start or arriving when no capture runs.
    bool frameDrawn(const FrameResult& frame);
    // What the next frame to keep starts from, as asked of the source.
    const FrameStart& captureStart() const { return captureStart_; }
    void captureOutOfMemory();
    void fail(const RuntimeError& error);
    // The context the scenes read, with the given parameter controls.
    SceneContext sceneContext(ParameterControl* parameter) const;

    void setClock(std::shared_ptr<PlaybackClock> clock);

private:
    void setUpParameter();
    void parameterChanged(std::int16_t value);
    void applyParameter(const ParameterControl& parameter);
    void startCapture();
    void takeFrame(const FrameResult& frame);
    void askForNextFrame();
    void finishCapture();
    void stopCapture();
    void animate();
    void animatePass();
    void haltPlayback();
    void wake();
    void woken();
    void redrawAtNewSize();
    void resume();
    void stepTo(int k);
    void discardFrames();
    void showStored(int k);
    void noteShownFrame(int k);
    void guarded(const std::function<void()>& action);
    void changed();
    void probeChanged();

    const int sceneIndex_;
    ViewerHost& host_;
    std::shared_ptr<PlaybackClock> clock_;

    ViewerPhase phase_ = ViewerPhase::Empty;
    bool capturedOnce_ = false;
    bool parameterLocked_ = false;
    bool frames24_ = false;
    bool closed_ = false;
    ParameterControl parameter_;
    int speed_ = 200;
    std::int16_t lastFrame_ = 0;
    std::int16_t frameNo_ = 0;
    std::int16_t captureEnd_ = 0;
    std::int16_t frameDelay_ = 0;
    std::int64_t nextTime_ = 0;
    std::int64_t lastShownMs_ = 0;
    FrameStart captureStart_;
    int shownFrame_ = -1;
    // When the picture's size is taken to have settled, while a resize
    // waits for it.
    std::optional<std::int64_t> settleDue_;
    // Where a redraw after a resize goes back to once it is captured.
    struct Resume {
        ViewerPhase phase;
        int shownFrame;
        std::int16_t frameNo;
    };
    std::optional<Resume> resume_;
    std::shared_ptr<CaptureCache> captureCache_;  // while capturing
    ViewerProbe probe_;
};

}  // namespace kelvora
