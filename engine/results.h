// The eleven results: one row each, from which the calculation, the
// explanations, the window's result boxes and the batch tool's columns are
// all derived. A new benefit is a row here and, if its arithmetic is new, a
// Formula.
#ifndef GONGSHANG_ENGINE_RESULTS_H_
#define GONGSHANG_ENGINE_RESULTS_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/fields.h"
#include "engine/legal_figures.h"

namespace gongshang {

// In the order they are produced and written; the total last.
enum class Result : std::uint8_t {
  kSubsidy,
  kAllowance,
  kLeaveWage,
  kHospitalMeals,
  kLodging,
  kNursing,
  kMedical,
  kDevices,
  kTravel,
  kNutrition,
  kTotal,
};
inline constexpr std::size_t kResultCount = 11;

constexpr std::size_t index(Result f) {
  return static_cast<std::size_t>(f);
}

// How many significant digits a result shows: the subsidy and allowance are
// computed in single precision, as their figures are tabled, and show 7.
enum class Precision : std::uint8_t { kSingle, kDouble };

enum class Formula : std::uint8_t {
  kGradeMonths,   // base wage × the grade's months
  kGradeRate,     // base wage × the grade's allowance rate
  kOwnWageTimes,  // own wage × input
  kPerDay,        // input × per_day
  kNursing,       // the level's rate × input (days) × base wage ÷ working days a month
  kCarried,       // the input as read
  kTotal,         // the results above, as shown, added up
};

struct ResultRow {
  std::string_view name;  // UTF-8; the result box's name and the batch column
  Precision precision;
  Formula formula;
  Input input;                // the field the formula takes, where it takes one
  double per_day;             // kPerDay only
  std::string_view articles;  // of 《工伤保险条例》; empty where no article grants it
  std::string_view note;      // one more line of the rule in words, or empty
};

inline constexpr std::array<ResultRow, kResultCount> kResults{{
    {"伤残补助金", Precision::kSingle, Formula::kGradeMonths, Input::kGrade, 0,
     "第三十五至三十七条", ""},
    {"每月伤残津贴", Precision::kSingle, Formula::kGradeRate, Input::kGrade, 0,
     "第三十五、三十六条", ""},
    {"停薪工资", Precision::kDouble, Formula::kOwnWageTimes, Input::kLeaveMonths, 0, "第三十三条",
     "停工留薪期内原工资福利待遇不变"},
    {"住院伙食补助", Precision::kDouble, Formula::kPerDay, Input::kHospitalDays, kMealPerDay,
     "第三十条", ""},
    {"住宿费", Precision::kDouble, Formula::kPerDay, Input::kLodgingDays, kLodgingPerDay,
     "第三十条", ""},
    {"护理费", Precision::kDouble, Formula::kNursing, Input::kNursingDays, 0, "第三十三、三十四条",
     ""},
    {"计算医疗费", Precision::kDouble, Formula::kCarried, Input::kMedical, 0, "第三十条", ""},
    {"计算辅助器具费", Precision::kDouble, Formula::kCarried, Input::kDevices, 0, "第三十二条", ""},
    {"计算交通费", Precision::kDouble, Formula::kCarried, Input::kTravel, 0, "第三十条", ""},
    {"计算营养费", Precision::kDouble, Formula::kCarried, Input::kNutrition, 0, "", ""},
    {"合计", Precision::kDouble, Formula::kTotal, Input::kGrade, 0, "", ""},
}};

constexpr const ResultRow& row(Result f) {
  return kResults[index(f)];
}

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_RESULTS_H_
