#include "viewer/picture_box.h"

#include "canvas/numeric.h"
#include "viewer_model/viewer_probe.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <optional>

namespace kelvora {

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    createSurface();
}

PictureBox::~PictureBox() = default;

void PictureBox::createSurface()
{
    const QSize area = frameArea().size();
    std::optional<DrawState> state;
    if (canvas_)
        state = canvas_->state();
    canvas_.reset();
    surface_ = std::make_unique<RasterSurface>(std::max(1, area.width()), std::max(1, area.height()),
        devicePixelRatioF());
    canvas_ = std::make_unique<Canvas>(*surface_, surface_->logicalWidth(), surface_->logicalHeight());
    if (state)
        canvas_->RestoreState(*state);
    update();
}

bool PictureBox::surfaceOutOfDate() const
{
    const QSize area = frameArea().size();
    return std::max(1, area.width()) != surface_->logicalWidth() ||
        std::max(1, area.height()) != surface_->logicalHeight();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = frameArea();
    painter.setClipRect(contentsRect());
    QSize shown(surface_->logicalWidth(), surface_->logicalHeight());
    QPoint at = area.topLeft();
    if (surfaceOutOfDate()) {
        // Until the frames are drawn again at the new size they are never
        // stretched: scaled to fit and centred.
        shown.scale(area.size(), Qt::KeepAspectRatio);
        at += QPoint((area.width() - shown.width()) / 2, (area.height() - shown.height()) / 2);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    }
    painter.drawImage(QRect(at, shown), surface_->image());
    if (graphShown_ && graphSurface_)
        painter.drawImage(QRect(graphArea().topLeft(), QSize(graphSurface_->logicalWidth(), graphSurface_->logicalHeight())),
            graphSurface_->image());
}

bool PictureBox::showGraph(bool shown)
{
    if (shown == graphShown_)
        return false;
    graphShown_ = shown;
    update();
    return true;
}

namespace {

QRect inBox(const QRect& box, const PixelRect& r) { return {box.left() + r.left, box.top() + r.top, r.width, r.height}; }

}  // namespace

QRect PictureBox::frameArea() const
{
    const QRect box = contentsRect();
    return inBox(box, LayOutProbeBox(box.width(), box.height(), graphShown_).frame);
}

QRect PictureBox::graphArea() const
{
    const QRect box = contentsRect();
    return inBox(box, LayOutProbeBox(box.width(), box.height(), graphShown_).graph);
}

Canvas& PictureBox::graphCanvas()
{
    const QSize size = graphArea().size().expandedTo(QSize(1, 1));
    if (!graphSurface_ || graphSurface_->logicalWidth() != size.width() ||
        graphSurface_->logicalHeight() != size.height()) {
        graphCanvas_.reset();
        graphSurface_ = std::make_unique<RasterSurface>(size.width(), size.height(), devicePixelRatioF());
        graphCanvas_ = std::make_unique<Canvas>(*graphSurface_, size.width(), size.height());
    }
    update();
    return *graphCanvas_;
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    QFrame::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit pressedAt(event->position() - QPointF(frameArea().topLeft()));
}

}  // namespace kelvora
