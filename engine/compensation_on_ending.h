// When the employment ends: how it ended (解除原因), how the law reads the
// case (ended by the worker's death, at retirement, or otherwise), and what
// the labour law owes beside the work-injury items — 经济补偿 (《劳动合同法》
// 第四十六条、第四十七条) or, for an unlawful ending, 赔偿金 instead (第四十八条、
// 第八十七条; 实施条例第二十五条) — with the notes that say why.
#ifndef GONGSHANG_ENGINE_COMPENSATION_ON_ENDING_H_
#define GONGSHANG_ENGINE_COMPENSATION_ON_ENDING_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/dates.h"
#include "engine/problem.h"

namespace gongshang {

// How the employment ended (解除原因). The first three keep the values they
// have always had in case files and CSVs.
enum class EndReason : std::uint8_t {
  kOwnRequest,  // 本人提出: the worker asked (《劳动合同法》第三十七条)
  kEmployer,    // 用人单位解除: the employer ended it, ground not given
  kArticle38,   // 劳动合同法第三十八条: the worker ended it for the employer's fault
  kAgreed,      // 协商一致（用人单位提出）: 第三十六条 at the employer's proposal
  kExpiry,      // 合同期满终止: 第四十四条第一项
  kNoticeOrRedundancy,  // 用人单位依第四十条或第四十一条解除
  kUnlawful,            // 用人单位违法解除
};

struct EndReasonItem {
  std::string_view text;
  EndReason reason;
  int since_format;  // the case file's 格式 that first holds it
};
// In the order the list offers them.
inline constexpr std::array<EndReasonItem, 7> kEndReasonItems{{
    {"本人提出", EndReason::kOwnRequest, 2},
    {"协商一致（用人单位提出）", EndReason::kAgreed, 3},
    {"合同期满终止", EndReason::kExpiry, 3},
    {"劳动合同法第三十八条", EndReason::kArticle38, 2},
    {"用人单位依第四十条或第四十一条解除", EndReason::kNoticeOrRedundancy, 3},
    {"用人单位解除", EndReason::kEmployer, 2},
    {"用人单位违法解除", EndReason::kUnlawful, 3},
}};

// kEmployer -> "用人单位解除"
std::string_view end_reason_text(EndReason reason);

// Whether the employer, not the worker, ended it or proposed to.
//   kEmployer, kAgreed, kNoticeOrRedundancy, kUnlawful -> true; the others false
bool employer_ended(EndReason reason);

// How the law reads a case's 解除日期.
enum class Ending : std::uint8_t {
  kNone,  // no 解除日期: the employment goes on
  kByDeath,  // 解除日期 on the 死亡日期: the contract ended by death (第四十四条第三项)
  kAtRetirement,  // on or after the retirement date in force then (实施条例第二十一条)
  kEnded,         // ended otherwise: the subsidies (五–十) and the labour law's pay
};

// `retirement` is the statutory date in force on the 解除日期
// (retirement_date_on), `death` the 死亡日期 of a death at work.
//   end 2024-06-01, death 2024-06-01 -> kByDeath
//   end 2024-06-01, retirement 2020-01-01 -> kAtRetirement
//   end 2024-06-01, retirement 2026-05-15 -> kEnded   no end -> kNone
Ending ending_of(std::optional<Date> end, std::optional<Date> death,
                 std::optional<Date> retirement);

// The worker's side of the labour law's pay.
struct EndingCase {
  int grade = 0;  // classic grade number, 0 for none
  std::optional<EndReason> reason;
  std::optional<Date> start;           // 入职日期
  Date end;                            // 解除日期, the last day of employment
  std::optional<double> leaving_wage;  // 离职前十二个月平均工资
  std::optional<double> own_wage;      // 本人月均工资 as typed (not Art. 64's 本人工资)
  std::optional<double> pool_wage;  // 统筹月工资: stands in for the city's published average
  std::optional<double> minimum_wage;  // 最低工资
};

// One item of the labour law: present when owed and computable.
struct LabourPay {
  std::optional<double> amount;  // yuan, exact binary value
  std::string working;           // when asked for
  std::string_view article;
};

struct EndingPay {
  LabourPay severance;             // 经济补偿
  LabourPay damages;               // 赔偿金
  std::vector<std::string> notes;  // why, and what to fill; in every detail
};

// Article 47 and the reason's article decide; `words` says whether to
// compose the workings. The service counts from 入职日期 through 解除日期,
// both days: a month's wage per whole year, a remainder of six whole months
// or more a year, a shorter one half a month. 经济补偿 counts from
// 2008-01-01 at the earliest (第九十七条第三款), 赔偿金 from 入职日期.
//   协商一致（用人单位提出）, 2004-12-01 .. 2016-05-31, wage 8000
//     -> 经济补偿 8 years 5 months from 2008: 8.5 × 8000 = 68000
//   用人单位违法解除, the same -> 赔偿金 2 × 12 × 8000 = 192000
//   本人提出 -> neither   no 入职日期 -> neither, a note says what to fill
//   合同期满终止, grade 五 -> Problem{"解除原因", "为合同期满终止的，……"}
std::variant<EndingPay, Problem> labour_pay(const EndingCase& c, Ending ending, bool words);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_COMPENSATION_ON_ENDING_H_
