#pragma once

#include "scenes/scene_context.h"
#include "viewer_model/frame_start.h"
#include "viewer_model/playback_clock.h"
#include "viewer_model/viewer_keys.h"
#include "viewer_model/viewer_phase.h"

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
    // Draws one capture frame; the default is DrawCaptureFrame (Cls, then
    // the scene's DrawFrame).
    using FrameRenderer = std::function<bool(int sceneIndex, Canvas& canvas, std::int16_t& frameNo,
        SceneContext& context)>;

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
    // The picture's size changed (a resize, a rotation). The stored frames
    // play on as they are, which the host shows unstretched; once no change
    // has come for kResizeSettleMs (the user has let go), the frames are
    // drawn again, at the size the host then gives, and the viewer goes
    // back to the frame it showed, playing if it was.
    void pictureResized();
    static constexpr int kResizeSettleMs = 300;

    // Capture, driven by the host. captureNextFrame draws the next frame
    // on the host's canvas and stores it.
    void captureNextFrame();
    // A host that draws frames ahead elsewhere: captureStart is what the
    // next frame to store starts from; takeDrawnFrame takes one drawn from
    // exactly that start (its end state goes on the canvas; false when
    // handing its parameter back ended the capture); the host then stores
    // its pixels and calls frameStored.
    FrameStart captureStart() const;
    bool takeDrawnFrame(const DrawState& endState, std::int16_t frameNoAfter, const ParameterControl& parameterAfter);
    // Moves on to the next frame; false once the period is complete.
    bool frameStored();
    void noteShownFrame(int k);
    void captureOutOfMemory();
    void fail(const RuntimeError& error);
    // The context the scenes read, with the given parameter controls.
    SceneContext sceneContext(ParameterControl* parameter) const;

    void setFrameRenderer(FrameRenderer renderer);
    bool usesDefaultRenderer() const { return defaultRenderer_; }
    void setClock(std::shared_ptr<PlaybackClock> clock);

private:
    void setUpParameter();
    void parameterChanged(std::int16_t value);
    void applyParameter(const ParameterControl& parameter);
    void startCapture();
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
    void guarded(const std::function<void()>& action);
    void changed();

    const int sceneIndex_;
    ViewerHost& host_;
    std::shared_ptr<PlaybackClock> clock_;
    FrameRenderer renderer_;
    bool defaultRenderer_ = true;

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
};

}  // namespace kelvora
