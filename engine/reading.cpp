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

// Each reader leaves its value alone for an empty text and returns why a
// text cannot be read, or "".
std::string money_of(const FieldRow& row, std::string_view text, std::optional<double>& to) {
  // Plain digits, as most cells are, need no copy and no separator rule.
  if (const std::optional<double> plain = read_plain_decimal(text); plain && *plain <= row.max) {
    to = *plain;
    return {};
  }
  MoneyReading r = read_money(text, row.max);
  if (r.value) to = *r.value;
  return std::move(r.problem);
}

std::string date_of(std::string_view text, std::optional<Date>& to) {
  auto v = parse_date(text);
  if (!v) return empty_text(text) ? std::string() : std::string(kDateForms);
  if (v->year < kFirstClaimYear || v->year > kLastClaimYear) {
    return "年份应在 " + std::to_string(kFirstClaimYear) + " 至 " + std::to_string(kLastClaimYear) +
           " 之间，多半是输入错误";
  }
  to = *v;
  return {};
}

std::string count_of(const FieldRow& row, std::string_view text, int& to) {
  auto v = read_count(text, static_cast<int>(row.max));
  if (!v) return empty_text(text) ? std::string() : count_range(row.max);
  to = *v;
  return {};
}

std::string yes_no_of(std::string_view text, bool& to) {
  std::string buffer;
  const std::string_view s = ascii_form(text, buffer);
  if (s.empty() || s == "否") return {};
  if (s != "是") return "应为“是”或“否”，留空即“否”";
  to = true;
  return {};
}

std::string age_of(std::string_view text, std::optional<int>& to) {
  auto v = read_count(text, kRetirementAges[0]);
  if (!v && empty_text(text)) return {};
  if (!v || std::find(std::begin(kRetirementAges), std::end(kRetirementAges), *v) ==
                std::end(kRetirementAges)) {
    return "应为 60、55 或 50";
  }
  to = *v;
  return {};
}

std::string one_of(std::span<const std::string_view> items, std::string_view tail) {
  std::string accepted = "只能是";
  for (std::size_t i = 0; i < items.size(); ++i) accepted.append(i ? "、" : "").append(items[i]);
  return accepted.append(tail);
}

// A list's item by position (1 for the first), 0 for none; `position` is
// left alone when the text names no item.
std::string list_of(Field field, std::string_view text, int& position) {
  std::optional<std::string_view> item;
  if (field == F::kGrade) {
    item = grade_item(text);
  } else if (field == F::kNursing) {
    item = nursing_item(text);
  } else {
    std::string buffer;
    item = ascii_form(text, buffer);
  }
  const std::vector<std::string_view> items = list_items(field);
  if (item) {
    if (item->empty()) return {};
    const auto at = std::find(items.begin(), items.end(), *item);
    if (at != items.end()) {
      position = static_cast<int>(at - items.begin()) + 1;
      return {};
    }
  }
  return one_of(items, "之一或留空");
}

std::string base_of(std::string_view text, SubsidyBase& to) {
  std::string buffer;
  const std::string_view s = ascii_form(text, buffer);
  if (s.empty()) return {};
  if (auto base = base_from_text(s)) {
    to = *base;
    return {};
  }
  std::array<std::string_view, kSubsidyBaseCount> bases;
  for (std::size_t b = 0; b < kSubsidyBaseCount; ++b) bases[b] = base_text(SubsidyBase(b));
  return one_of(bases, "之一");
}

// A name is free text, but one a report prints and a file is named by: what
// no one can see (a control, a direction override) and bytes that are not
// UTF-8 are refused rather than printed.
std::string text_of(const FieldRow& row, std::string_view text) {
  const std::string_view name = trimmed_name(text);
  if (visible(name, kWholeText) != name) return "不能含有控制字符或看不见的字符";
  if (character_count(name) > static_cast<std::size_t>(row.max))
    return "不能超过 " + double_form(row.max) + " 个字";
  return {};
}

