// What the window tells beyond the figures it shows: the names a screen reader
// announces for its controls, and the tooltip that explains each result.
#ifndef GONGSHANG_WINDOW_ACCESSIBILITY_H_
#define GONGSHANG_WINDOW_ACCESSIBILITY_H_

class QString;
class QWidget;

namespace gongshang {

// Names the controls of window for screen readers; to be called each time the
// controls are built. Every field is named by its row's label, the link and
// the 法条依据 button say that they open a web page.
void name_controls(QWidget* window);

// Shows text as field's tooltip, line breaks and every character as they are,
// and hands the same text to screen readers as the field's description.
void set_explanation(QWidget* field, const QString& text);

}  // namespace gongshang

#endif  // GONGSHANG_WINDOW_ACCESSIBILITY_H_
