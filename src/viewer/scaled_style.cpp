#include "viewer/scaled_style.h"

#include <QApplication>
#include <QPainter>
#include <QPolygonF>
#include <QStyleOptionSlider>

#include <algorithm>
#include <cmath>
#include <utility>

namespace kelvora {

ScaledStyle::ScaledStyle(double scale)
    // A proxy of its own of the application's style (a proxy takes
    // ownership of the style it is given).
    : QProxyStyle(QApplication::style()->name())
    , scale_(scale)
{
}

int ScaledStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    const int size = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
    case PM_RadioButtonLabelSpacing:
    case PM_ScrollBarExtent:
    case PM_ScrollBarSliderMin:
        return static_cast<int>(std::lround(size * scale_));
    default:
        return size;
    }
}

namespace {

// A solid arrow across the middle of `box`, pointing along the bar: left
// or up for the button that lowers the value, right or down for the other.
QPolygonF arrow(const QRectF& box, Qt::Orientation orientation, bool forward, double size)
{
    const QPointF c = box.center();
    const double h = size / 2;  // half the base
    const double d = size / 4;  // half the depth
    if (orientation == Qt::Horizontal) {
        const double s = forward ? 1 : -1;
        return QPolygonF({{c.x() + s * d, c.y()}, {c.x() - s * d, c.y() - h}, {c.x() - s * d, c.y() + h}});
    }
    const double s = forward ? 1 : -1;
    return QPolygonF({{c.x(), c.y() + s * d}, {c.x() - h, c.y() - s * d}, {c.x() + h, c.y() - s * d}});
}

}  // namespace

void ScaledStyle::drawComplexControl(
    ComplexControl control, const QStyleOptionComplex* option, QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || !bar || scale_ < 1.5)
        return;
    // The style's own arrow is about 8 pixels at the design's size.
    const QColor colour = bar->palette.color(
        bar->state & State_Enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(colour);
    for (const auto& [sub, forward] : {std::pair{SC_ScrollBarSubLine, false}, std::pair{SC_ScrollBarAddLine, true}}) {
        const QRectF box = subControlRect(control, option, sub, widget);
        const double size = std::min({8 * scale_, box.width() * 0.6, box.height() * 0.6});
        painter->drawPolygon(arrow(box, bar->orientation, forward, size));
    }
    painter->restore();
}

}  // namespace kelvora
