#pragma once

#include <QProxyStyle>

namespace kelvora {

// The application's style with its own fixed sizes (an option's round
// button, a scroll bar's arrows) grown by a window's text scale, so they
// stay in proportion to the controls on a large screen. The style draws a
// scroll bar's arrows at a fixed size whatever the button; they are drawn
// again over it at the window's scale.
class ScaledStyle : public QProxyStyle {
public:
    explicit ScaledStyle(double scale);
    double scale() const { return scale_; }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
    void drawComplexControl(
        ComplexControl control, const QStyleOptionComplex* option, QPainter* painter, const QWidget* widget) const override;

private:
    double scale_;
};

}  // namespace kelvora
