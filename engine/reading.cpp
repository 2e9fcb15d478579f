#include "engine/reading.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "engine/claim.h"
#include "engine/list_items.h"
#include "engine/number_text.h"
#include "engine/typed_text.h"

namespace gongshang {
namespace {

using F = Field;

constexpr std::string_view kDateForms =
    "应为存在的日期，写作 2026-10-15、2026/10/15 或 2026年10月15日";

std::string count_range(double max) {
  return "应为 0 至 " + double_form(max) + " 的整数";
}

// The readers try the text first and ask whether it was empty only when it
// cannot be read: most cells hold a value, and each look costs a pass.
bool empty_text(std::string_view text) {
  std::string buffer;
  return ascii_form(text, buffer).empty();
}

// Each reader leaves its value alone for an empty text, and returns false
// with why the text cannot be read in `why`, which it touches only then:
// most texts can be read, and a word for each would cost every cell.
bool money_of(const FieldRow& row, std::string_view text, std::optional<double>& to,
              std::string& why) {
  // Plain digits, as most cells are, need no copy and no separator rule.
  if (const std::optional<double> plain = read_plain_decimal(text); plain && *plain <= row.max) {
    to = *plain;
    return true;
  }
  MoneyReading r = read_money(text, row.max);
  if (r.value) to = *r.value;
  if (r.problem.empty()) return true;
  why = std::move(r.problem);
  return false;
}

bool date_of(std::string_view text, std::optional<Date>& to, std::string& why) {
  auto v = parse_date(text);
  if (!v) {
    if (empty_text(text)) return true;
    why = kDateForms;
    return false;
  }
  if (v->year < kFirstClaimYear || v->year > kLastClaimYear) {
    why = "年份应在 " + std::to_string(kFirstClaimYear) + " 至 " + std::to_string(kLastClaimYear) +
          " 之间，多半是输入错误";
    return false;
  }
  to = *v;
  return true;
}

bool count_of(const FieldRow& row, std::string_view text, int& to, std::string& why) {
  auto v = read_count(text, static_cast<int>(row.max));
  if (v) {
    to = *v;
    return true;
  }
  if (empty_text(text)) return true;
  why = count_range(row.max);
  return false;
}

bool yes_no_of(std::string_view text, bool& to, std::string& why) {
  std::string buffer;
  const std::string_view s = ascii_form(text, buffer);
  if (s.empty() || s == "否") return true;
  if (s != "是") {
    why = "应为“是”或“否”，留空即“否”";
    return false;
  }
  to = true;
  return true;
}

bool age_of(std::string_view text, std::optional<int>& to, std::string& why) {
  auto v = read_count(text, kRetirementAges[0]);
  if (!v && empty_text(text)) return true;
  if (!v || std::find(std::begin(kRetirementAges), std::end(kRetirementAges), *v) ==
                std::end(kRetirementAges)) {
    why = "应为 60、55 或 50";
    return false;
  }
  to = *v;
  return true;
}

std::string one_of(std::span<const std::string_view> items, std::string_view tail) {
  std::string accepted = "只能是";
  for (std::size_t i = 0; i < items.size(); ++i) accepted.append(i ? "、" : "").append(items[i]);
  return accepted.append(tail);
}

// The position (1 for the first) of the item a text names, 0 for ""; nullopt
// for a text that names none. A full-width form names the item as its ASCII
// twin does (the list's own items may hold full-width brackets).
std::optional<int> list_position(Field field, std::string_view text) {
  std::optional<std::string_view> item;
  std::string buffer;
  if (field == F::kGrade) {
    item = grade_item(text);
  } else if (field == F::kNursing) {
    item = nursing_item(text);
  } else {
    item = ascii_form(text, buffer);
  }
  if (!item) return std::nullopt;
  if (item->empty()) return 0;
  const std::span<const std::string_view> items = list_items(field);
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i] == *item) return static_cast<int>(i) + 1;
  for (std::size_t i = 0; i < items.size(); ++i) {
    std::string own;
    if (ascii_form(items[i], own) == *item) return static_cast<int>(i) + 1;
  }
  return std::nullopt;
}

