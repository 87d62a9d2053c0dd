#include "viewer/picture_box.h"

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
    const QSize area = contentsRect().size();
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
    const QSize area = contentsRect().size();
    return std::max(1, area.width()) != surface_->logicalWidth() ||
        std::max(1, area.height()) != surface_->logicalHeight();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.setClipRect(area);
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
}

}  // namespace kelvora
