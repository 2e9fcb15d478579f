#include "claimwindow/claim_form.h"

#include <algorithm>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "claimwindow/accessible_list.h"
#include "claimwindow/placement.h"
#include "engine/fields.h"
#include "engine/reading.h"
#include "engine/region_rules.h"
#include "qstring/utf8.h"

using namespace Qt::StringLiterals;

namespace gongshang::claimwindow {

namespace {

// The empty item first: no grade, no nursing.
QStringList list_texts(Field field) {
  QStringList items{QString()};
  for (std::string_view item : list_items(field)) items << to_qstring(item);
  return items;
}

// A list never changes with the wheel unless it has the focus: scrolling the
// form over it must not pick a grade by accident.
void guard_wheel(QWidget* control) {
  control->setFocusPolicy(Qt::StrongFocus);
}

// The text a list's item stands for: a kList's item as shown, the others'
// data ("55" for "55 岁（女干部）").
QString item_at(const QComboBox* list, FieldKind kind, int i) {
  return kind == FieldKind::kList ? list->itemText(i) : list->itemData(i).toString();
}

QString date_format() {
  return u"yyyy-MM-dd"_s;
}

}  // namespace

ClaimForm::ClaimForm(QWidget* parent) : QWidget(parent) {
  name_lists_by_their_field();
  const auto rows = field_rows();
  fields_.resize(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) fields_[i].row = &rows[i];

  auto* column = new QVBoxLayout(this);
  for (int g = 0; g < kFieldGroupCount; ++g) column->addWidget(buildGroup(g));
  column->addStretch();
  // Controls were made before the rows that hold them, so the order Tab
  // would take is not the form's; it is set here, top to bottom.
  const QWidgetList order = focusOrder();
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
  setStyleSheet(u"[problem=\"true\"] { border: 2px solid #b71c1c; }"_s);
}

QGroupBox* ClaimForm::buildGroup(int group) {
  const auto which = static_cast<FieldGroup>(group);
  auto* box = groups_[static_cast<std::size_t>(group)] =
      new QGroupBox(to_qstring(group_title(which)), this);
  auto* form = new QFormLayout(box);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  if (const std::string_view help = group_help(which); !help.empty()) {
    QLabel* words = wrappedLabel(to_qstring(group_title(which)) + u"说明"_s, box);
    words->setText(to_qstring(help));
    form->addRow(words);
  }

  for (Control& field : fields_) {
    if (field.row->group != which) continue;
    QLayout* control = buildControl(field);
    field.problem = wrappedLabel(to_qstring(field.row->name) + u"问题"_s, box);
    field.problem->setStyleSheet(u"color: #b71c1c;"_s);
    field.problem->hide();

    // The control is laid out, not wrapped in a widget of its own: a label
    // labels its buddy for screen readers only when both have the same
    // parent. The help and the reason span the rows under it, as a form
    // gives a row that spans the whole height its wrapped lines need (not
    // so a field's cell).
    if (field.row->kind == FieldKind::kYesNo) {
      form->addRow(control);
    } else {
      auto* label = new QLabel(to_qstring(field.row->name), box);
      label->setBuddy(field.control());
      form->addRow(label, control);
    }
    // A field out of effect hides its rows of the group's own form, not a
    // form within it: a nested form is not given the height its wrapped
    // reasons need.
    field.form = form;
    field.rows << form->rowCount() - 1;
    addHelp(field, box);
    field.problemRow = form->rowCount();
    form->addRow(field.problem);
    field.notice = wrappedLabel(to_qstring(field.row->name) + u"提示"_s, box);
    field.noticeRow = form->rowCount();
    form->addRow(field.notice);
    form->setRowVisible(field.noticeRow, false);
    if (field.row->kind == FieldKind::kRegion) {
      regionStatus_ = wrappedLabel(u"数据状态"_s, box);
      form->addRow(regionStatus_);
    }
  }
  return box;
}

QLabel* ClaimForm::wrappedLabel(const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  label->installEventFilter(this);
  return label;
}

void ClaimForm::addHelp(Control& field, QWidget* box) {
  const QString name = to_qstring(field.row->name);
  field.help = wrappedLabel(name + u"说明"_s, box);
  // Grey on the window's grey, 7:1: help, not a value.
  field.help->setStyleSheet(u"color: #505050;"_s);
  QFont small = field.help->font();
  small.setPointSizeF(small.pointSizeF() * 0.9);
  field.help->setFont(small);
  field.rows << field.form->rowCount();
  field.form->addRow(field.help);
  showHelp(field);
  if (field.list)
    connect(field.list, &QComboBox::currentIndexChanged, this, [this, &field] { showHelp(field); });
  if (field.row->lookup.empty()) return;
  field.more = new QToolButton(box);
  field.more->setText(u"在哪里查、用哪一年"_s);
  field.more->setObjectName(name + u"在哪里查"_s);
  field.more->setAccessibleName(name + u"：在哪里查、用哪一年"_s);
  field.more->setCheckable(true);
  field.more->setAutoRaise(true);
  field.lookup = wrappedLabel(name + u"查找"_s, box);
  field.lookup->setText(to_qstring(field.row->lookup));
  field.lookup->setFont(small);
  field.rows << field.form->rowCount();
  field.form->addRow(field.more);
  field.lookupRow = field.form->rowCount();
  field.form->addRow(field.lookup);
  field.form->setRowVisible(field.lookupRow, false);
  connect(field.more, &QToolButton::toggled, this,
          [&field](bool on) { field.form->setRowVisible(field.lookupRow, on && field.shown); });
}

// The field's line, then what the item chosen means where the law says.
void ClaimForm::showHelp(const Control& field) {
  QString words = to_qstring(field.row->help);
  if (field.list) {
    const QString item = item_at(field.list, field.row->kind, field.list->currentIndex());
    if (std::string meaning = item_help(field.row->field, to_utf8(item)); !meaning.empty())
      words += u"\n"_s + to_qstring(meaning);
  }
  field.help->setText(words);
  fitHeight(field.help);
  QWidget* control = field.control();
  if (field.row->kind != FieldKind::kRegion && !control->property("problem").toBool())
    control->setAccessibleDescription(words);
}

QLayout* ClaimForm::buildControl(Control& field) {
  const QString name = to_qstring(field.row->name);
  auto* row = new QHBoxLayout;
  QWidget* control = nullptr;
  switch (field.row->kind) {
    case FieldKind::kList:
    case FieldKind::kAge:
    case FieldKind::kRegion:
    case FieldKind::kBase:
      field.list = new QComboBox(this);
      if (field.row->kind == FieldKind::kList) {
        field.list->addItems(list_texts(field.row->field));
      } else if (field.row->kind == FieldKind::kAge) {
        for (const AgeItem& age : age_items())
          field.list->addItem(to_qstring(age.label), to_qstring(age.text));
      } else if (field.row->kind == FieldKind::kBase) {
        for (std::size_t b = 0; b < kSubsidyBaseCount; ++b) {
          const QString base = to_qstring(base_text(static_cast<SubsidyBase>(b)));
          field.list->addItem(base, base);
        }
      } else {
        field.list->addItem(u"（其他地区，自行填写标准）"_s, QString());
      }
      // Each item that is law says what it means when pointed at, too.
      for (int i = 1; i < field.list->count(); ++i) {
        const std::string item = to_utf8(item_at(field.list, field.row->kind, i));
        field.list->setItemData(i, to_qstring(item_help(field.row->field, item)), Qt::ToolTipRole);
      }
      guard_wheel(field.list);
      connect(field.list, &QComboBox::currentIndexChanged, this, &ClaimForm::changed);
      control = field.list;
      break;
    case FieldKind::kMoney:
    case FieldKind::kText:
      field.line = new QLineEdit(this);
      connect(field.line, &QLineEdit::textChanged, this, &ClaimForm::changed);
      control = field.line;
      break;
    case FieldKind::kDate:
      control = buildDateControl(field, row);
      break;
    case FieldKind::kCount:
      field.count = new QSpinBox(this);
      field.count->setRange(0, static_cast<int>(field.row->max));
      guard_wheel(field.count);
      connect(field.count, &QSpinBox::valueChanged, this, &ClaimForm::changed);
      control = field.count;
      break;
    case FieldKind::kYesNo:
      field.check = new QCheckBox(name, this);
      connect(field.check, &QCheckBox::toggled, this, &ClaimForm::changed);
      control = field.check;
      break;
  }
  control->setObjectName(name);
  control->setAccessibleName(name);
  row->insertWidget(0, control, 1);
  return row;
}

QWidget* ClaimForm::buildDateControl(Control& field, QHBoxLayout* row) {
  field.line = new QLineEdit(this);
  field.line->setPlaceholderText(u"如 2025-03-01"_s);
  connect(field.line, &QLineEdit::textChanged, this, &ClaimForm::changed);
  field.pick = new QToolButton(this);
  field.pick->setText(u"日历"_s);
  field.pick->setObjectName(to_qstring(field.row->name) + u"日历"_s);
  field.pick->setAccessibleName(u"从日历选择"_s + to_qstring(field.row->name));
  connect(field.pick, &QToolButton::clicked, this, [this, &field] { pickDate(field); });
  row->addWidget(field.pick);
  return field.line;
}

void ClaimForm::pickDate(Control& field) {
  auto* calendar = new QCalendarWidget(this);
  calendar->setWindowFlags(Qt::Popup);
  calendar->setAttribute(Qt::WA_DeleteOnClose);
  calendar->setObjectName(to_qstring(field.row->name) + u"日历选择"_s);
  const QDate typed = QDate::fromString(field.line->text().trimmed(), date_format());
  if (typed.isValid()) calendar->setSelectedDate(typed);
  // A click or Enter picks the date; the arrow keys move it; Esc leaves the
  // field as it was (a popup closes on Esc by itself).
  const auto pick = [line = field.line, calendar](QDate date) {
    line->setText(date.toString(date_format()));
    calendar->close();
    line->setFocus(Qt::PopupFocusReason);
  };
  connect(calendar, &QCalendarWidget::clicked, this, pick);
  connect(calendar, &QCalendarWidget::activated, this, pick);
  // Placed again once shown: the style may change its size as it shows.
  const auto place = [calendar, line = field.line] {
    const QRect anchor(line->mapToGlobal(QPoint(0, 0)), line->size());
    const QScreen* screen = line->screen();
    calendar->move(screen ? popup_position(anchor, calendar->frameGeometry().size(),
                                           screen->availableGeometry())
                          : anchor.bottomLeft());
  };
  calendar->adjustSize();
  place();
  calendar->show();
  place();
  calendar->setFocus(Qt::PopupFocusReason);
}

bool ClaimForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) fitHeight(static_cast<QLabel*>(watched));
  return QWidget::eventFilter(watched, event);
}

