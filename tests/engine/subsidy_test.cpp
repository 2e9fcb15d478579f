// One subsidy under rules written here, each row a rule kind's edge: a
// scale shorter or longer than five years, a cut only for the worker's own
// request, a scale marked unknown, life expectancy without a split by sex.
// The regions' own cases are in tests/regions/claim_test.cpp.
#include "engine/subsidy.h"

#include <gtest/gtest.h>

namespace gongshang {
namespace {

// 10 months of 统筹月工资 for 五 … 九, none for 十; paid 50 %, 100 %, 70 %
// with 0, 1, 2 whole years left, only when the worker asked.
SubsidyRule own_request_rule() {
  SubsidyRule rule;
  rule.by_grade = {10, 10, 10, 10, 10, std::nullopt};
  rule.near_retirement = NearRetirementCut{{50, 100, 70}, false, 0, CutScope::kOwnRequest};
  return rule;
}

// The same months, cut by an unknown scale within three whole years when
// the worker asked.
SubsidyRule unknown_cut_rule() {
  SubsidyRule rule = own_request_rule();
  rule.near_retirement = NearRetirementCut{{}, true, 3, CutScope::kOwnRequest};
  return rule;
}

// 0.5 months a year of the 70.2 years of life expected, at least 8.
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
  Date end;  // retirement 2026-10-15, born 1966-05-15
  std::optional<EndReason> reason;
  // An amount, "?" for unknown, or the field a refusal names.
  std::variant<double, std::string_view> expect;
  bool note = false;
};

constexpr auto kOwn = EndReason::kOwnRequest;
constexpr auto kEmployer = EndReason::kEmployer;

const Row kRows[] = {
    // under one year, resigned: 50 %
    {own_request_rule, 7, {2026, 1, 1}, kOwn, 5000.0},
    // one year: 100 %, so an empty reason changes nothing
    {own_request_rule, 7, {2025, 10, 15}, std::nullopt, 10000.0},
    // two years, 第三十八条: not cut
    {own_request_rule, 7, {2024, 10, 15}, EndReason::kArticle38, 10000.0},
    // two years, reason empty: refused
    {own_request_rule, 7, {2024, 10, 15}, std::nullopt, "解除原因"},
    // three years: beyond a three-entry scale
    {own_request_rule, 7, {2023, 10, 15}, std::nullopt, 10000.0},
    // on the retirement date: nothing, whatever the reason
    {own_request_rule, 7, {2026, 10, 15}, std::nullopt, 0.0},
    // grade 十 has no figure
    {own_request_rule, 10, {2010, 1, 1}, kOwn, "?"},
    // grade 五 dismissed: computed, with a note
    {own_request_rule, 5, {2010, 1, 1}, kEmployer, 10000.0, true},
    // grade 七 dismissed: Art. 37 needs no note
    {own_request_rule, 7, {2010, 1, 1}, kEmployer, 10000.0},
    // unknown scale, three whole years left: in full
    {unknown_cut_rule, 7, {2023, 10, 15}, std::nullopt, 10000.0},
    // unknown scale, two whole years left, resigned
    {unknown_cut_rule, 7, {2024, 10, 15}, kOwn, "?"},
    // unknown scale, two whole years left, dismissed: not cut
    {unknown_cut_rule, 7, {2024, 10, 15}, kEmployer, 10000.0},
    // unknown scale, two whole years left, reason empty
    {unknown_cut_rule, 7, {2024, 10, 15}, std::nullopt, "解除原因"},
    // life expectancy, the day before the 43rd birthday: 70.2 − 42 → 29 years × 0.5
    {life_rule, 7, {2009, 5, 14}, std::nullopt, 14500.0},
    // life expectancy, on the 43rd birthday: 70.2 − 43 → 28 years × 0.5
    {life_rule, 7, {2009, 5, 15}, std::nullopt, 14000.0},
    // life expectancy at 59: 70.2 − 59 → 12 years, 6 months, held to 8
    {life_rule, 7, {2025, 6, 1}, std::nullopt, 8000.0},
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
      ASSERT_TRUE(std::holds_alternative<Refusal>(out)) << what;
      EXPECT_EQ(std::get<Refusal>(out).field, std::get<std::string_view>(r.expect)) << what;
    }
  }
}

}  // namespace
}  // namespace gongshang
