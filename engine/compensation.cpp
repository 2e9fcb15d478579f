#include "compensation.h"

#include <cmath>
#include <iterator>
#include <optional>

#include "number_text.h"

namespace gongshang {
namespace {

// Months of base wage for the one-off subsidy and the monthly allowance rate,
// by grade. Both are singles: the rate enters the arithmetic as the single
// nearest its decimal (0.9f is 0.89999997615814208984375).
struct GradeRow {
  std::u16string_view key;
  float months;
  float rate;
};
constexpr GradeRow kGradeTable[] = {
    {u"一", 27, 0.9f}, {u"二", 25, 0.85f}, {u"三", 23, 0.8f}, {u"四", 21, 0.75f}, {u"五", 18, 0.7f},
    {u"六", 16, 0.6f}, {u"七", 13, 0},     {u"八", 11, 0},    {u"九", 9, 0},      {u"十", 7, 0},
};

struct NursingRow {
  std::u16string_view key;
  float rate;
};
constexpr NursingRow kNursingTable[] = {
    {u"完全护理", 0.5f}, {u"大部分护理", 0.4f}, {u"部分护理", 0.3f}};

constexpr double kUpperBound = 3;    // of the pooling-area wage
constexpr double kLowerBound = 0.6;  // of the pooling-area wage
constexpr double kMealPerDay = 50;
constexpr double kLodgingPerDay = 80;
constexpr double kWorkDaysPerMonth = 21.75;

// Converts to single precision the way the hardware does, without the
// undefined behaviour C++ gives a double beyond the float range.
float to_single(double x) {
  constexpr double kOverflow = 0x1.ffffffp127;  // halfway past FLT_MAX: rounds to infinity
  if (std::fabs(x) >= kOverflow) return x > 0 ? HUGE_VALF : -HUGE_VALF;
  return static_cast<float>(x);
}

std::u16string quoted(std::u16string_view field, std::u16string_view tail) {
  std::u16string s = u"「";
  s += field;
  s += u"」";
  s += tail;
  return s;
}

// Result texts are ASCII; copying them through a char16_t buffer lets the
// string copy in one block instead of converting character by character.
void assign_ascii(std::u16string& to, const char* s, std::size_t n) {
  char16_t wide[kMaxFormLength];
  for (std::size_t i = 0; i < n; ++i) wide[i] = static_cast<unsigned char>(s[i]);
  to.assign(wide, n);
}

Refusal input_refusal(InputField f) {
  auto name = kInputNames[index(f)];
  return {name, quoted(name, u"的数值超出可计算范围")};
}

Refusal result_refusal(ResultField f) {
  auto name = kResultNames[index(f)];
  return {name, quoted(name, u"的计算结果超出可计算范围")};
}

}  // namespace

Working work_out(const InputTexts& inputs) {
  Breakdown b;
  for (int i = 0; i < static_cast<int>(std::size(kGradeTable)); ++i) {
    if (kGradeTable[i].key == inputs[index(InputField::工伤等级)]) {
      b.grade = i + 1;
      b.subsidy_months = kGradeTable[i].months;
      b.allowance_rate = kGradeTable[i].rate;
    }
  }
  for (int i = 0; i < static_cast<int>(std::size(kNursingTable)); ++i) {
    if (kNursingTable[i].key == inputs[index(InputField::护理级别)]) {
      b.nursing = i + 1;
      b.nursing_rate = kNursingTable[i].rate;
    }
  }
  for (std::size_t i = index(InputField::本人月均工资); i < kInputCount; ++i) {
    auto n = read_number(inputs[i]);
    if (!n) return input_refusal(static_cast<InputField>(i));
    b.numbers[i] = *n;
  }
  auto number = [&b](InputField f) { return b.numbers[index(f)]; };

  const double pooled = number(InputField::统筹月工资);
  const double own = number(InputField::本人月均工资);
  if (pooled * kUpperBound < own) {
    b.bound = WageBound::kUpper;
    b.chosen_wage = pooled * kUpperBound;
  } else if (pooled * kLowerBound > own) {
    b.bound = WageBound::kLower;
    b.chosen_wage = pooled * kLowerBound;
  } else {
    b.chosen_wage = own;
  }
  // Only a pooling-area wage near the negative end of the double range can
  // push three times it past every double.
  if (!std::isfinite(b.chosen_wage)) return input_refusal(InputField::统筹月工资);
  b.base_wage = round_half_even(b.chosen_wage);

  const float base_single = to_single(b.base_wage);
  const float subsidy = base_single * b.subsidy_months;
  const float allowance = base_single * b.allowance_rate;
  double values[kResultCount - 1] = {
      0,
      0,
      own * number(InputField::停薪月数),
      number(InputField::住院天数) * kMealPerDay,
      number(InputField::住宿天数) * kLodgingPerDay,
      (static_cast<double>(b.nursing_rate) * number(InputField::护理天数)) *
          (b.base_wage / kWorkDaysPerMonth),
      number(InputField::医疗费),
      number(InputField::辅助器具费),
      number(InputField::交通费),
      number(InputField::营养费),
  };
  values[0] = subsidy;
  values[1] = allowance;

  char text[kMaxFormLength];
  double total = 0;
  for (std::size_t i = 0; i < kResultCount - 1; ++i) {
    if (!std::isfinite(values[i])) return result_refusal(static_cast<ResultField>(i));
    std::size_t n = i < 2 ? write_single_form(static_cast<float>(values[i]), text)
                          : write_double_form(values[i], text);
    assign_ascii(b.texts[i], text, n);
    // The total adds what the fields show, not the unrounded values. A text
    // rounded up past the largest double reads back as out of range.
    auto shown = read_number(std::string_view(text, n));
    total += shown ? *shown : HUGE_VAL;
  }
  if (!std::isfinite(total)) return result_refusal(ResultField::合计);
  std::size_t n = write_double_form(total, text);
  assign_ascii(b.texts[index(ResultField::合计)], text, n);
  return b;
}

Outcome calculate(const InputTexts& inputs) {
  Working w = work_out(inputs);
  if (auto* refusal = std::get_if<Refusal>(&w)) return std::move(*refusal);
  return std::move(std::get<Breakdown>(w).texts);
}

}  // namespace gongshang
