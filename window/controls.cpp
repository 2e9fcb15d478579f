#include "window/controls.h"

#include <algorithm>
#include <limits>
#include <span>
#include <string_view>
#include <vector>

#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QString>
#include <QWheelEvent>

#include "qstring/utf8.h"
#include "window/fonts.h"
#include "window/layout.h"
#include "window/note_label.h"

namespace gongshang {

namespace {

QWidget* make_label(const ControlRow& row, QWidget* parent) {
  QLabel* label = row.kind == ControlKind::kNote ? new NoteLabel(to_pixels(kNoteLinePitch), parent)
                                                 : new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  // Headings centre their text; every other label starts at its top left.
  // Headings centre it vertically too: the free CJK faces reach much higher
  // above the baseline than SimSun, and at 12 pt the title would otherwise
  // lose the foot of its glyphs to the bottom of its 252-twip label.
  label->setAlignment(row.font == FontRole::kDefault ? Qt::AlignLeft | Qt::AlignTop
                                                     : Qt::AlignCenter);
  label->setAutoFillBackground(true);
  label->setFocusPolicy(Qt::NoFocus);
  if (row.font != FontRole::kDefault) label->setFont(song_font(row.font));
  if (row.kind == ControlKind::kLink) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    label->setPalette(palette);
    // Mouse moves must reach the link without a button held, for its cursor.
    label->setMouseTracking(true);
  }
  return label;
}

// How many pixels a box must raise its text so that the ink, from the top of
// a Chinese character to the foot of a g, sits in the middle. Qt centres the
// font's whole line, and the free Song faces reserve far more room above
// their characters than below their descenders (Noto Serif CJK at 12 px:
// 14 above the baseline, ink to 10.6), so their ink sits low; SimSun's ink
// fills its line, and needs no raise.
int ink_raise(const QFont& font) {
  const QFontMetricsF metrics(font);
  const QRectF ink = metrics.tightBoundingRect(QStringLiteral("国gjpqy"));
  const qreal line_middle = (metrics.descent() - metrics.ascent()) / 2;
  return std::max(0, qRound((ink.top() + ink.bottom()) / 2 - line_middle));
}

QWidget* make_text_box(QWidget* parent) {
  auto* box = new QLineEdit(parent);
  // Qt would cut a pasted text at 32767 characters without a word; the boxes
  // take whatever is typed or pasted, and the calculation reads what it can.
  box->setMaxLength(std::numeric_limits<int>::max());
  box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // Qt centres the line in the text area; growing that area upwards by twice
  // the raise moves the line up by the raise and keeps the area's foot, where
  // the descenders end.
  box->setTextMargins(0, -2 * ink_raise(box->font()), 0, 0);
  return box;
}

// A list that the mouse wheel moves only once it has the focus: scrolling
// over the window must never change a grade by accident.
class ChoiceList : public QComboBox {
 public:
  using QComboBox::QComboBox;

 protected:
  void wheelEvent(QWheelEvent* event) override {
    if (hasFocus())
      QComboBox::wheelEvent(event);
    else
      event->ignore();
  }
};

QWidget* make_list(QWidget* parent) {
  auto* list = new ChoiceList(parent);
  list->setEditable(false);
  list->setInsertPolicy(QComboBox::NoInsert);
  list->setFocusPolicy(Qt::StrongFocus);
  return list;
}

QWidget* make_button(const ControlRow& row, QWidget* parent) {
  auto* button = new QPushButton(to_qstring(row.text), parent);
  // Neither Enter nor Esc may press a button, whichever has the focus.
  button->setAutoDefault(false);
  button->setDefault(false);
  button->setFocusPolicy(Qt::StrongFocus);
  return button;
}

QWidget* make_scroll_bar(QWidget* parent) {
  auto* bar = new QScrollBar(Qt::Vertical, parent);
  bar->setRange(0, 0);  // the load step sets the maximum
  bar->setSingleStep(1);
  bar->setPageStep(1);
  // The panel follows the thumb only when a drag ends.
  bar->setTracking(false);
  bar->setFocusPolicy(Qt::StrongFocus);
  return bar;
}

QWidget* make_panel(QWidget* parent) {
  auto* panel = new QWidget(parent);
  // The panel is the first stop of the tab order and holds the focus when
  // the window opens.
  panel->setFocusPolicy(Qt::StrongFocus);
  return panel;
}

QWidget* make_control(const ControlRow& row, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (row.kind) {
    case ControlKind::kPanel:
      widget = make_panel(parent);
      break;
    case ControlKind::kScrollBar:
      widget = make_scroll_bar(parent);
      break;
    case ControlKind::kLabel:
    case ControlKind::kNote:
    case ControlKind::kLink:
      widget = make_label(row, parent);
      break;
    case ControlKind::kTextBox:
      widget = make_text_box(parent);
      break;
    case ControlKind::kList:
      widget = make_list(parent);
      break;
    case ControlKind::kButton:
      widget = make_button(row, parent);
      break;
  }
  widget->setObjectName(to_qstring(row.name));
  widget->setGeometry(to_pixels(row));
  if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(initial_text(row));
  return widget;
}

// Where name stands in names, or names.size() if it is not there.
template <std::size_t N>
std::size_t position(std::string_view name, const std::array<std::string_view, N>& names) {
  return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

// Points the field of the engine that row is, if any, at widget.
void keep_field(const ControlRow& row, QWidget* widget, Controls& controls) {
  if (const std::size_t i = position(row.name, kInputNames); i < kInputCount) {
    controls.inputs[i] = {qobject_cast<QComboBox*>(widget), qobject_cast<QLineEdit*>(widget)};
    return;
  }
  for (std::size_t i = 0; i < kResultCount; ++i) {
    if (kResults[i].name == row.name) controls.results[i] = qobject_cast<QLineEdit*>(widget);
  }
}

}  // namespace

QString InputControl::text() const {
  return list != nullptr ? list->currentText() : box->text();
}

Controls make_controls(QWidget* window) {
  Controls controls;
  const std::span<const ControlRow> rows = window_layout();
  std::vector<QWidget*> by_tab_index(rows.size(), nullptr);
  for (const ControlRow& row : rows) {
    const bool on_window = row.kind == ControlKind::kPanel || row.kind == ControlKind::kScrollBar;
    QWidget* widget = make_control(row, on_window ? window : controls.panel);
    if (row.tab_index >= 0 && static_cast<std::size_t>(row.tab_index) < rows.size())
      by_tab_index[row.tab_index] = widget;

    if (row.name == kPanelName)
      controls.panel = widget;
    else if (row.name == kScrollBarName)
      controls.scroll_bar = qobject_cast<QScrollBar*>(widget);
    else if (row.name == kCalculateName)
      controls.calculate = qobject_cast<QPushButton*>(widget);
    else if (row.name == kClearName)
      controls.clear = qobject_cast<QPushButton*>(widget);
    else if (row.name == kLegalBasisName)
      controls.legal_basis = qobject_cast<QPushButton*>(widget);
    else if (row.name == kHomeLinkName)
      controls.home_link = qobject_cast<QLabel*>(widget);
    else
      keep_field(row, widget, controls);
  }

  // Focus moves in the layout's tab order, not row by row down the screen;
  // labels take no focus and are passed over.
  QWidget* previous = nullptr;
  for (QWidget* widget : by_tab_index) {
    if (widget == nullptr || widget->focusPolicy() == Qt::NoFocus) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
  return controls;
}

}  // namespace gongshang
