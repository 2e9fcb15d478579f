#include "engine/compensation.h"

#include <string>

#include <gtest/gtest.h>

namespace gongshang {
namespace {

// A case as a person fills the window: only the fields that matter are named.
struct Case {
  const char* what;
  InputTexts in;
  ResultTexts out;  // empty texts are not checked
};

// Fills the named fields of an input or expected-result array; the rest stay empty.
template <class Texts, class Field>
Texts texts(std::initializer_list<std::pair<Field, std::string_view>> fields) {
  Texts out{};
  for (auto [f, t] : fields) out[index(f)] = t;
  return out;
}
constexpr auto inputs = texts<InputTexts, Input>;
const auto expect = texts<ResultTexts, Result>;

using I = Input;
using R = Result;

// Inputs in the window's order, trailing empty fields left out: 工伤等级, 护理级别,
// 本人月均工资, 统筹月工资, 停薪月数, 住院天数, 住宿天数, 护理天数, then the expenses.
const Case kCases[] = {
    {"full calculation",
     {"五", "大部分护理", "3500", "4000", "6", "30", "10", "30", "12000.5", "800", "300", "1000"},
     {"63000", "2450", "21000", "1500", "800", "1931.03451153328", "12000.5", "800", "300", "1000",
      "104781.534511533"}},
    {"every input empty", {}, {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}},
    {"own wage above three times the pooling wage",
     {"一", "", "13000", "4000"},
     expect({{R::kSubsidy, "324000"}, {R::kAllowance, "10800"}})},
    {"own wage below 60 percent",
     {"一", "", "2000", "4672"},
     expect({{R::kSubsidy, "75681"}, {R::kAllowance, "2522.7"}})},
    {"half goes to even, down", {"一", "", "4500.5", "4000"}, expect({{R::kSubsidy, "121500"}})},
    {"half goes to even, up", {"一", "", "4501.5", "4000"}, expect({{R::kSubsidy, "121554"}})},
    {"empty pooling wage: base wage 0, paid leave still uses own wage",
     {"一", "完全护理", "3000", "", "2", "", "", "10"},
     expect({{R::kSubsidy, "0"},
             {R::kAllowance, "0"},
             {R::kLeaveWage, "6000"},
             {R::kNursing, "0"},
             {R::kTotal, "6000"}})},
    {"grade seven: no allowance",
     {"七", "", "3000", "3000"},
     expect({{R::kSubsidy, "39000"}, {R::kAllowance, "0"}})},
    {"grade text not in the table",
     {"五 ", "", "3000", "3000"},
     expect({{R::kSubsidy, "0"}, {R::kAllowance, "0"}})},
    {"nursing arithmetic order shows in the last digit",
     {"", "完全护理", "1032", "1500", "", "", "", "3"},
     expect({{R::kNursing, "71.1724137931035"}})},
    {"single-precision nursing rate",
     {"", "部分护理", "3000", "3000", "", "", "", "7"},
     expect({{R::kNursing, "289.655183923656"}})},
    {"paid leave ignores the bounds",
     {"", "", "20000", "4000", "3"},
     expect({{R::kLeaveWage, "60000"}})},
    {"single form hides single-precision noise",
     {"一", "", "4672", "4672"},
     expect({{R::kAllowance, "4204.8"}, {R::kTotal, "130348.8"}})},
    {"carried expenses as read, total reads the texts back",
     inputs({{I::kMedical, "1234567890123456"}, {I::kNutrition, "0.00001"}, {I::kTravel, "1,000"}}),
     expect({{R::kMedical, "1.23456789012346E+15"},
             {R::kNutrition, "1E-05"},
             {R::kTravel, "1"},
             {R::kTotal, "1.23456789012346E+15"}})},
    {"meal and lodging per day", inputs({{I::kHospitalDays, "12.5"}, {I::kLodgingDays, "3"}}),
     expect({{R::kHospitalMeals, "625"}, {R::kLodging, "240"}, {R::kTotal, "865"}})},
    {"base wage beyond 16 bits",
     {"一", "", "40000", "12000"},
     expect({{R::kSubsidy, "972000"}, {R::kAllowance, "32400"}})},
    {"base wage past single precision keeps the single product",
     {"一", "", "16777217", "16777217"},
     expect({{R::kSubsidy, "4.529848E+08"}})},
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
struct RefusalCase {
  const char* what;
  InputTexts in;
  std::string_view field;
  bool computed;
};

const RefusalCase kRefusals[] = {
    {"first bad field in input order",
     inputs({{I::kTravel, "1E999"}, {I::kOwnWage, "&H1FFFFFFFF"}}), "本人月均工资", false},
    {"unused field still refused", inputs({{I::kNursingDays, "1e400"}}), "护理天数", false},
    {"three times a huge negative pooling wage", {"", "", "", "-1E308"}, "统筹月工资", false},
    {"subsidy past single range", {"一", "", "1E38", "1E38"}, "伤残补助金", true},
    {"no grade: infinity × 0", {"", "", "1E39", "1E39"}, "伤残补助金", true},
    {"paid-leave product overflows", inputs({{I::kOwnWage, "1E200"}, {I::kLeaveMonths, "1E200"}}),
     "停薪工资", true},
    {"meal subsidy overflows", inputs({{I::kHospitalDays, "1E307"}}), "住院伙食补助", true},
    {"nursing fee overflows",
     {"", "完全护理", "1E30", "1E30", "", "", "", "1E300"},
     "护理费",
     true},
    {"total overflows", inputs({{I::kMedical, "1E308"}, {I::kTravel, "1E308"}}), "合计", true},
    {"text rounded past the largest double", inputs({{I::kMedical, "1.7976931348623157E308"}}),
     "合计", true},
};

TEST(Calculate, RefusesWhatCannotBeComputed) {
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
