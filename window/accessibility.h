// What the window tells beyond the figures it shows: the names a screen reader
// announces for its controls.
#ifndef GONGSHANG_WINDOW_ACCESSIBILITY_H_
#define GONGSHANG_WINDOW_ACCESSIBILITY_H_

class QWidget;

namespace gongshang {

// Names the controls of window for screen readers; to be called each time the
// controls are built. Every field is named by its row's label, the link and
// the 法条依据 button say that they open a web page.
void name_controls(QWidget* window);

}  // namespace gongshang

#endif  // GONGSHANG_WINDOW_ACCESSIBILITY_H_
