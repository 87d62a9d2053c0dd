#include "viewer/control_widgets.h"

#include "raster/raster_surface.h"
#include "viewer/scaled_style.h"

#include <QApplication>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace kelvora {

namespace {

QScrollBar* scrollBar(const ScrollRange& range, QWidget* parent)
{
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setRange(range.min, range.max);
    bar->setSingleStep(range.smallChange);
    bar->setPageStep(range.largeChange);
    bar->setValue(range.value);
    // The change handler runs once the thumb is released, not during a drag.
    bar->setTracking(false);
    // A horizontal scroll bar inverts its arrow keys by default; the right
    // arrow is to raise the value like the right arrow button (the viewer
    // moves its bars by the keys as ScrollBarKeyStep says).
    bar->setInvertedControls(false);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

QWidget* widgetFor(const ControlDescription& c, QWidget* parent)
{
    const QString caption = QString::fromStdString(c.caption);
    switch (c.role) {
    case ControlRole::Button: return new QPushButton(caption, parent);
    case ControlRole::OptionButton: return new QRadioButton(caption, parent);
    case ControlRole::ScrollBar: return scrollBar(c.range, parent);
    case ControlRole::TextBox: {
        auto* box = new QLineEdit(caption, parent);
        // The box only shows the parameter; what is typed there means nothing.
        box->setReadOnly(true);
        return box;
    }
    case ControlRole::Label:
    case ControlRole::Picture: break;
    }
    return new QLabel(caption, parent);
}

}  // namespace

QRect ToQRect(const PixelRect& r) { return {r.left, r.top, r.width, r.height}; }

QColor ToQColor(unsigned rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

QFont JapaneseFont(double points)
{
    QFont font;
    font.setFamilies(TextFontFamilies());
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    return font;
}

QWidget* BuildControl(const ControlDescription& c, QWidget* parent)
{
    QWidget* widget = widgetFor(c, parent);
    ApplyDescription(widget, c);
    return widget;
}

void ApplyDescription(QWidget* widget, const ControlDescription& c)
{
    widget->setObjectName(QString::fromStdString(c.designName));
    if (c.font.points != kWindowFontPoints)
        widget->setFont(JapaneseFont(c.font.points));
    if (c.font.colour != 0) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, ToQColor(c.font.colour));
        widget->setPalette(palette);
    }
    widget->setToolTip(QString::fromStdString(c.tooltip));
    widget->setAccessibleName(QString::fromStdString(c.accessibleName));
    widget->setAccessibleDescription(QString::fromStdString(c.accessibleDescription));
    // The desktop's pointer is a mouse: the steps for a finger stay hidden
    // (the scroll bars' own arrows step them).
    if (!ShownWith(c, Pointer::Fine))
        widget->setVisible(false);
}

namespace {

// The style the window's controls take at a text scale: the application's
// at 1, else one grown by it, kept by the window for as long as it is used.
QStyle* styleFor(QWidget* window, double scale)
{
    auto* kept = window->findChild<ScaledStyle*>(QString(), Qt::FindDirectChildrenOnly);
    if (scale == 1 || (kept && kept->scale() == scale))
        return scale == 1 ? nullptr : kept;
    auto* style = new ScaledStyle(scale);
    style->setParent(window);
    return style;
}

}  // namespace

void ApplyLayout(std::span<const ControlDescription> controls, const std::vector<QWidget*>& widgets,
    const WindowLayout& layout)
{
    QWidget* window = widgets.front()->parentWidget();
    QStyle* style = styleFor(window, layout.textScale);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (widgets[i]->style() != (style ? style : QApplication::style()))
            widgets[i]->setStyle(style);
        widgets[i]->setGeometry(ToQRect(layout.places[i]));
        const double points = controls[i].font.points * layout.textScale;
        if (widgets[i]->font().pointSizeF() != points)
            widgets[i]->setFont(JapaneseFont(points));
    }
    // A style of a scale no longer used goes.
    for (auto* old : window->findChildren<ScaledStyle*>(QString(), Qt::FindDirectChildrenOnly))
        if (old != style)
            old->deleteLater();
}

void StackAndChain(std::span<const ControlDescription> controls, const std::vector<QWidget*>& widgets)
{
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (!controls[i].takesFocus()) {
            widgets[i]->lower();
            continue;
        }
        if (previous)
            QWidget::setTabOrder(previous, widgets[i]);
        previous = widgets[i];
    }
}

}  // namespace kelvora