// A list's item by position (1 for the first), 0 for none; `position` is
// left alone when the text names no item.
bool list_of(Field field, std::string_view text, int& position, std::string& why) {
  if (const std::optional<int> at = list_position(field, text)) {
    position = *at;
    return true;
  }
  why = one_of(list_items(field), "之一或留空");
  return false;
}

bool base_of(std::string_view text, SubsidyBase& to, std::string& why) {
  std::string buffer;
  const std::string_view s = ascii_form(text, buffer);
  if (s.empty()) return true;
  if (auto base = base_from_text(s)) {
    to = *base;
    return true;
  }
  std::array<std::string_view, kSubsidyBaseCount> bases;
  for (std::size_t b = 0; b < kSubsidyBaseCount; ++b) bases[b] = base_text(SubsidyBase(b));
  why = one_of(bases, "之一");
  return false;
}

// A name is free text, but one a report prints and a file is named by: what
// no one can see (a control, a direction override) and bytes that are not
// UTF-8 are refused rather than printed.
bool text_of(const FieldRow& row, std::string_view text, std::string& why) {
  const std::string_view name = trimmed_name(text);
  if (visible(name, kWholeText) != name) {
    why = "不能含有控制字符或看不见的字符";
    return false;
  }
  if (character_count(name) > static_cast<std::size_t>(row.max)) {
    why = "不能超过 " + double_form(row.max) + " 个字";
    return false;
  }
  return true;
}

bool region_of(std::string_view text, const Rules& rules, const Region*& to, std::string& why) {
  std::string buffer;
  const std::string_view name = ascii_form(text, buffer);
  if (name.empty() || (to = rules.find(name))) return true;
  why = "没有名为“" + visible(name) + "”的条目：请填写规则文件中的地区名，或留空";
  return false;
}

// The fields read first, in the order the batch tool has always named the
// first problem of a refused row in; every other field follows in form order.
constexpr Field kReadFirst[] = {
    F::kGrade,        F::kNursing,        F::kOwnWage,     F::kPoolWage,     F::kLeaveMonths,
    F::kHospitalDays, F::kLodgingDays,    F::kNursingDays, F::kMedical,      F::kDevices,
    F::kTravel,       F::kNutrition,      F::kRegion,      F::kProvinceWage, F::kMinimumWage,
    F::kBirthDate,    F::kOriginalAge,    F::kEndDate,     F::kEndReason,    F::kDisease,
    F::kDeath,        F::kDeathCase,      F::kDeathDate,   F::kSpouse,       F::kOtherDependants,
    F::kLoneExtra,    F::kNationalIncome,
};

constexpr std::array<Field, kFieldCount> reading_order() {
  std::array<Field, kFieldCount> order{};
  std::size_t n = 0;
  for (Field f : kReadFirst) order[n++] = f;
  for (const FieldRow& r : field_rows())
    if (std::find(std::begin(kReadFirst), std::end(kReadFirst), r.field) == std::end(kReadFirst))
      order[n++] = r.field;
  return order;
}
constexpr std::array<Field, kFieldCount> kReadingOrder = reading_order();

