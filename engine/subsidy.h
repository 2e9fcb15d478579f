// The amount of one one-time subsidy (一次性工伤医疗补助金 or
// 一次性伤残就业补助金) of one region for one worker whose employment ended:
// the region's months, fixed amount or life-expectancy formula, its
// occupational-disease uplift, its cut near retirement for the endings it
// names, and nothing from the retirement date on.
#ifndef GONGSHANG_ENGINE_SUBSIDY_H_
#define GONGSHANG_ENGINE_SUBSIDY_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "engine/compensation.h"
#include "engine/compensation_on_ending.h"
#include "engine/dates.h"
#include "engine/region_rules.h"

namespace gongshang {

// The worker's side of the computation.
struct SubsidyCase {
  int grade = kFirstSubsidyGrade;       // classic grade number, 5 (五) .. 10 (十)
  double pool_wage = 0;                 // 统筹月工资
  std::optional<double> province_wage;  // 全省月工资, when given
  double own_wage = 0;                  // 本人工资: the classic base wage
  bool disease = false;                 // 职业病
  Date birth;
  std::optional<bool> male;         // 性别; nullopt: guessed from the original age
  int original_age = 60;            // 60, 55 or 50; 0 where 法定退休日期 was typed instead
  Date end;                         // 解除日期
  Date retirement;                  // the statutory retirement date in force on `end`
  std::optional<EndReason> reason;  // nullopt: 解除原因 left empty
};

struct SubsidyAmount {
  double amount = 0;    // yuan, exact binary value; may be beyond every double
  std::string working;  // the figures used, when asked for: "统筹月工资 7000 × 10 个月 = …"
  std::string note;     // what the amount assumes beyond the region's rule; often empty
};
// The region has the subsidy but this amount cannot be known from its data.
struct SubsidyUnknown {
  std::string reason;  // "地区“云南”没有八级一次性伤残就业补助金的数字……"
};
using SubsidyOutcome = std::variant<SubsidyAmount, SubsidyUnknown, Problem>;

// One subsidy. `item` names it ("一次性工伤医疗补助金") and `region` the
// region in messages; `words` says whether to compose the working.
//   上海 rule (18 months, cut 0/20/40/60/80 % for 本人提出), grade 五,
//   统筹月工资 10000, three whole years left:
//     本人提出 -> 108000.00   用人单位解除 -> 180000.00
//     empty -> Problem{"解除原因", …}
//   a grade without a figure -> SubsidyUnknown
//   base 全省月工资, none given -> Problem{"全省月工资", …}
SubsidyOutcome work_out_subsidy(const SubsidyRule& rule, std::string_view item,
                                std::string_view region, const SubsidyCase& c, bool words);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_SUBSIDY_H_
