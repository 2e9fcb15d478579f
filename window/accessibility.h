// What the window tells beyond the figures it shows: the names a screen reader
// announces for its controls, and the tooltip that explains each result.
#ifndef GONGSHANG_WINDOW_ACCESSIBILITY_H_
#define GONGSHANG_WINDOW_ACCESSIBILITY_H_

class QString;
class QWidget;

namespace gongshang {

struct Controls;

// Names the controls for screen readers; to be called each time they are
// built. Every field is named by its row's label (本人月均工资, not "edit"),
// the panel by the window's title, and the link and the 法条依据 button say
// that they open a web page.
void name_controls(const Controls& controls);

// Shows text as field's tooltip, line breaks and every character as they are,
// and hands the same text to screen readers as the field's description.
//   "住宿费：住宿天数 × 每天 80 元" -> that tooltip, and that description
void set_explanation(QWidget* field, const QString& text);

}  // namespace gongshang

#endif  // GONGSHANG_WINDOW_ACCESSIBILITY_H_
