// The claim statement: every item a worker or the family hands over, one-time
// and monthly apart, each with its amount, payer, working, article and 数据状态;
// the totals by payer and the notes. Made by evaluate() (evaluation.h) from
// the values a case's texts were read into; the window, the report and the
// page only lay it out.
#ifndef GONGSHANG_ENGINE_CLAIM_STATEMENT_H_
#define GONGSHANG_ENGINE_CLAIM_STATEMENT_H_

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/claim.h"
#include "engine/compensation.h"
#include "engine/reading.h"
#include "engine/region_rules.h"

namespace gongshang {

// What marks a dead worker's own item: owed to the heirs only where the
// employer or the fund has not paid it yet.
inline constexpr std::string_view kIfUnpaid = "如尚未支付";

struct StatementItem {
  std::string name;              // "一次性伤残补助金"
  std::optional<long long> fen;  // the amount rounded to the fen; nullopt: unknown (see working)
  Payer payer = Payer::kFund;
  std::string working;  // the figures used, lines apart; for an unknown amount, why
  std::string article;  // "《工伤保险条例》第三十六条"; empty for 营养费
  std::string status;   // 数据状态 of the region's figures it rests on; empty for national ones
  bool monthly = false;
  std::string duration;  // how long a monthly item runs: "终身"; empty for one paid once
  // After a death, an item of the worker's own (一次性伤残补助金, 停工留薪期工资,
  // costs): no death benefit, owed only if unpaid (kIfUnpaid).
  bool if_unpaid = false;
};

// The table an item is shown in; every front end splits the items so.
//   {monthly false, if_unpaid false} -> kOnce   {if_unpaid true} -> kIfUnpaid
enum class StatementPart { kOnce, kMonthly, kIfUnpaid };
inline StatementPart part_of(const StatementItem& item) {
  return item.if_unpaid ? StatementPart::kIfUnpaid
         : item.monthly ? StatementPart::kMonthly
                        : StatementPart::kOnce;
}

struct StatementTotal {
  long long fen = 0, fund_fen = 0, employer_fen = 0;
};

struct Statement {
  // One-time items first, then monthly ones, then those if_unpaid.
  std::vector<StatementItem> items;
  // Of the items with an amount, but for the top-up after retirement, which
  // follows the allowance rather than adding to it. After a death `once` and
  // `monthly` are the family's benefits (Art. 39) alone, `if_unpaid` the
  // worker's own items apart.
  StatementTotal once, monthly, if_unpaid;
  bool death = false;                  // 工亡: the statement is in two parts
  std::string retirement;              // "2026-10-15", or empty
  std::vector<std::string> notes;      // what the report says below the totals
  const Region* region = nullptr;      // the rules' entry 地区 names, if any
  bool typed_figures = false;          // no region: the subsidies use the figures typed
  bool uninsured = false;              // the employer pays everything (Art. 62)
  const IncomeYear* income = nullptr;  // the table's figure behind 一次性工亡补助金, if used
  std::string data_status;             // as the batch tool's 数据状态 column
  std::string rules_collected;         // when the shipped rules' figures were collected, or ""
  // The inputs as a person gave them, in form order: empty fields, unticked
  // boxes, zero counts and fields out of effect say nothing; an age is in
  // years, and no region is said as such.
  //   {地区 "", 工伤等级 "七", 配偶 "0", 原退休年龄 "60"}
  //     -> {{"地区", "未选（补助金标准自行填写）"}, {"工伤等级", "七"}, {"原退休年龄", "60 岁"}}
  std::vector<std::pair<std::string_view, std::string>> inputs;
};

// The statement of a claim worked out: the classic results as items (those
// of 0 left out, the allowance where a claim item does not replace it), the
// claim's items (one the region has no figure for kept without an amount),
// payers moved to the employer where it is uninsured, and the notes.
//   grade 七, 浙江, 全省月工资 7000, 本人 6000, 统筹 5000, three whole years
//   left -> 一次性伤残补助金 7800000 fen (基金), 一次性工伤医疗补助金 7000000
//   (基金), 一次性伤残就业补助金 4200000 (用人单位); once.fen 19000000
//   用人单位未参保 是 -> the same items, every payer 用人单位
//   grade 五 with 解除日期 -> no 伤残津贴补足后; a note on Art. 36
//   用人单位未参保 是 -> every work-injury item on the employer; 经济补偿 is the employer's anyway
//   grade 七, 浙江, no 解除日期 -> a note: the subsidies follow when the
//   contract expires or the worker ends it (Art. 37(二))
//   工亡, grade 四, 期满后死亡 -> 丧葬补助金, 供养亲属抚恤金 (the family's), then
//     一次性伤残补助金 if_unpaid, counted in if_unpaid only
//   统筹月工资 empty, grade 七 -> 一次性伤残补助金 without an amount, its working
//     "计算一次性伤残补助金需要「统筹月工资」"
Statement make_statement(const Breakdown& classic, const Claim& claim, const CaseValues& values,
                         bool typed_figures);

// What the statement says below its totals, in order: how the employment
// ended and what the amounts assume, the death, an uninsured employer,
// figures of a user's file or unconfirmed, and the items left unknown.
//   grade 五 with 解除日期 -> {"五级、六级伤残职工解除或者终止劳动关系的，伤残津贴发至解除日期 …"}
std::vector<std::string> statement_notes(const Breakdown& classic, const Claim& claim,
                                         const CaseValues& values);

// The same as one line for a spreadsheet cell (the batch tool's 说明): each
// monthly item's duration first ("生活护理费：终身"), then the notes, apart by
// "；", a final "。" dropped; "" when there is nothing to say.
//   grade 七, 部分护理 -> "生活护理费：终身"
std::string notes_line(const Breakdown& classic, const Claim& claim, const CaseValues& values);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_CLAIM_STATEMENT_H_
