#include "engine/claim_inputs.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>

#include "engine/typed_text.h"

namespace gongshang {
namespace {

using I = ClaimInput;

Refusal refuse(ClaimInput f, std::string_view tail) {
  return {name(f), quoted(name(f), tail)};
}

constexpr std::string_view kDateForms =
    "应为存在的日期，写作 2026-10-15、2026/10/15 或 2026年10月15日";

// Each reader leaves its value alone for an empty text and returns a
// refusal for a text it cannot read.
class Reader {
 public:
  // Every text in its ASCII form once, as most are already.
  explicit Reader(const ClaimTexts& texts) {
    // 地区 is the caller's to resolve.
    for (std::size_t i = index(I::kRegion) + 1; i < kClaimInputCount; ++i) {
      texts_[i] = ascii_form(texts[i], buffers_[i]);
    }
  }

  std::optional<Refusal> money(ClaimInput f, std::optional<double>& to) {
    if (empty(f)) return std::nullopt;
    auto v = read_plain_number(text(f));
    if (!v || *v < 0) return refuse(f, "应为不小于 0 的数（元），例如 7000 或 7000.5");
    to = *v;
    return std::nullopt;
  }
  std::optional<Refusal> date(ClaimInput f, std::optional<Date>& to) {
    if (empty(f)) return std::nullopt;
    auto v = parse_date(text(f));
    if (!v) return refuse(f, kDateForms);
    to = *v;
    return std::nullopt;
  }
  std::optional<Refusal> original_age(std::optional<int>& to) {
    if (empty(I::kOriginalAge)) return std::nullopt;
    auto v = read_count(text(I::kOriginalAge));
    if (!v || std::find(std::begin(kRetirementAges), std::end(kRetirementAges), *v) ==
                  std::end(kRetirementAges)) {
      return refuse(I::kOriginalAge, "应为 60、55 或 50");
    }
    to = *v;
    return std::nullopt;
  }
  std::optional<Refusal> yes_no(ClaimInput f, bool& to) {
    std::string_view s = text(f);
    if (s.empty() || s == "否") return std::nullopt;
    if (s != "是") return refuse(f, "应为“是”或“否”，留空即“否”");
    to = true;
    return std::nullopt;
  }
  std::optional<Refusal> reason(std::optional<EndReason>& to) {
    if (empty(I::kEndReason)) return std::nullopt;
    to = end_reason_from_text(text(I::kEndReason));
    if (!to)
      return refuse(I::kEndReason, "应为本人提出、用人单位解除或劳动合同法第三十八条，或留空");
    return std::nullopt;
  }
  std::optional<Refusal> count(ClaimInput f, int max, std::string_view accepts, int& to) {
    if (empty(f)) return std::nullopt;
    auto v = read_count(text(f));
    if (!v || *v > max) return refuse(f, accepts);
    to = *v;
    return std::nullopt;
  }

 private:
  std::string_view text(ClaimInput f) const { return texts_[index(f)]; }
  bool empty(ClaimInput f) const { return text(f).empty(); }

  ClaimTexts texts_;
  std::array<std::string, kClaimInputCount> buffers_;
};

std::optional<Refusal> read_all(const ClaimTexts& texts, ClaimValues& v) {
  Reader r(texts);
  if (auto e = r.money(I::kProvinceWage, v.province_wage)) return e;
  if (auto e = r.money(I::kMinimumWage, v.minimum_wage)) return e;
  if (auto e = r.date(I::kBirthDate, v.birth)) return e;
  if (auto e = r.original_age(v.original_age)) return e;
  if (auto e = r.date(I::kEndDate, v.end)) return e;
  if (auto e = r.yes_no(I::kDisease, v.disease)) return e;
  if (auto e = r.yes_no(I::kDeath, v.death)) return e;
  if (auto e = r.date(I::kDeathDate, v.death_date)) return e;
  if (auto e = r.count(I::kSpouse, 1, "应为 0 或 1", v.spouse)) return e;
  if (auto e = r.count(I::kOtherDependants, kMaxCount, "应为不小于 0 的整数", v.others)) return e;
  if (auto e = r.count(I::kLoneExtra, kMaxCount, "应为不小于 0 的整数", v.lone)) return e;
  if (auto e = r.money(I::kNationalIncome, v.national_income)) return e;
  return r.reason(v.reason);
}

}  // namespace

std::variant<ClaimValues, Refusal> read_claim_inputs(const ClaimTexts& texts, const Rules& rules) {
  ClaimValues v;
  if (auto e = read_all(texts, v)) return std::move(*e);

  if (v.lone > v.spouse + v.others) {
    return refuse(I::kLoneExtra, "不能多于配偶与其他供养亲属的人数之和");
  }
  if (v.end) {
    constexpr std::string_view kWhy =
        "为空：有解除日期时，需要出生日期和原退休年龄来算距退休的整年数";
    if (!v.birth) return refuse(I::kBirthDate, kWhy);
    if (!v.original_age) return refuse(I::kOriginalAge, kWhy);
  }
  if (v.death && !v.national_income) {
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

}  // namespace gongshang
