#include "engine/explanation.h"

#include <string>

#include <gtest/gtest.h>

namespace gongshang {
namespace {

using R = Result;

struct Case {
  const char* what;
  Breakdown b;
  R field;
  std::string_view text;
  Figures figures = Figures::kAsShown;
};

// Inputs in the window's order, as in compensation_test.cpp.
const Case kCases[] = {
    {"subsidy, grade five", *work_out({"五", "", "3500", "4000"}), R::kSubsidy,
     "本人月均工资 3500 在统筹月工资 4000 的 60% 至 300% 之间，按 3500 计（第六十四条）\n"
     "本人工资 3500 × 18 个月 = 63000（《工伤保险条例》第三十六条）"},
    {"lower bound with rounding", *work_out({"一", "", "2000", "4672"}), R::kAllowance,
     "本人月均工资 2000 低于统筹月工资 4672 的 60%，按 2803.2 取整为 2803（第六十四条）\n"
     "本人工资 2803 × 90% = 2522.7（《工伤保险条例》第三十五条）"},
    {"upper bound", *work_out({"二", "", "13000", "4000"}), R::kAllowance,
     "本人月均工资 13000 高于统筹月工资 4000 的 300%，按 12000 计（第六十四条）\n"
     "本人工资 12000 × 85% = 10200（《工伤保险条例》第三十五条）"},
    {"grade ten has no allowance", *work_out({"十"}), R::kAllowance,
     "七级至十级伤残不按月发给伤残津贴，为 0（《工伤保险条例》第三十七条）"},
    {"no grade", *work_out({}), R::kSubsidy,
     "未选工伤等级，伤残补助金为 0（《工伤保险条例》第三十五至三十七条）"},
    {"no nursing level", *work_out({}), R::kNursing,
     "未选护理级别，护理费为 0（《工伤保险条例》第三十三、三十四条）"},
    {"paid leave uses the own wage as read", *work_out({"", "", "3,500", "", "6"}), R::kLeaveWage,
     "本人月均工资 3 × 停薪月数 6 = 18（《工伤保险条例》第三十三条）"},
    {"meal subsidy", *work_out({"", "", "", "", "", "３０"}), R::kHospitalMeals,
     "住院天数 30 × 50 元 = 1500（《工伤保险条例》第三十条）"},
    {"assistive devices", *work_out({"", "", "", "", "", "", "", "", "", "800元"}), R::kDevices,
     "辅助器具费按读入的金额 800 计入（《工伤保险条例》第三十二条）"},
    {"total adds the shown texts",
     *work_out({"", "", "", "", "", "", "", "", "0.00001", "", "", "-5"}), R::kTotal,
     "以上十项显示的金额相加：0 + 0 + 0 + 0 + 0 + 0 + 1E-05 + 0 + 0 + -5 = -4.99999"},
    // A statement shows each result in yuan and fen and a wage worked out to
    // the fen; what was typed stays as typed.
    {"to the fen", *work_out({"", "大部分护理", "2000", "4672.335", "", "", "", "30"}), R::kNursing,
     "本人月均工资 2000 低于统筹月工资 4672.335 的 60%，按 2803.4 取整为 2803（第六十四条）\n"
     "大部分护理 40% × 护理天数 30 × 本人工资 2803 ÷ 21.75 = 1546.48"
     "（《工伤保险条例》第三十三、三十四条）",
     Figures::kToTheFen},
};

TEST(Explain, ShowsTheWorkingWithTheShownTexts) {
  for (const auto& c : kCases) EXPECT_EQ(explain(c.b, c.figures)[index(c.field)], c.text) << c.what;
}

TEST(RuleInWords, SpellsOutTheTables) {
  EXPECT_EQ(rule_in_words(R::kAllowance),
            "每月伤残津贴：本人工资 × 伤残等级对应的比例\n"
            "一级 90%、二级 85%、三级 80%、四级 75%、五级 70%、六级 60%；\n"
            "七级至十级不按月发给（《工伤保险条例》第三十五、三十六条）");
  EXPECT_EQ(rule_in_words(R::kNursing),
            "护理费：护理级别对应的比例 × 护理天数 × 本人工资 ÷ 21.75 天\n"
            "完全护理 50%、大部分护理 40%、部分护理 30%\n（《工伤保险条例》第三十三、三十四条）");
  EXPECT_EQ(rule_in_words(R::kTotal), "合计：以上十项所显示金额之和");
}

}  // namespace
}  // namespace gongshang
