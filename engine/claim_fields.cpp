#include "engine/claim_fields.h"

#include <algorithm>
#include <iterator>

#include "engine/claim.h"
#include "engine/legal_figures.h"
#include "engine/subsidy.h"
#include "engine/typed_text.h"

namespace gongshang {

namespace {

using G = FieldGroup;
using K = FieldKind;

// Plausible ceilings: a larger text is a typing slip, and every amount
// computed from them stays well within the statement's fen.
constexpr double kMaxWage = 10'000'000;         // yuan a month
constexpr double kMaxCost = 100'000'000;        // yuan
constexpr double kMaxTypedFigure = 10'000'000;  // months, or yuan for 固定金额
constexpr double kMaxDays = 9'999;
constexpr double kMaxPeople = 99;
// The longest 停工留薪期 Art. 33 allows: 12 months, extended by at most 12.
constexpr double kMaxLeaveMonths = 24;

// The names are the batch tool's columns. 用人单位未参保 and the typed
// subsidy figures are the window's and the case file's: the first changes
// who pays, not what is owed.
constexpr FieldRow kFields[] = {
    {"地区", G::kRegion, K::kRegion},
    {"用人单位未参保", G::kRegion, K::kYesNo},
    {"医疗补助金月数或金额", G::kTypedRule, K::kMoney, "当地规定的月数；基数为固定金额时填元",
     kMaxTypedFigure},
    {"医疗补助金基数", G::kTypedRule, K::kBase},
    {"就业补助金月数或金额", G::kTypedRule, K::kMoney, "当地规定的月数；基数为固定金额时填元",
     kMaxTypedFigure},
    {"就业补助金基数", G::kTypedRule, K::kBase},
    {"工伤等级", G::kInjury, K::kList},
    {"护理级别", G::kInjury, K::kList},
    {"职业病", G::kInjury, K::kYesNo},
    {"本人月均工资", G::kWages, K::kMoney, "受伤前 12 个月平均月缴费工资", kMaxWage},
    {"统筹月工资", G::kWages, K::kMoney, "统筹地区上年度职工月平均工资", kMaxWage},
    {"全省月工资", G::kWages, K::kMoney, "全省上年度职工月平均工资", kMaxWage},
    {"最低工资", G::kWages, K::kMoney, "当地月最低工资标准", kMaxWage},
    {"停薪月数", G::kTime, K::kCount, {}, kMaxLeaveMonths},
    {"住院天数", G::kTime, K::kCount, {}, kMaxDays},
    {"住宿天数", G::kTime, K::kCount, {}, kMaxDays},
    {"护理天数", G::kTime, K::kCount, {}, kMaxDays},
    {"出生日期", G::kTime, K::kDate},
    {"原退休年龄", G::kTime, K::kAge},
    {"解除日期", G::kTime, K::kDate, "解除或终止劳动关系之日"},
    {"解除原因", G::kTime, K::kList, {}, 0, 2},
    {"医疗费", G::kCosts, K::kMoney, {}, kMaxCost},
    {"辅助器具费", G::kCosts, K::kMoney, {}, kMaxCost},
    {"交通费", G::kCosts, K::kMoney, {}, kMaxCost},
    {"营养费", G::kCosts, K::kMoney, {}, kMaxCost},
    {"工亡", G::kDeath, K::kYesNo},
    {"死亡情形", G::kDeath, K::kList, "留空即因工死亡", 0, 2},
    {"死亡日期", G::kDeath, K::kDate},
    {"配偶", G::kDeath, K::kCount, {}, 1},
    {"其他供养亲属", G::kDeath, K::kCount, {}, kMaxPeople},
    {"孤寡加发人数", G::kDeath, K::kCount, {}, kMaxPeople},
    {"全国人均可支配收入", G::kDeath, K::kMoney, "留空则按死亡上一年度的统计数据", kMaxWage},
};

constexpr bool has_field(std::string_view name) {
  for (const FieldRow& row : kFields)
    if (row.name == name) return true;
  return false;
}
constexpr bool has_every(const auto& names) {
  for (const auto& name : names)
    if (!has_field(name)) return false;
  return true;
}
// An input of the engine without a field would be read as empty in every case.
static_assert(has_every(kInputNames) && has_every(kClaimInputNames));

constexpr AgeItem kAges[] = {
    {"", ""},
    {"60", "60 岁（男职工）"},
    {"55", "55 岁（女干部）"},
    {"50", "50 岁（女工人）"},
};

}  // namespace

std::span<const FieldRow> claim_fields() {
  return kFields;
}

const FieldRow* find_field(std::string_view name) {
  const auto* row = std::find_if(std::begin(kFields), std::end(kFields),
                                 [name](const FieldRow& r) { return r.name == name; });
  return row == std::end(kFields) ? nullptr : row;
}

std::vector<std::string_view> list_items(std::string_view name) {
  std::vector<std::string_view> items;
  if (name == gongshang::name(Input::kGrade)) {
    for (const GradeFigures& grade : kGrades) items.push_back(grade.item);
  } else if (name == gongshang::name(Input::kNursing)) {
    for (const NursingFigures& level : kNursingLevels) items.push_back(level.item);
  } else if (name == gongshang::name(ClaimInput::kDeathCase)) {
    items.assign(std::begin(kDeathCases), std::end(kDeathCases));
  } else if (name == gongshang::name(ClaimInput::kEndReason)) {
    items.assign(kEndReasonTexts.begin(), kEndReasonTexts.end());
  }
  return items;
}

std::span<const AgeItem> age_items() {
  return kAges;
}

FieldTexts empty_texts() {
  return FieldTexts(std::size(kFields));
}

std::string_view text_of(const FieldTexts& texts, std::string_view name) {
  const FieldRow* row = find_field(name);
  return row == nullptr ? std::string_view() : texts[static_cast<std::size_t>(row - kFields)];
}

void set_text(FieldTexts& texts, std::string_view name, std::string text) {
  if (const FieldRow* row = find_field(name))
    texts[static_cast<std::size_t>(row - kFields)] = std::move(text);
}

FieldTexts texts_of(std::span<const std::pair<std::string, std::string>> pairs) {
  FieldTexts texts = empty_texts();
  for (const auto& [name, text] : pairs) set_text(texts, name, text);
  return texts;
}

bool in_effect(const FieldRow& row, const FieldTexts& texts) {
  if (row.group == G::kDeath && row.name != kDeathField)
    return ascii_form(text_of(texts, kDeathField)) == "是";
  if (row.group == G::kTypedRule) return ascii_form(text_of(texts, kRegionField)).empty();
  return true;
}

std::vector<std::pair<std::string_view, std::string>> given_inputs(const FieldTexts& texts) {
  std::vector<std::pair<std::string_view, std::string>> given;
  if (text_of(texts, kRegionField).empty())
    given.emplace_back(kRegionField, "未选（补助金标准自行填写）");
  for (const FieldRow& row : kFields) {
    const std::string_view text = text_of(texts, row.name);
    if (text.empty() || text == "否" || (row.kind == K::kCount && text == "0")) continue;
    if (!in_effect(row, texts)) continue;
    given.emplace_back(row.name,
                       row.kind == K::kAge ? std::string(text) + " 岁" : std::string(text));
  }
  return given;
}

std::string_view group_title(FieldGroup group) {
  switch (group) {
    case G::kInjury:
      return "伤情";
    case G::kWages:
      return "工资";
    case G::kTime:
      return "时间";
    case G::kCosts:
      return "费用";
    case G::kDeath:
      return "工亡";
    case G::kTypedRule:
      return "补助金标准（自行填写）";
    case G::kRegion:
      break;
  }
  return "地区";
}

}  // namespace gongshang
