#include "engine/subsidy.h"

#include <algorithm>
#include <cmath>

#include "engine/claim.h"
#include "engine/legal_figures.h"
#include "engine/number_text.h"

namespace gongshang {
namespace {

constexpr std::string_view kGradeNames[kSubsidyGradeCount] = {"五", "六", "七", "八", "九", "十"};

// The months for the grade, or why they are unknown.
struct Months {
  double months = 0;
  std::string working;
};

std::variant<Months, SubsidyUnknown, Problem> life_expectancy_months(
    const LifeExpectancyRule& rule, std::size_t g, std::string_view item, std::string_view region,
    const SubsidyCase& c, bool words) {
  const auto& per_year = rule.months_per_year[g];
  const auto& minimum = rule.minimum_months[g];
  // Without 性别 the original age tells: 60 is the men's.
  const bool split_rule = rule.men || rule.women;
  if (split_rule && !c.male && c.original_age == 0) {
    return Problem{name(Field::kSex), "为空：地区“" + std::string(region) + "”的" +
                                          std::string(item) +
                                          "按性别取人口平均预期寿命；请填写性别或原退休年龄"};
  }
  const bool men = c.male ? *c.male : c.original_age == kRetirementAges[0];
  const std::optional<double>& split = men ? rule.men : rule.women;
  const std::optional<double> expectancy = split ? split : rule.all;
  if (!per_year || !minimum || !expectancy) {
    return SubsidyUnknown{"地区“" + std::string(region) + "”没有" + std::string(kGradeNames[g]) +
                          "级" + std::string(item) + "的系数、最低月数或人口平均预期寿命"};
  }
  // The age in completed years (周岁) on the day the employment ended; a
  // part year of life left counts as a whole one, as the rule says.
  const int age = whole_years_between(c.birth, c.end);
  const int years = static_cast<int>(std::max(0.0, std::ceil(*expectancy - age)));
  const double formula = *per_year * years;
  Months m{std::max(formula, *minimum), {}};
  if (words) {
    std::string whose;
    if (split) {
      whose =
          std::string(men ? "男性" : "女性") +
          (c.male ? "" : "，未填性别，按原退休年龄 " + std::to_string(c.original_age) + " 岁推定");
      whose += "；";
    }
    m.working = "人口平均预期寿命 " + double_form(*expectancy) + " 岁（" + whose +
                std::to_string(rule.year) + " 年，" + rule.source + "）− 解除时 " +
                std::to_string(age) + " 周岁，不满一年按一年计 = " + std::to_string(years) +
                " 年 × " + double_form(*per_year) + " 个月 = " + double_form(formula) + " 个月";
    if (formula < *minimum) m.working += "，低于最低 " + double_form(*minimum) + " 个月，按最低";
    m.working += "；";
  }
  return m;
}

}  // namespace

SubsidyOutcome work_out_subsidy(const SubsidyRule& rule, std::string_view item,
                                std::string_view region, const SubsidyCase& c, bool words) {
  const auto g = static_cast<std::size_t>(c.grade - kFirstSubsidyGrade);
  // Messages only: the batch tool works out rows by the million without them.
  const auto where = [region] { return "地区“" + std::string(region) + "”"; };
  // The contract ended at retirement (实施条例第二十一条): nothing is owed,
  // whatever the region's figures.
  if (c.end >= c.retirement) {
    SubsidyAmount none;
    if (words)
      none.working = "解除日期 " + format_date(c.end) + " 不早于解除时施行的法定退休日期 " +
                     format_date(c.retirement) + "，不发";
    return none;
  }
  Months m;
  if (rule.life_expectancy) {
    auto months = life_expectancy_months(*rule.life_expectancy, g, item, region, c, words);
    if (auto* unknown = std::get_if<SubsidyUnknown>(&months)) return std::move(*unknown);
    if (auto* refusal = std::get_if<Problem>(&months)) return std::move(*refusal);
    m = std::move(std::get<Months>(months));
  } else if (rule.by_grade[g]) {
    m.months = *rule.by_grade[g];
  } else {
    return SubsidyUnknown{std::string(kUnknownFigure)};
  }

  double base = 0;
  switch (rule.base) {
    case SubsidyBase::kPoolWage:
      base = c.pool_wage;
      break;
    case SubsidyBase::kProvinceWage:
      if (!c.province_wage) {
        return Problem{name(Field::kProvinceWage),
                       "为空：" + where() + "的" + std::string(item) + "以全省月工资为基数"};
      }
      base = *c.province_wage;
      break;
    case SubsidyBase::kOwnWage:
      base = c.own_wage;
      break;
    case SubsidyBase::kFixed:
      break;
  }
  const bool fixed = rule.base == SubsidyBase::kFixed;
  SubsidyAmount out;
  out.amount = fixed ? m.months : base * m.months;
  std::string& w = out.working;
  if (words) {
    w = m.working + (fixed ? std::string(region) + "定额 " + double_form(m.months) + " 元"
                           : std::string(base_text(rule.base)) + " " + double_form(base) + " × " +
                                 double_form(m.months) + " 个月 = " + money_text(out.amount));
  }
  if (c.disease && rule.disease_uplift != 0) {
    out.amount = out.amount * (1 + rule.disease_uplift);
    if (words) {
      w += "；职业病加发 " + double_form(rule.disease_uplift * 100) + "%：× " +
           double_form(1 + rule.disease_uplift) + " = " + money_text(out.amount);
    }
  }
  const int left = whole_years_between(c.end, c.retirement);
  if (const auto& cut = rule.near_retirement; cut && left < cut->years()) {
    const auto at = static_cast<std::size_t>(left);
    const bool changes = cut->unknown || cut->percent[at] != 100;
    const auto within = [left] { return "距退休 " + std::to_string(left) + " 个整年"; };
    bool applies = true;
    if (cut->scope == CutScope::kOwnRequest) {
      if (!c.reason && changes) {
        return Problem{name(Field::kEndReason), "为空：" + where() + "的" + std::string(item) +
                                                    "只在工伤职工本人提出解除时按距退休年数递减，" +
                                                    within() +
                                                    "，金额取决于解除原因；请选择解除原因"};
      }
      applies = c.reason == EndReason::kOwnRequest;
      if (!applies && words) {
        w += "；" + within() + "，解除原因为" + std::string(end_reason_text(*c.reason)) +
             "，不适用本人提出解除时的递减，全额";
      }
    }
    if (applies && cut->unknown) {
      return SubsidyUnknown{within() + "，" + where() + "的" + std::string(item) +
                            "临近退休时递减，但递减比例未知，无法算出金额"};
    }
    if (applies && changes) {
      const double percent = cut->percent[at];
      out.amount = out.amount * (percent / 100);
      if (words)
        w += "；" + within() + "（算至解除时施行的法定退休日期 " + format_date(c.retirement) +
             "），按 " + double_form(percent) + "% 支付 = " + money_text(out.amount);
    }
  }
  if (c.grade <= kLastGradeWithAllowance && c.reason && employer_ended(*c.reason)) {
    out.note = c.reason == EndReason::kAgreed
                   ? "五、六级工伤职工经用人单位提出、协商一致解除劳动关系：第三十六条写的是经本人"
                     "提出解除时发给两项补助金，协商一致时本人同意解除，这里照样计算"
                   : "五、六级工伤职工由用人单位解除劳动关系：第三十六条写的是经本人提出解除时发给"
                     "两项补助金，用人单位解除时仲裁和法院通常同样支持，这里照样计算";
  }
  return out;
}

}  // namespace gongshang
