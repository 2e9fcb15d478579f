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

#include "casefile/case_file.h"
#include "claimwindow/accessible_list.h"
#include "claimwindow/fields.h"
#include "claimwindow/placement.h"
#include "engine/claim.h"
#include "engine/fields.h"
#include "engine/region_rules.h"
#include "qstring/utf8.h"

using namespace Qt::StringLiterals;

namespace gongshang::claimwindow {

namespace {

// The empty item first: no grade, no nursing.
QStringList list_texts(std::string_view name) {
  QStringList items{QString()};
  for (std::string_view item : list_items(name)) items << to_qstring(item);
  return items;
}

// A list never changes with the wheel unless it has the focus: scrolling the
// form over it must not pick a grade by accident.
void guard_wheel(QWidget* control) {
  control->setFocusPolicy(Qt::StrongFocus);
}

QString date_format() {
  return u"yyyy-MM-dd"_s;
}

}  // namespace

ClaimForm::ClaimForm(QWidget* parent) : QWidget(parent) {
  name_lists_by_their_field();
  const auto rows = claim_fields();
  fields_.resize(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) fields_[i].row = &rows[i];

  auto* column = new QVBoxLayout(this);
  for (int g = 0; g < kFieldGroupCount; ++g) column->addWidget(buildGroup(g));
  column->addStretch();
  // Controls were made before the rows that hold them, so the order Tab
  // would take is not the form's; it is set here, top to bottom.
  const QWidgetList order = focusOrder();
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
  showDeathSection(false);
  setStyleSheet(u"[problem=\"true\"] { border: 2px solid #b71c1c; }"_s);
}

QGroupBox* ClaimForm::buildGroup(int group) {
  const auto which = static_cast<FieldGroup>(group);
  auto* box = new QGroupBox(to_qstring(group_title(which)), this);
  if (which == FieldGroup::kTypedRule) typedRule_ = box;
  auto* form = new QFormLayout(box);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);

  for (Field& field : fields_) {
    if (field.row->group != which) continue;
    QLayout* control = buildControl(field);
    field.problem = new QLabel(box);
    field.problem->setObjectName(to_qstring(field.row->name) + u"问题"_s);
    field.problem->setWordWrap(true);
    field.problem->setStyleSheet(u"color: #b71c1c;"_s);
    field.problem->hide();
    field.problem->installEventFilter(this);

    // The control is laid out, not wrapped in a widget of its own: a label
    // labels its buddy for screen readers only when both have the same
    // parent. The reason spans the row under it, as a form gives a row that
    // spans the whole height its wrapped lines need (not so a field's cell).
    if (field.row->kind == FieldKind::kYesNo) {
      form->addRow(control);
    } else {
      auto* label = new QLabel(to_qstring(field.row->name), box);
      label->setBuddy(field.control());
      form->addRow(label, control);
    }
    if (deathForm_ == form) deathRows_ << form->rowCount() - 1 << form->rowCount();
    form->addRow(field.problem);
    if (field.row->kind == FieldKind::kRegion) {
      regionStatus_ = new QLabel(box);
      regionStatus_->setObjectName(u"数据状态"_s);
      regionStatus_->setWordWrap(true);
      regionStatus_->installEventFilter(this);
      form->addRow(regionStatus_);
    }
    // The death section: the rows after the 工亡 box open with it. They are
    // rows of the group's own form, not a form within it: a nested form is
    // not given the height its wrapped reasons need.
    if (field.row->name == kDeathField) {
      deathForm_ = form;
      connect(field.check, &QCheckBox::toggled, this, &ClaimForm::showDeathSection);
    }
  }
  return box;
}

QLayout* ClaimForm::buildControl(Field& field) {
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
        field.list->addItems(list_texts(field.row->name));
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
        connect(field.list, &QComboBox::currentIndexChanged, this,
                [this](int at) { typedRule_->setVisible(at == 0); });
      }
      guard_wheel(field.list);
      connect(field.list, &QComboBox::currentIndexChanged, this, &ClaimForm::changed);
      control = field.list;
      break;
    case FieldKind::kMoney:
      field.line = new QLineEdit(this);
      field.line->setPlaceholderText(to_qstring(field.row->hint));
      field.line->setToolTip(to_qstring(field.row->hint));  // the placeholder may be cut short
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

