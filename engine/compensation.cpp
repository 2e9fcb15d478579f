#include "engine/compensation.h"

#include <cmath>

#include "engine/number_text.h"

namespace gongshang {
namespace {

// Converts to single precision the way the hardware does, without the
// undefined behaviour C++ gives a double beyond the float range.
float to_single(double x) {
  constexpr double kOverflow = 0x1.ffffffp127;  // halfway past FLT_MAX: rounds to infinity
  if (std::fabs(x) >= kOverflow) return x > 0 ? HUGE_VALF : -HUGE_VALF;
  return static_cast<float>(x);
}

Problem input_refusal(Input f) {
  return {name(f), "的数值超出可计算范围"};
}

Problem result_refusal(Result f) {
  return {row(f).name, "的计算结果超出可计算范围"};
}

template <class Table>
int position(const Table& table, std::string_view item) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].item == item) return static_cast<int>(i) + 1;
  }
  return 0;
}

}  // namespace

Checked<ClassicValues> classic_values(const InputTexts& inputs) {
  ClassicValues values;
  values.grade = position(kGrades, inputs[index(Input::kGrade)]);
  values.nursing = position(kNursingLevels, inputs[index(Input::kNursing)]);
  for (std::size_t i = index(Input::kOwnWage); i < kInputCount; ++i) {
    auto n = read_number(inputs[i]);
    if (!n) return input_refusal(static_cast<Input>(i));
    values.numbers[i] = *n;
  }
  return values;
}

Working work_out(const InputTexts& inputs) {
  const Checked<ClassicValues> values = classic_values(inputs);
  if (!values) return values.problem();
  Breakdown b;
  if (auto problem = work_out(*values, b)) return std::move(*problem);
  return b;
}

std::optional<Problem> work_out(const ClassicValues& values, Breakdown& b) {
  b.bound = WageBound::kNone;
  b.grade = values.grade;
  b.nursing = values.nursing;
  b.numbers = values.numbers;
  b.numbers[index(Input::kGrade)] = 0;
  b.numbers[index(Input::kNursing)] = 0;

  const double pooled = b.number(Input::kPoolWage);
  const double own = b.number(Input::kOwnWage);
  if (pooled * kBaseWageUpper < own) {
    b.bound = WageBound::kUpper;
    b.chosen_wage = pooled * kBaseWageUpper;
  } else if (pooled * kBaseWageLower > own) {
    b.bound = WageBound::kLower;
    b.chosen_wage = pooled * kBaseWageLower;
  } else {
    b.chosen_wage = own;
  }
  // Only a pooling-area wage near the negative end of the double range can
  // push three times it past every double.
  if (!std::isfinite(b.chosen_wage)) return input_refusal(Input::kPoolWage);
  b.base_wage = round_half_even(b.chosen_wage);

  const float base_single = to_single(b.base_wage);
  const GradeFigures none{"", 0, 0, ""};
  const GradeFigures& grade = b.grade > 0 ? grade_figures(b.grade) : none;
  const double nursing_rate = b.nursing > 0 ? nursing_figures(b.nursing).rate : 0.0f;

  char text[kMaxFormLength];
  double total = 0;
  for (std::size_t i = 0; i < kResultCount; ++i) {
    const ResultRow& r = kResults[i];
    const double input = b.numbers[index(r.input)];
    double value = 0;
    switch (r.formula) {
      case Formula::kGradeMonths:
        value = base_single * grade.subsidy_months;
        break;
      case Formula::kGradeRate:
        value = base_single * grade.allowance_rate;
        break;
      case Formula::kOwnWageTimes:
        value = own * input;
        break;
      case Formula::kPerDay:
        value = input * r.per_day;
        break;
      case Formula::kNursing:
        value = (nursing_rate * input) * (b.base_wage / kWorkDaysPerMonth);
        break;
      case Formula::kCarried:
        value = input;
        break;
      case Formula::kTotal:
        value = total;
        break;
    }
    if (!std::isfinite(value)) return result_refusal(static_cast<Result>(i));
    // The total adds what the fields show, not the unrounded values. A text
    // rounded up past the largest double reads back as out of range.
    std::optional<double> shown;
    const std::size_t n = r.precision == Precision::kSingle
                              ? write_single_form(static_cast<float>(value), text, shown)
                              : write_double_form(value, text, shown);
    b.texts[i].assign(text, n);
    b.shown[i] = shown.value_or(HUGE_VAL);
    total += b.shown[i];
  }
  return std::nullopt;
}

Outcome calculate(const InputTexts& inputs) {
  Working w = work_out(inputs);
  if (!w) return std::move(w.problem());
  return std::move(w->texts);
}

}  // namespace gongshang
