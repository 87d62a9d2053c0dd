// The viewer window's side of the probe: a click on the picture goes to
// the model, the box makes room for the graph while a particle is marked,
// and each frame shown is ringed and graphed as the core draws them.

#include "viewer/viewer_window.h"

namespace kelvora {

void ViewerWindow::connectProbe()
{
    connect(picture_, &PictureBox::pressedAt, this, [this](QPointF at) {
        const QRect area = picture_->frameArea();
        model_->clickPicture(at.x(), at.y(), area.width(), area.height(), picture_->surface().logicalWidth(),
            picture_->surface().logicalHeight());
    });
}

// The graph comes and goes with the marks. The stored frames are shown
// scaled into the smaller area at once, and drawn again at its size once
// it settles, as after any resize.
void ViewerWindow::showProbeArea()
{
    if (picture_->showGraph(!model_->probe().empty()) && picture_->surfaceOutOfDate())
        model_->pictureResized();
}

void ViewerWindow::markShownFrame(int k)
{
    const ViewerProbe& probe = model_->probe();
    if (probe.empty())
        return;
    probe.drawRings(picture_->canvas(), k);
    probe.drawGraph(picture_->graphCanvas(), k);
}

}  // namespace kelvora