QWidget* ClaimForm::buildDateControl(Field& field, QHBoxLayout* row) {
  field.line = new QLineEdit(this);
  field.line->setPlaceholderText(field.row->hint.empty() ? u"如 2025-03-01"_s
                                                         : to_qstring(field.row->hint));
  connect(field.line, &QLineEdit::textChanged, this, &ClaimForm::changed);
  field.pick = new QToolButton(this);
  field.pick->setText(u"日历"_s);
  field.pick->setObjectName(to_qstring(field.row->name) + u"日历"_s);
  field.pick->setAccessibleName(u"从日历选择"_s + to_qstring(field.row->name));
  connect(field.pick, &QToolButton::clicked, this, [this, &field] { pickDate(field); });
  row->addWidget(field.pick);
  return field.line;
}

void ClaimForm::pickDate(Field& field) {
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

void ClaimForm::showDeathSection(bool shown) {
  for (int row : deathRows_) deathForm_->setRowVisible(row, shown);
  // A row shows all it holds; a reason only when there is one.
  for (const Field& field : fields_)
    if (field.row->group == FieldGroup::kDeath && field.row->name != kDeathField)
      field.problem->setVisible(shown && !field.problem->text().isEmpty());
}

QWidget* ClaimForm::Field::control() const {
  if (line) return line;
  if (list) return list;
  if (count) return count;
  return check;
}

QWidgetList ClaimForm::focusOrder() const {
  QWidgetList order;
  for (const Field& field : fields_) {
    order << field.control();
    if (field.pick) order << field.pick;
  }
  return order;
}

const ClaimForm::Field* ClaimForm::find(std::string_view name) const {
  const FieldRow* row = find_field(name);
  if (row == nullptr) return nullptr;
  return &fields_[static_cast<std::size_t>(row - claim_fields().data())];
}

QString ClaimForm::text(std::string_view name) const {
  const Field* field = find(name);
  if (field == nullptr) return {};
  if (field->line) return field->line->text();
  if (field->count) return QString::number(field->count->value());
  if (field->check) return field->check->isChecked() ? u"是"_s : u"否"_s;
  if (field->row->kind == FieldKind::kList) return field->list->currentText();
  return field->list->currentData().toString();
}

QString ClaimForm::problemWith(std::string_view name, const QString& text) const {
  const Field* field = find(name);
  if (field == nullptr) return u"没有这一栏"_s;
  static const Rules kNoRules;
  return to_qstring(
      casefile::value_problem(*field->row, to_utf8(text), rules_ ? *rules_ : kNoRules));
}

QString ClaimForm::setText(std::string_view name, const QString& text) {
  QString problem = problemWith(name, text);
  if (!problem.isEmpty()) return problem;
  const Field* field = find(name);
  if (field->line)
    field->line->setText(text);
  else if (field->check)
    field->check->setChecked(text == u"是"_s);
  else if (field->count)
    field->count->setValue(text.toInt());
  else if (field->row->kind == FieldKind::kList)
    field->list->setCurrentIndex(field->list->findText(text));
  else
    field->list->setCurrentIndex(std::max(0, field->list->findData(text)));
  return {};
}

void ClaimForm::setRegions(const Rules& rules) {
  rules_ = &rules;
  const Field* field = find("地区");
  const QString chosen = text("地区");
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
  find(kRegionField)->list->setAccessibleDescription(words);
}

void ClaimForm::markProblem(std::string_view name, const QString& reason) {
  const Field* field = find(name);
  if (field == nullptr || field->problem->text() == reason) return;
  field->problem->setText(reason);
  fitHeight(field->problem);
  field->problem->setVisible(!reason.isEmpty());
  QWidget* control = field->control();
  control->setProperty("problem", !reason.isEmpty());
  control->style()->unpolish(control);
  control->style()->polish(control);
  control->setAccessibleDescription(reason);
}

void ClaimForm::clearProblems() {
  for (const Field& field : fields_)
    if (!field.problem->text().isEmpty()) markProblem(field.row->name, {});
}

QStringList ClaimForm::markedFields() const {
  QStringList names;
  for (const Field& field : fields_)
    if (!field.problem->text().isEmpty()) names << to_qstring(field.row->name);
  return names;
}

}  // namespace gongshang::claimwindow
