#include "explanation.h"

#include <string>

#include <gtest/gtest.h>

#include "utf8_text.h"

namespace gongshang {
namespace {

using I = InputField;
using R = ResultField;

Breakdown working(std::initializer_list<std::pair<I, std::u16string_view>> fields) {
  InputTexts in{};
  for (auto [f, t] : fields) in[index(f)] = t;
  return std::get<Breakdown>(work_out(in));
}

struct Case {
  const char* what;
  Breakdown b;
  R field;
  std::u16string_view text;
};

const Case kCases[] = {
    {"subsidy, grade five",
     working({{I::工伤等级, u"五"}, {I::本人月均工资, u"3500"}, {I::统筹月工资, u"4000"}}),
     R::伤残补助金,
     u"本人月均工资 3500 在统筹月工资 4000 的 60% 至 300% 之间，按 3500 计（第六十四条）\n"
     u"本人工资 3500 × 18 个月 = 63000（《工伤保险条例》第三十六条）"},
    {"lower bound with rounding",
     working({{I::工伤等级, u"一"}, {I::本人月均工资, u"2000"}, {I::统筹月工资, u"4672"}}),
     R::每月伤残津贴,
     u"本人月均工资 2000 低于统筹月工资 4672 的 60%，按 2803.2 取整为 2803（第六十四条）\n"
     u"本人工资 2803 × 90% = 2522.7（《工伤保险条例》第三十五条）"},
    {"upper bound",
     working({{I::工伤等级, u"二"}, {I::本人月均工资, u"13000"}, {I::统筹月工资, u"4000"}}),
     R::每月伤残津贴,
     u"本人月均工资 13000 高于统筹月工资 4000 的 300%，按 12000 计（第六十四条）\n"
     u"本人工资 12000 × 85% = 10200（《工伤保险条例》第三十五条）"},
    {"grade eight has no allowance", working({{I::工伤等级, u"八"}}), R::每月伤残津贴,
     u"七级至十级伤残不按月发给伤残津贴，为 0（《工伤保险条例》第三十七条）"},
    {"no grade", working({}), R::伤残补助金,
     u"未选工伤等级，伤残补助金为 0（《工伤保险条例》第三十五至三十七条）"},
    {"nursing fee",
     working({{I::护理级别, u"大部分护理"},
              {I::本人月均工资, u"3500"},
              {I::统筹月工资, u"4000"},
              {I::护理天数, u"30"}}),
     R::护理费,
     u"本人月均工资 3500 在统筹月工资 4000 的 60% 至 300% 之间，按 3500 计（第六十四条）\n"
     u"大部分护理 40% × 护理天数 30 × 本人工资 3500 ÷ 21.75 = 1931.03451153328"
     u"（《工伤保险条例》第三十三、三十四条）"},
    {"paid leave uses the own wage as read",
     working({{I::本人月均工资, u"3,500"}, {I::停薪月数, u"6"}}), R::停薪工资,
     u"本人月均工资 3 × 停薪月数 6 = 18（《工伤保险条例》第三十三条）"},
    {"meal subsidy", working({{I::住院天数, u"３０"}}), R::住院伙食补助,
     u"住院天数 30 × 50 元 = 1500（《工伤保险条例》第三十条）"},
    {"assistive devices", working({{I::辅助器具费, u"800元"}}), R::计算辅助器具费,
     u"辅助器具费按读入的金额 800 计入（《工伤保险条例》第三十二条）"},
    {"total adds the shown texts", working({{I::医疗费, u"0.00001"}, {I::营养费, u"-5"}}), R::合计,
     u"以上十项显示的金额相加：0 + 0 + 0 + 0 + 0 + 0 + 1E-05 + 0 + 0 + -5 = -4.99999"},
};

TEST(Explain, ShowsTheWorkingWithTheShownTexts) {
  for (const auto& c : kCases) {
    EXPECT_EQ(utf8(explain(c.b)[index(c.field)]), utf8(c.text)) << c.what;
  }
}

TEST(Explain, EveryFigureOfTheFieldAppearsInItsTooltip) {
  auto b = working({{I::工伤等级, u"三"},
                    {I::护理级别, u"部分护理"},
                    {I::本人月均工资, u"4501.5"},
                    {I::统筹月工资, u"4000"},
                    {I::停薪月数, u"2"},
                    {I::住院天数, u"3"},
                    {I::住宿天数, u"4"},
                    {I::护理天数, u"5"},
                    {I::医疗费, u"6"},
                    {I::交通费, u"7"}});
  auto e = explain(b);
  for (std::size_t i = 0; i < kResultCount; ++i) {
    EXPECT_NE(e[i].find(u" " + b.texts[i]), std::u16string::npos) << utf8(e[i]);
  }
  EXPECT_NE(e[0].find(u"按 4501.5 取整为 4502"), std::u16string::npos) << utf8(e[0]);
}

TEST(RuleInWords, NamesTheArticle) {
  for (std::size_t i = 0; i + 2 < kResultCount; ++i) {
    EXPECT_NE(rule_in_words(static_cast<R>(i)).find(u"《工伤保险条例》第"), std::u16string::npos)
        << i;
  }
}

}  // namespace
}  // namespace gongshang
