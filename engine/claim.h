// The whole claim: what a worker or the family can claim beyond the classic
// calculation — the two one-time subsidies when a grade 五–十 worker's
// employment ends, the disability allowance topped up to the minimum wage,
// the monthly nursing allowance, and the death benefits. Built on the
// classic calculation's working (base wage, allowance, grade, nursing
// level); UTF-8 texts in, amounts with their working out.
#ifndef GONGSHANG_ENGINE_CLAIM_H_
#define GONGSHANG_ENGINE_CLAIM_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/compensation.h"
#include "engine/region_rules.h"

namespace gongshang {

// The claim's own inputs, in the order of the batch tool's columns.
enum class ClaimInput : std::uint8_t {
  kRegion,           // 地区: a region's name; empty: none
  kProvinceWage,     // 全省月工资, yuan
  kMinimumWage,      // 最低工资: the local monthly minimum wage, yuan
  kBirthDate,        // 出生日期
  kOriginalAge,      // 原退休年龄: 60, 55 or 50
  kEndDate,          // 解除日期: the day the employment ended
  kDisease,          // 职业病: 是 / 否, empty 否
  kDeath,            // 工亡: 是 / 否, empty 否
  kDeathDate,        // 死亡日期
  kSpouse,           // 配偶: 0 or 1
  kOtherDependants,  // 其他供养亲属: a whole number
  kLoneExtra,        // 孤寡加发人数: a whole number, at most 配偶 + 其他供养亲属
  kNationalIncome,   // 全国人均可支配收入: yuan, overrides the table
  kEndReason,  // 解除原因: 本人提出, 用人单位解除, 劳动合同法第三十八条; empty: not given
  kDeathCase,  // 死亡情形: "", 因工死亡 or 期满后死亡 (see kDeathCases)
};
inline constexpr std::size_t kClaimInputCount = 15;

// The names as fields and batch columns show them, indexed by ClaimInput.
inline constexpr std::array<std::string_view, kClaimInputCount> kClaimInputNames{
    "地区",
    "全省月工资",
    "最低工资",
    "出生日期",
    "原退休年龄",
    "解除日期",
    "职业病",
    "工亡",
    "死亡日期",
    "配偶",
    "其他供养亲属",
    "孤寡加发人数",
    "全国人均可支配收入",
    "解除原因",
    "死亡情形",
};

// What 死亡情形 takes besides "": a death recognised as work-related (all
// three items of Art. 39), or a grade 一–四 worker's death after the
// 停工留薪期 of another cause (Art. 39, third paragraph: no lump sum).
inline constexpr std::string_view kDeathCases[] = {"因工死亡", "期满后死亡"};
inline constexpr std::string_view kDeathAfterLeave = kDeathCases[1];

// The amounts a claim adds, in the order of the batch tool's columns.
enum class ClaimItem : std::uint8_t {
  kMedicalSubsidy,     // 一次性工伤医疗补助金
  kEmploymentSubsidy,  // 一次性伤残就业补助金
  kToppedAllowance,    // 伤残津贴补足后
  kNursingAllowance,   // 生活护理费
  kFuneralGrant,       // 丧葬补助金
  kDependantPension,   // 供养亲属抚恤金
  kDeathLumpSum,       // 一次性工亡补助金
};
inline constexpr std::size_t kClaimItemCount = 7;

// Who pays an amount.
enum class Payer : std::uint8_t { kFund, kEmployer };
// kFund -> "基金"   kEmployer -> "用人单位"
std::string_view payer_text(Payer payer);

// What the window and the README say about each item.
struct ClaimItemInfo {
  std::string_view name;     // "一次性工伤医疗补助金"
  std::string_view article;  // "《工伤保险条例》第三十六条、第三十七条"
  Payer payer;               // the usual payer; ClaimLine::payer has the row's own
  bool monthly;              // false: paid once
};
// Indexed by ClaimItem.
extern const std::array<ClaimItemInfo, kClaimItemCount> kClaimItems;

// A classic result as a claim lists it: its name there, who pays it (by
// article: the employer during paid leave, Art. 33; 营养费 is no item of the
// regulation and is claimed from the employer) and whether it is monthly.
// 每月伤残津贴 is paid by the employer from grade kFirstSubsidyGrade on
// (Art. 36). 合计 is no item: the statement has its own totals.
struct ClassicItemInfo {
  Result result;
  std::string_view name;  // "停工留薪期工资"
  Payer payer;
  bool monthly = false;
};
extern const std::array<ClassicItemInfo, kResultCount - 1> kClassicItems;

constexpr std::size_t index(ClaimInput f) {
  return static_cast<std::size_t>(f);
}
constexpr std::size_t index(ClaimItem f) {
  return static_cast<std::size_t>(f);
}
constexpr std::string_view name(ClaimInput f) {
  return kClaimInputNames[index(f)];
}

// The claim input texts (UTF-8) indexed by ClaimInput; views, so the
// caller keeps the texts.
using ClaimTexts = std::array<std::string_view, kClaimInputCount>;

// One item of one claim.
struct ClaimLine {
  bool present = false;  // false: the item does not apply (an empty cell), or is unknown
  // Why the item applies but has no amount the region's data could give (a
  // grade without a figure, a cut whose scale is unknown): kUnknownFigure or
  // more precise; empty otherwise. The batch cell stays empty.
  std::string unknown;
  double amount = 0;    // yuan, exact binary value
  long long fen = 0;    // amount rounded to the fen, as text shows it
  std::string text;     // amount with two decimals: "70000.00"; empty when absent
  std::string working;  // the working in words with the figures used
  std::string_view article;
  Payer payer = Payer::kFund;
  std::optional<DataStatus> status;  // of the region figures used, if any
};

// Why an item that applies has no amount.
inline constexpr std::string_view kUnknownFigure =
    "该地区此等级没有可靠的数字，请向当地社保经办机构核实";

struct Claim {
  std::string retirement;  // "2026-10-15", or empty without 出生日期 and 原退休年龄
  std::array<ClaimLine, kClaimItemCount> lines;
  // 数据状态: the status word first, then what qualifies the figures, apart
  // by "；": "条文已核对", "转载未核对；用户规则文件", "政府文件；2025年收入未确认";
  // empty when no figure of the rules was used.
  std::string data_status;
  const IncomeYear* income = nullptr;  // the table's figure behind 一次性工亡补助金, if used
  // Art. 36: a grade 五/六 worker whose employment ended gets the subsidies
  // instead of the allowance, which stops at 解除日期.
  bool allowance_ended = false;
  bool death_after_leave = false;  // 期满后死亡: Art. 39, third paragraph
  std::vector<std::string> notes;  // what the amounts assume beyond the rules, once each
};

using ClaimOutcome = std::variant<Claim, Refusal>;

// Whether the lines get their working in words; the batch tool, which
// writes only amounts, skips composing them.
enum class ClaimDetail : std::uint8_t { kWorking, kAmountsOnly };

// Writes yuan with two decimals: the exact binary value rounded to the
// nearest fen, ties to even.
//   70000 -> "70000.00"   0.125 -> "0.12"   1931.0345 -> "1931.03"
std::string money_text(double yuan);

// The same amount in fen: money_text's digits without the point.
//   70000 -> 7000000   0.125 -> 12   -0.001 -> 0
long long fen_of(double yuan);

// The claim for one case. `region` is the entry the 地区 text names
// (resolved by the caller with Rules::find, or built from what the user
// typed), nullptr for none; `rules` gives the income table.
//   浙江, grade 七, 全省月工资 7000, 解除日期 three whole years before retirement
//     -> 一次性工伤医疗补助金 "70000.00", 一次性伤残就业补助金 "42000.00"
//   原退休年龄 "45" -> Refusal{"原退休年龄", ...}
//   工亡 "是", 死亡日期 "2031-01-01", no 全国人均可支配收入 -> Refusal{"死亡日期", ...}
ClaimOutcome work_out_claim(const InputTexts& classic, const ClaimTexts& claim,
                            const Region* region, const Rules& rules,
                            ClaimDetail detail = ClaimDetail::kWorking);

// The same on a classic working already computed (the batch tool has one).
ClaimOutcome work_out_claim(const Breakdown& classic, const ClaimTexts& claim, const Region* region,
                            const Rules& rules, ClaimDetail detail = ClaimDetail::kWorking);

// The same into a Claim the caller keeps, so that its texts' storage is
// reused from case to case; nullopt when `into` holds the claim.
std::optional<Refusal> work_out_claim(const Breakdown& classic, const ClaimTexts& claim,
                                      const Region* region, const Rules& rules, ClaimDetail detail,
                                      Claim& into);

// The region a 地区 text names (blanks around and full-width forms as
// ascii_form reads them), nullptr for an empty text, or the refusal for a
// name no entry has.
//   "浙江" -> the entry   "" -> nullptr   "火星" -> unknown_region("火星")
std::variant<const Region*, Refusal> find_region(const Rules& rules, std::string_view typed);

// The refusal for a 地区 text no entry has.
//   "火星" -> Refusal{"地区", "「地区」没有名为“火星”的条目……"}
Refusal unknown_region(std::string_view typed);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_CLAIM_H_
