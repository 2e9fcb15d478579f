#include "engine/fields.h"

#include <algorithm>
#include <iterator>

#include "engine/compensation_on_ending.h"
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

int since_format(Field field, std::string_view text) {
  int since = row(field).since_format;
  if (field == Field::kEndReason) {
    const std::string shown = control_text(field, text);
    for (const EndReasonItem& item : kEndReasonItems)
      if (item.text == shown) since = std::max(since, item.since_format);
  }
  return since;
}

FieldViews views_of(const FieldTexts& texts) {
  FieldViews views;
  for (std::size_t i = 0; i < kFieldCount; ++i) views[i] = texts[i];
  return views;
}

std::span<const std::string_view> list_items(Field list) {
  // The items as texts, made once from the tables that hold them.
  static const auto grades = [] {
    std::array<std::string_view, kGrades.size()> items{};
    for (std::size_t i = 0; i < items.size(); ++i) items[i] = kGrades[i].item;
    return items;
  }();
  static const auto levels = [] {
    std::array<std::string_view, kNursingLevels.size()> items{};
    for (std::size_t i = 0; i < items.size(); ++i) items[i] = kNursingLevels[i].item;
    return items;
  }();
  static const auto end_reasons = [] {
    std::array<std::string_view, kEndReasonItems.size()> items{};
    for (std::size_t i = 0; i < items.size(); ++i) items[i] = kEndReasonItems[i].text;
    return items;
  }();
  switch (list) {
    case Field::kGrade:
      return grades;
    case Field::kNursing:
      return levels;
    case Field::kCareLevel:
      return kCareLevels;
    case Field::kSex:
      return kSexes;
    case Field::kSuitableWork:
      return kSuitableWorkItems;
    case Field::kDeathCase:
      return kDeathCases;
    case Field::kEndReason:
      return end_reasons;
    default:
      return {};
  }
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
