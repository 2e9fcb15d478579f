// gongshang-batch --claim: every field's column, found by name in the header
// like the classic ones, and the claim's result columns, written before 错误:
//   退休日期,一次性工伤医疗补助金,一次性伤残就业补助金,伤残津贴补足后,
//   生活护理费,丧葬补助金,供养亲属抚恤金,一次性工亡补助金,经济补偿,赔偿金,
//   退休后伤残津贴差额,数据状态,说明
// A cell stays empty where the item does not apply; money has two decimals;
// 说明 says what the window says below the totals, and how long each monthly
// item runs.
#ifndef GONGSHANG_BATCH_CLAIM_COLUMNS_H_
#define GONGSHANG_BATCH_CLAIM_COLUMNS_H_

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "engine/claim.h"
#include "engine/fields.h"
#include "engine/problem.h"

namespace gongshang::batch {

// The columns --claim adds, in order.
inline constexpr std::size_t kClaimColumnCount = kClaimItemCount + 3;
inline constexpr std::string_view kRetirementColumn = "退休日期";
inline constexpr std::string_view kStatusColumn = "数据状态";
inline constexpr std::string_view kNotesColumn = "说明";

// The claim's result cells of each row, decided by the engine's one
// evaluation from the texts of every field the header names.
class ClaimColumns {
 public:
  // The rules stay the caller's and must outlive this.
  explicit ClaimColumns(const Rules& rules) : rules_(rules) {}

  // ",退休日期,…,数据状态,说明"
  static void append_header(std::string& out);

  // One row: the classic results, the claim columns and 错误, each cell
  // after a comma. A problem, the classic calculation's or the claim's,
  // leaves every result empty and fills 错误.
  void append_row(const FieldViews& texts, std::string& out) const;
  // For a header without 生活护理等级: each row's 护理级别 stands for it
  // (engine/earlier_cases.h). Set before the first row.
  void fill_care_level_from_nursing() { care_level_from_nursing_ = true; }
  // A refused row: every result empty, the message in 错误.
  static void append_refusal(const Problem& problem, std::string& out);

 private:
  const Rules& rules_;
  bool care_level_from_nursing_ = false;
};

// The options --claim and --rules FILE (or --rules=FILE).
struct ClaimOptions {
  bool on = false;
  std::optional<std::string_view> rules_file;
  std::string error;  // set when an option of these is malformed

  // Takes args[at] if it is one of these options, and its FILE after it;
  // moves `at` to the last argument taken.
  //   {"--rules", "my.json"}, 0 -> true, rules_file "my.json", at 1
  //   {"--rules"}, 0 -> true, error "「--rules」后面缺少规则文件名"
  //   {"--help"}, 0 -> false
  bool take(std::span<const std::string_view> args, std::size_t& at);
};

// The shipped rules beside `program` (empty: this process), with the user's
// file merged in; or the message saying which file is wrong, and where.
std::variant<Rules, std::string> load_claim_rules(const std::filesystem::path& program,
                                                  std::optional<std::string_view> user_file);

// The --help lines for the claim.
std::string claim_help_text();

}  // namespace gongshang::batch

#endif  // GONGSHANG_BATCH_CLAIM_COLUMNS_H_
