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

// The named claim fields filled, the rest empty.
ClaimTexts fill(std::initializer_list<std::pair<ClaimInput, std::string_view>> fields) {
  ClaimTexts texts{};
  for (auto [f, t] : fields) texts[index(f)] = t;
  return texts;
}

struct Case {
  const char* what;
  InputTexts classic;  // grade, nursing, own wage, pooling wage
  ClaimTexts claim;    // in order from 地区 (see ClaimInput), or fill()ed
  std::initializer_list<std::pair<ClaimItem, std::string_view>> expect;  // others empty
  std::string_view retirement = "";
};

ClaimOutcome run(const InputTexts& classic, const ClaimTexts& claim) {
  return work_out_claim(classic, claim, shipped().find(claim[index(I::kRegion)]), shipped());
}

// 浙江 and 河南: statute text; 北京: government notice (rules.md).
// Ending cases: 地区, 全省月工资, 最低工资, 出生日期, 原退休年龄, 解除日期, 职业病.
const Case kCases[] = {
    {"浙江 七, three whole years left: only the employment subsidy is cut, to 60 %",
     {"七", "", "6000", "6000"},
     {"浙江", "7000", "", "1966-05-15", "60", "2023-10-15"},
     {{C::kMedicalSubsidy, "70000.00"}, {C::kEmploymentSubsidy, "42000.00"}},
     "2026-10-15"},
    {"浙江 七, a day short of three years: two whole years, 40 %",
     {"七", "", "6000", "6000"},
     {"浙江", "7000", "", "1966-05-15", "60", "2023-10-16", "是"},
     {{C::kMedicalSubsidy, "70000.00"}, {C::kEmploymentSubsidy, "28000.00"}},
     "2026-10-15"},
    {"河南 五, occupational disease, under one year left",
     {"五", "", "5000", "6000"},
     {"河南", "", "", "1980-03-01", "50", "2032-01-01", "是"},
     {{C::kMedicalSubsidy, "124800.00"},    // 16 × 6000 × 1.3
      {C::kEmploymentSubsidy, "33600.00"},  // 56 × 6000 × 10 %
      {C::kToppedAllowance, "3500.00"}},    // 0.7 × 5000, no minimum wage given
     "2032-11-01"},
    {"河南 十, five whole years left: in full",
     {"十", "", "5000", "6000.5"},
     {"河南", "", "", "1980-03-01", "50", "2027-11-01"},
     {{C::kMedicalSubsidy, "36003.00"}, {C::kEmploymentSubsidy, "36003.00"}},
     "2032-11-01"},
    {"北京 九, no cut before retirement, nothing from the retirement date on",
     {"九", "", "", "11761"},
     {"北京", "", "", "1960-07-01", "55", "2015-07-01"},
     {{C::kMedicalSubsidy, "0.00"}, {C::kEmploymentSubsidy, "0.00"}},
     "2015-07-01"},
    {"北京 九, a day before the retirement date",
     {"九", "", "", "11761"},
     {"北京", "", "", "1960-07-01", "55", "2015-06-30"},
     {{C::kMedicalSubsidy, "70566.00"}, {C::kEmploymentSubsidy, "70566.00"}},
     "2015-07-01"},
    {"no region: no subsidies; grade 二 topped up to the minimum wage by the fund",
     {"二", "部分护理", "1000", "3333.33"},
     {"", "", "2690", "1980-3-1", "55", "2030/1/1"},
     {{C::kToppedAllowance, "2690.00"}, {C::kNursingAllowance, "1000.00"}},
     "2037-10-01"},
    {"death: pension capped at the own wage; the lump sum from the year before",
     {"", "", "12000", "8000"},
     fill({{I::kDeath, "是"},
           {I::kDeathDate, "2025年3月1日"},
           {I::kSpouse, "1"},
           {I::kOtherDependants, "2"},
           {I::kLoneExtra, "1"}}),
     {{C::kFuneralGrant, "48000.00"},
      {C::kDependantPension, "12000.00"},  // 1.1 × 12000 held to 12000
      {C::kDeathLumpSum, "1083760.00"}}},
    {"death: pension below the cap; a typed income replaces the table; a wage may be 0",
     {"", "", "5001", "8000"},
     fill({{I::kDeath, "是"},
           {I::kMinimumWage, "0"},
           {I::kSpouse, "1"},
           {I::kOtherDependants, "1"},
           {I::kNationalIncome, "60000.5"}}),
     {{C::kFuneralGrant, "48000.00"},
      {C::kDependantPension, "3500.70"},  // 0.7 × 5001
      {C::kDeathLumpSum, "1200010.00"}}},
    // 解除原因 decides a cut limited to the worker's own request (江苏, 上海);
    // 重庆's scale runs ten years; 福建 counts the years of life left.
    {"江苏 七, resigned three whole years before retirement: the medical subsidy alone, to 60 %",
     {"七", "", "6000", "6000"},
     fill({{I::kRegion, "江苏"},
           {I::kBirthDate, "1966-05-15"},
           {I::kOriginalAge, "60"},
           {I::kEndDate, "2023-10-15"},
           {I::kEndReason, "本人提出"}}),
     {{C::kMedicalSubsidy, "72000.00"}, {C::kEmploymentSubsidy, "45000.00"}},
     "2026-10-15"},
    {"江苏 七, dismissed three whole years before retirement: in full",
     {"七", "", "6000", "6000"},
     fill({{I::kRegion, "江苏"},
           {I::kBirthDate, "1966-05-15"},
           {I::kOriginalAge, "60"},
           {I::kEndDate, "2023-10-15"},
           {I::kEndReason, "用人单位解除"}}),
     {{C::kMedicalSubsidy, "120000.00"}, {C::kEmploymentSubsidy, "45000.00"}},
     "2026-10-15"},
    {"上海 七, resigned three whole years before retirement: 60 % of both",
     {"七", "", "6000", "10000"},
     fill({{I::kRegion, "上海"},
           {I::kBirthDate, "1966-05-15"},
           {I::kOriginalAge, "60"},
           {I::kEndDate, "2023-10-15"},
           {I::kEndReason, "本人提出"}}),
     {{C::kMedicalSubsidy, "72000.00"}, {C::kEmploymentSubsidy, "72000.00"}},
     "2026-10-15"},
    {"上海 七, dismissed three whole years before retirement: in full",
     {"七", "", "6000", "10000"},
     fill({{I::kRegion, "上海"},
           {I::kBirthDate, "1966-05-15"},
           {I::kOriginalAge, "60"},
           {I::kEndDate, "2023-10-15"},
           {I::kEndReason, "用人单位解除"}}),
     {{C::kMedicalSubsidy, "120000.00"}, {C::kEmploymentSubsidy, "120000.00"}},
     "2026-10-15"},
    {"重庆 七, seven whole years left, 解除原因 empty: 70 % of the employment subsidy only",
     {"七", "", "6000", "8000"},
     {"重庆", "", "", "1966-05-15", "60", "2019-10-15"},
     {{C::kMedicalSubsidy, "64000.00"}, {C::kEmploymentSubsidy, "84000.00"}},
     "2026-10-15"},
    {"福建 九, a man of 55: 75.81 − 55 gives 21 years, 4.2 months, held to 5; disease + 30 %",
     {"九", "", "8000", "8000"},
     {"福建", "", "", "1970-01-10", "60", "2025-03-01", "是"},
     {{C::kMedicalSubsidy, "52000.00"}, {C::kEmploymentSubsidy, "52000.00"}},
     "2031-05-10"},
    {"福建 七, a woman (原退休年龄 50) of 46: 81.55 − 46 gives 36 years × 0.4 = 14.4 months",
     {"七", "", "8000", "8000"},
     {"福建", "", "", "1980-03-01", "50", "2026-03-01"},
     {{C::kMedicalSubsidy, "115200.00"}, {C::kEmploymentSubsidy, "115200.00"}},
     "2032-11-01"},
};

