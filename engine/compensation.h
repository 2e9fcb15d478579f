// The compensation calculation: twelve field texts in, eleven result texts
// out. Pure: no state, no locale, no window.
#ifndef GONGSHANG_ENGINE_COMPENSATION_H_
#define GONGSHANG_ENGINE_COMPENSATION_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace gongshang {

// The input fields, in the order of the input table.
enum class InputField : std::uint8_t {
  工伤等级,
  护理级别,
  本人月均工资,
  统筹月工资,
  停薪月数,
  住院天数,
  住宿天数,
  护理天数,
  医疗费,
  辅助器具费,
  交通费,
  营养费,
};
inline constexpr std::size_t kInputCount = 12;

// The result fields, in the order they are produced and written; the total last.
enum class ResultField : std::uint8_t {
  伤残补助金,
  每月伤残津贴,
  停薪工资,
  住院伙食补助,
  住宿费,
  护理费,
  计算医疗费,
  计算辅助器具费,
  计算交通费,
  计算营养费,
  合计,
};
inline constexpr std::size_t kResultCount = 11;

// Field names, indexed by the enums above. They are the controls' names too.
inline constexpr std::array<std::u16string_view, kInputCount> kInputNames{
    u"工伤等级", u"护理级别", u"本人月均工资", u"统筹月工资", u"停薪月数", u"住院天数",
    u"住宿天数", u"护理天数", u"医疗费",       u"辅助器具费", u"交通费",   u"营养费",
};
inline constexpr std::array<std::u16string_view, kResultCount> kResultNames{
    u"伤残补助金", u"每月伤残津贴",   u"停薪工资",   u"住院伙食补助", u"住宿费", u"护理费",
    u"计算医疗费", u"计算辅助器具费", u"计算交通费", u"计算营养费",   u"合计",
};

// The list items, in list order; the empty item first. They are exactly the
// keys of the grade and nursing tables.
inline constexpr std::array<std::u16string_view, 11> kGradeItems{
    u"", u"一", u"二", u"三", u"四", u"五", u"六", u"七", u"八", u"九", u"十"};
inline constexpr std::array<std::u16string_view, 4> kNursingItems{u"", u"完全护理", u"大部分护理",
                                                                  u"部分护理"};

constexpr std::size_t index(InputField f) {
  return static_cast<std::size_t>(f);
}
constexpr std::size_t index(ResultField f) {
  return static_cast<std::size_t>(f);
}

// Twelve input texts indexed by InputField; views, so callers keep the texts.
using InputTexts = std::array<std::u16string_view, kInputCount>;
using ResultTexts = std::array<std::u16string, kResultCount>;

// Why a calculation produced nothing: the input or result field concerned,
// and a sentence for the user, e.g. "「统筹月工资」的数值超出可计算范围".
struct Refusal {
  std::u16string_view field;
  std::u16string message;
  friend bool operator==(const Refusal&, const Refusal&) = default;
};

// Which bound of the base-wage rule held the own wage, if any.
enum class WageBound : std::uint8_t { kNone, kUpper, kLower };

// Every figure one calculation used, for showing the working behind a result.
struct Breakdown {
  std::array<double, kInputCount> numbers{};  // 0 for the two list fields
  int grade = 0;    // position in kGradeItems: 1 for "一" .. 10 for "十", 0 for none
  int nursing = 0;  // position in kNursingItems: 1 for "完全护理" .. 3, 0 for none
  float subsidy_months = 0;
  float allowance_rate = 0;
  float nursing_rate = 0;
  WageBound bound = WageBound::kNone;
  double chosen_wage = 0;  // the own wage, or the bound that held it
  double base_wage = 0;    // chosen_wage rounded half to even; no 16-bit limit
  ResultTexts texts;
};

// Either every result text, or a refusal and no text at all.
using Outcome = std::variant<ResultTexts, Refusal>;
using Working = std::variant<Breakdown, Refusal>;

// The calculation.
//   grade "五", nursing "大部分护理", own 3500, pooling 4000, 6 months,
//   30/10/30 days, expenses 12000.5/800/300/1000
//     -> 63000, 2450, 21000, 1500, 800, 1931.03451153328,
//        12000.5, 800, 300, 1000, total 104781.534511533
//   own 40000, pooling 12000, grade "一" -> 伤残补助金 972000
//   统筹月工资 "1E400" -> Refusal{u"统筹月工资", ...}
Outcome calculate(const InputTexts& inputs);

// The same, keeping every intermediate figure.
Working work_out(const InputTexts& inputs);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_COMPENSATION_H_
