// The compensation calculation: twelve field texts in (UTF-8), eleven result
// texts out (ASCII). Pure: no state, no locale, no window.
#ifndef GONGSHANG_ENGINE_COMPENSATION_H_
#define GONGSHANG_ENGINE_COMPENSATION_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "engine/fields.h"
#include "engine/results.h"

namespace gongshang {

using ResultTexts = std::array<std::string, kResultCount>;

// Why a calculation produced nothing: the input or result field concerned,
// and a sentence for the user, e.g. "「统筹月工资」的数值超出可计算范围".
struct Refusal {
  std::string_view field;
  std::string message;
  friend bool operator==(const Refusal&, const Refusal&) = default;
};

// Which bound of the base-wage rule held the own wage, if any.
enum class WageBound : std::uint8_t { kNone, kUpper, kLower };

// Every figure one calculation used, for showing the working behind a result.
struct Breakdown {
  std::array<double, kInputCount> numbers{};  // 0 for the two list fields
  int grade = 0;    // 1 for kGrades[0] ("一") .. 10 for "十"; 0 for none
  int nursing = 0;  // 1 for kNursingLevels[0] ("完全护理") .. 3; 0 for none
  WageBound bound = WageBound::kNone;
  double chosen_wage = 0;  // the own wage, or the bound that held it
  double base_wage = 0;    // chosen_wage rounded half to even; no 16-bit limit
  ResultTexts texts;

  double number(Input f) const { return numbers[index(f)]; }
  const std::string& text(Result f) const { return texts[index(f)]; }
};

// Either every result text, or a refusal and no text at all.
using Outcome = std::variant<ResultTexts, Refusal>;
using Working = std::variant<Breakdown, Refusal>;

// The calculation. A list field's text is one of its items or anything
// else, which counts as no choice.
//   grade "五", nursing "大部分护理", own 3500, pooling 4000, 6 months,
//   30/10/30 days, expenses 12000.5/800/300/1000
//     -> 63000, 2450, 21000, 1500, 800, 1931.03451153328,
//        12000.5, 800, 300, 1000, total 104781.534511533
//   own 40000, pooling 12000, grade "一" -> 伤残补助金 972000
//   统筹月工资 "1E400" -> Refusal{"统筹月工资", "「统筹月工资」的数值超出可计算范围"}
Outcome calculate(const InputTexts& inputs);

// The same, keeping every intermediate figure.
Working work_out(const InputTexts& inputs);

// The number fields' values, indexed by Input (the two list fields' unused).
using InputNumbers = std::array<double, kInputCount>;

// The same on numbers a stricter reading already took from the texts (the
// claim's: "6,000" is 6000), so that they are not read again; the list
// fields still come from `inputs`.
//   inputs with 工伤等级 "五", numbers with 本人月均工资 6000 -> as work_out of "6000"
Working work_out(const InputTexts& inputs, const InputNumbers& numbers);

// "「name」" followed by tail, the shape of every refusal's message.
std::string quoted(std::string_view name, std::string_view tail);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_COMPENSATION_H_
