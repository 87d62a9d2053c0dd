#include "viewer_model/viewer_model.h"

#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "canvas/runtime_error.h"
#include "scenes/capture_cache.h"
#include "scenes/scene_catalogue.h"
#include "viewer_model/viewer_host.h"

#include <algorithm>
#include <new>
#include <utility>

namespace kelvora {

namespace {

// While a capture draws elsewhere than on the picture, a frame is put on
// the screen at most this often.
constexpr std::int64_t kCaptureShowIntervalMs = 16;

const char* const kOutOfMemoryMessage =
    "メモリが足りないため、描画したコマを記憶できませんでした。\n"
    "ほかのアプリケーションを終了してから、もう一度「描画」を押してください。";

}  // namespace

ViewerModel::ViewerModel(int sceneIndex, ViewerHost& host, std::shared_ptr<PlaybackClock> clock)
    : sceneIndex_(sceneIndex)
    , host_(host)
    , clock_(std::move(clock))
    , probe_(sceneIndex)
{
    setUpParameter();
}

ViewerModel::~ViewerModel()
{
    // A clock handed in from outside may outlive the model.
    clock_->cancel();
}

std::string ViewerModel::title() const
{
    const SceneInfo* scene = FindScene(sceneIndex_);
    return scene ? scene->viewerTitle : "";
}

bool ViewerModel::hasParameter() const
{
    const SceneInfo* scene = FindScene(sceneIndex_);
    return scene && scene->hasParameter;
}

std::string ViewerModel::parameterLabel() const
{
    // Scenes without a parameter keep the design caption (and hide it).
    const std::optional<ParameterSetup> setup = ParameterSetupFor(sceneIndex_);
    return setup ? setup->label : "       　 節の数";
}

ViewerControls ViewerModel::controls() const { return ControlsFor(phase_, capturedOnce_, parameterLocked_); }

std::string ViewerModel::frameReadout() const
{
    if (shownFrame_ < 0)
        return {};
    return "コマ " + std::to_string(shownFrame_ + 1) + " / " + std::to_string(lastFrame_ + 1);
}

std::string ViewerModel::pictureName() const
{
    const std::string title = SceneTitle(sceneIndex_);
    return shownFrame_ < 0 ? title : title + "、" + frameReadout();
}

std::string ViewerModel::worksheetTitle() const { return WorksheetTitle(sceneIndex_, parameter_.text); }

std::string ViewerModel::saveFileStem() const { return SaveFileStem(sceneIndex_, parameter_.text); }

KeyCommand ViewerModel::commandForKey(ViewerKey key, FocusKind focus) const
{
    return CommandForKey(key, focus, controls(), isPlaying(), {probeTakesInput(), !probe_.empty()});
}

// The parameter controls start at their design values (1 in 1..5, text
// "1"); a scene with a set-up of its own moves them to its range, value
// and text. Nothing is stored yet, so the move needs no more than that.
void ViewerModel::setUpParameter()
{
    parameter_ = ParameterControl{};
    if (const std::optional<ParameterSetup> setup = ParameterSetupFor(sceneIndex_)) {
        parameter_.largeChange = setup->largeChange;
        parameter_.max = setup->max;
        parameter_.min = setup->min;
        parameter_.value = setup->initial;
        parameter_.text = setup->initialText;
    }
}

void ViewerModel::chooseFrameCount(int frames)
{
    if (!controls().frameCount || (frames != 12 && frames != 24))
        return;
    frames24_ = frames == 24;
    changed();
}

void ViewerModel::setSpeed(int msPerFrame)
{
    speed_ = std::clamp(msPerFrame, 1, 1000);
    // Read by the next pass of the loop: the new speed applies from the
    // next frame on.
    frameDelay_ = static_cast<std::int16_t>(speed_);
}

void ViewerModel::setParameter(int value)
{
    const auto v = static_cast<std::int16_t>(std::clamp<int>(value, parameter_.min, parameter_.max));
    if (!controls().parameter || v == parameter_.value)
        return;
    parameterChanged(v);
}

// A new parameter: the stored frames no longer match it, so they go, and
// a capture in progress ends before its slots do.
void ViewerModel::parameterChanged(std::int16_t value)
{
    parameter_.value = value;
    parameter_.text = ParameterText(sceneIndex_, value);
    discardFrames();
    changed();
}

// A scene hands its parameter controls back after each frame. A range that
// leaves the value inside it moves nothing; one that excludes it moves the
// value, as any change does, and so does a new value.
void ViewerModel::applyParameter(const ParameterControl& wanted)
{
    parameter_.largeChange = wanted.largeChange;
    parameter_.min = wanted.min;
    parameter_.max = std::max(wanted.min, wanted.max);
    const auto clamp = [this](std::int16_t v) { return std::clamp(v, parameter_.min, parameter_.max); };
    if (clamp(parameter_.value) != parameter_.value)
        parameterChanged(clamp(parameter_.value));
    if (clamp(wanted.value) != parameter_.value)
        parameterChanged(clamp(wanted.value));
    parameter_.text = wanted.text;
}

SceneContext ViewerModel::sceneContext(ParameterControl* parameter) const
{
    SceneContext context;
    context.lastFrame = lastFrame_;
    context.sceneParam = parameter_.value;
    context.screenWidth = host_.screenWidth();
    context.screenHeight = host_.screenHeight();
    context.parameter = parameter;
    context.captureCache = captureCache_;
    return context;
}

// 描画: every frame of one period is drawn once, in order, and kept.
void ViewerModel::pressDraw()
{
    if (!controls().draw)
        return;
    resume_.reset();
    // The marks go with the frames they were placed on, and the picture
    // takes its whole box again before the frames are drawn for it.
    if (probe_.clear())
        changed();
    guarded([this] { startCapture(); });
}

void ViewerModel::startCapture()
{
    // Pressed again while frames are being drawn: that capture ends here,
    // before its slots are released, and this one starts over.
    stopCapture();
    // The frames are drawn at the size the picture has now: a resize that
    // waited to settle needs no capture of its own.
    settleDue_.reset();
    capturedOnce_ = true;
    lastFrame_ = frames24_ ? 23 : 11;
    phase_ = ViewerPhase::Capturing;
    captureCache_ = std::make_shared<CaptureCache>();
    host_.releaseFrames();
    try {
        host_.allocateFrames(lastFrame_ + 1);
    } catch (const std::bad_alloc&) {
        captureOutOfMemory();
        return;
    }
    captureEnd_ = lastFrame_;
    frameNo_ = 0;
    lastShownMs_ = clock_->nowMs() - kCaptureShowIntervalMs;
    changed();
    askForNextFrame();
}

// The next frame starts from the state the canvas holds now; a source that
// draws on the picture changes it before the frame comes back.
void ViewerModel::askForNextFrame()
{
    captureStart_ = FrameStart{host_.canvas().state(), frameNo_, parameter_};
    host_.frameSource().drawFrom(captureStart_, sceneContext(nullptr));
}

bool ViewerModel::frameDrawn(const FrameResult& frame)
{
    if (!isCapturing() || closed_ || !SameFrameStart(frame.start, captureStart_))
        return false;
    guarded([this, &frame] { takeFrame(frame); });
    return true;
}

void ViewerModel::takeFrame(const FrameResult& frame)
{
    // The state the frame left, up to an error if it met one, stays on the
    // canvas as if it had been drawn there.
    host_.canvas().RestoreState(frame.endState);
    if (frame.error) {
        try {
            std::rethrow_exception(frame.error);
        } catch (const std::bad_alloc&) {
            captureOutOfMemory();
            return;
        }
    }
    frameNo_ = frame.frameNoAfter;
    // Handing the parameter back may move it, which ends the capture.
    applyParameter(frame.parameterAfter);
    if (!isCapturing())
        return;
    FrameSource& source = host_.frameSource();
    try {
        source.keepFrame(frameNo_);
    } catch (const std::bad_alloc&) {
        captureOutOfMemory();
        return;
    }
    // The screen shows no more than this anyway.
    const std::int64_t now = clock_->nowMs();
    if (source.drawsOnPicture() || frameNo_ >= captureEnd_ || now - lastShownMs_ >= kCaptureShowIntervalMs) {
        source.showFrame(frameNo_);
        lastShownMs_ = now;
        noteShownFrame(frameNo_);
    }
    frameNo_ = Add16(frameNo_, 1);
    if (frameNo_ <= captureEnd_)
        askForNextFrame();
    else
        finishCapture();
}

void ViewerModel::finishCapture()
{
    phase_ = ViewerPhase::Ready;
    captureCache_.reset();
    if (resume_)
        resume();
    changed();
}

void ViewerModel::stopCapture()
{
    if (isCapturing())
        phase_ = ViewerPhase::Empty;
    captureCache_.reset();
    host_.frameSource().cancel();
}

void ViewerModel::captureOutOfMemory()
{
    // Nothing half-stored stays behind; only 描画 can be pressed again.
    discardFrames();
    changed();
    host_.showMessage(kOutOfMemoryMessage);
}

void ViewerModel::noteShownFrame(int k)
{
    shownFrame_ = k;
    changed();
}

// アニメ開始: the stored frames loop on an absolute schedule, from frame 0.
void ViewerModel::pressPlay()
{
    if (!controls().play)
        return;
    // The parameter cannot change under the playing frames.
    parameterLocked_ = true;
    guarded([this] { animate(); });
}

void ViewerModel::animate()
{
    frameDelay_ = static_cast<std::int16_t>(speed_);
    nextTime_ = clock_->nowMs();
    // Playback always starts at frame 0, also after a pause.
    frameNo_ = 0;
    phase_ = ViewerPhase::Playing;
    changed();
    animatePass();
}

// One pass of the loop: show the frame that is due, then sleep until the
// next one is. Frame j of a run is due at the start plus the delays in
// force when frames 0 to j-1 were shown, so a late frame shortens the next
// wait instead of pushing the whole loop back.
void ViewerModel::animatePass()
{
    if (!isPlaying() || closed_)
        return;
    frameNo_ = static_cast<std::int16_t>(frameNo_ % (lastFrame_ + 1));
    showStored(frameNo_);
    nextTime_ += frameDelay_;
    // FrameNo moves on before the wait, so a pause or a single step that
    // comes during the wait finds the frame after the one on the screen.
    frameNo_ = Add16(frameNo_, 1);
    wake();
}

void ViewerModel::haltPlayback()
{
    if (isPlaying())
        phase_ = ViewerPhase::Paused;
    wake();
}

// One alarm serves the loop and the wait for a resize to settle: it is set
// for whichever comes first.
void ViewerModel::wake()
{
    if (!isPlaying() && !settleDue_) {
        clock_->cancel();
        return;
    }
    const std::int64_t due = !isPlaying() ? *settleDue_ : settleDue_ ? std::min(*settleDue_, nextTime_) : nextTime_;
    clock_->wakeAt(due, [this] { guarded([this] { woken(); }); });
}

void ViewerModel::woken()
{
    if (closed_)
        return;
    if (settleDue_ && clock_->nowMs() >= *settleDue_) {
        settleDue_.reset();
        redrawAtNewSize();
    } else if (isPlaying()) {
        animatePass();
    } else {
        wake();
    }
}

void ViewerModel::pictureResized()
{
    if (closed_)
        return;
    // Each change of a drag or a rotation starts the wait again.
    settleDue_ = clock_->nowMs() + kResizeSettleMs;
    wake();
}

// Frames of the old size go and are drawn again; with none stored, the next
// 描画 draws at the new size anyway. A capture under way starts over, going
// back where its own start would have.
void ViewerModel::redrawAtNewSize()
{
    if (phase_ == ViewerPhase::Empty)
        return;
    if (!isCapturing())
        resume_ = Resume{phase_, shownFrame_, frameNo_};
    const std::optional<Resume> back = resume_;
    haltPlayback();
    startCapture();
    if (isCapturing())
        resume_ = back;
}

void ViewerModel::resume()
{
    const Resume back = *resume_;
    resume_.reset();
    const int shown = std::clamp(back.shownFrame, 0, static_cast<int>(lastFrame_));
    if (back.phase == ViewerPhase::Playing) {
        // The loop goes on from the frame that was on the picture.
        phase_ = ViewerPhase::Playing;
        frameDelay_ = static_cast<std::int16_t>(speed_);
        nextTime_ = clock_->nowMs();
        frameNo_ = static_cast<std::int16_t>(shown);
        animatePass();
        return;
    }
    phase_ = back.phase;
    if (back.shownFrame >= 0)
        showStored(shown);
    if (back.phase != ViewerPhase::Ready)
        frameNo_ = back.frameNo;
}

void ViewerModel::pressPause()
{
    if (!controls().pause)
        return;
    parameterLocked_ = false;
    haltPlayback();
    phase_ = ViewerPhase::Paused;
    changed();
}

void ViewerModel::pressStep()
{
    if (controls().step)
        stepTo(frameNo_ % (lastFrame_ + 1));
}

// One frame back: as a single step, but showing the frame before the one
// last shown (from frame 0 back to LastFrame). A forward step after it
// shows the frame after it again.
bool ViewerModel::runCommand(KeyCommand command)
{
    switch (command) {
    case KeyCommand::Draw: pressDraw(); return true;
    case KeyCommand::Play: pressPlay(); return true;
    case KeyCommand::Pause: pressPause(); return true;
    case KeyCommand::Step: pressStep(); return true;
    case KeyCommand::StepBack: stepBack(); return true;
    case KeyCommand::ProbeRight: moveProbe(1, true); return true;
    case KeyCommand::ProbeLeft: moveProbe(-1, true); return true;
    case KeyCommand::ProbeUp: moveProbe(1, false); return true;
    case KeyCommand::ProbeDown: moveProbe(-1, false); return true;
    case KeyCommand::ClearProbes: clearProbes(); return true;
    case KeyCommand::End:
    case KeyCommand::None: return false;
    }
    return false;
}

void ViewerModel::stepBack()
{
    if (!controls().step)
        return;
    const int last = lastFrame_;
    stepTo(shownFrame_ <= 0 || shownFrame_ > last ? last : shownFrame_ - 1);
}

// Stops playback and shows frame k; FrameNo moves on past it.
void ViewerModel::stepTo(int k)
{
    haltPlayback();
    phase_ = ViewerPhase::Stepped;
    guarded([this, k] {
        frameNo_ = static_cast<std::int16_t>(k);
        showStored(k);
        frameNo_ = Add16(frameNo_, 1);
        changed();
    });
}

void ViewerModel::showStored(int k)
{
    if (host_.showFrame(k))
        noteShownFrame(k);
}

void ViewerModel::pressEnd() { discardFrames(); }

// Stops whatever runs, playback or capture, before the frames go, so
// nothing reads or writes a released slot.
void ViewerModel::discardFrames()
{
    resume_.reset();
    haltPlayback();
    stopCapture();
    host_.releaseFrames();
    phase_ = ViewerPhase::Empty;
    probe_.clear();
}

void ViewerModel::close()
{
    closed_ = true;
    settleDue_.reset();
    pressEnd();
}

void ViewerModel::fail(const RuntimeError& error)
{
    // As after a parameter change: only a new capture is possible.
    discardFrames();
    parameterLocked_ = false;
    changed();
    // The host may end the program or open a box with its own event loop;
    // nothing of the model is touched after it.
    host_.reportRuntimeError(error);
}

void ViewerModel::guarded(const std::function<void()>& action)
{
    try {
        action();
    } catch (const RuntimeError& error) {
        fail(error);
    }
}

void ViewerModel::changed()
{
    if (!closed_)
        host_.modelChanged();
}

void ViewerModel::setClock(std::shared_ptr<PlaybackClock> clock)
{
    clock_->cancel();
    clock_ = std::move(clock);
}

}  // namespace kelvora
