#include <array>
#include <variant>

#include <QComboBox>
#include <QEvent>
#include <QEventLoopLocker>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyle>
#include <QWindow>

#include "window/calculator_window.h"

#include "engine/compensation.h"
#include "engine/explanation.h"
#include "links/hand_cursor.h"
#include "links/link_opener.h"
#include "qstring/utf8.h"
#include "window/accessibility.h"
#include "window/controls.h"
#include "window/fonts.h"
#include "window/layout.h"
#include "window/qt_translations.h"
#include "window/scrolling.h"

namespace gongshang {

namespace {

QString from_utf16(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string_view to_view(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// The text a person reads in an input control: a box's text, or the item a
// list shows.
QString field_text(const QWidget* field) {
  if (const auto* box = qobject_cast<const QLineEdit*>(field)) return box->text();
  if (const auto* list = qobject_cast<const QComboBox*>(field)) return list->currentText();
  return {};
}

template <std::size_t N>
void refill(QComboBox* list, const std::array<std::u16string_view, N>& items) {
  if (list == nullptr) return;
  list->clear();
  for (std::u16string_view item : items) list->addItem(from_utf16(item));
  list->setCurrentIndex(0);
}

}  // namespace

CalculatorWindow::CalculatorWindow(QWidget* parent) : QWidget(parent) {
  install_song_substitutes();
  install_qt_translations();
  setObjectName(to_qstring(kWindowName));
  setWindowTitle(to_qstring(kWindowName));
  setFont(song_font(FontRole::kDefault));
  setFixedSize(to_pixels(kClientWidth), to_pixels(kClientHeight));
  load();
}

template <typename T>
T* CalculatorWindow::control(std::u16string_view name) const {
  return findChild<T*>(from_utf16(name));
}

template <typename T>
T* CalculatorWindow::control(std::string_view name) const {
  return findChild<T*>(to_qstring(name));
}

// Load: build every control from the layout, set the scroll range and place
// the window, before it becomes visible.
void CalculatorWindow::load() {
  QWidget* panel = nullptr;
  for (const ControlRow& row : window_layout()) {
    const bool on_window = row.kind == ControlKind::kPanel || row.kind == ControlKind::kScrollBar;
    QWidget* made = make_control(row, on_window ? this : panel);
    if (row.kind == ControlKind::kPanel) panel = made;
  }
  wireControls();
  name_controls(this);
  // Until a calculation gives figures to explain, a result's tooltip tells
  // its rule.
  for (std::size_t i = 0; i < kResultCount; ++i) {
    if (auto* box = control<QLineEdit>(kResultNames[i]))
      set_explanation(box, from_utf16(rule_in_words(static_cast<ResultField>(i))));
  }

  const ControlRow& panel_row = control_row(kPanelName);
  if (auto* bar = control<QScrollBar>(kScrollBarName))
    bar->setMaximum(scroll_maximum(static_cast<float>(panel_row.height)));

  placeCentred();
  if (panel != nullptr) panel->setFocus();
}

// Unload: the controls go, and with them every text, list item, selection,
// scroll value and panel position. They are taken off the window at once, so
// that only the fresh ones answer to their names, and deleted once control
// returns to the event loop, since the click that asked for this comes from
// one of them.
void CalculatorWindow::unload() {
  const QList<QWidget*> controls = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* control : controls) {
    control->hide();
    control->setParent(nullptr);
    control->deleteLater();
  }
}

void CalculatorWindow::wireControls() {
  if (auto* button = control<QPushButton>(kCalculateName))
    connect(button, &QPushButton::clicked, this, &CalculatorWindow::calculateClicked);
  if (auto* button = control<QPushButton>(kClearName))
    connect(button, &QPushButton::clicked, this, &CalculatorWindow::clearClicked);
  if (auto* button = control<QPushButton>(kLegalBasisName))
    connect(button, &QPushButton::clicked, this, &CalculatorWindow::legalBasisClicked);
  if (auto* bar = control<QScrollBar>(kScrollBarName))
    connect(bar, &QScrollBar::valueChanged, this, &CalculatorWindow::scrollValueChanged);
  // A label has no click signal; the window watches the link's mouse events.
  if (auto* link = control<QLabel>(kHomeLinkName)) link->installEventFilter(this);

  // Focus moves in the layout's tab order, not row by row down the screen.
  QList<QWidget*> by_tab_index(window_layout().size(), nullptr);
  for (const ControlRow& row : window_layout()) {
    if (row.tab_index >= 0 && row.tab_index < by_tab_index.size())
      by_tab_index[row.tab_index] = control<QWidget>(row.name);
  }
  QWidget* previous = nullptr;
  for (QWidget* widget : by_tab_index) {
    if (widget == nullptr || widget->focusPolicy() == Qt::NoFocus) continue;
    if (previous != nullptr) setTabOrder(previous, widget);
    previous = widget;
  }
}

void CalculatorWindow::placeCentred() {
  const QScreen* where = screen();
  if (where == nullptr) return;
  // The whole window, title bar and borders included, is centred. Until the
  // window manager has framed the window its frame is not known, and the
  // client area alone is centred; the first expose centres the frame.
  const QWindow* framed = windowHandle();
  const QMargins frame = framed != nullptr ? framed->frameMargins() : QMargins();
  const QRect outer = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size().grownBy(frame),
                                          where->availableGeometry());
  setGeometry(outer.marginsRemoved(frame));
}

void CalculatorWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  framed_ = false;
  if (QWindow* screen_window = windowHandle()) screen_window->installEventFilter(this);
  // Shown means activated. Ask for it, since a bare X server has no window
  // manager to hand out the focus; but where the toolkit still counts the
  // window active from before Clear hid it, no change will be reported, so
  // being shown is the activation.
  if (isActiveWindow())
    windowActivated();
  else
    activateWindow();
}

void CalculatorWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) windowActivated();
}

void CalculatorWindow::windowActivated() {
  // Lists are created empty and only this fills them, so an empty grade list
  // means the first activation since the window was built. Coming back from
  // another application must keep the user's choices.
  const auto* grades = control<QComboBox>(kInputNames[index(InputField::工伤等级)]);
  if (grades != nullptr && grades->count() == 0) fillLists();
}

void CalculatorWindow::fillLists() {
  refill(control<QComboBox>(kInputNames[index(InputField::工伤等级)]), kGradeItems);
  refill(control<QComboBox>(kInputNames[index(InputField::护理级别)]), kNursingItems);
}

void CalculatorWindow::calculateClicked() {
  std::array<QString, kInputCount> texts;
  InputTexts inputs;
  for (std::size_t i = 0; i < kInputCount; ++i) {
    texts[i] = field_text(control<QWidget>(kInputNames[i]));
    inputs[i] = to_view(texts[i]);
  }

  const Working working = work_out(inputs);
  if (const auto* refusal = std::get_if<Refusal>(&working)) {
    // The one message the program ever shows; the fields keep their texts
    // and their tooltips.
    QMessageBox::warning(this, to_qstring(kWindowName), from_utf16(refusal->message));
    return;
  }
  const auto& breakdown = std::get<Breakdown>(working);
  const Explanations explanations = explain(breakdown);
  for (std::size_t i = 0; i < kResultCount; ++i) {
    if (auto* box = control<QLineEdit>(kResultNames[i])) {
      box->setText(from_utf16(breakdown.texts[i]));
      // A figure longer than its box shows its leading digits, as a box does
      // after a text is put in it; setText leaves the cursor at the end.
      box->setCursorPosition(0);
      set_explanation(box, from_utf16(explanations[i]));
    }
  }
}

void CalculatorWindow::clearClicked() {
  // For a moment no window is shown; whatever the Qt version makes of that,
  // the program must not take it for the last window closing and quit.
  const QEventLoopLocker keep_running;
  hide();
  // The screen window goes too (this object and its QWindow stay), so that
  // showing it again is a new window to the platform: placed anew and
  // activated anew, which is what fills the lists. Merely hidden, some
  // platforms still count it focused and report no activation.
  if (QWindow* screen_window = windowHandle()) screen_window->destroy();
  unload();
  load();
  show();
}

void CalculatorWindow::scrollValueChanged(int value) {
  auto* panel = control<QWidget>(kPanelName);
  if (panel == nullptr) return;
  panel->move(panel->x(), to_pixels(static_cast<int>(panel_top(value))));
}

void CalculatorWindow::legalBasisClicked() {
  links::open(links::articleAddress());
}

void CalculatorWindow::homeClicked() {
  links::open(links::homeAddress());
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == windowHandle()) {
    // Exposed means mapped, and framed by then if a window manager frames it.
    if (event->type() == QEvent::Expose && !framed_ && windowHandle()->isExposed()) {
      framed_ = true;
      if (!windowHandle()->frameMargins().isNull()) placeCentred();
    }
    return QWidget::eventFilter(watched, event);
  }
  auto* link = qobject_cast<QWidget*>(watched);
  if (link == nullptr || link->objectName() != to_qstring(kHomeLinkName))
    return QWidget::eventFilter(watched, event);

  switch (event->type()) {
    case QEvent::MouseMove:
      links::setHandCursor(link);
      break;
    case QEvent::MouseButtonPress:
      link_pressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
      return true;  // the panel behind the link has no use for it
    case QEvent::MouseButtonDblClick:
      // The second press of a double-click: its release is no click, so a
      // double-click opens the page once.
      link_pressed_ = false;
      return true;
    case QEvent::MouseButtonRelease: {
      // A click: the left button pressed on the link and let go over it (the
      // press grabbed the mouse for the link, so the release comes here).
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const bool click = link_pressed_ && mouse->button() == Qt::LeftButton &&
                         link->rect().contains(mouse->position().toPoint());
      link_pressed_ = false;
      if (click) homeClicked();
      return true;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace gongshang
