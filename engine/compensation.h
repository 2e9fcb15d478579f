// The compensation calculation: twelve field texts in (UTF-8), eleven result
// texts out (ASCII). Pure: no state, no locale, no window.
#ifndef GONGSHANG_ENGINE_COMPENSATION_H_
#define GONGSHANG_ENGINE_COMPENSATION_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/fields.h"
#include "engine/problem.h"
#include "engine/results.h"

namespace gongshang {

using ResultTexts = std::array<std::string, kResultCount>;

// The number fields' values, indexed by Input (the two list fields' unused).
using InputNumbers = std::array<double, kInputCount>;

// The inputs as values: the grade and nursing level by position in their
// tables, the number fields as read.
struct ClassicValues {
  int grade = 0;    // 1 for kGrades[0] ("一") .. 10 for "十"; 0 for none
  int nursing = 0;  // 1 for kNursingLevels[0] ("完全护理") .. 3; 0 for none
  InputNumbers numbers{};
};

// Which bound of the base-wage rule held the own wage, if any.
enum class WageBound : std::uint8_t { kNone, kUpper, kLower };

// Every figure one calculation used, for showing the working behind a result.
struct Breakdown {
  std::array<double, kInputCount> numbers{};  // 0 for the two list fields
  int grade = 0;                              // as ClassicValues::grade
  int nursing = 0;                            // as ClassicValues::nursing
  WageBound bound = WageBound::kNone;
  double chosen_wage = 0;  // the own wage, or the bound that held it
  double base_wage = 0;    // chosen_wage rounded half to even; no 16-bit limit
  ResultTexts texts;
  // What each text holds as a number (the number rule's reading of it), so
  // that a result is carried on as the figure shown without reading it back.
  std::array<double, kResultCount> shown{};

  double number(Input f) const { return numbers[index(f)]; }
  const std::string& text(Result f) const { return texts[index(f)]; }
  double value(Result f) const { return shown[index(f)]; }
};

// Either every result text, or a problem and no text at all.
using Outcome = Checked<ResultTexts>;
using Working = Checked<Breakdown>;

// The calculation. A list field's text is one of its items or anything
// else, which counts as no choice.
//   grade "五", nursing "大部分护理", own 3500, pooling 4000, 6 months,
//   30/10/30 days, expenses 12000.5/800/300/1000
//     -> 63000, 2450, 21000, 1500, 800, 1931.03451153328,
//        12000.5, 800, 300, 1000, total 104781.534511533
//   own 40000, pooling 12000, grade "一" -> 伤残补助金 972000
//   统筹月工资 "1E400" -> Problem{"统筹月工资", "的数值超出可计算范围"}
Outcome calculate(const InputTexts& inputs);

// The same, keeping every intermediate figure.
Working work_out(const InputTexts& inputs);

// The inputs as values, the number fields read by the calculator's lenient
// rule (number_text.h); a list field's text is one of its items or no choice.
//   {"五", "", "6,000"} -> grade 5, own wage 6
//   统筹月工资 "1E400" -> Problem{"统筹月工资", "的数值超出可计算范围"}
Checked<ClassicValues> classic_values(const InputTexts& inputs);

// The same on values a stricter reading already took from the texts (the
// claim's: "6,000" is 6000), so that they are not read again, into a
// Breakdown the caller keeps (its texts' storage is reused from case to
// case); the problem, or nullopt.
//   {grade 5, own wage 6000, …} -> as work_out of "五", "6000", …
std::optional<Problem> work_out(const ClassicValues& values, Breakdown& into);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_COMPENSATION_H_