// Reads one field into its value; false, with why in `why`, when it cannot.
bool read_one(Field f, std::string_view text, const Rules& rules, CaseValues& v, std::string& why) {
  const FieldRow& r = row(f);
  std::optional<double> unused;
  switch (f) {
    case F::kWorkerName:
    case F::kEmployerName:
      return text_of(r, text, why);
    case F::kRegion:
      return region_of(text, rules, v.region, why);
    case F::kUninsured:
      return yes_no_of(text, v.uninsured, why);
    case F::kMedicalFigure:
      return money_of(r, text, v.typed_figure[0], why);
    case F::kEmploymentFigure:
      return money_of(r, text, v.typed_figure[1], why);
    case F::kMedicalBase:
      return base_of(text, v.typed_base[0], why);
    case F::kEmploymentBase:
      return base_of(text, v.typed_base[1], why);
    case F::kGrade:
      return list_of(f, text, v.classic.grade, why);
    case F::kNursing:
      return list_of(f, text, v.classic.nursing, why);
    case F::kCareLevel:
      return list_of(f, text, v.care_level, why);
    case F::kSex:
    case F::kSuitableWork: {
      int at = 0;
      const bool read = list_of(f, text, at, why);
      // The first item is 男, and 是.
      if (at > 0) (f == F::kSex ? v.male : v.suitable_work) = at == 1;
      return read;
    }
    case F::kRetirementDate:
      return date_of(text, v.retirement, why);
    case F::kDisease:
      return yes_no_of(text, v.disease, why);
    case F::kProvinceWage:
      return money_of(r, text, v.province_wage, why);
    case F::kMinimumWage:
      return money_of(r, text, v.minimum_wage, why);
    case F::kBirthDate:
      return date_of(text, v.birth, why);
    case F::kOriginalAge:
      return age_of(text, v.original_age, why);
    case F::kEndDate:
      return date_of(text, v.end, why);
    case F::kEndReason: {
      int at = 0;
      const bool read = list_of(f, text, at, why);
      if (at > 0) v.reason = kEndReasonItems[static_cast<std::size_t>(at - 1)].reason;
      return read;
    }
    case F::kStartDate:
      return date_of(text, v.start, why);
    case F::kLeavingWage:
      return money_of(r, text, v.leaving_wage, why);
    case F::kPension:
      return money_of(r, text, v.pension, why);
    case F::kDeath:
      return yes_no_of(text, v.death, why);
    case F::kDeathCase: {
      int at = 0;
      const bool read = list_of(f, text, at, why);
      v.death_after_leave = at > 0 && kDeathCases[at - 1] == kDeathAfterLeave;
      return read;
    }
    case F::kDeathDate:
      return date_of(text, v.death_date, why);
    case F::kSpouse:
      return count_of(r, text, v.spouse, why);
    case F::kOtherDependants:
      return count_of(r, text, v.others, why);
    case F::kLoneExtra:
      return count_of(r, text, v.lone, why);
    case F::kNationalIncome:
      return money_of(r, text, v.national_income, why);
    default:
      break;
  }
  // The classic number fields.
  static constexpr auto kInputIndex = [] {
    std::array<std::size_t, kFieldCount> at{};
    for (const FieldRow& row : field_rows())
      at[index(row.field)] = input_of(row.field) ? index(*input_of(row.field)) : kInputCount;
    return at;
  }();
  const std::size_t i = kInputIndex[index(f)];
  int count = 0;
  if (i < kInputCount) {
    const bool read = r.kind == FieldKind::kCount ? count_of(r, text, count, why)
                                                  : money_of(r, text, unused, why);
    v.classic.numbers[i] = r.kind == FieldKind::kCount ? count : unused.value_or(0);
    if (f == F::kOwnWage) v.own_wage = unused;
    if (f == F::kPoolWage) v.pool_wage = unused;
    return read;
  }
  // A field no rule takes yet is still read as its kind says, so that what
  // cannot be read is marked wherever it was typed.
  bool yes = false;
  std::optional<Date> date;
  std::optional<int> age;
  SubsidyBase base{};
  const Region* region = nullptr;
  switch (r.kind) {
    case FieldKind::kMoney:
      return money_of(r, text, unused, why);
    case FieldKind::kCount:
      return count_of(r, text, count, why);
    case FieldKind::kDate:
      return date_of(text, date, why);
    case FieldKind::kYesNo:
      return yes_no_of(text, yes, why);
    case FieldKind::kAge:
      return age_of(text, age, why);
    case FieldKind::kList:
      return list_of(f, text, count, why);
    case FieldKind::kBase:
      return base_of(text, base, why);
    case FieldKind::kRegion:
      return region_of(text, rules, region, why);
    case FieldKind::kText:
      return text_of(r, text, why);
  }
  return true;
}

bool said_yes(std::string_view text) {
  std::string buffer;
  return ascii_form(text, buffer) == "是";
}

}  // namespace