void ClaimForm::fitHeight(QLabel* label) {
  // A form gives a row of wrapped text the height of fewer lines than the
  // text takes at the row's width (the last lines were cut off); held at
  // its height for its width, the label gets them all.
  // A label's height for a width is never below its minimum: cleared first.
  const int before = label->minimumHeight();
  label->setMinimumHeight(0);
  const int height = label->text().isEmpty() ? 0 : label->heightForWidth(label->width());
  label->setMinimumHeight(height == before ? before : height);
}

void ClaimForm::showInEffect(const std::array<bool, kFieldCount>& in_effect) {
  std::array<bool, kFieldGroupCount> any{};
  for (Control& field : fields_) {
    const bool shown = in_effect[index(field.row->field)];
    any[static_cast<std::size_t>(field.row->group)] |= shown;
    if (field.shown == shown) continue;
    field.shown = shown;
    for (int r : field.rows) field.form->setRowVisible(r, shown);
    // A row shows all it holds; a reason or a notice only when there is one,
    // where to look a figure up only when asked.
    field.form->setRowVisible(field.problemRow, shown && !field.problem->text().isEmpty());
    field.form->setRowVisible(field.noticeRow, shown && !field.notice->text().isEmpty());
    if (field.more) field.form->setRowVisible(field.lookupRow, shown && field.more->isChecked());
  }
  for (std::size_t g = 0; g < groups_.size(); ++g) groups_[g]->setVisible(any[g]);
}

