#include "viewer/scaled_style.h"

#include <QApplication>

#include <cmath>

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

}  // namespace kelvora
