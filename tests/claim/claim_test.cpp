// The claim worked out on the shipped regions file: each case can be checked
// by hand from the statute and rules it cites.
#include <array>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "engine/evaluation.h"
#include "tests/claim/case_line.h"
#include "tests/claim/shipped_rules.h"

namespace gongshang {
namespace {

using C = ClaimItem;

// Born 1966-05-15, 原退休年龄 60, leaving 2023-05-15: three whole years before
// retirement at 60, the age in force on that day (the reform starts in 2025).
constexpr std::string_view kThreeYears =
    " 出生日期=1966-05-15 原退休年龄=60 解除日期=2023-05-15 工伤等级=七 本人月均工资=6000";
// No grade, a wage of 8000, the employment ended: the labour law's items only.
constexpr std::string_view kLabour =
    "出生日期=1980-01-01 原退休年龄=60 统筹月工资=8000 离职前十二个月平均工资=8000 ";

struct Case {
  const char* what;
  std::string fields;      // as case_line() reads them
  std::string_view shown;  // as shown() writes the claim
};

// The retirement date, then each item present or with a text, by a short
// name: "退休 2026-10-15 医疗 70000.00"; "!" marks a text on an absent item.
std::string shown(const Claim& claim) {
  static constexpr std::string_view kShort[] = {"医疗", "就业", "津贴", "护理", "丧葬",
                                                "抚恤", "工亡", "补偿", "赔偿", "差额"};
  static_assert(std::size(kShort) == kClaimItemCount);
  std::string out = claim.retirement.empty() ? "" : "退休 " + claim.retirement;
  for (std::size_t i = 0; i < kClaimItemCount; ++i) {
    const ClaimLine& l = claim.lines[i];
    if (l.present || !l.text.empty())
      out += (out.empty() ? "" : " ") + std::string(l.present ? "" : "!") + std::string(kShort[i]) +
             " " + l.text;
  }
  return out;
}

const Case kCases[] = {
    {"浙江 七, three whole years left: only the employment subsidy is cut, to 60 %",
     "地区=浙江 全省月工资=7000 统筹月工资=6000" + std::string(kThreeYears),
     "退休 2026-10-15 医疗 70000.00 就业 42000.00"},
    {"河南 五, occupational disease, under one year left; the subsidies replace the allowance",
     "地区=河南 工伤等级=五 本人月均工资=5000 统筹月工资=6000 出生日期=1980-03-01 "
     "原退休年龄=50 解除日期=2032-01-01 职业病=是",
     "退休 2032-11-01 医疗 124800.00 就业 33600.00"},  // 16 × 6000 × 1.3; 56 × 6000 × 10 %
    {"北京 九 on the retirement date: nothing",
     "地区=北京 工伤等级=九 统筹月工资=11761 出生日期=1960-07-01 原退休年龄=55 "
     "解除日期=2015-07-01",
     "退休 2015-07-01 医疗 0.00 就业 0.00"},
    {"grade 二 leaving: no subsidies (Art. 35 keeps the relation); topped up by the fund",
     "工伤等级=二 生活护理等级=生活部分不能自理 本人月均工资=1000 统筹月工资=3333.33 "
     "最低工资=2690 出生日期=1980-3-1 原退休年龄=55 解除日期=2030/1/1",
     "退休 2037-10-01 津贴 2690.00 护理 1000.00"},
    // Art. 34 pays 生活护理费 by the level assessed; 护理级别 is the nursing
    // during the leave (Art. 33), the employer's.
    {"七, nursed fully in hospital, level 生活大部分不能自理: 40 %",
     "工伤等级=七 护理级别=完全护理 生活护理等级=生活大部分不能自理 统筹月工资=5000",
     "护理 2000.00"},
    {"七, nursed in hospital, no level assessed: no 生活护理费",
     "工伤等级=七 护理级别=完全护理 统筹月工资=5000", ""},
    // Art. 36(二): 难以安排工作的 only; left empty, it is taken so.
    {"五 given no suitable work: the allowance",
     "工伤等级=五 本人月均工资=5000 统筹月工资=5000 已安排适当工作=否", "津贴 3500.00"},
    {"death: pension capped at the own wage; the lump sum from the year before",
     "本人月均工资=12000 统筹月工资=8000 工亡=是 死亡日期=2025年3月1日 配偶=1 其他供养亲属=2 "
     "孤寡加发人数=1",
     "丧葬 48000.00 抚恤 12000.00 工亡 1083760.00"},  // 1.1 × 12000 held to 12000
    {"death: pension below the cap; a typed income replaces the table; a wage may be 0",
     "本人月均工资=5001 统筹月工资=8000 工亡=是 最低工资=0 配偶=1 其他供养亲属=1 "
     "全国人均可支配收入=60000.5",
     "丧葬 48000.00 抚恤 3500.70 工亡 1200010.00"},  // 0.7 × 5001
    // 解除原因 decides a cut limited to the worker's own request (江苏, 上海);
    // 重庆's scale runs ten years; 福建 counts the years of life left.
    {"上海 七, resigned three whole years before retirement: 60 % of both",
     "地区=上海 统筹月工资=10000 解除原因=本人提出" + std::string(kThreeYears),
     "退休 2026-10-15 医疗 72000.00 就业 72000.00"},
    // The years left count to the retirement date in force on 解除日期 (two
    // 重庆 judgments of 2023): 60 years for an ending before 2025, the
    // reformed date (2031-02-20 for a man born 1969-11-20) from then.
    {"重庆 九, spring 2023: six whole years to 2029-11-20, 60 %, not seven to 2031",
     "地区=重庆 工伤等级=九 本人月均工资=6000 统筹月工资=8000 出生日期=1969-11-20 "
     "原退休年龄=60 解除日期=2023-04-10",
     "退休 2031-02-20 医疗 32000.00 就业 43200.00"},
    {"重庆 九, spring 2025: five whole years to the reformed 2031-02-20, 50 % (four to 2029: 40 %)",
     "地区=重庆 工伤等级=九 本人月均工资=6000 统筹月工资=8000 出生日期=1969-11-20 "
     "原退休年龄=60 解除日期=2025-03-10",
     "退休 2031-02-20 医疗 32000.00 就业 36000.00"},
    // 第四十七条: a month's wage a whole year, six months or more a year, less
    // half a month; above three times the average wage, that and twelve years.
    {"5 months 29 days: half a month (第四十六条第一项)",
     std::string(kLabour) + "入职日期=2023-01-01 解除日期=2023-06-29 解除原因=劳动合同法第三十八条",
     "退休 2043-01-01 补偿 4000.00"},
    {"6 whole months: a year",
     std::string(kLabour) + "入职日期=2023-01-01 解除日期=2023-06-30 解除原因=劳动合同法第三十八条",
     "退休 2043-01-01 补偿 8000.00"},
    {"经济补偿's years from 2008-01-01 (第九十七条第三款): 8 years 5 months",
     std::string(kLabour) +
         "入职日期=2004-12-01 解除日期=2016-05-31 解除原因=协商一致（用人单位提出）",
     "退休 2043-01-01 补偿 68000.00"},
    {"赔偿金's from 入职日期 (实施条例第二十五条): 2 × 12 × 8000",
     std::string(kLabour) + "入职日期=2004-12-01 解除日期=2016-05-31 解除原因=用人单位违法解除",
     "退休 2043-01-01 赔偿 192000.00"},
    {"15 years at a wage within three times: fifteen months (第四十六条第三项)",
     std::string(kLabour) +
         "入职日期=2008-01-01 解除日期=2022-12-31 解除原因=用人单位依第四十条或第四十一条解除",
     "退休 2043-01-01 补偿 120000.00"},
    {"15 years at a wage above three times: 3 × 8000 × 12 (第四十七条第二款)",
     std::string(kLabour) + "入职日期=2008-01-01 解除日期=2022-12-31 解除原因=劳动合同法第三十八条 "
                            "离职前十二个月平均工资=30000",
     "退休 2043-01-01 补偿 288000.00"},
    {"below the minimum wage: the minimum (实施条例第二十七条); no 离职前: 本人月均工资",
     std::string(kLabour) + "入职日期=2023-01-01 解除日期=2023-12-31 解除原因=劳动合同法第三十八条 "
                            "离职前十二个月平均工资= 本人月均工资=1500 最低工资=2000",
     "退休 2043-01-01 补偿 2000.00"},
    {"七级 at expiry: the subsidies (Art. 37) and 经济补偿 (实施条例第二十三条)",
     "地区=河南 工伤等级=七 本人月均工资=5000 统筹月工资=6000 出生日期=1980-03-01 "
     "原退休年龄=50 解除日期=2025-12-31 入职日期=2016-01-01 解除原因=合同期满终止",
     "退休 2032-11-01 医疗 72000.00 就业 216000.00 补偿 50000.00"},
    {"八级 given notice (第四十条): barred by 第四十二条第二项, 赔偿金",
     "工伤等级=八 本人月均工资=5000 统筹月工资=6000 出生日期=1980-03-01 原退休年龄=50 "
     "解除日期=2025-12-31 入职日期=2016-01-01 解除原因=用人单位依第四十条或第四十一条解除",
     "退休 2032-11-01 赔偿 100000.00"},
    {"福建 九, a man of 55: 75.81 − 55 gives 21 years, 4.2 months, held to 5; disease + 30 %",
     "地区=福建 工伤等级=九 本人月均工资=8000 统筹月工资=8000 出生日期=1970-01-10 "
     "原退休年龄=60 解除日期=2025-03-01 职业病=是",
     "退休 2031-05-10 医疗 52000.00 就业 52000.00"},
    // 性别 decides the life expectancy; a man retiring at 55 holds a
    // special-type job, which the reform does not delay.
    {"福建 九, a man of 53 retiring at 55: the men's 75.81 − 53 gives 23 years, 4.6 months, "
     "held to 5",
     "地区=福建 工伤等级=九 统筹月工资=8000 出生日期=1971-06-10 性别=男 原退休年龄=55 "
     "解除日期=2025-03-01",
     "退休 2026-06-10 医疗 40000.00 就业 40000.00"},
    {"福建 九, the same without 性别: taken for a woman, 81.55 − 53 gives 29 years, 5.8 months",
     "地区=福建 工伤等级=九 统筹月工资=8000 出生日期=1971-06-10 原退休年龄=55 "
     "解除日期=2025-03-01",
     "退休 2026-11-10 医疗 46400.00 就业 46400.00"},
    {"重庆 九, spring 2025, 法定退休日期 typed: four whole years to it, 40 %",
     "地区=重庆 工伤等级=九 本人月均工资=6000 统筹月工资=8000 出生日期=1969-11-20 "
     "法定退休日期=2029-11-20 解除日期=2025-03-10",
     "退休 2029-11-20 医疗 32000.00 就业 28800.00"},
    {"no region, a medical figure typed on 本人工资: computed as the window computes it",
     "工伤等级=八 本人月均工资=6000 统筹月工资=6000 医疗补助金月数或金额=10 "
     "医疗补助金基数=本人工资 出生日期=1966-05-15 原退休年龄=60 解除日期=2020-01-01",
     "退休 2026-10-15 医疗 60000.00"},
    {"no region, the employment figure alone typed: that subsidy computed",
     "工伤等级=八 本人月均工资=6000 统筹月工资=6000 就业补助金月数或金额=4 "
     "就业补助金基数=统筹月工资 出生日期=1966-05-15 原退休年龄=60 解除日期=2020-01-01",
     "退休 2026-10-15 就业 24000.00"},
};

const Case& row_of(std::string_view what) {
  for (const Case& c : kCases)
    if (std::string_view(c.what).starts_with(what)) return c;
  ADD_FAILURE() << "no row " << what;
  return kCases[0];
}

TEST(Claim, WorkedCases) {
  for (const Case& c : kCases) {
    const Evaluation e = evaluate(case_line(c.fields), shipped());
    ASSERT_TRUE(e.worked_out()) << c.what << ": " << e.why_none();
    EXPECT_EQ(shown(e.claim), c.shown) << c.what;
  }
}

TEST(Claim, ShowsTheCutAndHowFarTheFiguresWereChecked) {
  const Evaluation e =
      evaluate(case_line(row_of("河南 五, occupational disease").fields), shipped());
  EXPECT_EQ(
      e.claim.lines[index(C::kEmploymentSubsidy)].working,
      "一次性伤残就业补助金：统筹月工资 6000 × 56 个月 = 336000.00；距退休 0 个整年（算至解除时"
      "施行的法定退休日期 2032-11-01），按 10% 支付 = 33600.00（河南 《河南省工伤保险条例》"
      "第二十七条，条文已核对）");
}

TEST(Claim, SaysHowLongTheServiceWas) {
  const std::string working = evaluate(case_line(row_of("5 months 29 days").fields), shipped())
                                  .claim.lines[index(C::kSeverance)]
                                  .working;
  EXPECT_NE(working.find("共 5 个月 29 天，计 0.5 个月"), std::string::npos) << working;
}

TEST(Claim, SaysWhatItAssumesAndHowTheMonthsCame) {
  const Claim shanghai =
      evaluate(case_line("地区=上海 统筹月工资=10000 解除原因=用人单位解除 工伤等级=五 "
                         "本人月均工资=6000 出生日期=1966-05-15 原退休年龄=60 解除日期=2023-10-15"),
               shipped())
          .claim;
  ASSERT_FALSE(shanghai.notes.empty());
  EXPECT_NE(shanghai.lines[index(C::kEmploymentSubsidy)].working.find(shanghai.notes[0]),
            std::string::npos);

  EXPECT_EQ(evaluate(case_line(row_of("福建 九").fields), shipped())
                .claim.lines[index(C::kMedicalSubsidy)]
                .working,
            "一次性工伤医疗补助金：人口平均预期寿命 75.81 岁（男性，未填性别，按原退休年龄 60 岁"
            "推定；2020 年，"
            "闽人社办〔2022〕63号（2022-04-27））− 解除时 55 周岁，不满一年按一年计 = 21 年 × 0.2 "
            "个月 = 4.2 个月，低于最低 5 个月，按最低；统筹月工资 8000 × 5 个月 = 40000.00；"
            "职业病加发 30%：× 1.3 = 52000.00（福建 《福建省实施〈工伤保险条例〉办法》(闽政〔2011〕"
            "80号)第二十七条（据闽人社办〔2022〕63号转引），转载未核对）");
}

TEST(Claim, RefusesNamingTheField) {
  const struct {
    std::string_view fields;
    std::string_view subject;
  } rows[] = {
      {"解除日期=2024-01-01 原退休年龄=60", "出生日期"},
      {"解除日期=2024-01-01 出生日期=1966-05-15", "原退休年龄"},
      {"地区=浙江 出生日期=1966-05-15 原退休年龄=60 解除日期=2024-01-01", "全省月工资"},
      {"工亡=是 配偶=1 孤寡加发人数=2", "孤寡加发人数"},
      {"工亡=是 死亡情形=期满后死亡", "死亡情形"},  // grade 七
      // Dates that contradict each other, and years that are typing slips.
      {"出生日期=1990-01-01 原退休年龄=60 解除日期=1990-01-01", "解除日期"},
      {"出生日期=1990-01-01 工亡=是 死亡日期=1989-12-31", "死亡日期"},
      {"出生日期=1966-05-15 原退休年龄=60 解除日期=2024-06-02 工亡=是 死亡日期=2024-06-01",
       "解除日期"},
      {"解除日期=2101-01-01", "解除日期"},
      {"工亡=是", "死亡日期"},
      // No 2018 figure: the form shows the lump sum unknown, a batch row is refused.
      {"工亡=是 死亡日期=2019-06-01", "全国人均可支配收入"},
      // Art. 64 bounds 本人工资 by the pooling wage: no item of it without both.
      {"本人月均工资=", "本人月均工资"},
      {"工伤等级= 本人月均工资= 统筹月工资= 停薪月数=2", "本人月均工资"},  // Art. 33
      // Death texts count only with 工亡 是; a row naming a death is not read as alive.
      {"死亡日期=2024-01-01", "死亡日期"},
      {"死亡情形=因工死亡", "死亡日期"},
      {"出生日期=1966-05-15 原退休年龄=60 入职日期=2024-01-02 解除日期=2024-01-01", "入职日期"},
      // The employment of 一–六 does not end at expiry (劳动合同法第四十五条).
      {"工伤等级=六 出生日期=1966-05-15 原退休年龄=60 解除日期=2024-01-01 解除原因=合同期满终止",
       "解除原因"},
      // Whether the contract ended by death needs the 死亡日期.
      {"工伤等级=四 出生日期=1966-05-15 原退休年龄=60 解除日期=2024-01-01 工亡=是 "
       "死亡情形=期满后死亡",
       "死亡日期"},
      {"工伤等级= 生活护理等级=生活完全不能自理", "生活护理等级"},  // Art. 34: a grade first
      {"性别=女 原退休年龄=60", "性别"},
      {"性别=男 原退休年龄=50", "性别"},
      {"出生日期=1966-05-15 法定退休日期=1966-05-15", "法定退休日期"},
      // 福建 takes the life expectancy by sex: neither 性别 nor an age to guess it from.
      {"地区=福建 出生日期=1971-06-10 法定退休日期=2031-06-10 解除日期=2025-03-01", "性别"},
      // 上海 cuts only when the worker asked, and three whole years are left.
      {"地区=上海 出生日期=1966-05-15 原退休年龄=60 解除日期=2023-10-15", "解除原因"},
  };
  for (const auto& r : rows) {
    const Evaluation e = evaluate(
        case_line("工伤等级=七 本人月均工资=6000 统筹月工资=6000 " + std::string(r.fields)),
        shipped());
    ASSERT_NE(e.row_problem(), nullptr) << r.fields;
    EXPECT_EQ(e.row_problem()->subject, r.subject) << message(*e.row_problem());
  }
  const Evaluation late = evaluate(case_line(rows[7].fields), shipped());
  EXPECT_EQ(late.why_none(), "「解除日期」不能晚于「死亡日期」");
  // Art. 39 ¶3 in its words; leaving 死亡情形 empty would claim a work death.
  const std::string after =
      evaluate(case_line("工伤等级=七 工亡=是 死亡情形=期满后死亡"), shipped()).why_none();
  EXPECT_NE(after.find("一级至四级伤残职工在停工留薪期满后死亡的"), std::string::npos) << after;
  EXPECT_EQ(after.find("留空"), std::string::npos) << after;
}

}  // namespace
}  // namespace gongshang
