#include "batch/claim_columns.h"

#include <algorithm>
#include <cstdint>
#include <variant>

#include "batch/csv.h"
#include "engine/earlier_cases.h"
#include "engine/evaluation.h"
#include "engine/typed_text.h"
#include "regions/rules_file.h"

namespace gongshang::batch {
void ClaimColumns::append_refusal(const Problem& problem, std::string& out) {
  out.append(kResultCount + kClaimColumnCount + 1, ',');
  append_cell(out, message(problem));
}

void ClaimColumns::append_header(std::string& out) {
  out.push_back(',');
  out.append(kRetirementColumn);
  for (const ClaimItemInfo& item : kClaimItems) out.append(",").append(item.name);
  out.push_back(',');
  out.append(kStatusColumn);
  out.push_back(',');
  out.append(kNotesColumn);
}

void ClaimColumns::append_row(const FieldViews& texts, std::string& out) const {
  // Each thread keeps one evaluation, so that rows reuse its storage.
  thread_local Evaluation e;
  if (care_level_from_nursing_) {
    FieldViews filled = texts;
    filled[index(Field::kCareLevel)] = care_level_of_nursing(texts);
    evaluate(filled, rules_, ClaimDetail::kAmountsOnly, e);
  } else {
    evaluate(texts, rules_, ClaimDetail::kAmountsOnly, e);
  }
  if (const Problem* problem = e.row_problem()) return append_refusal(*problem, out);

  // Result and claim texts are ASCII digits and dates: no quoting needed.
  // An amount the region's data cannot give leaves its cell empty; 数据状态
  // then says 部分金额未知, so it does not read as an item that does not apply.
  const auto cell = [&out](std::string_view text) {
    out.push_back(',');
    out.append(text);
  };
  for (const std::string& text : e.classic.texts) cell(text);
  cell(e.claim.retirement);
  for (const ClaimLine& line : e.claim.lines) cell(line.text);
  cell(e.claim.data_status);
  out.push_back(',');
  append_cell(out, notes_line(e.classic, e.claim, e.reading.values));
  out.push_back(',');
}

bool ClaimOptions::take(std::span<const std::string_view> args, std::size_t& at) {
  const std::string_view arg = args[at];
  if (arg == "--claim") {
    on = true;
  } else if (arg == "--rules") {
    if (at + 1 == args.size()) {
      error = "「--rules」后面缺少规则文件名";
    } else {
      rules_file = args[++at];
    }
  } else if (arg.starts_with("--rules=")) {
    rules_file = arg.substr(8);
  } else {
    return false;
  }
  if (rules_file && rules_file->empty()) error = "「--rules」后面缺少规则文件名";
  return true;
}

std::variant<Rules, std::string> load_claim_rules(const std::filesystem::path& program,
                                                  std::optional<std::string_view> user_file) {
  auto loaded =
      regions::load_rules(program.empty() ? regions::program_path() : program,
                          user_file ? std::filesystem::path(*user_file) : std::filesystem::path());
  if (auto* error = std::get_if<regions::LoadError>(&loaded))
    return "规则文件有误：" + error->text();
  return std::move(std::get<Rules>(loaded));
}

std::string claim_help_text() {
  std::string text = "--claim 另算整个索赔，另读输入列 ";
  for (const FieldRow& row : field_rows())
    if (std::find(kInputFields.begin(), kInputFields.end(), row.field) == kInputFields.end() &&
        row.kind != FieldKind::kText)
      text.append(row.name).append("、");
  text.resize(text.size() - std::string_view("、").size());
  text.append("；\n在「错误」之前加结果列 ").append(kRetirementColumn);
  for (const ClaimItemInfo& item : kClaimItems) text.append("、").append(item.name);
  text.append("、").append(kStatusColumn).append("、").append(kNotesColumn);
  text.append(
      "（金额保留两位小数，不适用的留空；说明列写明各项按月待遇的期限和计算所依据的说明）；\n"
      "这时所有输入列都按整个索赔的读法严格读取，无法读取的行在「错误」中写明原因；\n"
      "--rules 文件 另读一个同样格式的地区规则文件，其中的条目取代同名的内置条目。\n");
  return text;
}

}  // namespace gongshang::batch
