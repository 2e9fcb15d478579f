#include "compensation.h"

#include <string>

#include <gtest/gtest.h>

#include "utf8_text.h"

namespace gongshang {
namespace {

// A case as a person fills the window: only the fields that matter are named.
struct Case {
  const char* what;
  InputTexts in;
  ResultTexts out;  // empty texts are not checked
};

InputTexts inputs(std::initializer_list<std::pair<InputField, std::u16string_view>> fields) {
  InputTexts in{};
  for (auto [f, t] : fields) in[index(f)] = t;
  return in;
}

ResultTexts expect(std::initializer_list<std::pair<ResultField, std::u16string_view>> fields) {
  ResultTexts out{};
  for (auto [f, t] : fields) out[index(f)] = t;
  return out;
}

using I = InputField;
using R = ResultField;

const ResultTexts& run(const Case& c, Outcome& holder) {
  holder = calculate(c.in);
  if (auto* r = std::get_if<Refusal>(&holder)) ADD_FAILURE() << c.what << ": " << utf8(r->message);
  static const ResultTexts kNone{};
  return std::holds_alternative<ResultTexts>(holder) ? std::get<ResultTexts>(holder) : kNone;
}

const Case kCases[] = {
    {"full calculation",
     {u"五", u"大部分护理", u"3500", u"4000", u"6", u"30", u"10", u"30", u"12000.5", u"800", u"300",
      u"1000"},
     {u"63000", u"2450", u"21000", u"1500", u"800", u"1931.03451153328", u"12000.5", u"800", u"300",
      u"1000", u"104781.534511533"}},
    {"every input empty", {}, {u"0", u"0", u"0", u"0", u"0", u"0", u"0", u"0", u"0", u"0", u"0"}},
    {"own wage above three times the pooling wage",
     inputs({{I::工伤等级, u"一"}, {I::本人月均工资, u"13000"}, {I::统筹月工资, u"4000"}}),
     expect({{R::伤残补助金, u"324000"}, {R::每月伤残津贴, u"10800"}})},
    {"own wage exactly three times: own wage taken",
     inputs({{I::工伤等级, u"一"}, {I::本人月均工资, u"12000"}, {I::统筹月工资, u"4000"}}),
     expect({{R::伤残补助金, u"324000"}, {R::每月伤残津贴, u"10800"}})},
    {"own wage below 60 percent",
     inputs({{I::工伤等级, u"一"}, {I::本人月均工资, u"2000"}, {I::统筹月工资, u"4672"}}),
     expect({{R::伤残补助金, u"75681"}, {R::每月伤残津贴, u"2522.7"}})},
    {"own wage exactly 60 percent: own wage taken",
     inputs({{I::工伤等级, u"一"}, {I::本人月均工资, u"2400"}, {I::统筹月工资, u"4000"}}),
     expect({{R::伤残补助金, u"64800"}})},
    {"half goes to even, down",
     inputs({{I::工伤等级, u"一"}, {I::本人月均工资, u"4500.5"}, {I::统筹月工资, u"4000"}}),
     expect({{R::伤残补助金, u"121500"}})},
    {"half goes to even, up",
     inputs({{I::工伤等级, u"一"}, {I::本人月均工资, u"4501.5"}, {I::统筹月工资, u"4000"}}),
     expect({{R::伤残补助金, u"121554"}})},
    {"empty pooling wage: base wage 0, paid leave still uses own wage",
     inputs({{I::工伤等级, u"一"},
             {I::护理级别, u"完全护理"},
             {I::本人月均工资, u"3000"},
             {I::停薪月数, u"2"},
             {I::护理天数, u"10"}}),
     expect({{R::伤残补助金, u"0"},
             {R::每月伤残津贴, u"0"},
             {R::停薪工资, u"6000"},
             {R::护理费, u"0"},
             {R::合计, u"6000"}})},
    {"grade seven: no allowance",
     inputs({{I::工伤等级, u"七"}, {I::本人月均工资, u"3000"}, {I::统筹月工资, u"3000"}}),
     expect({{R::伤残补助金, u"39000"}, {R::每月伤残津贴, u"0"}})},
    {"grade ten",
     inputs({{I::工伤等级, u"十"}, {I::本人月均工资, u"3000"}, {I::统筹月工资, u"3000"}}),
     expect({{R::伤残补助金, u"21000"}, {R::每月伤残津贴, u"0"}})},
    {"grade text not in the table",
     inputs({{I::工伤等级, u"五 "}, {I::本人月均工资, u"3000"}, {I::统筹月工资, u"3000"}}),
     expect({{R::伤残补助金, u"0"}, {R::每月伤残津贴, u"0"}})},
    {"empty nursing level",
     inputs({{I::本人月均工资, u"3000"}, {I::统筹月工资, u"3000"}, {I::护理天数, u"30"}}),
     expect({{R::护理费, u"0"}})},
    {"nursing arithmetic order shows in the last digit",
     inputs({{I::护理级别, u"完全护理"},
             {I::本人月均工资, u"1032"},
             {I::统筹月工资, u"1500"},
             {I::护理天数, u"3"}}),
     expect({{R::护理费, u"71.1724137931035"}})},
    {"single-precision nursing rate",
     inputs({{I::护理级别, u"部分护理"},
             {I::本人月均工资, u"3000"},
             {I::统筹月工资, u"3000"},
             {I::护理天数, u"7"}}),
     expect({{R::护理费, u"289.655183923656"}})},
    {"paid leave ignores the bounds",
     inputs({{I::本人月均工资, u"20000"}, {I::统筹月工资, u"4000"}, {I::停薪月数, u"3"}}),
     expect({{R::停薪工资, u"60000"}})},
    {"single form hides single-precision noise",
     inputs({{I::工伤等级, u"一"}, {I::本人月均工资, u"4672"}, {I::统筹月工资, u"4672"}}),
     expect({{R::每月伤残津贴, u"4204.8"}, {R::合计, u"130348.8"}})},
    {"carried expenses as read, total reads the texts back",
     inputs({{I::医疗费, u"1234567890123456"}, {I::营养费, u"0.00001"}, {I::交通费, u"1,000"}}),
     expect({{R::计算医疗费, u"1.23456789012346E+15"},
             {R::计算营养费, u"1E-05"},
             {R::计算交通费, u"1"},
             {R::合计, u"1.23456789012346E+15"}})},
    {"total sums the seven-digit allowance text",
     inputs({{I::工伤等级, u"一"},
             {I::本人月均工资, u"2000"},
             {I::统筹月工资, u"4672"},
             {I::医疗费, u"0.3"}}),
     expect({{R::合计, u"78204"}})},
    {"meal and lodging per day", inputs({{I::住院天数, u"12.5"}, {I::住宿天数, u"3"}}),
     expect({{R::住院伙食补助, u"625"}, {R::住宿费, u"240"}, {R::合计, u"865"}})},
    {"base wage beyond 16 bits",
     inputs({{I::工伤等级, u"一"}, {I::本人月均工资, u"40000"}, {I::统筹月工资, u"12000"}}),
     expect({{R::伤残补助金, u"972000"}, {R::每月伤残津贴, u"32400"}})},
    {"lower bound beyond 16 bits",
     inputs({{I::工伤等级, u"二"}, {I::本人月均工资, u"0"}, {I::统筹月工资, u"60000"}}),
     expect({{R::伤残补助金, u"900000"}, {R::每月伤残津贴, u"30600"}})},
    {"negative wages",
     inputs({{I::工伤等级, u"一"}, {I::本人月均工资, u"-100"}, {I::统筹月工资, u"-100"}}),
     expect({{R::伤残补助金, u"-8100"}})},
    {"full-width input",
     inputs({{I::工伤等级, u"五"}, {I::本人月均工资, u"３５００"}, {I::统筹月工资, u"４０００"}}),
     expect({{R::伤残补助金, u"63000"}})},
    {"base wage past single precision keeps the single product",
     inputs({{I::工伤等级, u"一"}, {I::本人月均工资, u"16777217"}, {I::统筹月工资, u"16777217"}}),
     expect({{R::伤残补助金, u"4.529848E+08"}})},
};

TEST(Calculate, ResultsDigitForDigit) {
  for (const auto& c : kCases) {
    Outcome holder;
    const ResultTexts& got = run(c, holder);
    for (std::size_t i = 0; i < kResultCount; ++i) {
      if (c.out[i].empty()) continue;
      EXPECT_EQ(got[i], c.out[i]) << c.what << ": " << utf8(kResultNames[i]);
    }
  }
}

TEST(Calculate, SameInputsSameTexts) {
  const Case& c = kCases[0];
  EXPECT_EQ(calculate(c.in), calculate(c.in));
}

struct RefusalCase {
  const char* what;
  InputTexts in;
  std::u16string_view field;
  std::u16string_view message;
};

const RefusalCase kRefusals[] = {
    {"pooling wage beyond doubles", inputs({{I::统筹月工资, u"1E400"}}), u"统筹月工资",
     u"「统筹月工资」的数值超出可计算范围"},
    {"negative beyond doubles", inputs({{I::营养费, u"-1E309"}}), u"营养费",
     u"「营养费」的数值超出可计算范围"},
    {"first bad field in input order",
     inputs({{I::交通费, u"1E999"}, {I::本人月均工资, u"&H1FFFFFFFF"}}), u"本人月均工资",
     u"「本人月均工资」的数值超出可计算范围"},
    {"unused field still refused", inputs({{I::护理天数, u"1e400"}}), u"护理天数",
     u"「护理天数」的数值超出可计算范围"},
    {"three times a huge negative pooling wage", inputs({{I::统筹月工资, u"-1E308"}}),
     u"统筹月工资", u"「统筹月工资」的数值超出可计算范围"},
    {"subsidy past single range",
     inputs({{I::工伤等级, u"一"}, {I::本人月均工资, u"1E38"}, {I::统筹月工资, u"1E38"}}),
     u"伤残补助金", u"「伤残补助金」的计算结果超出可计算范围"},
    {"base wage past single range, empty grade (infinity times zero)",
     inputs({{I::本人月均工资, u"1E39"}, {I::统筹月工资, u"1E39"}}), u"伤残补助金",
     u"「伤残补助金」的计算结果超出可计算范围"},
    {"paid-leave product overflows", inputs({{I::本人月均工资, u"1E200"}, {I::停薪月数, u"1E200"}}),
     u"停薪工资", u"「停薪工资」的计算结果超出可计算范围"},
    {"meal subsidy overflows", inputs({{I::住院天数, u"1E307"}}), u"住院伙食补助",
     u"「住院伙食补助」的计算结果超出可计算范围"},
    {"lodging overflows", inputs({{I::住宿天数, u"-1E307"}}), u"住宿费",
     u"「住宿费」的计算结果超出可计算范围"},
    {"nursing fee overflows",
     inputs({{I::护理级别, u"完全护理"},
             {I::本人月均工资, u"1E30"},
             {I::统筹月工资, u"1E30"},
             {I::护理天数, u"1E300"}}),
     u"护理费", u"「护理费」的计算结果超出可计算范围"},
    {"total overflows", inputs({{I::医疗费, u"1E308"}, {I::交通费, u"1E308"}}), u"合计",
     u"「合计」的计算结果超出可计算范围"},
    {"text rounded past the largest double", inputs({{I::医疗费, u"1.7976931348623157E308"}}),
     u"合计", u"「合计」的计算结果超出可计算范围"},
};

TEST(Calculate, RefusesWhatCannotBeComputed) {
  for (const auto& c : kRefusals) {
    Outcome out = calculate(c.in);
    const auto* r = std::get_if<Refusal>(&out);
    ASSERT_NE(r, nullptr) << c.what;
    EXPECT_EQ(r->field, c.field) << c.what;
    EXPECT_EQ(r->message, c.message) << c.what;
  }
}

TEST(WorkOut, KeepsTheFiguresBehindTheTexts) {
  auto w = work_out(
      inputs({{I::工伤等级, u"一"}, {I::本人月均工资, u"2000"}, {I::统筹月工资, u"4672"}}));
  const auto& b = std::get<Breakdown>(w);
  EXPECT_EQ(b.bound, WageBound::kLower);
  EXPECT_EQ(b.chosen_wage, 4672 * 0.6);
  EXPECT_EQ(b.base_wage, 2803);
  EXPECT_EQ(b.subsidy_months, 27.0f);
  EXPECT_EQ(b.allowance_rate, 0.9f);
}

}  // namespace
}  // namespace gongshang
