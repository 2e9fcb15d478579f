#include "claimwindow/claim_form.h"

#include <algorithm>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "claimwindow/fields.h"
#include "engine/claim.h"
#include "engine/fields.h"
#include "engine/legal_figures.h"
#include "engine/region_rules.h"
#include "engine/subsidy.h"
#include "qstring/utf8.h"

using namespace Qt::StringLiterals;

namespace gongshang::claimwindow {

namespace {

// The empty item first: no grade, no nursing, no reason given.
QStringList list_items(std::string_view name) {
  QStringList items{QString()};
  if (name == gongshang::name(ClaimInput::kEndReason))
    for (std::string_view reason : kEndReasonTexts) items << to_qstring(reason);
  else if (name == gongshang::name(Input::kGrade))
    for (const GradeFigures& grade : kGrades) items << to_qstring(grade.item);
  else
    for (const NursingFigures& level : kNursingLevels) items << to_qstring(level.item);
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
  const auto rows = claim_fields();
  fields_.resize(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) fields_[i].row = &rows[i];

  auto* column = new QVBoxLayout(this);
  for (int g = 0; g < kFieldGroupCount; ++g) column->addWidget(buildGroup(g));
  column->addStretch();
  showDeathSection(false);
  setStyleSheet(u"[problem=\"true\"] { border: 2px solid #b71c1c; }"_s);
}

QGroupBox* ClaimForm::buildGroup(int group) {
  const auto which = static_cast<FieldGroup>(group);
  auto* box = new QGroupBox(to_qstring(group_title(which)), this);
  if (which == FieldGroup::kTypedRule) typedRule_ = box;
  auto* form = new QFormLayout(box);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);

