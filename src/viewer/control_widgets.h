#pragma once

#include "viewer_model/control_description.h"
#include "viewer_model/screen_layout.h"

#include <QColor>
#include <QFont>
#include <QRect>

#include <span>
#include <vector>

class QWidget;

namespace kelvora {

// The windows' widgets as the core describes them: one widget for each
// control, with its name, caption, font, tooltip and what a screen reader
// says of it. A picture control is made by the caller.

QRect ToQRect(const PixelRect& rect);
QColor ToQColor(unsigned rgb);
// The Japanese proportional gothic at a size in points.
QFont JapaneseFont(double points);

// Makes the widget of a control (not a picture) as a child of parent.
QWidget* BuildControl(const ControlDescription& control, QWidget* parent);
// Gives a widget the control's name, font, tooltip and what a screen reader
// says of it (BuildControl does it for the widgets it makes).
void ApplyDescription(QWidget* widget, const ControlDescription& control);

// Places each widget where the layout says and sizes its text by the
// layout's scale (widgets[i] shows controls[i]).
void ApplyLayout(std::span<const ControlDescription> controls, const std::vector<QWidget*>& widgets,
    const WindowLayout& layout);

// Stacks the labels under the other controls, so a label reaching over a
// control never takes its clicks, and chains the Tab key through the
// controls that take the focus, in the order given (widgets[i] shows
// controls[i]).
void StackAndChain(std::span<const ControlDescription> controls, const std::vector<QWidget*>& widgets);

}  // namespace kelvora
