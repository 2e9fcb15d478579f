#include "engine/explanation.h"

#include <initializer_list>

#include "engine/number_text.h"

namespace gongshang {
namespace {

constexpr std::string_view kRegulations = "《工伤保险条例》";
constexpr std::string_view kBaseWageArticle = "第六十四条";

std::string cat(std::initializer_list<std::string_view> parts) {
  std::string s;
  for (auto p : parts) s += p;
  return s;
}

std::string basis(std::string_view articles) {
  return articles.empty() ? std::string() : cat({"（", kRegulations, articles, "）"});
}

std::string percent(double rate) {
  return double_form(round_half_even(rate * 1000) / 10) + "%";
}

// The grades are named by the numerals 一 .. 十, which also count the results.
std::string_view numeral(std::size_t n) {
  return grade_figures(n).item;
}

std::string_view grade_item(int grade) {
  return grade_figures(grade).item;
}

std::string grade_range(int first, int last) {
  return cat({grade_item(first), "级至", grade_item(last), "级"});
}

// Each line short enough for a tooltip that does not wrap: a formula broken
// across lines is hard to read.
std::string subsidy_rule(const ResultRow& r) {
  std::string s = cat({r.name, "：本人工资 × 伤残等级对应的月数\n"});
  for (std::size_t i = 0; i < kGrades.size(); ++i) {
    s += cat({kGrades[i].item, "级 ", single_form(kGrades[i].subsidy_months)});
    if (i == 0 || i + 1 == kGrades.size()) s += " 个月";
    s += i + 1 == kGrades.size() ? "" : i == 5 ? "、\n" : "、";
  }
  return cat({s, basis(r.articles), "\n本人工资即", name(Input::kOwnWage), "，低于",
              name(Input::kPoolWage), " ", percent(kBaseWageLower), " 的按 ",
              percent(kBaseWageLower), " 计，\n高于 ", percent(kBaseWageUpper), " 的按 ",
              percent(kBaseWageUpper), " 计，取整到元（", kBaseWageArticle, "）"});
}

std::string allowance_rule(const ResultRow& r) {
  std::string s = cat({r.name, "：本人工资 × 伤残等级对应的比例\n"});
  for (int g = 1; g <= kLastGradeWithAllowance; ++g) {
    if (g > 1) s += "、";
    s += cat({grade_item(g), "级 ", percent(grade_figures(g).allowance_rate)});
  }
  return cat({s, "；\n", grade_range(kLastGradeWithAllowance + 1, kGrades.size()), "不按月发给",
              basis(r.articles)});
}

std::string nursing_rule(const ResultRow& r) {
  std::string s = cat({r.name, "：", name(Input::kNursing), "对应的比例 × ", name(r.input),
                       " × 本人工资 ÷ ", double_form(kWorkDaysPerMonth), " 天\n"});
  for (std::size_t i = 0; i < kNursingLevels.size(); ++i) {
    if (i > 0) s += "、";
    s += cat({kNursingLevels[i].item, " ", percent(kNursingLevels[i].rate)});
  }
  return cat({s, "\n", basis(r.articles)});
}

std::string rule_of(const ResultRow& r) {
  switch (r.formula) {
    case Formula::kGradeMonths:
      return subsidy_rule(r);
    case Formula::kGradeRate:
      return allowance_rule(r);
    case Formula::kOwnWageTimes:
      return cat({r.name, "：", name(Input::kOwnWage), " × ", name(r.input), "\n", r.note,
                  basis(r.articles)});
    case Formula::kPerDay:
      return cat({r.name, "：", name(r.input), " × 每天 ", double_form(r.per_day), " 元",
                  basis(r.articles)});
    case Formula::kNursing:
      return nursing_rule(r);
    case Formula::kCarried:
      return cat({name(r.input), "：按填写的金额计入", basis(r.articles)});
    case Formula::kTotal:
      break;
  }
  return cat({r.name, "：以上", numeral(kResultCount - 1), "项所显示金额之和"});
}

const std::array<std::string, kResultCount>& rules() {
  static const std::array<std::string, kResultCount> texts = [] {
    std::array<std::string, kResultCount> t;
    for (std::size_t i = 0; i < kResultCount; ++i) t[i] = rule_of(kResults[i]);
    return t;
  }();
  return texts;
}

// How the own wage became the base wage.
std::string base_wage_line(const Breakdown& b, Figures figures) {
  const std::string pooled = double_form(b.number(Input::kPoolWage));
  const std::string chosen =
      figures == Figures::kToTheFen ? fen_form(b.chosen_wage) : double_form(b.chosen_wage);
  const std::string base = double_form(b.base_wage);
  std::string s = cat({name(Input::kOwnWage), " ", double_form(b.number(Input::kOwnWage))});
  const std::string lower = percent(kBaseWageLower);
  const std::string upper = percent(kBaseWageUpper);
  switch (b.bound) {
    case WageBound::kUpper:
      s += cat({" 高于", name(Input::kPoolWage), " ", pooled, " 的 ", upper, "，按 ", chosen});
      break;
    case WageBound::kLower:
      s += cat({" 低于", name(Input::kPoolWage), " ", pooled, " 的 ", lower, "，按 ", chosen});
      break;
    case WageBound::kNone:
      s += cat({" 在", name(Input::kPoolWage), " ", pooled, " 的 ", lower, " 至 ", upper,
                " 之间，按 ", chosen});
      break;
  }
  s += chosen == base ? std::string(" 计") : cat({" 取整为 ", base});
  return cat({s, "（", kBaseWageArticle, "）"});
}

std::string none_chosen(Input list, const ResultRow& r, std::string_view shown) {
  return cat({"未选", name(list), "，", r.name, "为 ", shown, basis(r.articles)});
}

std::string working(const Breakdown& b, const ResultRow& r, std::string_view shown,
                    Figures figures) {
  const std::string input = double_form(b.number(r.input));
  switch (r.formula) {
    case Formula::kGradeMonths:
      if (b.grade == 0) return none_chosen(Input::kGrade, r, shown);
      return cat({base_wage_line(b, figures), "\n本人工资 ", double_form(b.base_wage), " × ",
                  single_form(grade_figures(b.grade).subsidy_months), " 个月 = ", shown,
                  basis(grade_figures(b.grade).article)});
    case Formula::kGradeRate:
      if (b.grade == 0) return none_chosen(Input::kGrade, r, shown);
      if (b.grade > kLastGradeWithAllowance)
        return cat({grade_range(kLastGradeWithAllowance + 1, kGrades.size()),
                    "伤残不按月发给伤残津贴，为 ", shown, basis(grade_figures(b.grade).article)});
      return cat({base_wage_line(b, figures), "\n本人工资 ", double_form(b.base_wage), " × ",
                  percent(grade_figures(b.grade).allowance_rate), " = ", shown,
                  basis(grade_figures(b.grade).article)});
    case Formula::kOwnWageTimes:
      return cat({name(Input::kOwnWage), " ", double_form(b.number(Input::kOwnWage)), " × ",
                  name(r.input), " ", input, " = ", shown, basis(r.articles)});
    case Formula::kPerDay:
      return cat({name(r.input), " ", input, " × ", double_form(r.per_day), " 元 = ", shown,
                  basis(r.articles)});
    case Formula::kNursing:
      if (b.nursing == 0) return none_chosen(Input::kNursing, r, shown);
      return cat({base_wage_line(b, figures), "\n", nursing_figures(b.nursing).item, " ",
                  percent(nursing_figures(b.nursing).rate), " × ", name(r.input), " ", input,
                  " × 本人工资 ", double_form(b.base_wage), " ÷ ", double_form(kWorkDaysPerMonth),
                  " = ", shown, basis(r.articles)});
    case Formula::kCarried:
      return cat({name(r.input), "按读入的金额 ", shown, " 计入", basis(r.articles)});
    case Formula::kTotal:
      break;
  }
  std::string sum;
  for (std::size_t i = 0; i + 1 < kResultCount; ++i) {
    if (i > 0) sum += " + ";
    sum += figures == Figures::kToTheFen ? fixed_form(b.shown[i], 2) : b.texts[i];
  }
  return cat({"以上", numeral(kResultCount - 1), "项显示的金额相加：", sum, " = ", shown});
}

}  // namespace

std::string_view rule_in_words(Result field) {
  return rules()[index(field)];
}

Explanations explain(const Breakdown& b, Figures figures) {
  Explanations e;
  for (std::size_t i = 0; i < kResultCount; ++i) {
    const std::string shown =
        figures == Figures::kToTheFen ? fixed_form(b.shown[i], 2) : b.texts[i];
    e[i] = working(b, kResults[i], shown, figures);
  }
  return e;
}

}  // namespace gongshang
