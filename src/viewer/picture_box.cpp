#include "viewer/picture_box.h"

#include <QPainter>

#include <algorithm>

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
    canvas_.reset();
    surface_ = std::make_unique<RasterSurface>(std::max(1, area.width()), std::max(1, area.height()),
        devicePixelRatioF());
    canvas_ = std::make_unique<Canvas>(*surface_, surface_->logicalWidth(), surface_->logicalHeight());
    update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.setClipRect(area);
    painter.drawImage(QRect(area.topLeft(), QSize(surface_->logicalWidth(), surface_->logicalHeight())),
        surface_->image());
}

}  // namespace kelvora
