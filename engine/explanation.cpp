#include "explanation.h"

#include <initializer_list>

#include "number_text.h"

namespace gongshang {
namespace {

using R = ResultField;
using I = InputField;

std::u16string cat(std::initializer_list<std::u16string_view> parts) {
  std::u16string s;
  for (auto p : parts) s += p;
  return s;
}

constexpr std::u16string_view kRegulations = u"《工伤保险条例》";

// Each line short enough for a tooltip that does not wrap: a formula broken
// across lines is hard to read.
constexpr std::array<std::u16string_view, kResultCount> kRules{
    u"伤残补助金：本人工资 × 伤残等级对应的月数\n"
    u"一级 27 个月、二级 25、三级 23、四级 21、五级 18、六级 16、\n"
    u"七级 13、八级 11、九级 9、十级 7 个月（《工伤保险条例》第三十五至三十七条）\n"
    u"本人工资即本人月均工资，低于统筹月工资 60% 的按 60% 计，\n"
    u"高于 300% 的按 300% 计，取整到元（第六十四条）",
    u"每月伤残津贴：本人工资 × 伤残等级对应的比例\n"
    u"一级 90%、二级 85%、三级 80%、四级 75%、五级 70%、六级 60%；\n"
    u"七级至十级不按月发给（《工伤保险条例》第三十五、三十六条）",
    u"停薪工资：本人月均工资 × 停薪月数\n"
    u"停工留薪期内原工资福利待遇不变（《工伤保险条例》第三十三条）",
    u"住院伙食补助：住院天数 × 每天 50 元（《工伤保险条例》第三十条）",
    u"住宿费：住宿天数 × 每天 80 元（《工伤保险条例》第三十条）",
    u"护理费：护理级别对应的比例 × 护理天数 × 本人工资 ÷ 21.75 天\n"
    u"完全护理 50%、大部分护理 40%、部分护理 30%\n"
    u"（《工伤保险条例》第三十三、三十四条）",
    u"医疗费：按填写的金额计入（《工伤保险条例》第三十条）",
    u"辅助器具费：按填写的金额计入（《工伤保险条例》第三十二条）",
    u"交通费：按填写的金额计入（《工伤保险条例》第三十条）",
    u"营养费：按填写的金额计入",
    u"合计：以上十项所显示金额之和",
};

// The article that grants the subsidy and allowance of a grade.
std::u16string_view grade_article(int grade) {
  if (grade <= 4) return u"第三十五条";
  if (grade <= 6) return u"第三十六条";
  return u"第三十七条";
}

std::u16string basis(std::u16string_view articles) {
  return cat({u"（", kRegulations, articles, u"）"});
}

std::u16string percent(float rate) {
  return double_form(round_half_even(static_cast<double>(rate) * 1000) / 10) + u"%";
}

// How the own wage became the base wage.
std::u16string base_wage_line(const Breakdown& b) {
  const std::u16string own = double_form(b.numbers[index(I::本人月均工资)]);
  const std::u16string pooled = double_form(b.numbers[index(I::统筹月工资)]);
  const std::u16string chosen = double_form(b.chosen_wage);
  const std::u16string base = double_form(b.base_wage);
  std::u16string s = cat({u"本人月均工资 ", own});
  switch (b.bound) {
    case WageBound::kUpper:
      s += cat({u" 高于统筹月工资 ", pooled, u" 的 300%，按 ", chosen});
      break;
    case WageBound::kLower:
      s += cat({u" 低于统筹月工资 ", pooled, u" 的 60%，按 ", chosen});
      break;
    case WageBound::kNone:
      s += cat({u" 在统筹月工资 ", pooled, u" 的 60% 至 300% 之间，按 ", chosen});
      break;
  }
  s += chosen == base ? std::u16string(u" 计") : cat({u" 取整为 ", base});
  return s + u"（第六十四条）";
}

std::u16string subsidy(const Breakdown& b) {
  const auto& shown = b.texts[index(R::伤残补助金)];
  if (b.grade == 0)
    return cat({u"未选工伤等级，伤残补助金为 ", shown, basis(u"第三十五至三十七条")});
  return cat({base_wage_line(b), u"\n本人工资 ", double_form(b.base_wage), u" × ",
              single_form(b.subsidy_months), u" 个月 = ", shown, basis(grade_article(b.grade))});
}

std::u16string allowance(const Breakdown& b) {
  const auto& shown = b.texts[index(R::每月伤残津贴)];
  if (b.grade == 0)
    return cat({u"未选工伤等级，每月伤残津贴为 ", shown, basis(u"第三十五、三十六条")});
  if (b.grade > 6)
    return cat({u"七级至十级伤残不按月发给伤残津贴，为 ", shown, basis(u"第三十七条")});
  return cat({base_wage_line(b), u"\n本人工资 ", double_form(b.base_wage), u" × ",
              percent(b.allowance_rate), u" = ", shown, basis(grade_article(b.grade))});
}

std::u16string nursing(const Breakdown& b) {
  const auto& shown = b.texts[index(R::护理费)];
  if (b.nursing == 0) return cat({u"未选护理级别，护理费为 ", shown, basis(u"第三十三、三十四条")});
  return cat({base_wage_line(b), u"\n", kNursingItems[b.nursing], u" ", percent(b.nursing_rate),
              u" × 护理天数 ", double_form(b.numbers[index(I::护理天数)]), u" × 本人工资 ",
              double_form(b.base_wage), u" ÷ 21.75 = ", shown, basis(u"第三十三、三十四条")});
}

}  // namespace

std::u16string_view rule_in_words(ResultField field) {
  return kRules[index(field)];
}

Explanations explain(const Breakdown& b) {
  auto shown = [&b](R f) -> const std::u16string& { return b.texts[index(f)]; };
  auto number = [&b](I f) { return double_form(b.numbers[index(f)]); };
  auto carried = [&](std::u16string_view what, R f, std::u16string_view articles) {
    std::u16string s = cat({what, u"按读入的金额 ", shown(f), u" 计入"});
    return articles.empty() ? s : s + basis(articles);
  };

  Explanations e;
  e[index(R::伤残补助金)] = subsidy(b);
  e[index(R::每月伤残津贴)] = allowance(b);
  e[index(R::停薪工资)] =
      cat({u"本人月均工资 ", number(I::本人月均工资), u" × 停薪月数 ", number(I::停薪月数), u" = ",
           shown(R::停薪工资), basis(u"第三十三条")});
  e[index(R::住院伙食补助)] = cat({u"住院天数 ", number(I::住院天数), u" × 50 元 = ",
                                   shown(R::住院伙食补助), basis(u"第三十条")});
  e[index(R::住宿费)] = cat(
      {u"住宿天数 ", number(I::住宿天数), u" × 80 元 = ", shown(R::住宿费), basis(u"第三十条")});
  e[index(R::护理费)] = nursing(b);
  e[index(R::计算医疗费)] = carried(u"医疗费", R::计算医疗费, u"第三十条");
  e[index(R::计算辅助器具费)] = carried(u"辅助器具费", R::计算辅助器具费, u"第三十二条");
  e[index(R::计算交通费)] = carried(u"交通费", R::计算交通费, u"第三十条");
  e[index(R::计算营养费)] = carried(u"营养费", R::计算营养费, u"");

  std::u16string sum;
  for (std::size_t i = 0; i < kResultCount - 1; ++i) {
    if (i > 0) sum += u" + ";
    sum += b.texts[i];
  }
  e[index(R::合计)] = cat({u"以上十项显示的金额相加：", sum, u" = ", shown(R::合计)});
  return e;
}

}  // namespace gongshang
