// The claim statement: every item a worker or the family hands over, from
// the texts of the claim's fields (the case file's keys, the batch tool's
// columns). It decides once, for every front end, which items apply, what
// excludes what, who pays (Art. 62 included), the totals and the notes;
// the window, the report and a web page only lay it out.
#ifndef GONGSHANG_ENGINE_CLAIM_STATEMENT_H_
#define GONGSHANG_ENGINE_CLAIM_STATEMENT_H_

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/claim.h"
#include "engine/claim_fields.h"
#include "engine/region_rules.h"

namespace gongshang {

struct StatementItem {
  std::string name;              // "一次性伤残补助金"
  std::optional<long long> fen;  // the amount rounded to the fen; nullopt: unknown (see working)
  Payer payer = Payer::kFund;
  std::string working;  // the figures used, lines apart; for an unknown amount, why
  std::string article;  // "《工伤保险条例》第三十六条"; empty for 营养费
  std::string status;   // 数据状态 of the region's figures it rests on; empty for national ones
  bool monthly = false;
};

struct StatementTotal {
  long long fen = 0, fund_fen = 0, employer_fen = 0;
};

struct Statement {
  std::vector<StatementItem> items;    // one-time items first, then monthly ones
  StatementTotal once, monthly;        // of the items with an amount
  std::string retirement;              // "2026-10-15", or empty
  std::vector<std::string> notes;      // what the report says below the totals
  const Region* region = nullptr;      // the rules' entry 地区 names, if any
  bool typed_figures = false;          // no region: the subsidies use the figures typed
  bool uninsured = false;              // the employer pays everything (Art. 62)
  const IncomeYear* income = nullptr;  // the table's figure behind 一次性工亡补助金, if used
  std::string data_status;             // as the batch tool's 数据状态 column
};

using StatementOutcome = std::variant<Statement, Refusal>;

// The statement of one case; `rules` must outlive it (region and income
// point into it). Items of 0 are left out, an item the region has no figure
// for is kept without an amount.
//   grade 七, 浙江, 全省月工资 7000, 本人 6000, 统筹 5000, three whole years
//   left -> 一次性伤残补助金 7800000 fen (基金), 一次性工伤医疗补助金 7000000
//   (基金), 一次性伤残就业补助金 4200000 (用人单位); once.fen 19000000
//   用人单位未参保 是 -> the same items, every payer 用人单位
//   grade 五 with 解除日期 -> no 伤残津贴补足后; a note on Art. 36
//   本人月均工资 "1e3" -> Refusal{"本人月均工资", "「本人月均工资」只能填写数字……"}
StatementOutcome make_statement(const FieldTexts& texts, const Rules& rules);

// Every field in effect whose text cannot be read, in form order, with the
// reason shown under it; 地区 included (a name the rules lack).
struct FieldProblem {
  std::string_view field;
  std::string reason;  // "只能填写数字……"
};
std::vector<FieldProblem> field_problems(const FieldTexts& texts, const Rules& rules);

// Fen as yuan with two decimals: 19000000 -> "190000.00", -5 -> "-0.05".
std::string yuan_text(long long fen);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_CLAIM_STATEMENT_H_
