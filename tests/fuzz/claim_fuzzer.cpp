// Feeds arbitrary texts to the evaluation of a case, every field, and holds it to what users
// rely on: no crash; a problem names a field or a result; otherwise every item present has a
// finite amount written to the fen, an unknown one no amount, and the totals add up.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/claim.h"
#include "engine/evaluation.h"

using namespace gongshang;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

// A region of every base, with every kind of rule, and a short income table.
const Rules& rules() {
  static const Rules r = [] {
    using B = SubsidyBase;
    const NearRetirementCut five{{10, 20, 40, 60, 80}, false, 0};
    const NearRetirementCut asked{
        {10, 10, 20, 30, 40, 50, 60, 70, 80, 90}, false, 0, CutScope::kOwnRequest};
    const LifeExpectancyRule life{
        {0.7, 0.6, 0.4, 0.3, 0.2, {}}, {15, 15, 10, 10, 5, 3}, 78.49, 75.81, 81.55, 2020, ""};
    const RelationEnd ends{"第一条", "领取两项补助金的，工伤保险关系终止"};
    Rules rules;
    rules.regions = {
        {.name = "甲",
         .status = DataStatus::kStatuteChecked,
         .medical = SubsidyRule{B::kProvinceWage, {30, 25, 10, 7, 4, 2}, 0, five, {}},
         .employment = SubsidyRule{B::kOwnWage, {1, {}, 3, 4, 5, 6}, 0.3, {}, {}},
         .relation_end = ends},
        {.name = "乙",
         .medical = SubsidyRule{B::kPoolWage, {18, 15, 12, 9, 6, 3}, 0, {}, {}},
         .employment = SubsidyRule{B::kFixed, {2e5, 1.6e5, 1.2e5, 8e4, 5e4, 3e4}, 0.4, five, {}}},
        {.name = "丙",
         .medical = SubsidyRule{B::kPoolWage, {}, 0.3, {{{}, true, 7}}, life},
         .employment = SubsidyRule{B::kPoolWage, {12, 10, 8, 6, 4, 2}, 0, asked, {}}},
    };
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Texts separated by NUL, in the fields' order; missing ones are empty.
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  FieldViews texts{};
  for (std::string_view& text : texts) {
    const std::size_t end = std::min(rest.find('\0'), rest.size());
    text = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  const Evaluation e = evaluate(texts, rules());
  if (const Problem* problem = e.first_problem()) {
    check(names_a_field(problem->subject) && !problem->words.empty());
    check(e.statement == std::nullopt && !e.why_none().empty());
    return 0;
  }
  for (const ClaimLine& line : e.claim.lines) {
    check(line.present == !line.text.empty() && (line.unknown.empty() || !line.present));
    check(!line.present || (std::isfinite(line.amount) && line.text == money_text(line.amount) &&
                            !line.working.empty() && line.fen == fen_of(line.amount)));
  }
  // The statement's totals are its items' sums, split by payer; after a death the worker's own
  // items, if unpaid, add up apart from the family's.
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
