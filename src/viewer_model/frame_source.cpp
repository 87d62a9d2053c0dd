#include "viewer_model/frame_source.h"

#include "canvas/canvas.h"
#include "scenes/scene_catalogue.h"
#include "viewer_model/viewer_model.h"

#include <utility>

namespace kelvora {

FrameResult DrawFrameFrom(int sceneIndex, Canvas& canvas, const FrameStart& start, SceneContext context,
    const FrameRenderer& renderer)
{
    FrameResult result;
    result.start = start;
    result.frameNoAfter = start.frameNo;
    result.parameterAfter = start.parameter;
    context.parameter = &result.parameterAfter;
    try {
        canvas.RestoreState(start.state);
        renderer(sceneIndex, canvas, result.frameNoAfter, context);
    } catch (...) {
        result.error = std::current_exception();
    }
    result.endState = canvas.state();
    return result;
}

PictureFrameSource::PictureFrameSource(ViewerModel& model, Host host)
    : model_(model)
    , host_(std::move(host))
    , renderer_(&DrawCaptureFrame)
{
}

void PictureFrameSource::drawFrom(const FrameStart& start, const SceneContext& context)
{
    start_ = start;
    context_ = context;
    pending_ = true;
    host_.schedule();
}

void PictureFrameSource::cancel()
{
    pending_ = false;
    host_.unschedule();
}

void PictureFrameSource::drawPending()
{
    if (!pending_)
        return;
    pending_ = false;
    model_.frameDrawn(DrawFrameFrom(model_.sceneIndex(), host_.canvas(), start_, context_, renderer_));
}

}  // namespace kelvora
