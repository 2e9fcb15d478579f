#include "engine/fields.h"

#include <iterator>

#include "engine/legal_figures.h"
#include "engine/reading.h"
#include "engine/subsidy.h"
#include "engine/typed_text.h"

namespace gongshang {

namespace {

constexpr AgeItem kAges[] = {
    {"", ""},
    {"60", "60 岁（男职工）"},
    {"55", "55 岁（女干部）"},
    {"50", "50 岁（女工人）"},
};

}  // namespace

std::optional<Field> find_field(std::string_view name) {
  std::string buffer;
  const std::string_view trimmed = ascii_form(name, buffer);
  for (const FieldRow& r : field_rows())
    if (r.name == trimmed) return r.field;
  return std::nullopt;
}

FieldViews views_of(const FieldTexts& texts) {
  FieldViews views;
  for (std::size_t i = 0; i < kFieldCount; ++i) views[i] = texts[i];
  return views;
}

std::vector<std::string_view> list_items(Field list) {
  std::vector<std::string_view> items;
  switch (list) {
    case Field::kGrade:
      for (const GradeFigures& grade : kGrades) items.push_back(grade.item);
      break;
    case Field::kNursing:
      for (const NursingFigures& level : kNursingLevels) items.push_back(level.item);
      break;
    case Field::kDeathCase:
      items.assign(std::begin(kDeathCases), std::end(kDeathCases));
      break;
    case Field::kEndReason:
      items.assign(kEndReasonTexts.begin(), kEndReasonTexts.end());
      break;
    default:
      break;
  }
  return items;
}

std::span<const AgeItem> age_items() {
  return kAges;
}

std::string_view group_title(FieldGroup group) {
  switch (group) {
    case FieldGroup::kInjury:
      return "伤情";
    case FieldGroup::kWages:
      return "工资";
    case FieldGroup::kTime:
      return "时间";
    case FieldGroup::kCosts:
      return "费用";
    case FieldGroup::kDeath:
      return "工亡";
    case FieldGroup::kTypedRule:
      return "补助金标准（自行填写）";
    case FieldGroup::kParty:
      return "当事人";
    case FieldGroup::kRegion:
      break;
  }
  return "地区";
}

}  // namespace gongshang
