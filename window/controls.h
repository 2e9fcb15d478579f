// The window's controls, made from the layout table (window/layout.h) each
// time the window is built, and kept as typed pointers: the panel, the scroll
// bar, the buttons, the link, and one control for every input and result of
// the engine.
#ifndef GONGSHANG_WINDOW_CONTROLS_H_
#define GONGSHANG_WINDOW_CONTROLS_H_

#include <array>

#include "engine/fields.h"
#include "engine/results.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QString;
class QWidget;

namespace gongshang {

// An input of the engine: a list (the grade and the nursing level) or a text
// box; the other pointer is null.
struct InputControl {
  QComboBox* list = nullptr;
  QLineEdit* box = nullptr;

  // The text a person reads in it: the box's text, or the item the list shows.
  //   list showing "五" -> "五"   empty box -> ""
  QString text() const;
};

struct Controls {
  QWidget* panel = nullptr;  // holds every control but the scroll bar
  QScrollBar* scroll_bar = nullptr;
  QPushButton* calculate = nullptr;
  QPushButton* clear = nullptr;
  QPushButton* legal_basis = nullptr;
  QLabel* home_link = nullptr;
  std::array<InputControl, kInputCount> inputs{};  // indexed by Input
  std::array<QLineEdit*, kResultCount> results{};  // indexed by Result
};

// Makes every control of the layout on window, in the layout's order, which
// is their stacking order: the panel and the scroll bar on the window, every
// other control on the panel. Focus moves in the layout's tab order. Every
// pointer of the result is set: the layout has a row for every input and
// result of the engine, which the build checks.
Controls make_controls(QWidget* window);

}  // namespace gongshang

#endif  // GONGSHANG_WINDOW_CONTROLS_H_