TEST(Claim, WorkedCases) {
  for (const Case& c : kCases) {
    ClaimOutcome out = run(c.classic, c.claim);
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
  ClaimOutcome out = run(kCases[2].classic, kCases[2].claim);
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
  EXPECT_EQ(std::get<Claim>(run(kCases[6].classic, kCases[6].claim))
                .lines[index(C::kToppedAllowance)]
                .payer,
            Payer::kFund);
}

// An amount resting on more than the region's rule says so; a
// life-expectancy rule shows every step.
TEST(Claim, SaysWhatItAssumesAndHowTheMonthsCame) {
  ClaimTexts dismissed = kCases[12].claim;  // 上海, dismissed
  Claim shanghai = std::get<Claim>(run({"五", "", "6000", "10000"}, dismissed));
  ASSERT_EQ(shanghai.notes.size(), 1u);
  EXPECT_NE(shanghai.lines[index(C::kEmploymentSubsidy)].working.find(shanghai.notes[0]),
            std::string::npos);

  EXPECT_EQ(std::get<Claim>(run(kCases[14].classic, kCases[14].claim))
                .lines[index(C::kMedicalSubsidy)]
                .working,
            "一次性工伤医疗补助金：人口平均预期寿命 75.81 岁（男性，按原退休年龄 60 岁取；2020 年，"
            "闽人社办〔2022〕63号（2022-04-27））− 解除时 55 周岁，不满一年按一年计 = 21 年 × 0.2 "
            "个月 = 4.2 个月，低于最低 5 个月，按最低；统筹月工资 8000 × 5 个月 = 40000.00；"
            "职业病加发 30%：× 1.3 = 52000.00（福建 《福建省实施〈工伤保险条例〉办法》(闽政〔2011〕"
            "80号)第二十七条（据闽人社办〔2022〕63号转引），转载未核对）");
}

TEST(Claim, RefusesNamingTheField) {
  struct Row {
    ClaimTexts claim;
    std::string_view field;
  } rows[] = {
      {fill({{I::kOriginalAge, "45"}}), "原退休年龄"},
      {fill({{I::kBirthDate, "1966-02-30"}}), "出生日期"},
      {fill({{I::kEndDate, "2024-01-01"}, {I::kOriginalAge, "60"}}), "出生日期"},
      {fill({{I::kEndDate, "2024-01-01"}, {I::kBirthDate, "1966-05-15"}}), "原退休年龄"},
      {{"浙江", "", "", "1966-05-15", "60", "2024-01-01"}, "全省月工资"},
      {fill({{I::kProvinceWage, "7000元"}}), "全省月工资"},
      {fill({{I::kMinimumWage, "-1"}}), "最低工资"},
      {fill({{I::kDisease, "有"}}), "职业病"},
      {fill({{I::kSpouse, "2"}}), "配偶"},
      {fill({{I::kOtherDependants, "1.5"}}), "其他供养亲属"},
      {fill({{I::kSpouse, "1"}, {I::kLoneExtra, "2"}}), "孤寡加发人数"},
      {fill({{I::kDeath, "是"}}), "死亡日期"},
      {fill({{I::kDeath, "是"}, {I::kDeathDate, "2019-06-01"}}), "死亡日期"},  // no 2018 figure
      {fill({{I::kEndReason, "辞职"}}), "解除原因"},
      // 上海 cuts only when the worker asked, and three whole years are left.
      {{"上海", "", "", "1966-05-15", "60", "2023-10-15"}, "解除原因"},
  };
  for (const Row& r : rows) {
    ClaimOutcome out = run({"七", "", "6000", "6000"}, r.claim);
    ASSERT_TRUE(std::holds_alternative<Refusal>(out)) << r.field;
    EXPECT_EQ(std::get<Refusal>(out).field, r.field) << std::get<Refusal>(out).message;
  }
  EXPECT_EQ(unknown_region("火星").field, "地区");
}

}  // namespace
}  // namespace gongshang
