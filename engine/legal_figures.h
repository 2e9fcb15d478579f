// The figures of the national regulations (《工伤保险条例》) that the
// calculation uses, each written once. Explanations and help texts are
// derived from these tables, so a change in law is a change here alone.
#ifndef GONGSHANG_ENGINE_LEGAL_FIGURES_H_
#define GONGSHANG_ENGINE_LEGAL_FIGURES_H_

#include <array>
#include <string_view>

namespace gongshang {

// Months of base wage for the one-off disability subsidy (Arts. 35-37) and
// the monthly allowance rate (Arts. 35, 36; none for 七 to 十), by grade.
// Both are singles: the rate enters the arithmetic as the single nearest its
// decimal (0.9f is 0.89999997615814208984375).
struct GradeFigures {
  std::string_view item;  // the grade list's item, UTF-8
  float subsidy_months;
  float allowance_rate;
  std::string_view article;  // the article that grants both
};
inline constexpr std::array<GradeFigures, 10> kGrades{{
    {"一", 27, 0.9f, "第三十五条"},
    {"二", 25, 0.85f, "第三十五条"},
    {"三", 23, 0.8f, "第三十五条"},
    {"四", 21, 0.75f, "第三十五条"},
    {"五", 18, 0.7f, "第三十六条"},
    {"六", 16, 0.6f, "第三十六条"},
    {"七", 13, 0, "第三十七条"},
    {"八", 11, 0, "第三十七条"},
    {"九", 9, 0, "第三十七条"},
    {"十", 7, 0, "第三十七条"},
}};
// The figures of a grade by its number, 1 ("一") to 10 ("十").
constexpr const GradeFigures& grade_figures(int grade) {
  return kGrades[static_cast<std::size_t>(grade - 1)];
}

// Grades up to this one are paid a monthly allowance.
inline constexpr int kLastGradeWithAllowance = 6;

// Share of the base wage for nursing, by level (Arts. 33, 34).
struct NursingFigures {
  std::string_view item;  // the nursing list's item, UTF-8
  float rate;
};
inline constexpr std::array<NursingFigures, 3> kNursingLevels{{
    {"完全护理", 0.5f},
    {"大部分护理", 0.4f},
    {"部分护理", 0.3f},
}};

// The figures of a nursing level by its number, 1 ("完全护理") to 3.
constexpr const NursingFigures& nursing_figures(int level) {
  return kNursingLevels[static_cast<std::size_t>(level - 1)];
}

// The three levels of 生活护理 a 劳动能力鉴定委员会 assesses (Art. 34), at
// the shares of kNursingLevels in the same order: 50 %, 40 %, 30 % of the
// pooling-area wage.
inline constexpr std::array<std::string_view, kNursingLevels.size()> kCareLevels{
    "生活完全不能自理",
    "生活大部分不能自理",
    "生活部分不能自理",
};

// The own wage is held between these shares of the pooling-area wage (Art. 64).
inline constexpr double kBaseWageLower = 0.6;
inline constexpr double kBaseWageUpper = 3;

inline constexpr double kMealPerDay = 50;     // hospital meals, yuan a day (Art. 30)
inline constexpr double kLodgingPerDay = 80;  // lodging for treatment, yuan a day (Art. 30)
inline constexpr double kWorkDaysPerMonth = 21.75;

// Death benefits (Art. 39).
inline constexpr double kFuneralMonths = 6;  // of the pooling-area wage
inline constexpr double kSpouseShare = 0.4;  // of the own wage, monthly
inline constexpr double kOtherDependantShare = 0.3;
inline constexpr double kLoneDependantExtra = 0.1;  // orphans and lone elders, on top
inline constexpr double kDeathGrantYears = 20;      // of the national disposable income
// The day the amended regulations took effect (国务院令第586号): a death
// before it falls under the 2003 text, whose lump sum was 48–60 months of
// the pooling-area wage, the months set by each region.
inline constexpr int kAmendedYear = 2011;
inline constexpr int kOldGrantMonthsLow = 48, kOldGrantMonthsHigh = 60;

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_LEGAL_FIGURES_H_
