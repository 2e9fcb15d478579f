// Makes one control of the layout: the widget of its kind, in its place, with
// its text, font and the settings every control of that kind shares.
#ifndef GONGSHANG_WINDOW_CONTROLS_H_
#define GONGSHANG_WINDOW_CONTROLS_H_

#include "window/layout.h"

class QWidget;

namespace gongshang {

// The widget for row, a child of parent (the window for the panel and the
// scroll bar, the panel for every other control).
QWidget* make_control(const ControlRow& row, QWidget* parent);

}  // namespace gongshang

#endif  // GONGSHANG_WINDOW_CONTROLS_H_
