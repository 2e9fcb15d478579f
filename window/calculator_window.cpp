#include "window/calculator_window.h"

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

#include "links/hand_cursor.h"
#include "links/link_opener.h"
#include "qstring/qt_translations.h"
#include "qstring/utf8.h"
#include "window/accessibility.h"
#include "window/calculation.h"
#include "window/fonts.h"
#include "window/layout.h"
#include "window/scrolling.h"

namespace gongshang {

CalculatorWindow::CalculatorWindow(QWidget* parent) : QWidget(parent) {
  install_song_substitutes();
  install_qt_translations();
  setObjectName(to_qstring(kWindowName));
  setWindowTitle(to_qstring(kWindowName));
  setFont(song_font(FontRole::kDefault));
  setFixedSize(to_pixels(kClientWidth), to_pixels(kClientHeight));
  load();
}

// Load: build every control from the layout, set the scroll range and place
// the window, before it becomes visible.
void CalculatorWindow::load() {
  controls_ = make_controls(this);
  connect(controls_.calculate, &QPushButton::clicked, this, &CalculatorWindow::calculateClicked);
  connect(controls_.clear, &QPushButton::clicked, this, &CalculatorWindow::clearClicked);
  connect(controls_.legal_basis, &QPushButton::clicked, this, &CalculatorWindow::legalBasisClicked);
  connect(controls_.scroll_bar, &QScrollBar::valueChanged, this,
          &CalculatorWindow::scrollValueChanged);
  // A label has no click signal; the window watches the link's mouse events.
  controls_.home_link->installEventFilter(this);
  name_controls(controls_);

  // Until a calculation gives figures to explain, a result's tooltip tells
  // its rule.
  for (std::size_t i = 0; i < kResultCount; ++i)
    set_explanation(controls_.results[i], rule_text(static_cast<Result>(i)));

  const ControlRow& panel_row = control_row(kPanelName);
  controls_.scroll_bar->setMaximum(scroll_maximum(static_cast<float>(panel_row.height)));

  placeCentred();
  controls_.panel->setFocus();
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
  controls_ = {};
  link_pressed_ = false;
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
  if (controls_.inputs[index(Input::kGrade)].list->count() > 0) return;
  for (const Input input : {Input::kGrade, Input::kNursing}) {
    QComboBox* list = controls_.inputs[index(input)].list;
    list->addItems(list_choices(input));
    list->setCurrentIndex(0);
  }
}

void CalculatorWindow::calculateClicked() {
  std::array<QString, kInputCount> inputs;
  for (std::size_t i = 0; i < kInputCount; ++i) inputs[i] = controls_.inputs[i].text();

  const Calculation calculation = calculate_shown(inputs);
  if (const auto* refusal = std::get_if<QString>(&calculation)) {
    // The one message the program ever shows; the fields keep their texts
    // and their tooltips.
    QMessageBox::warning(this, to_qstring(kWindowName), *refusal);
    return;
  }
  const auto& shown = std::get<ShownResults>(calculation);
  for (std::size_t i = 0; i < kResultCount; ++i) {
    QLineEdit* box = controls_.results[i];
    box->setText(shown.texts[i]);
    // A figure longer than its box shows its leading digits, as a box does
    // after a text is put in it; setText leaves the cursor at the end.
    box->setCursorPosition(0);
    set_explanation(box, shown.explanations[i]);
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
  QWidget* panel = controls_.panel;
  panel->move(panel->x(), to_pixels(static_cast<int>(panel_top(value))));
}

void CalculatorWindow::legalBasisClicked() {
  links::open(links::articleAddress());
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == controls_.home_link && linkEvent(event)) return true;
  // Exposed means mapped, and framed by then if a window manager frames it.
  if (watched == windowHandle() && event->type() == QEvent::Expose && !framed_ &&
      windowHandle()->isExposed()) {
    framed_ = true;
    if (!windowHandle()->frameMargins().isNull()) placeCentred();
  }
  return QWidget::eventFilter(watched, event);
}

// The link's mouse events; true for those it takes, which the panel behind
// it has no use for.
bool CalculatorWindow::linkEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
      links::setHandCursor(controls_.home_link);
      return false;
    case QEvent::MouseButtonPress:
      link_pressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
      return true;
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
                         controls_.home_link->rect().contains(mouse->position().toPoint());
      link_pressed_ = false;
      if (click) links::open(links::homeAddress());
      return true;
    }
    default:
      return false;
  }
}

}  // namespace gongshang
