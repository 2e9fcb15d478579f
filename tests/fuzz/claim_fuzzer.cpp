// Feeds arbitrary texts to the evaluation of a case, every field, and holds
// it to what users rely on: no crash; a problem names a field or a result;
// otherwise every item present has a finite amount
// written to the fen, an unknown one no amount, and 退休日期 is there exactly
// when it can be worked out.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/claim.h"
#include "engine/dates.h"
#include "engine/evaluation.h"
#include "engine/typed_text.h"

using namespace gongshang;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

// A region of every base, with every kind of rule, and a short income table.
const Rules& rules() {
  static const Rules r = [] {
    Rules rules;
    // Months or amounts, uplift, cut; then the life-expectancy rule, if any.
    const NearRetirementCut five{{10, 20, 40, 60, 80}, false, 0, CutScope::kAll};
    const NearRetirementCut ten_asked{
        {10, 10, 20, 30, 40, 50, 60, 70, 80, 90}, false, 0, CutScope::kOwnRequest};
    const NearRetirementCut unknown{{}, true, 7, CutScope::kAll};
    const LifeExpectancyRule life_table{{0.7, 0.6, 0.4, 0.3, 0.2, std::nullopt},
                                        {15, 15, 10, 10, 5, 3},
                                        78.49,
                                        75.81,
                                        81.55,
                                        2020,
                                        ""};
    using B = SubsidyBase;
    SubsidyRule cut{B::kProvinceWage, {30, 25, 10, 7, 4, 2}, 0, five, std::nullopt};
    SubsidyRule own{B::kOwnWage, {1, std::nullopt, 3, 4, 5, 6}, 0.3, std::nullopt, std::nullopt};
    SubsidyRule pool{B::kPoolWage, {18, 15, 12, 9, 6, 3}, 0, std::nullopt, std::nullopt};
    SubsidyRule fixed{B::kFixed, {2e5, 1.6e5, 1.2e5, 8e4, 5e4, 3e4}, 0.4, five, std::nullopt};
    SubsidyRule life{B::kPoolWage, {}, 0.3, unknown, life_table};
    SubsidyRule asked{B::kPoolWage, {12, 10, 8, 6, 4, 2}, 0, ten_asked, std::nullopt};
    rules.regions.push_back({"甲",
                             "",
                             "",
                             "",
                             DataStatus::kStatuteChecked,
                             {},
                             cut,
                             own,
                             RelationEnd{"第一条", "领取两项补助金的，工伤保险关系终止"},
                             ""});
    rules.regions.push_back(
        {"乙", "", "", "", DataStatus::kSecondaryOnly, {}, pool, fixed, std::nullopt, ""});
    rules.regions.push_back(
        {"丙", "", "", "", DataStatus::kSecondaryOnly, {}, life, asked, std::nullopt, ""});
    rules.income = {{2023, 51821, true, ""}, {2024, 54188, true, ""}, {2025, 56502, false, ""}};
    return rules;
  }();
  return r;
}

bool names_a_field(std::string_view subject) {
  using std::ranges::count;
  const auto n = count(kClaimItems, subject, &ClaimItemInfo::name) +
                 count(kResults, subject, &ResultRow::name);
  return n > 0 || find_field(subject).has_value();
}

// The order the texts fill the fields in: the classic calculation's first
// four, the claim's own, then every other field in form order, so that the
// seeds keep their meaning when a field is added.
using F = Field;
constexpr Field kFirst[] = {
    F::kGrade,          F::kNursing,          F::kOwnWage,         F::kPoolWage,
    F::kRegion,         F::kProvinceWage,     F::kMinimumWage,     F::kBirthDate,
    F::kOriginalAge,    F::kEndDate,          F::kDisease,         F::kDeath,
    F::kDeathDate,      F::kSpouse,           F::kOtherDependants, F::kLoneExtra,
    F::kNationalIncome, F::kEndReason,        F::kDeathCase,       F::kMedicalFigure,
    F::kMedicalBase,    F::kEmploymentFigure, F::kEmploymentBase,  F::kUninsured,
    F::kLeaveMonths,    F::kHospitalDays,     F::kLodgingDays,     F::kNursingDays,
    F::kMedical,        F::kDevices,          F::kTravel,          F::kNutrition,
};
constexpr std::array<Field, kFieldCount> kOrder = [] {
  std::array<Field, kFieldCount> order{};
  std::size_t n = 0;
  for (Field f : kFirst) order[n++] = f;
  for (const FieldRow& r : field_rows())
    if (std::ranges::find(kFirst, r.field) == std::end(kFirst)) order[n++] = r.field;
  return order;
}();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Texts separated by NUL, in kOrder; missing ones are empty.
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  FieldViews texts{};
  for (Field f : kOrder) {
    const std::size_t end = std::min(rest.find('\0'), rest.size());
    texts[index(f)] = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  const Evaluation e = evaluate(texts, rules());
  if (const Problem* problem = e.first_problem()) {
    check(names_a_field(problem->subject));
    check(!problem->words.empty());
    check(e.statement == std::nullopt && !e.why_none().empty());
    return 0;
  }
  const Claim& c = e.claim;
  const auto birth = parse_date(texts[index(F::kBirthDate)]);
  const bool age = !ascii_form(texts[index(F::kOriginalAge)]).empty();
  check(c.retirement.empty() == !(birth && age));
  for (const ClaimLine& line : c.lines) {
    check(line.present == !line.text.empty());
    check(line.unknown.empty() || !line.present);
    if (!line.present) continue;
    check(std::isfinite(line.amount));
    check(line.text == money_text(line.amount));
    check(!line.working.empty());
    check(line.fen == fen_of(line.amount));
  }
  // 赔偿金 is paid instead of 经济补偿 (实施条例第二十五条).
  check(!(c.lines[index(ClaimItem::kSeverance)].present &&
          c.lines[index(ClaimItem::kDamages)].present));
  // A death ends the worker's own monthly items.
  if (c.lines[index(ClaimItem::kFuneralGrant)].present) {
    check(!c.lines[index(ClaimItem::kToppedAllowance)].present);
    check(!c.lines[index(ClaimItem::kNursingAllowance)].present);
  }
  // The statement's totals are its items' sums, split by payer; after a
  // death the worker's own items, if unpaid, add up apart from the family's.
  const Statement& s = *e.statement;
  long long once = 0, own = 0;
  for (const StatementItem& item : s.items) {
    check(!item.if_unpaid || s.death);
    if (item.fen && !item.monthly) (item.if_unpaid ? own : once) += *item.fen;
  }
  for (const StatementTotal* total : {&s.once, &s.if_unpaid})
    check(total->fen == total->fund_fen + total->employer_fen);
  check(once == s.once.fen && own == s.if_unpaid.fen);
  return 0;
}