QWidget* ClaimForm::Control::control() const {
  if (line) return line;
  if (list) return list;
  if (count) return count;
  return check;
}

QWidgetList ClaimForm::focusOrder() const {
  QWidgetList order;
  for (const Control& field : fields_) {
    order << field.control();
    if (field.pick) order << field.pick;
    if (field.more) order << field.more;
  }
  return order;
}

QString ClaimForm::text(Field which) const {
  const Control& field = at(which);
  if (field.line) return field.line->text();
  if (field.count) return QString::number(field.count->value());
  if (field.check) return field.check->isChecked() ? u"是"_s : u"否"_s;
  return item_at(field.list, field.row->kind, field.list->currentIndex());
}

QString ClaimForm::setText(Field which, const QString& text) {
  static const Rules kNoRules;
  const Control& field = at(which);
  const std::string typed = to_utf8(text);
  if (!field.line) {
    if (std::string why = field_problem(which, typed, rules_ ? *rules_ : kNoRules); !why.empty())
      return to_qstring(why);
  }
  const QString shown = to_qstring(control_text(which, typed));
  if (field.line)
    field.line->setText(text);
  else if (field.check)
    field.check->setChecked(shown == u"是"_s);
  else if (field.count)
    field.count->setValue(shown.isEmpty() ? 0 : shown.toInt());
  else if (field.row->kind == FieldKind::kList)
    field.list->setCurrentIndex(std::max(0, field.list->findText(shown)));
  else
    field.list->setCurrentIndex(std::max(0, field.list->findData(shown)));
  return {};
}

