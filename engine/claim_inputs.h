// The claim's input texts read into values, each refused with a message
// naming its field when it cannot be read, and the combinations a claim
// cannot be worked out from refused too. The one reading of every field:
// the batch tool, the statement and the window's marks all come from here.
#ifndef GONGSHANG_ENGINE_CLAIM_INPUTS_H_
#define GONGSHANG_ENGINE_CLAIM_INPUTS_H_

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "engine/claim.h"
#include "engine/claim_fields.h"
#include "engine/dates.h"
#include "engine/subsidy.h"

namespace gongshang {

// Years a claim's date may have: any other is a typing slip (2066 for 1966
// would quietly turn a subsidy's years to retirement into decades).
inline constexpr int kFirstClaimYear = 1900;
inline constexpr int kLastClaimYear = 2100;

// An empty text gives nullopt, false or 0. The death fields are read only
// with 工亡 是.
struct ClaimValues {
  std::optional<double> province_wage, minimum_wage, national_income;
  std::optional<Date> birth, end, death_date;
  std::optional<int> original_age;  // 60, 55 or 50
  bool disease = false;
  bool death = false;
  bool death_after_leave = false;  // 死亡情形 期满后死亡
  int spouse = 0, others = 0, lone = 0;
  std::optional<EndReason> reason;
};

// Why one field's text cannot be read, in the words shown under the field
// (the name not repeated); "" when it can. 地区 is find_region's to check.
//   (医疗费, "1,000") -> ""   (医疗费, "3500元") -> kMoneyForm
//   (停薪月数, "25") -> "应为 0 至 24 的整数"   (出生日期, "2066-13-01") -> "应为存在的日期……"
//   (出生日期, "1066-01-01") -> "年份应在 1900 至 2100 之间，多半是输入错误"
std::string field_problem(const FieldRow& row, std::string_view text);

// The text a form's control shows for a field's text: a list's item, a
// yes/no, an age or a count in ASCII without blanks around; money and dates
// as typed.
//   (工伤等级, "5级") -> "五"   (配偶, " １ ") -> "1"   (医疗费, "１,000") -> "１,000"
std::string control_text(const FieldRow& row, std::string_view text);

// Reads every claim text (地区 is the caller's: it resolves the name).
//   原退休年龄 "45" -> Refusal{"原退休年龄", "「原退休年龄」应为 60、55 或 50"}
//   解除日期 "2024-01-01", 出生日期 "" -> Refusal{"出生日期", ...}
//   出生日期 "1990-01-01", 解除日期 "1980-01-01"
//     -> Refusal{"解除日期", "「解除日期」应在「出生日期」之后"}
//   工亡 "是", 死亡日期 "2031-01-01", rules without 2030 -> Refusal{"死亡日期", ...}
std::variant<ClaimValues, Refusal> read_claim_inputs(const ClaimTexts& texts, const Rules& rules);

// The classic inputs read as the claim reads them: money by read_money and
// counts within their limits, each refused naming its field; `numbers` gets
// the values the classic calculation then takes (work_out with numbers), so
// that "6,000" is 6000 there too, not 6.
//   本人月均工资 "1,000" -> 1000   住院天数 "\r5" -> 5   本人月均工资 "" -> 0
//   本人月均工资 "1e3" -> Refusal{"本人月均工资", ...}
std::optional<Refusal> read_classic_strictly(const InputTexts& texts, InputNumbers& numbers);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_CLAIM_INPUTS_H_
