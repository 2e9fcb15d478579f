// The claim's input texts read into values, each refused with a
// message naming its field when it cannot be read, and the combinations a
// claim cannot be worked out from refused too.
#ifndef GONGSHANG_ENGINE_CLAIM_INPUTS_H_
#define GONGSHANG_ENGINE_CLAIM_INPUTS_H_

#include <optional>
#include <variant>

#include "engine/claim.h"
#include "engine/dates.h"
#include "engine/subsidy.h"

namespace gongshang {

// An empty text gives nullopt, false or 0.
struct ClaimValues {
  std::optional<double> province_wage, minimum_wage, national_income;
  std::optional<Date> birth, end, death_date;
  std::optional<int> original_age;  // 60, 55 or 50
  bool disease = false;
  bool death = false;
  int spouse = 0, others = 0, lone = 0;
  std::optional<EndReason> reason;
};

// Reads every claim text (地区 is the caller's: it resolves the name).
//   原退休年龄 "45" -> Refusal{"原退休年龄", "「原退休年龄」应为 60、55 或 50"}
//   解除日期 "2024-01-01", 出生日期 "" -> Refusal{"出生日期", ...}
//   工亡 "是", 死亡日期 "2031-01-01", rules without 2030 -> Refusal{"死亡日期", ...}
std::variant<ClaimValues, Refusal> read_claim_inputs(const ClaimTexts& texts, const Rules& rules);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_CLAIM_INPUTS_H_