void ClaimForm::setRegions(const Rules& rules) {
  rules_ = &rules;
  const Control* field = &at(Field::kRegion);
  const QString chosen = text(Field::kRegion);
  while (field->list->count() > 1) field->list->removeItem(1);
  for (const Region& region : rules.regions) {
    const QString name = to_qstring(region.name);
    field->list->addItem(name, name);
  }
  field->list->setCurrentIndex(std::max(0, field->list->findData(chosen)));
}

void ClaimForm::setRegionStatus(const QString& words) {
  regionStatus_->setText(words);
  fitHeight(regionStatus_);
  regionStatus_->setVisible(!words.isEmpty());
  // Heard with the list, since it qualifies every figure the region brings.
  at(Field::kRegion).list->setAccessibleDescription(words);
}

void ClaimForm::markProblem(Field which, const QString& reason, bool fault) {
  const Control* field = &at(which);
  const bool marked = fault && !reason.isEmpty();
  if (field->problem->text() == reason && field->control()->property("problem").toBool() == marked)
    return;
  field->problem->setText(reason);
  fitHeight(field->problem);
  field->form->setRowVisible(field->problemRow, field->shown && !reason.isEmpty());
  field->problem->setVisible(!reason.isEmpty());
  QWidget* control = field->control();
  control->setProperty("problem", marked);
  // A needed field left empty is no fault: its words are amber, not red.
  field->problem->setStyleSheet(reason.isEmpty() || marked ? u"color: #b71c1c;"_s
                                                           : u"color: #8a5a00;"_s);
  control->style()->unpolish(control);
  control->style()->polish(control);
  describe(*field);
}

void ClaimForm::setNotice(Field which, const QString& words) {
  const Control* field = &at(which);
  if (field->notice->text() == words) return;
  field->notice->setText(words);
  fitHeight(field->notice);
  field->form->setRowVisible(field->noticeRow, field->shown && !words.isEmpty());
  describe(*field);
}

void ClaimForm::describe(const Control& field) {
  // Heard with the control: why it is marked, or else what was filled in
  // to check, or else what goes in.
  if (field.row->field == Field::kRegion) return;
  const QString reason = field.problem->text();
  const QString notice = field.notice->text();
  field.control()->setAccessibleDescription(!reason.isEmpty()   ? reason
                                            : !notice.isEmpty() ? notice
                                                                : field.help->text());
}

void ClaimForm::clearProblems() {
  for (const Control& field : fields_)
    if (!field.problem->text().isEmpty()) markProblem(field.row->field, {});
}

QStringList ClaimForm::markedFields() const {
  QStringList names;
  for (const Control& field : fields_)
    if (field.control()->property("problem").toBool()) names << to_qstring(field.row->name);
  return names;
}

}  // namespace gongshang::claimwindow
