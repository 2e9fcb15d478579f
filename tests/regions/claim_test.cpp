// The claim worked out on the shipped regions file: each case can be checked
// by hand from the statute and rules it cites.
#include "engine/claim.h"

#include <gtest/gtest.h>

#include "regions/rules_file.h"

namespace gongshang {
namespace {

using I = ClaimInput;
using C = ClaimItem;

const Rules& shipped() {
  static const Rules rules = [] {
    auto loaded = regions::load_rules(GONGSHANG_TEST_PROGRAM, {});
    if (auto* e = std::get_if<regions::LoadError>(&loaded)) ADD_FAILURE() << e->text();
    return std::holds_alternative<Rules>(loaded) ? std::get<Rules>(loaded) : Rules{};
  }();
  return rules;
}

struct Case {
  const char* what;
  // Classic: grade, nursing, own wage, pooling wage.
  std::array<std::string_view, 4> classic;
  std::initializer_list<std::pair<ClaimInput, std::string_view>> claim;
  std::initializer_list<std::pair<ClaimItem, std::string_view>> expect;  // others empty
  std::string_view retirement = "";
};

ClaimOutcome run(const Case& c) {
  InputTexts in{};
  in[index(Input::kGrade)] = c.classic[0];
  in[index(Input::kNursing)] = c.classic[1];
  in[index(Input::kOwnWage)] = c.classic[2];
  in[index(Input::kPoolWage)] = c.classic[3];
  ClaimTexts texts{};
  for (auto [f, t] : c.claim) texts[index(f)] = t;
  return work_out_claim(in, texts, shipped().find(texts[index(I::kRegion)]), shipped());
}

// 浙江 and 河南: statute text; 北京: government notice (rules.md).
const Case kCases[] = {
    {"浙江 七, three whole years left: only the employment subsidy is cut, to 60 %",
     {"七", "", "6000", "6000"},
     {{I::kRegion, "浙江"},
      {I::kProvinceWage, "7000"},
      {I::kBirthDate, "1966-05-15"},
      {I::kOriginalAge, "60"},
      {I::kEndDate, "2023-10-15"}},
     {{C::kMedicalSubsidy, "70000.00"}, {C::kEmploymentSubsidy, "42000.00"}},
     "2026-10-15"},
    {"浙江 七, a day short of three years: two whole years, 40 %",
     {"七", "", "6000", "6000"},
     {{I::kRegion, "浙江"},
      {I::kProvinceWage, "7000"},
      {I::kBirthDate, "1966-05-15"},
      {I::kOriginalAge, "60"},
      {I::kEndDate, "2023-10-16"},
      {I::kDisease, "是"}},
     {{C::kMedicalSubsidy, "70000.00"}, {C::kEmploymentSubsidy, "28000.00"}},
     "2026-10-15"},
    {"河南 五, occupational disease, under one year left",
     {"五", "", "5000", "6000"},
     {{I::kRegion, "河南"},
      {I::kBirthDate, "1980-03-01"},
      {I::kOriginalAge, "50"},
      {I::kEndDate, "2032-01-01"},
      {I::kDisease, "是"}},
     {{C::kMedicalSubsidy, "124800.00"},    // 16 × 6000 × 1.3
      {C::kEmploymentSubsidy, "33600.00"},  // 56 × 6000 × 10 %
      {C::kToppedAllowance, "3500.00"}},    // 0.7 × 5000, no minimum wage given
     "2032-11-01"},
    {"河南 十, five whole years left: in full",
     {"十", "", "5000", "6000.5"},
     {{I::kRegion, "河南"},
      {I::kBirthDate, "1980-03-01"},
      {I::kOriginalAge, "50"},
      {I::kEndDate, "2027-11-01"}},
     {{C::kMedicalSubsidy, "36003.00"}, {C::kEmploymentSubsidy, "36003.00"}},
     "2032-11-01"},
    {"北京 九, no cut before retirement, nothing from the retirement date on",
     {"九", "", "", "11761"},
     {{I::kRegion, "北京"},
      {I::kBirthDate, "1960-07-01"},
      {I::kOriginalAge, "55"},
      {I::kEndDate, "2015-07-01"}},
     {{C::kMedicalSubsidy, "0.00"}, {C::kEmploymentSubsidy, "0.00"}},
     "2015-07-01"},
    {"北京 九, a day before the retirement date",
     {"九", "", "", "11761"},
     {{I::kRegion, "北京"},
      {I::kBirthDate, "1960-07-01"},
      {I::kOriginalAge, "55"},
      {I::kEndDate, "2015-06-30"}},
     {{C::kMedicalSubsidy, "70566.00"}, {C::kEmploymentSubsidy, "70566.00"}},
     "2015-07-01"},
    {"no region: no subsidies; grade 二 topped up to the minimum wage by the fund",
     {"二", "部分护理", "1000", "3333.33"},
     {{I::kMinimumWage, "2690"},
      {I::kBirthDate, "1980-3-1"},
      {I::kOriginalAge, "55"},
      {I::kEndDate, "2030/1/1"}},
     {{C::kToppedAllowance, "2690.00"}, {C::kNursingAllowance, "1000.00"}},
     "2037-10-01"},
    {"death: pension capped at the own wage; the lump sum from the year before",
     {"", "", "12000", "8000"},
     {{I::kDeath, "是"},
      {I::kDeathDate, "2025年3月1日"},
      {I::kSpouse, "1"},
      {I::kOtherDependants, "2"},
      {I::kLoneExtra, "1"}},
     {{C::kFuneralGrant, "48000.00"},
      {C::kDependantPension, "12000.00"},  // 1.1 × 12000 held to 12000
      {C::kDeathLumpSum, "1083760.00"}}},
    {"death: pension below the cap; a typed income replaces the table",
     {"", "", "5001", "8000"},
     {{I::kDeath, "是"},
      {I::kSpouse, "1"},
      {I::kOtherDependants, "1"},
      {I::kNationalIncome, "60000.5"}},
     {{C::kFuneralGrant, "48000.00"},
      {C::kDependantPension, "3500.70"},  // 0.7 × 5001
      {C::kDeathLumpSum, "1200010.00"}}},
};

TEST(Claim, WorkedCases) {
  for (const Case& c : kCases) {
    ClaimOutcome out = run(c);
    ASSERT_TRUE(std::holds_alternative<Claim>(out))
        << c.what << ": " << std::get<Refusal>(out).message;
    const Claim& claim = std::get<Claim>(out);
    EXPECT_EQ(claim.retirement, c.retirement) << c.what;
    std::array<std::string_view, kClaimItemCount> expected{};
    for (auto [item, text] : c.expect) expected[index(item)] = text;
    for (std::size_t i = 0; i < kClaimItemCount; ++i) {
      EXPECT_EQ(claim.lines[i].text, expected[i]) << c.what << ": " << kClaimItems[i].name;
      EXPECT_EQ(claim.lines[i].present, !expected[i].empty()) << c.what;
    }
  }
}

TEST(Claim, SaysWhoPaysAndHowFarTheFiguresWereChecked) {
  ClaimOutcome out = run(kCases[2]);
  ASSERT_TRUE(std::holds_alternative<Claim>(out));
  const Claim& claim = std::get<Claim>(out);
  EXPECT_EQ(claim.status, DataStatus::kStatuteChecked);
  const ClaimLine& employment = claim.lines[index(C::kEmploymentSubsidy)];
  EXPECT_EQ(employment.payer, Payer::kEmployer);
  EXPECT_EQ(employment.working,
            "一次性伤残就业补助金：统筹月工资 6000 × 56 个月 = 336000.00；距退休 0 个整年，按 10% "
            "支付 = 33600.00（河南 《河南省工伤保险条例》第二十七条，条文已核对）");
  // Grade 五 draws its allowance from the employer, grade 二 from the fund.
  EXPECT_EQ(claim.lines[index(C::kToppedAllowance)].payer, Payer::kEmployer);
  EXPECT_EQ(std::get<Claim>(run(kCases[6])).lines[index(C::kToppedAllowance)].payer, Payer::kFund);
}

TEST(Claim, RefusesNamingTheField) {
  struct Row {
    std::initializer_list<std::pair<ClaimInput, std::string_view>> claim;
    std::string_view field;
  } rows[] = {
      {{{I::kOriginalAge, "45"}}, "原退休年龄"},
      {{{I::kBirthDate, "1966-02-30"}}, "出生日期"},
      {{{I::kEndDate, "2024-01-01"}, {I::kOriginalAge, "60"}}, "出生日期"},
      {{{I::kEndDate, "2024-01-01"}, {I::kBirthDate, "1966-05-15"}}, "原退休年龄"},
      {{{I::kRegion, "浙江"},
        {I::kBirthDate, "1966-05-15"},
        {I::kOriginalAge, "60"},
        {I::kEndDate, "2024-01-01"}},
       "全省月工资"},
      {{{I::kProvinceWage, "7000元"}}, "全省月工资"},
      {{{I::kMinimumWage, "-1"}}, "最低工资"},
      {{{I::kDisease, "有"}}, "职业病"},
      {{{I::kSpouse, "2"}}, "配偶"},
      {{{I::kOtherDependants, "1.5"}}, "其他供养亲属"},
      {{{I::kSpouse, "1"}, {I::kLoneExtra, "2"}}, "孤寡加发人数"},
      {{{I::kDeath, "是"}}, "死亡日期"},
      {{{I::kDeath, "是"}, {I::kDeathDate, "2019-06-01"}}, "死亡日期"},  // no 2018 figure
  };
  for (const Row& r : rows) {
    Case c{"refusal", {"七", "", "6000", "6000"}, r.claim, {}};
    ClaimOutcome out = run(c);
    ASSERT_TRUE(std::holds_alternative<Refusal>(out)) << r.field;
    EXPECT_EQ(std::get<Refusal>(out).field, r.field) << std::get<Refusal>(out).message;
  }
  EXPECT_EQ(unknown_region("火星").field, "地区");
}

}  // namespace
}  // namespace gongshang
