// The claim worked out on the shipped regions file: each case can be checked
// by hand from the statute and rules it cites.
#include "engine/claim.h"

#include <algorithm>
#include <ranges>

#include <gtest/gtest.h>

#include "engine/claim_inputs.h"
#include "engine/claim_statement.h"
#include "engine/number_text.h"
#include "regions/rules_file.h"
#include "tests/regions/shipped_rules.h"

namespace gongshang {
namespace {

using I = ClaimInput;
using C = ClaimItem;

// The named claim fields filled, the rest empty.
ClaimTexts fill(std::initializer_list<std::pair<ClaimInput, std::string_view>> fields) {
  ClaimTexts texts{};
  for (auto [f, t] : fields) texts[index(f)] = t;
  return texts;
}

// Born 1966-05-15, 原退休年龄 60, leaving 2023-10-15: three whole years before
// retirement.
ClaimTexts three_years(std::string_view region, std::string_view reason) {
  return fill({{I::kRegion, region},
               {I::kBirthDate, "1966-05-15"},
               {I::kOriginalAge, "60"},
               {I::kEndDate, "2023-10-15"},
               {I::kEndReason, reason}});
}

struct Case {
  const char* what;
  InputTexts classic;  // grade, nursing, own wage, pooling wage
  ClaimTexts claim;    // in order from 地区 (see ClaimInput), or fill()ed
  std::initializer_list<std::pair<ClaimItem, std::string_view>> expect;  // others empty
  std::string_view retirement = "";
};

ClaimOutcome run(const InputTexts& classic, const ClaimTexts& claim) {
  auto region = find_region(shipped(), claim[index(I::kRegion)]);
  if (auto* refusal = std::get_if<Refusal>(&region)) return *refusal;
  return work_out_claim(classic, claim, std::get<const Region*>(region), shipped());
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
    {"河南 五, occupational disease, under one year left; the subsidies replace the allowance",
     {"五", "", "5000", "6000"},
     {"河南", "", "", "1980-03-01", "50", "2032-01-01", "是"},
     {{C::kMedicalSubsidy, "124800.00"},     // 16 × 6000 × 1.3
      {C::kEmploymentSubsidy, "33600.00"}},  // 56 × 6000 × 10 %
     "2032-11-01"},
    {"grade 五 leaving, then dying at work: neither allowance nor nursing",
     {"五", "部分护理", "5000", "6000"},
     {"河南", "", "", "1980-03-01", "50", "2030-01-01", "", "是", "2030-06-01", "1", "", "", "1"},
     {{C::kMedicalSubsidy, "96000.00"},
      {C::kEmploymentSubsidy, "134400.00"},  // 56 × 6000 × 40 %, two whole years left
      {C::kFuneralGrant, "36000.00"},
      {C::kDependantPension, "2000.00"},
      {C::kDeathLumpSum, "20.00"}},
     "2032-11-01"},
    {"death fields are not read without 工亡 是",
     {"七", "", "6000", "6000"},
     fill({{I::kSpouse, "2"}, {I::kDeathDate, "1066-01-01"}, {I::kDeathCase, "病故"}}),
     {}},
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
     three_years("江苏", "本人提出"),
     {{C::kMedicalSubsidy, "72000.00"}, {C::kEmploymentSubsidy, "45000.00"}},
     "2026-10-15"},
    {"江苏 七, dismissed three whole years before retirement: in full",
     {"七", "", "6000", "6000"},
     three_years("江苏", "用人单位解除"),
     {{C::kMedicalSubsidy, "120000.00"}, {C::kEmploymentSubsidy, "45000.00"}},
     "2026-10-15"},
    {"上海 七, resigned three whole years before retirement: 60 % of both",
     {"七", "", "6000", "10000"},
     three_years("上海", "本人提出"),
     {{C::kMedicalSubsidy, "72000.00"}, {C::kEmploymentSubsidy, "72000.00"}},
     "2026-10-15"},
    {"上海 七, dismissed three whole years before retirement: in full",
     {"七", "", "6000", "10000"},
     three_years("上海", "用人单位解除"),
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
  EXPECT_EQ(claim.data_status, "条文已核对");
  const ClaimLine& employment = claim.lines[index(C::kEmploymentSubsidy)];
  EXPECT_EQ(employment.payer, Payer::kEmployer);
  EXPECT_EQ(employment.working,
            "一次性伤残就业补助金：统筹月工资 6000 × 56 个月 = 336000.00；距退休 0 个整年，按 10% "
            "支付 = 33600.00（河南 《河南省工伤保险条例》第二十七条，条文已核对）");
  // Grade 二 draws its allowance from the fund (grade 六 from the employer:
  // the statement rows).
  EXPECT_EQ(std::get<Claim>(run(kCases[8].classic, kCases[8].claim))
                .lines[index(C::kToppedAllowance)]
                .payer,
            Payer::kFund);
}

// An amount resting on more than the region's rule says so; a
// life-expectancy rule shows every step.
TEST(Claim, SaysWhatItAssumesAndHowTheMonthsCame) {
  Claim shanghai =
      std::get<Claim>(run({"五", "", "6000", "10000"}, three_years("上海", "用人单位解除")));
  ASSERT_EQ(shanghai.notes.size(), 1u);
  EXPECT_NE(shanghai.lines[index(C::kEmploymentSubsidy)].working.find(shanghai.notes[0]),
            std::string::npos);

  EXPECT_EQ(std::get<Claim>(run(kCases[16].classic, kCases[16].claim))
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
      {fill({{I::kDisease, "有"}}), "职业病"},
      {fill({{I::kDeath, "是"}, {I::kSpouse, "2"}}), "配偶"},
      {fill({{I::kDeath, "是"}, {I::kOtherDependants, "1.5"}}), "其他供养亲属"},
      {fill({{I::kDeath, "是"}, {I::kSpouse, "1"}, {I::kLoneExtra, "2"}}), "孤寡加发人数"},
      {fill({{I::kDeath, "是"}, {I::kDeathCase, "期满后死亡"}}), "死亡情形"},  // grade 七
      {fill({{I::kDeath, "是"}, {I::kDeathCase, "病故"}}), "死亡情形"},
      // Dates that contradict each other, and years that are typing slips.
      {fill({{I::kBirthDate, "1990-01-01"}, {I::kOriginalAge, "60"}, {I::kEndDate, "1990-01-01"}}),
       "解除日期"},
      {fill({{I::kBirthDate, "1990-01-01"}, {I::kDeath, "是"}, {I::kDeathDate, "1989-12-31"}}),
       "死亡日期"},
      {fill({{I::kBirthDate, "1966-05-15"},
             {I::kOriginalAge, "60"},
             {I::kEndDate, "2024-06-02"},
             {I::kDeath, "是"},
             {I::kDeathDate, "2024-06-01"}}),
       "解除日期"},
      {fill({{I::kBirthDate, "1899-12-31"}}), "出生日期"},
      {fill({{I::kEndDate, "2101-01-01"}}), "解除日期"},
      {fill({{I::kDeath, "是"}, {I::kDeathDate, "9999-12-31"}}), "死亡日期"},
      {fill({{I::kMinimumWage, "10000000.5"}}), "最低工资"},
      {fill({{I::kDeath, "是"}}), "死亡日期"},
      {fill({{I::kDeath, "是"}, {I::kDeathDate, "2019-06-01"}}), "死亡日期"},  // no 2018 figure
      {fill({{I::kEndReason, "辞职"}}), "解除原因"},
      // 上海 cuts only when the worker asked, and three whole years are left.
      {three_years("上海", ""), "解除原因"},
  };
  for (const Row& r : rows) {
    ClaimOutcome out = run({"七", "", "6000", "6000"}, r.claim);
    ASSERT_TRUE(std::holds_alternative<Refusal>(out)) << r.field;
    EXPECT_EQ(std::get<Refusal>(out).field, r.field) << std::get<Refusal>(out).message;
  }
  EXPECT_EQ(unknown_region("火星").field, "地区");
  const auto contradiction = std::get<Refusal>(run({"七"}, rows[14].claim));
  EXPECT_EQ(contradiction.message, "「解除日期」不能晚于「死亡日期」");
}

// "地区=河南 工伤等级=五" as the fields a case file holds.
FieldTexts fields(std::string_view line) {
  FieldTexts texts = empty_texts();
  for (const auto word : std::views::split(line, ' ')) {
    const std::string_view w(word.begin(), word.end());
    set_text(texts, w.substr(0, w.find('=')), std::string(w.substr(w.find('=') + 1)));
  }
  return texts;
}

// The statement as a person reads it: "item amount payer", once first.
std::vector<std::string> items(const Statement& s) {
  std::vector<std::string> out;
  for (const StatementItem& item : s.items) {
    out.push_back(item.name + " " + (item.fen ? yuan_text(*item.fen) : "未知") + " " +
                  std::string(payer_text(item.payer)) + (item.monthly ? " 每月" : ""));
  }
  return out;
}

TEST(Statement, ExclusionsPayersAndNotes) {
  struct Row {
    const char* what;
    std::string_view fields;
    std::vector<std::string> items;
    std::string_view note;  // a note that must be there, or ""
  } rows[] = {
      {"grade 五 leaving: the subsidies instead of the allowance, which stops at 解除日期",
       "地区=河南 工伤等级=五 本人月均工资=5000 统筹月工资=6000 最低工资=4000 出生日期=1980-03-01 "
       "原退休年龄=50 解除日期=2030-01-01",
       {"一次性伤残补助金 90000.00 基金", "一次性工伤医疗补助金 96000.00 基金",
        "一次性伤残就业补助金 134400.00 用人单位"},
       "伤残津贴发至解除日期 2030-01-01"},
      {"grade 二 dying at work: no allowance, classic or topped, and no nursing",
       "工伤等级=二 护理级别=完全护理 本人月均工资=6000 统筹月工资=6000 工亡=是 "
       "死亡日期=2025-01-01 配偶=1",
       {"一次性伤残补助金 150000.00 基金", "丧葬补助金 36000.00 基金",
        "一次性工亡补助金 1083760.00 基金", "供养亲属抚恤金 2400.00 基金 每月"},
       "伤残津贴和生活护理费停发"},
      {"uninsured, dying after the leave: the employer pays all, no lump sum",
       "用人单位未参保=是 工伤等级=四 本人月均工资=6000 统筹月工资=6000 工亡=是 "
       "死亡情形=期满后死亡",
       {"一次性伤残补助金 126000.00 用人单位", "丧葬补助金 36000.00 用人单位",
        "供养亲属抚恤金 0.00 用人单位 每月"},
       "第六十二条"},
      {"grade 六 still employed: the employer tops the allowance up",
       "工伤等级=六 本人月均工资=5000 统筹月工资=6000 最低工资=3,100 解除日期=",
       {"一次性伤残补助金 80000.00 基金", "伤残津贴补足后 3100.00 用人单位 每月"},
       ""},
      {"内蒙古 has no employment figure for 七: shown without an amount",
       "地区=内蒙古 工伤等级=七 本人月均工资=6000 统筹月工资=6000 出生日期=1966-05-15 "
       "原退休年龄=60 解除日期=2020-01-01",
       {"一次性伤残补助金 78000.00 基金", "一次性工伤医疗补助金 96000.00 基金",
        "一次性伤残就业补助金 未知 用人单位"},
       ""},
      {"no region: the typed figures, said to be the user's",
       "工伤等级=八 本人月均工资=6000 统筹月工资=6000 医疗补助金月数或金额=10 "
       "医疗补助金基数=本人工资 出生日期=1966-05-15 原退休年龄=60 解除日期=2020-01-01",
       {"一次性伤残补助金 66000.00 基金", "一次性工伤医疗补助金 60000.00 基金"},
       ""},
  };
  for (const Row& r : rows) {
    const StatementOutcome out = make_statement(fields(r.fields), shipped());
    ASSERT_TRUE(std::holds_alternative<Statement>(out))
        << r.what << ": " << std::get<Refusal>(out).message;
    const Statement& s = std::get<Statement>(out);
    EXPECT_EQ(items(s), r.items) << r.what;
    if (r.note.empty()) continue;
    EXPECT_TRUE(std::ranges::any_of(s.notes, [&r](const std::string& n) {
      return n.find(r.note) != std::string::npos;
    })) << r.what;
  }
  const Statement leaving = std::get<Statement>(make_statement(fields(rows[0].fields), shipped()));
  EXPECT_EQ(leaving.once.fen, 32040000);
  EXPECT_EQ(leaving.once.employer_fen, 13440000);
  EXPECT_EQ(leaving.monthly.fen, 0);
  const Statement gap = std::get<Statement>(make_statement(fields(rows[4].fields), shipped()));
  EXPECT_EQ(gap.items.back().working, kUnknownFigure);
  EXPECT_EQ(gap.items.back().status, "转载未核对");
}

// A user's figures are never shown as the shipped check, whatever status
// their file claims; an unconfirmed income year is marked too.
TEST(Statement, DataStatusSaysWhoseFiguresTheyAre) {
  Rules rules = shipped();
  Region& zhejiang = const_cast<Region&>(*rules.find("浙江"));
  zhejiang.user_file = true;
  const Statement s = std::get<Statement>(make_statement(
      fields("地区=浙江 工伤等级=七 统筹月工资=6000 全省月工资=7000 出生日期=1966-05-15 "
             "原退休年龄=60 解除日期=2023-10-15 工亡=是 死亡日期=2026-01-01"),
      rules));
  EXPECT_EQ(s.data_status, "条文已核对；用户规则文件；2025年收入未确认");
  EXPECT_EQ(s.items[1].status, "条文已核对；用户规则文件");
  EXPECT_TRUE(std::ranges::any_of(s.notes, [](const std::string& n) {
    return n.find("使用者提供的规则文件") != std::string::npos;
  }));
}

TEST(Statement, EveryUnreadableFieldInEffectIsNamedOnce) {
  std::vector<std::string_view> named;
  for (const FieldProblem& p : field_problems(
           fields("医疗费=1,00 出生日期=2025-02-30 地区=火星 配偶=5 停薪月数=25 医疗补助金基数=x"),
           shipped()))
    named.push_back(p.field);
  // 配偶 is out of effect without 工亡 是, the typed figures with a region.
  EXPECT_EQ(named, (std::vector<std::string_view>{"地区", "停薪月数", "出生日期", "医疗费"}));
}

// The report's inputs: what was given and counts for the case, nothing else.
TEST(Statement, TheReportListsTheInputsGivenInEffect) {
  const auto given = given_inputs(
      fields("地区=浙江 工伤等级=七 停薪月数=6 住院天数=0 职业病=否 原退休年龄=60 配偶=1"));
  EXPECT_EQ(given,
            (std::vector<std::pair<std::string_view, std::string>>{
                {"地区", "浙江"}, {"工伤等级", "七"}, {"停薪月数", "6"}, {"原退休年龄", "60 岁"}}));
}

}  // namespace
}  // namespace gongshang
