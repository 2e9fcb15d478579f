// The statement as every front end shows it: which items, who pays, what
// excludes what, the notes, and what stops a statement from being made.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/evaluation.h"
#include "tests/claim/case_line.h"
#include "tests/claim/shipped_rules.h"

namespace gongshang {
namespace {

Statement statement_of(std::string_view line, const Rules& rules = shipped()) {
  Evaluation e = evaluate(case_line(line), rules);
  EXPECT_TRUE(e.statement.has_value()) << line << ": " << e.why_none();
  return e.statement ? std::move(*e.statement) : Statement{};
}

// The statement as a person reads it: "item amount payer", once first, a
// dead worker's own items last.
std::vector<std::string> items(const Statement& s) {
  std::vector<std::string> out;
  for (const StatementItem& item : s.items) {
    out.push_back(item.name + " " + (item.fen ? yuan_text(*item.fen) : "未知") + " " +
                  std::string(payer_text(item.payer)) +
                  (item.monthly ? " 每月 " + item.duration : "") +
                  (item.if_unpaid ? " " + std::string(kIfUnpaid) : ""));
  }
  return out;
}

bool has_note(const Statement& s, std::string_view part) {
  return std::ranges::any_of(
      s.notes, [part](const std::string& n) { return n.find(part) != std::string::npos; });
}

TEST(Statement, ExclusionsPayersAndNotes) {
  struct Row {
    const char* what;
    std::string_view fields;
    std::vector<std::string> items;
    std::string_view note;  // a note that must be there, or ""
  } rows[] = {
      // 《河南省工伤保险条例》第二十七条第二款: the subsidies end the insurance relation.
      {"河南 五 leaving: the subsidies instead of the allowance, which stops at 解除日期, and no "
       "生活护理费 from the fund after it",
       "地区=河南 工伤等级=五 生活护理等级=生活部分不能自理 本人月均工资=5000 统筹月工资=6000 "
       "最低工资=4000 出生日期=1980-03-01 原退休年龄=50 解除日期=2030-01-01",
       {"一次性伤残补助金 90000.00 基金", "一次性工伤医疗补助金 96000.00 基金",
        "一次性伤残就业补助金 134400.00 用人单位"},
       "伤残津贴发至解除日期 2030-01-01"},
      {"grade 二 dying at work: no allowance, classic or topped, and no nursing",
       "工伤等级=二 生活护理等级=生活完全不能自理 本人月均工资=6000 统筹月工资=6000 工亡=是 "
       "死亡日期=2025-01-01 配偶=1",
       {"丧葬补助金 36000.00 基金", "一次性工亡补助金 1083760.00 基金",
        "供养亲属抚恤金 2400.00 基金 每月 每名供养亲属按月领取，至其不再符合供养条件",
        "一次性伤残补助金 150000.00 基金 如尚未支付"},
       "伤残津贴和生活护理费停发"},
      {"uninsured, dying after the leave: the employer pays all, no lump sum",
       "用人单位未参保=是 工伤等级=四 本人月均工资=6000 统筹月工资=6000 工亡=是 "
       "死亡情形=期满后死亡",
       {"丧葬补助金 36000.00 用人单位",
        "供养亲属抚恤金 0.00 用人单位 每月 每名供养亲属按月领取，至其不再符合供养条件",
        "一次性伤残补助金 126000.00 用人单位 如尚未支付"},
       "从工伤保险基金中先行支付"},  // 社会保险法第四十一条
      {"grade 五 still employed: the employer tops the allowance up; the subsidies would "
       "follow the worker's own request",
       "地区=河南 工伤等级=五 本人月均工资=5000 统筹月工资=6000 最低工资=3,600",
       {"一次性伤残补助金 90000.00 基金",
        "伤残津贴补足后 3600.00 用人单位 每月 至解除或者终止劳动关系或领取基本养老金"},
       "伤残津贴随之停发（《工伤保险条例》第三十六条）。填写解除日期后，按河南的标准算出这两项。"},
      {"内蒙古 has no employment figure for 七: shown without an amount",
       "地区=内蒙古 工伤等级=七 本人月均工资=6000 统筹月工资=6000 出生日期=1966-05-15 "
       "原退休年龄=60 解除日期=2020-01-01",
       {"一次性伤残补助金 78000.00 基金", "一次性工伤医疗补助金 96000.00 基金",
        "一次性伤残就业补助金 未知 用人单位"},
       ""},
      {"四川 has no figure: the two subsidies unknown, every other item computed",
       "地区=四川 工伤等级=五 本人月均工资=6000 统筹月工资=7000 "
       "出生日期=1970-03-01 原退休年龄=60 解除日期=2024-06-01 工亡=是 死亡日期=2024-09-01 配偶=1",
       {"丧葬补助金 42000.00 基金", "一次性工亡补助金 1036420.00 基金",
        "供养亲属抚恤金 2400.00 基金 每月 每名供养亲属按月领取，至其不再符合供养条件",
        "一次性伤残补助金 108000.00 基金 如尚未支付", "一次性工伤医疗补助金 未知 基金 如尚未支付",
        "一次性伤残就业补助金 未知 用人单位 如尚未支付"},
       "伤残津贴发至解除日期 2024-06-01"},
      {"七 without region or typed figures: both subsidies owed, unknown (Art. 37(二))",
       "工伤等级=七 本人月均工资=6000 统筹月工资=6000 出生日期=1966-05-15 原退休年龄=60 "
       "解除日期=2020-01-01 解除原因=本人提出",
       {"一次性伤残补助金 78000.00 基金", "一次性工伤医疗补助金 未知 基金",
        "一次性伤残就业补助金 未知 用人单位"},
       "金额未知、未计入合计的项目：一次性工伤医疗补助金（未选择地区，也未填写月数或金额）"},
      {"retired first (实施条例第二十一条): no subsidy nor 经济补偿, whatever 全省月工资 浙江 "
       "lacks; no Art. 36 note",
       "地区=浙江 工伤等级=五 本人月均工资=5000 统筹月工资=6000 出生日期=1960-03-01 原退休年龄=50 "
       "解除日期=2024-06-01 入职日期=2000-01-01 解除原因=劳动合同法第三十八条",
       {"一次性伤残补助金 90000.00 基金", "一次性工伤医疗补助金 0.00 基金",
        "一次性伤残就业补助金 0.00 用人单位"},
       "《劳动合同法实施条例》第二十一条"},
      {"一级 retired: the allowance until the pension, the fund's top-up after it (Art. 35(三))",
       "工伤等级=一 本人月均工资=6000 统筹月工资=6000 出生日期=1955-01-01 原退休年龄=60 "
       "基本养老金=4000 生活护理等级=生活完全不能自理",
       {"一次性伤残补助金 162000.00 基金",
        "伤残津贴补足后 5400.00 基金 每月 至领取基本养老金，法定退休日期 2015-01-01",
        "生活护理费 3000.00 基金 每月 终身",
        "退休后伤残津贴差额 1400.00 基金 每月 自领取基本养老金起，法定退休日期 2015-01-01"},
       ""},
      {"四级 dismissed unlawfully (第四十二条、第四十八条): 赔偿金 from the employer, insured or "
       "not; a pension above the allowance: a top-up of 0",
       "工伤等级=四 本人月均工资=6000 统筹月工资=6000 出生日期=1970-01-01 原退休年龄=60 "
       "入职日期=2015-03-01 解除日期=2024-02-29 解除原因=用人单位违法解除 用人单位未参保=是 "
       "基本养老金=9000",
       {"一次性伤残补助金 126000.00 用人单位", "赔偿金 108000.00 用人单位",
        "伤残津贴补足后 4500.00 用人单位 每月 至领取基本养老金，法定退休日期 2031-05-01",
        "退休后伤残津贴差额 0.00 用人单位 每月 自领取基本养老金起，法定退休日期 2031-05-01"},
       "不得依照《劳动合同法》第四十条、第四十一条的规定解除劳动合同（第四十二条第二项）"},
      {"用人单位解除 without its ground: neither item, the note gives the 赔偿金 a 第四十条 ground "
       "owes",
       "工伤等级=九 本人月均工资=5000 统筹月工资=6000 出生日期=1980-03-01 原退休年龄=50 "
       "地区=北京 解除日期=2025-12-31 入职日期=2016-01-01 解除原因=用人单位解除",
       {"一次性伤残补助金 45000.00 基金", "一次性工伤医疗补助金 36000.00 基金",
        "一次性伤残就业补助金 36000.00 用人单位"},
       "属违法解除，应付赔偿金 100000.00 元"},
      {"death on the 解除 day (劳动合同法第四十四条第三项): no subsidy, no 经济补偿",
       "工伤等级=七 本人月均工资=6000 统筹月工资=6000 出生日期=1966-05-15 原退休年龄=60 "
       "入职日期=2010-01-01 解除日期=2024-06-01 解除原因=劳动合同法第三十八条 工亡=是 "
       "死亡日期=2024-06-01",
       {"丧葬补助金 36000.00 基金", "一次性工亡补助金 1036420.00 基金",
        "供养亲属抚恤金 0.00 基金 每月 每名供养亲属按月领取，至其不再符合供养条件",
        "一次性伤残补助金 78000.00 基金 如尚未支付"},
       "第四十四条第三项"},
      // Art. 39(一) pays months of the pooling wage, Art. 64 bounds 本人工资 by it.
      {"统筹月工资 empty: its items unknown, the others computed, the worker's own apart",
       "工伤等级=七 本人月均工资=6000 医疗费=1000 工亡=是 死亡日期=2024-09-01",
       {"丧葬补助金 未知 基金", "一次性工亡补助金 1036420.00 基金",
        "供养亲属抚恤金 未知 基金 每月 ", "一次性伤残补助金 未知 基金 如尚未支付",
        "医疗费 1000.00 基金 如尚未支付"},
       "丧葬补助金（计算丧葬补助金需要「统筹月工资」）"},
      // Before 2011-01-01 the 2003 text: 48–60 months of the pooling wage, not computed.
      {"a death in 2010: the lump sum unknown, the other two computed",
       "工伤等级=七 本人月均工资=6000 统筹月工资=3000 工亡=是 死亡日期=2010-06-01 配偶=1",
       {"丧葬补助金 18000.00 基金", "一次性工亡补助金 未知 基金",
        "供养亲属抚恤金 2400.00 基金 每月 每名供养亲属按月领取，至其不再符合供养条件",
        "一次性伤残补助金 78000.00 基金 如尚未支付"},
       "适用 2003 年的《工伤保险条例》"},
      // Art. 36(二): the employer pays 五/六 the allowance only 难以安排工作的.
      {"grade 五 given suitable work: no allowance, classic or topped",
       "工伤等级=五 本人月均工资=5000 统筹月工资=6000 已安排适当工作=是",
       {"一次性伤残补助金 90000.00 基金"},
       "第三十六条第一款第（二）项"},
      {"blanks around the region's name: the region all the same; the subsidies would also "
       "follow the contract's end",
       "地区=\u3000浙江 工伤等级=九 本人月均工资=6000 统筹月工资=6000",
       {"一次性伤残补助金 54000.00 基金"},
       "由用人单位支付一次性伤残就业补助金（《工伤保险条例》第三十七条第（二）项）"},
  };
  for (const Row& r : rows) {
    const Statement s = statement_of(r.fields);
    EXPECT_EQ(items(s), r.items) << r.what;
    EXPECT_TRUE(r.note.empty() || has_note(s, r.note)) << r.what;
  }
  const Statement leaving = statement_of(rows[0].fields);
  EXPECT_EQ(leaving.once.fen, 32040000);
  EXPECT_EQ(leaving.once.employer_fen, 13440000);
  EXPECT_EQ(leaving.monthly.fen, 0);
  EXPECT_TRUE(has_note(leaving, "工伤保险关系同时终止"));
  EXPECT_FALSE(has_note(statement_of(rows[7].fields), "伤残津贴发至解除日期"));
  // The top-up follows the allowance: only the allowance and the nursing add up.
  EXPECT_EQ(statement_of(rows[8].fields).monthly.fen, 840000);
  EXPECT_FALSE(has_note(leaving, "填写解除日期后"));
  // 七级 has no allowance to stop at death (Art. 37), nor a care level here.
  EXPECT_FALSE(has_note(statement_of(rows[11].fields), "停发"));
  const Statement gap = statement_of(rows[4].fields);
  EXPECT_EQ(gap.items.back().working, kUnknownFigure);
  EXPECT_EQ(gap.items.back().status, "转载未核对");
  const Statement none_found = statement_of(rows[5].fields);
  EXPECT_EQ(none_found.data_status, "未找到数字；部分金额未知");
  EXPECT_EQ(none_found.items[4].status, "未找到数字");
  EXPECT_EQ(none_found.items[4].working,
            "地区“四川”没有一次性工伤医疗补助金的数字，请向当地社保经办机构核实");
  EXPECT_EQ(statement_of(std::end(rows)[-1].fields).region, shipped().find("浙江"));
  // The family's totals leave out the worker's own items, which have theirs.
  const Statement blank = statement_of(std::end(rows)[-4].fields);
  EXPECT_EQ(blank.once.fen, 103642000);
  EXPECT_EQ(blank.if_unpaid.fen, 100000);
  EXPECT_EQ(blank.data_status, "部分金额未知");
  const Evaluation e = evaluate(case_line(std::end(rows)[-4].fields), shipped());
  ASSERT_EQ(e.needed.size(), 1u);
  EXPECT_EQ(message(e.needed[0]),
            "「统筹月工资」为空：计算一次性伤残补助金、丧葬补助金、供养亲属抚恤金需要此项");
}

// A user's figures, whatever status their file claims, are never shown as the shipped check.
TEST(Statement, DataStatusSaysWhoseFiguresTheyAre) {
  Rules rules = shipped();
  Region& zhejiang = const_cast<Region&>(*rules.find("浙江"));
  zhejiang.user_file = true;
  const Statement s = statement_of(
      "地区=浙江 工伤等级=七 本人月均工资=6000 统筹月工资=6000 全省月工资=7000 出生日期=1966-05-15 "
      "原退休年龄=60 解除日期=2023-10-15 工亡=是 死亡日期=2026-01-01",
      rules);
  EXPECT_EQ(s.data_status, "条文已核对；用户规则文件；2025年收入未确认");
  EXPECT_EQ(s.items[4].status, "条文已核对；用户规则文件");
  EXPECT_TRUE(has_note(s, "使用者提供的规则文件"));
}

// The first in the order a batch row has always named it, the list for the window in form order.
TEST(Statement, EveryUnreadableFieldInEffectIsNamedOnce) {
  const Evaluation e = evaluate(
      case_line("医疗费=1,00 出生日期=2025-02-30 地区=火星 配偶=5 停薪月数=25 医疗补助金基数=x"),
      shipped());
  std::vector<std::string_view> named;
  for (const Problem& p : e.reading.problems) named.push_back(p.subject);
  // 配偶 is out of effect without 工亡 是, the typed figures with a region.
  EXPECT_EQ(named, (std::vector<std::string_view>{"停薪月数", "医疗费", "地区", "出生日期"}));
  EXPECT_EQ(e.why_none(), "请先改正标红的栏目：地区、停薪月数、出生日期、医疗费");
  EXPECT_FALSE(e.in_effect(Field::kSpouse));
  EXPECT_FALSE(e.in_effect(Field::kMedicalBase));
  EXPECT_TRUE(e.in_effect(Field::kDeath));
}

TEST(Statement, TheReportListsTheInputsGivenInEffect) {
  const Statement s = statement_of(
      "姓名=\u3000张三 单位=\u3000 地区=浙江 工伤等级=七 停薪月数=6 住院天数=0 职业病=否 "
      "原退休年龄=60 配偶=1 护理级别=部分护理 本人月均工资=6000 统筹月工资=5000 护理天数=20");
  std::string given;
  for (const auto& [field, text] : s.inputs) given += std::string(field) + "=" + text + " ";
  EXPECT_EQ(given,
            "姓名=张三 地区=浙江 工伤等级=七 护理级别=部分护理 本人月均工资=6000 统筹月工资=5000 "
            "停薪月数=6 护理天数=20 原退休年龄=60 岁 ");
  // The working's amounts to the fen, as the amounts are shown.
  const auto nursing = std::ranges::find(s.items, "停工留薪期护理费", &StatementItem::name);
  ASSERT_NE(nursing, s.items.end());
  EXPECT_NE(nursing->working.find("÷ 21.75 = 1655.17（"), std::string::npos) << nursing->working;
}

}  // namespace
}  // namespace gongshang
