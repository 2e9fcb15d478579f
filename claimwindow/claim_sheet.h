// Every item of one claim as a person hands it over: the classic results and
// the claim's own, each with its amount in yuan and fen, who pays it, the
// working and the article; one-time and monthly amounts apart, each with its
// total. Computed from the form's texts on every change, so it keeps nothing.
#ifndef GONGSHANG_CLAIMWINDOW_CLAIM_SHEET_H_
#define GONGSHANG_CLAIMWINDOW_CLAIM_SHEET_H_

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "claimwindow/fields.h"
#include "engine/claim.h"
#include "engine/region_rules.h"

namespace gongshang::claimwindow {

struct SheetLine {
  std::string item;    // "一次性伤残补助金"
  long long fen = 0;   // the amount as shown: the exact value rounded to the fen
  std::string amount;  // "63000.00"
  Payer payer = Payer::kFund;
  std::string working;  // the figures used, lines apart
  std::string article;  // "《工伤保险条例》第三十六条"; empty for 营养费
  bool monthly = false;
};

struct Total {
  long long fen = 0, fund_fen = 0, employer_fen = 0;
};

struct Sheet {
  std::vector<SheetLine> lines;  // one-time items first, then monthly ones
  Total once, monthly;
  std::string retirement;              // "2026-10-15", or empty
  std::optional<Region> region;        // the region whose figures were used, if any
  bool typed_region = false;           // the figures are the user's own
  bool uninsured = false;              // the employer pays everything (Art. 62)
  const IncomeYear* income = nullptr;  // the table's figure behind 一次性工亡补助金, if used
};

using SheetOutcome = std::variant<Sheet, Refusal>;

// The claim. The region is the rules' entry named by 地区, or, when 地区 is
// empty, the months or amounts typed under 医疗补助金月数或金额 and
// 就业补助金月数或金额 with their bases. Items that do not apply (no grade, no death, an amount of
// 0) are left out; 合计 of the classic calculation gives way to the two totals.
//   grade 七, 浙江, 全省月工资 7000, 本人 6000, 统筹 5000, three whole years
//   left -> 一次性伤残补助金 78000.00 (基金), 一次性工伤医疗补助金 70000.00
//   (基金), 一次性伤残就业补助金 42000.00 (用人单位); once.fen 19000000
//   用人单位未参保 是 -> the same lines, every payer 用人单位
SheetOutcome make_sheet(const FieldTexts& texts, const Rules& rules);

// Fen as yuan with two decimals: 19000000 -> "190000.00", -5 -> "-0.05".
std::string yuan_text(long long fen);

}  // namespace gongshang::claimwindow

#endif  // GONGSHANG_CLAIMWINDOW_CLAIM_SHEET_H_
