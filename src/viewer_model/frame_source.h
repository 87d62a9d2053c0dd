#pragma once

#include "canvas/draw_state.h"
#include "scenes/scene_context.h"
#include "viewer_model/frame_start.h"

#include <cstdint>
#include <exception>
#include <functional>

namespace kelvora {

class Canvas;
class ViewerModel;

// One frame of a capture as drawn: what it started from and what it left
// behind (the drawing state, the frame number and the parameter controls
// the scene handed back), or the error that stopped it.
struct FrameResult {
    FrameStart start;
    DrawState endState;
    std::int16_t frameNoAfter = 0;
    ParameterControl parameterAfter;
    std::exception_ptr error;  // a run-time error of the scene, or std::bad_alloc
};

// Draws one capture frame on a canvas: the scene's DrawFrame after Cls.
using FrameRenderer = std::function<bool(int sceneIndex, Canvas& canvas, std::int16_t& frameNo, SceneContext& context)>;

// Draws a frame on canvas from start (context.parameter is ignored: the
// start's parameter controls are used) and says what it left; an error
// is caught into the result.
FrameResult DrawFrameFrom(int sceneIndex, Canvas& canvas, const FrameStart& start, SceneContext context,
    const FrameRenderer& renderer);

// Where a capture's frames come from: one by one on the window's thread,
// on worker threads, or in the page. The host supplies one; the model says
// which frame it needs next and takes each result through
// ViewerModel::frameDrawn, which alone decides the order of keeping,
// showing and counting.
class FrameSource {
public:
    virtual ~FrameSource() = default;

    // The next frame to keep starts at start: draw it and hand it to
    // ViewerModel::frameDrawn from the event loop. A source may draw the
    // frames after it ahead, from starts it guesses; the model takes a
    // frame only if it was drawn from the start asked for.
    virtual void drawFrom(const FrameStart& start, const SceneContext& context) = 0;
    // Forgets every frame asked for; nothing more is handed in.
    virtual void cancel() = 0;
    // Whether frames are drawn on the picture itself, each on the screen as
    // it is drawn.
    virtual bool drawsOnPicture() const = 0;
    // The frame being handed in: keep its pixels as frame k (throws
    // std::bad_alloc when the memory is not there); then put kept frame k
    // on the picture.
    virtual void keepFrame(int k) = 0;
    virtual void showFrame(int k) = 0;
};

// Frames drawn one by one on the picture's own canvas, one in each pass of
// the host's event loop, so each is seen as it is drawn and the live
// controls stay live in between.
class PictureFrameSource : public FrameSource {
public:
    struct Host {
        std::function<Canvas&()> canvas;
        std::function<void()> schedule;    // run drawPending from the event loop
        std::function<void()> unschedule;
        std::function<void(int k)> keep;   // keep what the picture shows as frame k
        std::function<void()> show;        // bring what was drawn to the screen
    };

    PictureFrameSource(ViewerModel& model, Host host);

    // The drawing of each frame; DrawCaptureFrame unless replaced (a test's
    // own frames, or one that fails).
    void setRenderer(FrameRenderer renderer) { renderer_ = std::move(renderer); }
    // Draws the frame asked for, if any, and hands it to the model.
    void drawPending();

    void drawFrom(const FrameStart& start, const SceneContext& context) override;
    void cancel() override;
    bool drawsOnPicture() const override { return true; }
    void keepFrame(int k) override { host_.keep(k); }
    void showFrame(int) override { host_.show(); }

private:
    ViewerModel& model_;
    Host host_;
    FrameRenderer renderer_;
    bool pending_ = false;
    FrameStart start_;
    SceneContext context_;
};

}  // namespace kelvora