void read_fields(const FieldViews& texts, const Rules& rules, Reading& into) {
  into.values = CaseValues{};
  into.problems.clear();
  // The death section counts only with 工亡 是, the typed figures only
  // without a region; every other field always.
  static constexpr auto kInGroup = [](FieldGroup group) {
    std::array<Field, kFieldCount> fields{};
    std::size_t n = 0;
    for (const FieldRow& r : field_rows())
      if (r.group == group && r.field != F::kDeath) fields[n++] = r.field;
    return std::pair(fields, n);
  };
  static constexpr auto kDeathSection = kInGroup(FieldGroup::kDeath);
  static constexpr auto kTypedRule = kInGroup(FieldGroup::kTypedRule);
  const bool death = said_yes(texts[index(F::kDeath)]);
  const bool region = !empty_text(texts[index(F::kRegion)]);
  into.in_effect.fill(true);
  for (std::size_t i = 0; i < kDeathSection.second; ++i)
    into.in_effect[index(kDeathSection.first[i])] = death;
  for (std::size_t i = 0; i < kTypedRule.second; ++i)
    into.in_effect[index(kTypedRule.first[i])] = !region;
  // 基本养老金 counts only for grades 一–四, whose pension the fund tops up.
  const std::optional<int> grade = list_position(F::kGrade, texts[index(F::kGrade)]);
  into.in_effect[index(F::kPension)] = grade && *grade > 0 && *grade < kFirstSubsidyGrade;
  into.in_effect[index(F::kSuitableWork)] =
      grade && *grade >= kFirstSubsidyGrade && *grade <= kLastGradeWithAllowance;
  for (Field f : kReadingOrder) {
    // Empty is "not given" for every kind of field, and many are empty.
    if (!into.in_effect[index(f)] || texts[index(f)].empty()) continue;
    if (std::string why; !read_one(f, texts[index(f)], rules, into.values, why))
      into.problems.push_back({name(f), std::move(why)});
  }
}

std::string field_problem(Field field, std::string_view text, const Rules& rules) {
  CaseValues scratch;
  std::string why;
  read_one(field, text, rules, scratch, why);
  return why;
}

std::string control_text(Field field, std::string_view text) {
  const FieldKind kind = row(field).kind;
  if (kind == FieldKind::kMoney || kind == FieldKind::kDate || kind == FieldKind::kText)
    return std::string(text);
  if (kind == FieldKind::kList) {
    if (const std::optional<int> at = list_position(field, text); at && *at > 0)
      return std::string(list_items(field)[static_cast<std::size_t>(*at - 1)]);
  }
  return ascii_form(text);
}

std::optional<Problem> death_texts_without_death(const FieldViews& texts) {
  if (said_yes(texts[index(F::kDeath)]) ||
      (empty_text(texts[index(F::kDeathDate)]) && empty_text(texts[index(F::kDeathCase)])))
    return std::nullopt;
  return Problem{name(F::kDeathDate),
                 "或「死亡情形」已填写，但「工亡」不是“是”：职工已死亡的，请把「工亡」填为“是”；"
                 "否则请清空这两栏"};
}

bool drop_death_texts_without_death(FieldTexts& texts) {
  if (!death_texts_without_death(views_of(texts))) return false;
  texts[index(F::kDeathDate)].clear();
  texts[index(F::kDeathCase)].clear();
  return true;
}

std::optional<std::string> classic_misreading(Input input, std::string_view text) {
  const FieldRow& r = row(field_of(input));
  if (r.kind != FieldKind::kMoney && r.kind != FieldKind::kCount) return std::nullopt;
  const bool count = r.kind == FieldKind::kCount;
  // Plain digits (and, for money, a point) read alike: most cells.
  if (count ? !text.empty() &&
                  std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })
            : read_plain_decimal(text).has_value())
    return std::nullopt;
  const std::optional<double> lenient = read_number(text);
  // Beyond the double range the calculator refuses the row itself.
  if (!lenient || empty_text(text)) return std::nullopt;
  // Read without the field's limit: a text refused only for its size reads
  // the same number both ways.
  std::optional<double> strict;
  if (count) {
    if (auto v = read_count(text, std::numeric_limits<int>::max())) strict = *v;
  } else {
    strict = read_money(text, HUGE_VAL).value;
  }
  const std::string as = "读作 " + double_form(*lenient);
  if (!strict) return as + "，整个索赔不接受这种写法";
  if (*strict == *lenient) return std::nullopt;
  return as + "，整个索赔按 " + double_form(*strict) + " 计";
}

}  // namespace gongshang
