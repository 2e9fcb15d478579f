#include "engine/compensation.h"

#include <string>

#include <gtest/gtest.h>

namespace gongshang {
namespace {

// A case as a person fills the window, fields in the window's order, trailing
// empty ones left out: 工伤等级, 护理级别, 本人月均工资, 统筹月工资, 停薪月数, 住院天数,
// 住宿天数, 护理天数, 医疗费, 辅助器具费, 交通费, 营养费. The results likewise: 伤残补助金,
// 伤残津贴, 停薪工资, 住院伙食补助, 住宿费, 护理费, the four expenses, 合计; an empty
// text is not checked.
struct Case {
  const char* what;
  InputTexts in;
  ResultTexts out;
};

const Case kCases[] = {
    {"full calculation",
     {"五", "大部分护理", "3500", "4000", "6", "30", "10", "30", "12000.5", "800", "300", "1000"},
     {"63000", "2450", "21000", "1500", "800", "1931.03451153328", "12000.5", "800", "300", "1000",
      "104781.534511533"}},
    {"every input empty", {}, {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}},
    {"half goes to even, down", {"一", "", "4500.5", "4000"}, {"121500"}},
    {"half goes to even, up", {"一", "", "4501.5", "4000"}, {"121554"}},
    // Paid leave takes the own wage past the bounds (here a base wage of 0).
    {"empty pooling wage",
     {"一", "完全护理", "3000", "", "2", "", "", "10"},
     {"0", "0", "6000", "", "", "0", "", "", "", "", "6000"}},
    {"grade seven: no allowance", {"七", "", "3000", "3000"}, {"39000", "0"}},
    {"grade text not in the table", {"五 ", "", "3000", "3000"}, {"0", "0"}},
    {"nursing arithmetic order shows in the last digit",
     {"", "完全护理", "1032", "1500", "", "", "", "3"},
     {"", "", "", "", "", "71.1724137931035"}},
    {"single-precision nursing rate",
     {"", "部分护理", "3000", "3000", "", "", "", "7"},
     {"", "", "", "", "", "289.655183923656"}},
    {"single form hides single-precision noise",
     {"一", "", "4672", "4672"},
     {"", "4204.8", "", "", "", "", "", "", "", "", "130348.8"}},
    {"carried expenses as read, total reads the texts back",
     {"", "", "", "", "", "", "", "", "1234567890123456", "", "1,000", "0.00001"},
     {"", "", "", "", "", "", "1.23456789012346E+15", "", "1", "1E-05", "1.23456789012346E+15"}},
    {"meal and lodging per day",
     {"", "", "", "", "", "12.5", "3"},
     {"", "", "", "625", "240", "", "", "", "", "", "865"}},
    {"base wage past single precision keeps the single product",
     {"一", "", "16777217", "16777217"},
     {"4.529848E+08"}},
};

TEST(Calculate, ResultsDigitForDigit) {
  for (const auto& c : kCases) {
    Outcome out = calculate(c.in);
    ASSERT_TRUE(out) << c.what;
    for (std::size_t i = 0; i < kResultCount; ++i) {
      if (c.out[i].empty()) continue;
      EXPECT_EQ((*out)[i], c.out[i]) << c.what << ": " << kResults[i].name;
    }
  }
}

// A figure no double holds is refused as read (数值), one that overflows in
// the arithmetic as a result (计算结果); either names the field concerned.
// The formulas share one overflow check: the subsidy's and the total's rows stand for all.
TEST(Calculate, RefusesWhatCannotBeComputed) {
  const struct {
    const char* what;
    InputTexts in;
    std::string_view field;
    bool computed;
  } kRefusals[] = {
      {"first bad field in input order",
       {"", "", "&H1FFFFFFFF", "", "", "", "", "", "", "", "1E999"},
       "本人月均工资",
       false},
      {"unused field still refused", {"", "", "", "", "", "", "", "1e400"}, "护理天数", false},
      {"three times a huge negative pooling wage", {"", "", "", "-1E308"}, "统筹月工资", false},
      {"subsidy past single range", {"一", "", "1E38", "1E38"}, "伤残补助金", true},
      {"no grade: infinity × 0", {"", "", "1E39", "1E39"}, "伤残补助金", true},
      {"total overflows", {"", "", "", "", "", "", "", "", "1E308", "", "1E308"}, "合计", true},
      {"text rounded past the largest double",
       {"", "", "", "", "", "", "", "", "1.7976931348623157E308"},
       "合计",
       true},
  };
  for (const auto& c : kRefusals) {
    Outcome out = calculate(c.in);
    ASSERT_FALSE(out) << c.what;
    EXPECT_EQ(out.problem().subject, c.field) << c.what;
    const std::string kind = c.computed ? "」的计算结果" : "」的数值";
    EXPECT_EQ(message(out.problem()), "「" + std::string(c.field) + kind + "超出可计算范围")
        << c.what;
  }
}

}  // namespace
}  // namespace gongshang