std::string region_of(std::string_view text, const Rules& rules, const Region*& to) {
  std::string buffer;
  const std::string_view name = ascii_form(text, buffer);
  if (name.empty()) return {};
  if ((to = rules.find(name))) return {};
  return "没有名为“" + visible(name) + "”的条目：请填写规则文件中的地区名，或留空";
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

// Reads one field into its value; "" or why it cannot be read.
std::string read_one(Field f, std::string_view text, const Rules& rules, CaseValues& v) {
  const FieldRow& r = row(f);
  std::optional<double> unused;
  switch (f) {
    case F::kWorkerName:
    case F::kEmployerName:
      return text_of(r, text);
    case F::kRegion:
      return region_of(text, rules, v.region);
    case F::kUninsured:
      return yes_no_of(text, v.uninsured);
    case F::kMedicalFigure:
      return money_of(r, text, v.typed_figure[0]);
    case F::kEmploymentFigure:
      return money_of(r, text, v.typed_figure[1]);
    case F::kMedicalBase:
      return base_of(text, v.typed_base[0]);
    case F::kEmploymentBase:
      return base_of(text, v.typed_base[1]);
    case F::kGrade:
      return list_of(f, text, v.classic.grade);
    case F::kNursing:
      return list_of(f, text, v.classic.nursing);
    case F::kDisease:
      return yes_no_of(text, v.disease);
    case F::kProvinceWage:
      return money_of(r, text, v.province_wage);
    case F::kMinimumWage:
      return money_of(r, text, v.minimum_wage);
    case F::kBirthDate:
      return date_of(text, v.birth);
    case F::kOriginalAge:
      return age_of(text, v.original_age);
    case F::kEndDate:
      return date_of(text, v.end);
    case F::kEndReason: {
      int at = 0;
      std::string why = list_of(f, text, at);
      if (at > 0) v.reason = static_cast<EndReason>(at - 1);
      return why;
    }
    case F::kDeath:
      return yes_no_of(text, v.death);
    case F::kDeathCase: {
      int at = 0;
      std::string why = list_of(f, text, at);
      v.death_after_leave = at > 0 && kDeathCases[at - 1] == kDeathAfterLeave;
      return why;
    }
    case F::kDeathDate:
      return date_of(text, v.death_date);
    case F::kSpouse:
      return count_of(r, text, v.spouse);
    case F::kOtherDependants:
      return count_of(r, text, v.others);
    case F::kLoneExtra:
      return count_of(r, text, v.lone);
    case F::kNationalIncome:
      return money_of(r, text, v.national_income);
    default:
      break;
  }
  // The classic number fields.
  for (std::size_t i = 0; i < kInputCount; ++i) {
    if (kInputFields[i] != f) continue;
    if (r.kind == FieldKind::kCount) {
      int count = 0;
      std::string why = count_of(r, text, count);
      v.classic.numbers[i] = count;
      return why;
    }
    std::string why = money_of(r, text, unused);
    v.classic.numbers[i] = unused.value_or(0);
    return why;
  }
  return {};
}

bool said_yes(std::string_view text) {
  std::string buffer;
  return ascii_form(text, buffer) == "是";
}

}  // namespace

void read_fields(const FieldViews& texts, const Rules& rules, Reading& into) {
  into.values = CaseValues{};
  into.problems.clear();
  const bool death = said_yes(texts[index(F::kDeath)]);
  const bool region = !empty_text(texts[index(F::kRegion)]);
  for (const FieldRow& r : field_rows()) {
    bool counts = true;
    if (r.group == FieldGroup::kDeath && r.field != F::kDeath) counts = death;
    if (r.group == FieldGroup::kTypedRule) counts = !region;
    into.in_effect[index(r.field)] = counts;
  }
  for (Field f : kReadingOrder) {
    if (!into.in_effect[index(f)]) continue;
    std::string why = read_one(f, texts[index(f)], rules, into.values);
    if (!why.empty()) into.problems.push_back({name(f), std::move(why)});
  }
}

std::string field_problem(Field field, std::string_view text, const Rules& rules) {
  CaseValues scratch;
  return read_one(field, text, rules, scratch);
}

std::string control_text(Field field, std::string_view text) {
  const FieldKind kind = row(field).kind;
  if (kind == FieldKind::kMoney || kind == FieldKind::kDate || kind == FieldKind::kText)
    return std::string(text);
  std::string plain = ascii_form(text);
  if (field == F::kGrade) {
    if (auto item = grade_item(plain)) return std::string(*item);
  } else if (field == F::kNursing) {
    if (auto item = nursing_item(plain)) return std::string(*item);
  }
  return plain;
}

std::optional<Problem> contradiction(const CaseValues& v, const Rules& rules) {
  const auto refuse = [](Field f, std::string words) {
    return std::optional<Problem>(Problem{name(f), std::move(words)});
  };
  if (v.birth && v.end && *v.end <= *v.birth) return refuse(F::kEndDate, "应在「出生日期」之后");
  if (v.birth && v.death_date && *v.death_date <= *v.birth)
    return refuse(F::kDeathDate, "应在「出生日期」之后");
  if (v.end && v.death_date && *v.end > *v.death_date)
    return refuse(F::kEndDate, "不能晚于「死亡日期」");
  if (v.lone > v.spouse + v.others)
    return refuse(F::kLoneExtra, "不能多于配偶与其他供养亲属的人数之和");
  if (v.end) {
    constexpr std::string_view kWhy =
        "为空：有解除日期时，需要出生日期和原退休年龄来算距退休的整年数";
    if (!v.birth) return refuse(F::kBirthDate, std::string(kWhy));
    if (!v.original_age) return refuse(F::kOriginalAge, std::string(kWhy));
  }
  // 期满后死亡 has no lump sum, so no income year is needed.
  if (v.death && !v.death_after_leave && !v.national_income) {
    if (!v.death_date) {
      return refuse(F::kDeathDate,
                    "为空：工亡为“是”时，需要死亡日期（以取上一年度全国城镇居民人均可支配收入）"
                    "或填写全国人均可支配收入");
    }
    const int year = v.death_date->year - 1;
    if (!rules.income_of(year)) {
      return refuse(F::kDeathDate, "的上一年（" + std::to_string(year) +
                                       " 年）的全国城镇居民人均可支配收入不在表中："
                                       "请填写全国人均可支配收入");
    }
  }
  return std::nullopt;
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
