// Feeds arbitrary texts to the claim calculation, the classic fields and the
// claim's own, and holds it to what users rely on: no crash; a refusal
// names one of the fields; otherwise every item present has a finite amount
// written to the fen, an unknown one no amount, and 退休日期 is there exactly
// when it can be worked out.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/claim.h"
#include "engine/dates.h"
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
    rules.regions.push_back({"甲", "", "", "", DataStatus::kStatuteChecked, {}, cut, own, ""});
    rules.regions.push_back({"乙", "", "", "", DataStatus::kSecondaryOnly, {}, pool, fixed, ""});
    rules.regions.push_back({"丙", "", "", "", DataStatus::kSecondaryOnly, {}, life, asked, ""});
    rules.income = {{2023, 51821, true, ""}, {2024, 54188, true, ""}, {2025, 56502, false, ""}};
    return rules;
  }();
  return r;
}

bool names_a_field(std::string_view field) {
  using std::ranges::count;
  const auto n = count(kInputNames, field) + count(kClaimInputNames, field) +
                 count(kClaimItems, field, &ClaimItemInfo::name) +
                 count(kResults, field, &ResultRow::name);
  return n > 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Texts separated by NUL: grade, nursing, own wage, pooling wage, then the
  // claim inputs; missing ones are empty.
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::array<std::string_view, 4 + kClaimInputCount> texts{};
  for (std::string_view& t : texts) {
    const std::size_t end = std::min(rest.find('\0'), rest.size());
    t = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  InputTexts classic{};
  classic[index(Input::kGrade)] = texts[0];
  classic[index(Input::kNursing)] = texts[1];
  classic[index(Input::kOwnWage)] = texts[2];
  classic[index(Input::kPoolWage)] = texts[3];
  ClaimTexts claim{};
  std::copy(texts.begin() + 4, texts.end(), claim.begin());

  const auto found = find_region(rules(), claim[index(ClaimInput::kRegion)]);
  ClaimOutcome outcome =
      std::holds_alternative<Refusal>(found)
          ? ClaimOutcome(std::get<Refusal>(found))
          : work_out_claim(classic, claim, std::get<const Region*>(found), rules());
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    check(names_a_field(refusal->field));
    check(!refusal->message.empty());
    return 0;
  }
  const Claim& c = std::get<Claim>(outcome);
  const auto birth = parse_date(claim[index(ClaimInput::kBirthDate)]);
  const bool age = !ascii_form(claim[index(ClaimInput::kOriginalAge)]).empty();
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
  // A death ends the worker's own monthly items.
  if (c.lines[index(ClaimItem::kFuneralGrant)].present) {
    check(!c.lines[index(ClaimItem::kToppedAllowance)].present);
    check(!c.lines[index(ClaimItem::kNursingAllowance)].present);
  }
  return 0;
}