  QFormLayout* target = form;
  for (Field& field : fields_) {
    if (field.row->group != which) continue;
    QWidget* control = buildControl(field);
    field.problem = new QLabel(box);
    field.problem->setObjectName(to_qstring(field.row->name) + u"问题"_s);
    field.problem->setWordWrap(true);
    field.problem->setStyleSheet(u"color: #b71c1c;"_s);
    field.problem->hide();

    auto* cell = new QWidget(box);
    auto* stack = new QVBoxLayout(cell);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(2);
    stack->addWidget(control);
    stack->addWidget(field.problem);

    if (field.row->kind == FieldKind::kYesNo) {
      target->addRow(cell);
    } else {
      auto* label = new QLabel(to_qstring(field.row->name), box);
      label->setBuddy(field.line ? static_cast<QWidget*>(field.line) : control);
      target->addRow(label, cell);
    }
    if (field.row->kind == FieldKind::kRegion) {
      regionStatus_ = new QLabel(box);
      regionStatus_->setObjectName(u"数据状态"_s);
      regionStatus_->setWordWrap(true);
      target->addRow(regionStatus_);
    }
    // The death section: everything after the 工亡 box opens with it.
    if (field.row->name == kDeathField) {
      deathSection_ = new QWidget(box);
      deathSection_->setObjectName(u"工亡信息"_s);
      target = new QFormLayout(deathSection_);
      target->setContentsMargins(0, 0, 0, 0);
      target->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
      form->addRow(deathSection_);
      connect(field.check, &QCheckBox::toggled, this, &ClaimForm::showDeathSection);
    }
  }
  return box;
}

QWidget* ClaimForm::buildControl(Field& field) {
  const QString name = to_qstring(field.row->name);
  QWidget* control = nullptr;
  switch (field.row->kind) {
    case FieldKind::kList:
    case FieldKind::kAge:
    case FieldKind::kRegion:
    case FieldKind::kBase:
      field.list = new QComboBox(this);
      if (field.row->kind == FieldKind::kList) {
        field.list->addItems(list_items(field.row->name));
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
      control = buildDateControl(field);
      break;
    case FieldKind::kCount:
      field.count = new QSpinBox(this);
      field.count->setRange(0, field.row->max);
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
  QWidget* named = field.line ? static_cast<QWidget*>(field.line) : control;
  named->setObjectName(name);
  named->setAccessibleName(name);
  return control;
}

QWidget* ClaimForm::buildDateControl(Field& field) {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  field.line = new QLineEdit(row);
  field.line->setPlaceholderText(field.row->hint.empty() ? u"如 2025-03-01"_s
                                                         : to_qstring(field.row->hint));
  connect(field.line, &QLineEdit::textChanged, this, &ClaimForm::changed);
  auto* pick = new QToolButton(row);
  pick->setText(u"日历"_s);
  pick->setObjectName(to_qstring(field.row->name) + u"日历"_s);
  pick->setAccessibleName(u"从日历选择"_s + to_qstring(field.row->name));
  connect(pick, &QToolButton::clicked, this, [this, &field] { pickDate(field); });
  layout->addWidget(field.line, 1);
  layout->addWidget(pick);
  return row;
}

void ClaimForm::pickDate(Field& field) {
  auto* calendar = new QCalendarWidget(this);
  calendar->setWindowFlags(Qt::Popup);
  calendar->setAttribute(Qt::WA_DeleteOnClose);
  calendar->setObjectName(to_qstring(field.row->name) + u"日历选择"_s);
  const QDate typed = QDate::fromString(field.line->text().trimmed(), date_format());
  if (typed.isValid()) calendar->setSelectedDate(typed);
  connect(calendar, &QCalendarWidget::clicked, this, [line = field.line, calendar](QDate date) {
    line->setText(date.toString(date_format()));
    calendar->close();
  });
  calendar->adjustSize();
  calendar->move(field.line->mapToGlobal(QPoint(0, field.line->height())));
  calendar->show();
  calendar->setFocus();
}

void ClaimForm::showDeathSection(bool shown) {
  if (deathSection_) deathSection_->setVisible(shown);
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
  if (field->line || text.isEmpty()) return {};
  if (field->check)
    return text == u"是"_s || text == u"否"_s ? QString() : u"只能是“是”“否”或留空"_s;
  if (field->count) {
    bool whole = std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    const int value = whole ? text.toInt(&whole) : 0;
    return whole && value <= field->count->maximum()
               ? QString()
               : u"只能是 0 至 %1 的整数"_s.arg(field->count->maximum());
  }
  const bool byText = field->row->kind == FieldKind::kList;
  if ((byText ? field->list->findText(text) : field->list->findData(text)) >= 0) return {};
  QStringList offered;
  for (int i = 1; i < field->list->count(); ++i)
    offered << (byText ? field->list->itemText(i) : field->list->itemData(i).toString());
  return u"只能是%1之一或留空"_s.arg(offered.join(u"、"_s));
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

void ClaimForm::setRegions(const QStringList& names) {
  const Field* field = find("地区");
  const QString chosen = text("地区");
  while (field->list->count() > 1) field->list->removeItem(1);
  for (const QString& name : names) field->list->addItem(name, name);
  field->list->setCurrentIndex(std::max(0, field->list->findData(chosen)));
}

void ClaimForm::setRegionStatus(const QString& words) {
  regionStatus_->setText(words);
  regionStatus_->setVisible(!words.isEmpty());
  // Heard with the list, since it qualifies every figure the region brings.
  find(kRegionField)->list->setAccessibleDescription(words);
}

void ClaimForm::markProblem(std::string_view name, const QString& reason) {
  const Field* field = find(name);
  if (field == nullptr || field->problem->text() == reason) return;
  field->problem->setText(reason);
  field->problem->setVisible(!reason.isEmpty());
  QWidget* control = field->line    ? static_cast<QWidget*>(field->line)
                     : field->list  ? static_cast<QWidget*>(field->list)
                     : field->count ? static_cast<QWidget*>(field->count)
                                    : static_cast<QWidget*>(field->check);
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
