// One subsidy under rules written here, each row a rule kind's edge: a
// scale shorter or longer than five years, a cut only for the worker's own
// request, a scale marked unknown, life expectancy without a split by sex.
// The shipped regions' own cases are in tests/claim/claim_test.cpp.
#include "engine/subsidy.h"

#include <gtest/gtest.h>

namespace gongshang {
namespace {

SubsidyRule own_request_rule() {
  SubsidyRule rule;
  rule.by_grade = {10, 10, 10, 10, 10, std::nullopt};
  rule.near_retirement = NearRetirementCut{{50, 100, 70}, false, 0, CutScope::kOwnRequest};
  return rule;
}

SubsidyRule unknown_cut_rule() {
  SubsidyRule rule = own_request_rule();
  rule.near_retirement = NearRetirementCut{{}, true, 3, CutScope::kOwnRequest};
  return rule;
}

SubsidyRule life_rule() {
  SubsidyRule rule;
  LifeExpectancyRule life;
  life.months_per_year.fill(0.5);
  life.minimum_months.fill(8);
  life.all = 70.2;
  rule.life_expectancy = life;
  return rule;
}

struct Row {
  SubsidyRule (*rule)();
  int grade;
  Date end;                         // retirement 2026-10-15, born 1966-05-15
  std::optional<EndReason> reason;  // {}: 解除原因 empty
  // An amount, "?" for unknown, or the field a refusal names.
  std::variant<double, std::string_view> expect;
  bool note = false;
};

constexpr auto kOwn = EndReason::kOwnRequest;
constexpr auto kEmployer = EndReason::kEmployer;
constexpr auto kOwnRule = own_request_rule, kUnknownCut = unknown_cut_rule, kLife = life_rule;

const Row kRows[] = {
    {kOwnRule, 7, {2026, 1, 1}, kOwn, 5000.0},   // under one year, resigned: 50 %
    {kOwnRule, 7, {2025, 10, 15}, {}, 10000.0},  // one year: 100 %, the reason changes nothing
    {kOwnRule, 7, {2024, 10, 15}, EndReason::kArticle38, 10000.0},  // two years, 第三十八条
    {kOwnRule, 7, {2024, 10, 15}, {}, "解除原因"},                  // two years: refused
    {kOwnRule, 7, {2023, 10, 15}, {}, 10000.0},                     // three years: beyond the scale
    {kOwnRule, 7, {2026, 10, 15}, {}, 0.0},                 // on the retirement date: nothing
    {kOwnRule, 10, {2010, 1, 1}, kOwn, "?"},                // grade 十 has no figure
    {kOwnRule, 5, {2010, 1, 1}, kEmployer, 10000.0, true},  // 五 dismissed: with a note
    {kOwnRule, 7, {2010, 1, 1}, kEmployer, 10000.0},        // 七: Art. 37 needs no note
    {kUnknownCut, 7, {2023, 10, 15}, {}, 10000.0},          // three whole years left: in full
    {kUnknownCut, 7, {2024, 10, 15}, kOwn, "?"},            // two, resigned
    {kUnknownCut, 7, {2024, 10, 15}, kEmployer, 10000.0},   // two, dismissed: not cut
    {kLife, 7, {2009, 5, 14}, {}, 14500.0},  // a day before 43: 70.2 − 42 → 29 years × 0.5
    {kLife, 7, {2009, 5, 15}, {}, 14000.0},  // on the 43rd birthday: 28 years × 0.5
    {kLife, 7, {2025, 6, 1}, {}, 8000.0},    // at 59: 12 years, 6 months, held to 8
};

TEST(Subsidy, FollowsEachKindOfRule) {
  for (const Row& r : kRows) {
    const auto what = "row " + std::to_string(&r - kRows);
    SubsidyCase c;
    c.grade = r.grade;
    c.pool_wage = 1000;
    c.birth = {1966, 5, 15};
    c.end = r.end;
    c.retirement = {2026, 10, 15};
    c.reason = r.reason;
    const SubsidyOutcome out = work_out_subsidy(r.rule(), "补助金", "甲", c, true);
    if (const auto* amount = std::get_if<double>(&r.expect)) {
      ASSERT_TRUE(std::holds_alternative<SubsidyAmount>(out)) << what;
      EXPECT_EQ(std::get<SubsidyAmount>(out).amount, *amount) << what;
      EXPECT_EQ(std::get<SubsidyAmount>(out).note.empty(), !r.note) << what;
    } else if (std::get<std::string_view>(r.expect) == "?") {
      EXPECT_TRUE(std::holds_alternative<SubsidyUnknown>(out)) << what;
    } else {
      ASSERT_TRUE(std::holds_alternative<Problem>(out)) << what;
      EXPECT_EQ(std::get<Problem>(out).subject, std::get<std::string_view>(r.expect)) << what;
    }
  }
}

}  // namespace
}  // namespace gongshang
