#include "engine/claim_inputs.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>

#include "engine/list_items.h"
#include "engine/number_text.h"
#include "engine/typed_text.h"

namespace gongshang {
namespace {

using I = ClaimInput;

Refusal refuse(ClaimInput f, std::string_view tail) {
  return {name(f), quoted(name(f), tail)};
}

constexpr std::string_view kDateForms =
    "应为存在的日期，写作 2026-10-15、2026/10/15 或 2026年10月15日";

std::string count_range(double max) {
  return "应为 0 至 " + double_form(max) + " 的整数";
}

// The amount of a text that read_money takes as it stands (plain digits,
// as most cells are) within max; nullopt for any other text, which
// read_money then reads.
std::optional<double> plain_money(std::string_view text, double max) {
  const std::optional<double> value = read_plain_decimal(text);
  if (!value || !(*value <= max)) return std::nullopt;
  return value;
}

// Each reader leaves its value alone for an empty text and returns why a
// text cannot be read, or "".
std::string money_of(const FieldRow& row, std::string_view text, std::optional<double>& to) {
  if (auto value = plain_money(text, row.max)) {
    to = *value;
    return {};
  }
  MoneyReading r = read_money(text, row.max);
  if (r.value) to = *r.value;
  return std::move(r.problem);
}

// The readers try the text first and ask whether it was empty only when it
// cannot be read: most cells hold a value, and each look costs a pass.
bool empty_text(std::string_view text) {
  std::string buffer;
  return ascii_form(text, buffer).empty();
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
  std::string_view s = ascii_form(text, buffer);
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

std::string list_of(const FieldRow& row, std::string_view text) {
  std::string buffer;
  const std::string_view s = ascii_form(text, buffer);
  const bool grade = row.name == name(Input::kGrade), nursing = row.name == name(Input::kNursing);
  if (grade ? grade_item(s).has_value() : nursing ? nursing_item(s).has_value() : s.empty()) {
    return {};
  }
  const std::vector<std::string_view> items = list_items(row.name);
  if (!grade && !nursing && std::find(items.begin(), items.end(), s) != items.end()) return {};
  std::string accepted = "只能是";
  for (std::string_view item : items) accepted.append(item).append("、");
  accepted.resize(accepted.size() - std::string_view("、").size());
  return accepted + "之一或留空";
}

// The field table's row of each claim input, found once.
const std::array<const FieldRow*, kClaimInputCount>& claim_rows() {
  static const auto rows = [] {
    std::array<const FieldRow*, kClaimInputCount> r{};
    for (std::size_t i = 0; i < kClaimInputCount; ++i) r[i] = find_field(kClaimInputNames[i]);
    return r;
  }();
  return rows;
}

const FieldRow& row_of(ClaimInput f) {
  return *claim_rows()[index(f)];
}

std::optional<Refusal> refused(ClaimInput f, const std::string& problem) {
  if (problem.empty()) return std::nullopt;
  return refuse(f, problem);
}

std::optional<Refusal> read_all(const ClaimTexts& t, ClaimValues& v) {
  const auto money = [&](ClaimInput f, std::optional<double>& to) {
    return refused(f, money_of(row_of(f), t[index(f)], to));
  };
  const auto date = [&](ClaimInput f, std::optional<Date>& to) {
    return refused(f, date_of(t[index(f)], to));
  };
  const auto count = [&](ClaimInput f, int& to) {
    return refused(f, count_of(row_of(f), t[index(f)], to));
  };
  if (auto e = money(I::kProvinceWage, v.province_wage)) return e;
  if (auto e = money(I::kMinimumWage, v.minimum_wage)) return e;
  if (auto e = date(I::kBirthDate, v.birth)) return e;
  if (auto e = refused(I::kOriginalAge, age_of(t[index(I::kOriginalAge)], v.original_age)))
    return e;
  if (auto e = date(I::kEndDate, v.end)) return e;
  if (auto e = refused(I::kEndReason, list_of(row_of(I::kEndReason), t[index(I::kEndReason)])))
    return e;
  std::string reason;
  v.reason = end_reason_from_text(ascii_form(t[index(I::kEndReason)], reason));
  if (auto e = refused(I::kDisease, yes_no_of(t[index(I::kDisease)], v.disease))) return e;
  if (auto e = refused(I::kDeath, yes_no_of(t[index(I::kDeath)], v.death))) return e;
  // The death section counts only with 工亡 是: what it still holds from an
  // earlier choice is no part of this claim.
  if (!v.death) return std::nullopt;
  if (auto e = refused(I::kDeathCase, list_of(row_of(I::kDeathCase), t[index(I::kDeathCase)])))
    return e;
  std::string buffer;
  v.death_after_leave = ascii_form(t[index(I::kDeathCase)], buffer) == kDeathAfterLeave;
  if (auto e = date(I::kDeathDate, v.death_date)) return e;
  if (auto e = count(I::kSpouse, v.spouse)) return e;
  if (auto e = count(I::kOtherDependants, v.others)) return e;
  if (auto e = count(I::kLoneExtra, v.lone)) return e;
  return money(I::kNationalIncome, v.national_income);
}

// Dates that cannot all be true, named both.
std::optional<Refusal> contradiction(const ClaimValues& v) {
  if (v.birth && v.end && *v.end <= *v.birth) return refuse(I::kEndDate, "应在「出生日期」之后");
  if (v.birth && v.death_date && *v.death_date <= *v.birth) {
    return refuse(I::kDeathDate, "应在「出生日期」之后");
  }
  if (v.end && v.death_date && *v.end > *v.death_date) {
    return refuse(I::kEndDate, "不能晚于「死亡日期」");
  }
  return std::nullopt;
}

}  // namespace

std::string field_problem(const FieldRow& row, std::string_view text) {
  std::optional<double> money;
  std::optional<Date> date;
  std::optional<int> age;
  int count = 0;
  bool yes = false;
  switch (row.kind) {
    case FieldKind::kMoney:
      return money_of(row, text, money);
    case FieldKind::kCount:
      return count_of(row, text, count);
    case FieldKind::kDate:
      return date_of(text, date);
    case FieldKind::kYesNo:
      return yes_no_of(text, yes);
    case FieldKind::kAge:
      return age_of(text, age);
    case FieldKind::kList:
      return list_of(row, text);
    case FieldKind::kBase: {
      std::string buffer;
      const std::string_view s = ascii_form(text, buffer);
      if (s.empty() || base_from_text(s)) return {};
      std::string accepted = "只能是";
      for (std::size_t b = 0; b < kSubsidyBaseCount; ++b) {
        accepted.append(b == 0 ? "" : "、").append(base_text(static_cast<SubsidyBase>(b)));
      }
      return accepted + "之一";
    }
    case FieldKind::kRegion:
      break;
  }
  return {};
}

std::string control_text(const FieldRow& row, std::string_view text) {
  if (row.kind == FieldKind::kMoney || row.kind == FieldKind::kDate) return std::string(text);
  std::string plain = ascii_form(text);
  if (row.name == name(Input::kGrade)) {
    if (auto item = grade_item(plain)) return std::string(*item);
  } else if (row.name == name(Input::kNursing)) {
    if (auto item = nursing_item(plain)) return std::string(*item);
  }
  return plain;
}

std::variant<ClaimValues, Refusal> read_claim_inputs(const ClaimTexts& texts, const Rules& rules) {
  ClaimValues v;
  if (auto e = read_all(texts, v)) return std::move(*e);
  if (auto e = contradiction(v)) return std::move(*e);

  if (v.lone > v.spouse + v.others) {
    return refuse(I::kLoneExtra, "不能多于配偶与其他供养亲属的人数之和");
  }
  if (v.end) {
    constexpr std::string_view kWhy =
        "为空：有解除日期时，需要出生日期和原退休年龄来算距退休的整年数";
    if (!v.birth) return refuse(I::kBirthDate, kWhy);
    if (!v.original_age) return refuse(I::kOriginalAge, kWhy);
  }
  // 期满后死亡 has no lump sum, so no income year is needed.
  if (v.death && !v.death_after_leave && !v.national_income) {
    if (!v.death_date) {
      return refuse(I::kDeathDate,
                    "为空：工亡为“是”时，需要死亡日期（以取上一年度全国城镇居民人均可支配收入）"
                    "或填写全国人均可支配收入");
    }
    int year = v.death_date->year - 1;
    if (!rules.income_of(year)) {
      return refuse(I::kDeathDate, "的上一年（" + std::to_string(year) +
                                       " 年）的全国城镇居民人均可支配收入不在表中："
                                       "请填写全国人均可支配收入");
    }
  }
  return v;
}

std::optional<Refusal> read_classic_strictly(const InputTexts& texts, InputNumbers& numbers) {
  static const auto rows = [] {
    std::array<const FieldRow*, kInputCount> r{};
    for (std::size_t i = 0; i < kInputCount; ++i) r[i] = find_field(kInputNames[i]);
    return r;
  }();
  numbers.fill(0);
  for (std::size_t i = 0; i < kInputCount; ++i) {
    const FieldRow& row = *rows[i];
    std::string problem;
    if (row.kind == FieldKind::kMoney) {
      std::optional<double> value;
      problem = money_of(row, texts[i], value);
      numbers[i] = value.value_or(0);
    } else if (row.kind == FieldKind::kCount) {
      int count = 0;
      problem = count_of(row, texts[i], count);
      numbers[i] = count;
    }
    if (!problem.empty()) return Refusal{row.name, quoted(row.name, problem)};
  }
  return std::nullopt;
}

}  // namespace gongshang
