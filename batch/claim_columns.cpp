#include "batch/claim_columns.h"

#include <algorithm>
#include <cstdint>
#include <variant>

#include "batch/csv.h"
#include "engine/claim_inputs.h"
#include "engine/typed_text.h"
#include "regions/rules_file.h"

namespace gongshang::batch {
namespace {

constexpr std::size_t kNoColumn = SIZE_MAX;

}  // namespace

void ClaimColumns::append_refusal(const Refusal& refusal, std::string& out) {
  out.append(kResultCount + kClaimColumnCount + 1, ',');
  append_cell(out, refusal.message);
}

std::optional<std::string> ClaimColumns::find(std::span<const std::string_view> header) {
  columns_.fill(kNoColumn);
  std::string buffer;
  for (std::size_t i = 0; i < header.size(); ++i) {
    auto it =
        std::find(kClaimInputNames.begin(), kClaimInputNames.end(), ascii_form(header[i], buffer));
    if (it == kClaimInputNames.end()) continue;
    std::size_t& column = columns_[static_cast<std::size_t>(it - kClaimInputNames.begin())];
    if (column != kNoColumn) {
      return "输入列「" + visible(*it) + "」重复（第 " + std::to_string(column + 1) + " 列和第 " +
             std::to_string(i + 1) + " 列）";
    }
    column = i;
  }
  return std::nullopt;
}

void ClaimColumns::append_header(std::string& out) {
  out.push_back(',');
  out.append(kRetirementColumn);
  for (const ClaimItemInfo& item : kClaimItems) out.append(",").append(item.name);
  out.push_back(',');
  out.append(kStatusColumn);
}

void ClaimColumns::append_row(const InputTexts& classic, const ClaimTexts& claim,
                              std::string& out) const {
  // Under --claim the classic money and counts are read as the claim reads
  // them: "1,000" is 1000 or nothing, never 1.
  InputNumbers numbers;
  if (auto refusal = read_classic_strictly(classic, numbers)) return append_refusal(*refusal, out);
  Working working = work_out(classic, numbers);
  if (const auto* refusal = std::get_if<Refusal>(&working)) return append_refusal(*refusal, out);
  const Breakdown& b = std::get<Breakdown>(working);

  auto found = find_region(rules_, claim[index(ClaimInput::kRegion)]);
  if (const auto* refusal = std::get_if<Refusal>(&found)) return append_refusal(*refusal, out);
  const Region* region = std::get<const Region*>(found);
  // Each thread keeps one claim, so that rows reuse its texts' storage.
  thread_local Claim c;
  if (auto refusal = work_out_claim(b, claim, region, rules_, ClaimDetail::kAmountsOnly, c)) {
    return append_refusal(*refusal, out);
  }

  // Result and claim texts are ASCII digits and dates: no quoting needed.
  // An amount the region's data cannot give leaves its cell empty; 数据状态
  // then says 部分金额未知, so it does not read as an item that does not apply.
  const auto cell = [&out](std::string_view text) {
    out.push_back(',');
    out.append(text);
  };
  for (const std::string& text : b.texts) cell(text);
  cell(c.retirement);
  for (const ClaimLine& line : c.lines) cell(line.text);
  cell(c.data_status);
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
  std::string text = "--claim 另算整个索赔，输入列 ";
  for (std::string_view name : kClaimInputNames) text.append(name).append("、");
  text.resize(text.size() - std::string_view("、").size());
  text.append("；\n在「错误」之前加结果列 ").append(kRetirementColumn);
  for (const ClaimItemInfo& item : kClaimItems) text.append("、").append(item.name);
  text.append("、").append(kStatusColumn);
  text.append(
      "（金额保留两位小数，不适用的留空）；\n"
      "--rules 文件 另读一个同样格式的地区规则文件，其中的条目取代同名的内置条目。\n");
  return text;
}

}  // namespace gongshang::batch
