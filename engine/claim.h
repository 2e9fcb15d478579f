// The whole claim: what a worker or the family can claim beyond the classic
// calculation — the two one-time subsidies when a grade 五–十 worker's
// employment ends, the labour law's 经济补偿 or 赔偿金 then, the disability
// allowance topped up to the minimum wage and by the fund after retirement,
// the monthly nursing allowance, and the death benefits. Built on the
// classic calculation's working (base wage, allowance, grade, nursing
// level); UTF-8 texts in, amounts with their working out.
#ifndef GONGSHANG_ENGINE_CLAIM_H_
#define GONGSHANG_ENGINE_CLAIM_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/compensation.h"
#include "engine/reading.h"
#include "engine/region_rules.h"

namespace gongshang {

// The amounts a claim adds, in the order of the batch tool's columns.
enum class ClaimItem : std::uint8_t {
  kMedicalSubsidy,     // 一次性工伤医疗补助金
  kEmploymentSubsidy,  // 一次性伤残就业补助金
  kToppedAllowance,    // 伤残津贴补足后
  kNursingAllowance,   // 生活护理费
  kFuneralGrant,       // 丧葬补助金
  kDependantPension,   // 供养亲属抚恤金
  kDeathLumpSum,       // 一次性工亡补助金
  kSeverance,          // 经济补偿: 《劳动合同法》第四十六条、第四十七条
  kDamages,            // 赔偿金: 第八十七条, instead of 经济补偿
  kPensionTopUp,       // 退休后伤残津贴差额: the fund's, Art. 35(三)
};
inline constexpr std::size_t kClaimItemCount = 10;

// Who pays an amount.
enum class Payer : std::uint8_t { kFund, kEmployer };
// kFund -> "基金"   kEmployer -> "用人单位"
std::string_view payer_text(Payer payer);

// The fields an item's amount is worked out from: left empty, the item has
// no amount (never 0). Art. 64 bounds 本人工资 by the pooling wage, so an
// item of 本人工资 needs both.
inline constexpr Field kNeedsOwnAndPool[] = {Field::kOwnWage, Field::kPoolWage};
inline constexpr Field kNeedsPool[] = {Field::kPoolWage};
inline constexpr Field kNeedsOwn[] = {Field::kOwnWage};

// What the window and the README say about each item.
struct ClaimItemInfo {
  std::string_view name;     // "一次性工伤医疗补助金"
  std::string_view article;  // "《工伤保险条例》第三十六条、第三十七条"
  Payer payer;               // the usual payer; ClaimLine::payer has the row's own
  bool monthly;              // false: paid once
  // Fields it needs (kNeedsPool …); the subsidies' follow their rule's base
  // and 一次性工亡补助金's the income table (claim.cpp).
  std::span<const Field> needs = {};
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
  std::span<const Field> needs = {};  // as ClaimItemInfo::needs
};
extern const std::array<ClassicItemInfo, kResultCount - 1> kClassicItems;

constexpr std::size_t index(ClaimItem f) {
  return static_cast<std::size_t>(f);
}

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
  // How long a monthly item runs: "终身", "至领取基本养老金，法定退休日期 2026-10-15"
  std::string duration;
  std::string_view article;
  Payer payer = Payer::kFund;
  std::optional<DataStatus> status;  // of the region figures used, if any
};

// Why an item that applies has no amount.
inline constexpr std::string_view kUnknownFigure =
    "该地区此等级没有可靠的数字，请向当地社保经办机构核实";
inline constexpr std::string_view kNoFigureTyped = "未选择地区，也未填写月数或金额";

// A field an item needs, left empty, with the items that need it, the
// classic ones first: "一次性伤残补助金、丧葬补助金".
struct MissingField {
  Field field;
  std::string items;
};

struct Claim {
  // "2026-10-15": 法定退休日期 as typed, or from 出生日期 and 原退休年龄; or empty.
  std::string retirement;
  std::array<ClaimLine, kClaimItemCount> lines;
  // 数据状态: the status word first, then what qualifies the figures, apart
  // by "；": "条文已核对", "转载未核对；用户规则文件", "政府文件；2025年收入未确认";
  // empty when no figure of the rules was used.
  std::string data_status;
  const IncomeYear* income = nullptr;  // the table's figure behind 一次性工亡补助金, if used
  // Art. 36: a grade 五/六 worker whose employment ended gets the subsidies
  // instead of the allowance, which stops at 解除日期.
  bool allowance_ended = false;
  // Art. 36(二): a grade 五/六 worker given suitable work draws no allowance.
  bool suitable_work = false;
  Ending ending = Ending::kNone;   // how the law reads 解除日期
  bool death_after_leave = false;  // 期满后死亡: Art. 39, third paragraph
  std::vector<std::string> notes;  // what the amounts assume beyond the rules, once each
  // Why a classic result that applies has no amount: a field it needs is
  // empty ("计算一次性伤残补助金需要「统筹月工资」"); "" otherwise.
  std::array<std::string, kResultCount> classic_unknown;
  std::vector<MissingField> missing;  // the fields behind those, in form order
};

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

// Fen as yuan with two decimals: 19000000 -> "190000.00", -5 -> "-0.05".
std::string yuan_text(long long fen);

// The claim's items for one case, into a Claim the caller keeps (so that its
// texts' storage is reused from case to case): the values read, the classic
// calculation worked out on them, and `region` the entry whose subsidy rules
// apply (the rules' own, or one built from the figures typed), nullptr for
// none; `rules` gives the income table. Returns why the claim cannot be
// worked out, or nullopt.
//   浙江, grade 七, 全省月工资 7000, 解除日期 three whole years before retirement
//     -> 一次性工伤医疗补助金 "70000.00", 一次性伤残就业补助金 "42000.00"
//   no region, nothing typed, grade 七 with 解除日期 -> both subsidies unknown,
//     kNoFigureTyped
//   解除原因 劳动合同法第三十八条, 入职日期 a year before -> 经济补偿 a month's wage
//   死亡情形 期满后死亡, grade 七 -> Problem{"死亡情形", "为期满后死亡，但……"}
//   工亡, 统筹月工资 empty -> 丧葬补助金 unknown "计算丧葬补助金需要「统筹月工资」",
//     missing {统筹月工资: "丧葬补助金、供养亲属抚恤金"}
//   工亡, 死亡日期 2010-12-31 -> 一次性工亡补助金 unknown (the 2003 text's figure)
std::optional<Problem> build_claim(const Breakdown& classic, const CaseValues& values,
                                   const Region* region, const Rules& rules, ClaimDetail detail,
                                   Claim& into);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_CLAIM_H_
