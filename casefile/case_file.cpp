#include "casefile/case_file.h"

#include <algorithm>
#include <charconv>

#include <nlohmann/json.hpp>

#include "engine/claim_fields.h"
#include "engine/claim_inputs.h"
#include "engine/typed_text.h"
#include "jsonfile/json_file.h"

namespace gongshang::casefile {

namespace {

using Json = nlohmann::ordered_json;

std::string number_text(long long n) {
  char digits[24];
  auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
  return std::string(digits, end);
}

std::string bracketed(std::string_view name) {
  return "「" + std::string(name) + "」";
}

// Refused as it is met, so a file of many keys stops at the first unknown.
std::string unknown_key(std::string_view key) {
  if (key == kFormatKey || find_field(key) != nullptr) return {};
  return "案例中有本程序不认识的栏目" + bracketed(visible(key));
}

std::string format_problem(const Json& format) {
  if (!format.is_number_integer() || format.get<long long>() < 1)
    return bracketed(kFormatKey) + "应是整数版本号，这不是本程序保存的案例文件";
  const long long version = format.get<long long>();
  if (version > kCaseFormat)
    return "这个案例由更新版本的程序保存（格式 " + number_text(version) +
           "），本程序只能打开格式 1 至 " + number_text(kCaseFormat) + "；请更新程序后再打开";
  return {};
}

CaseOpened checked(CaseRead read, const Rules& rules) {
  if (!read.problem.empty()) return {{}, std::move(read.problem)};
  // A control holds the engine's form of a text ("5级" is 五); a text the
  // engine refuses is refused in its words, as --pdf refuses it. Money and
  // dates open as typed and are marked at the field.
  FieldTexts opened = empty_texts();
  for (const auto& [name, text] : read.texts) {
    const FieldRow& row = *find_field(name);
    std::string shown = control_text(row, text);
    std::string problem = row.kind == FieldKind::kMoney || row.kind == FieldKind::kDate
                              ? std::string()
                              : field_problem(row, text);
    if (problem.empty()) problem = value_problem(row, shown, rules);
    if (!problem.empty()) return {{}, bracketed(name) + problem + "：" + visible(text)};
    set_text(opened, name, std::move(shown));
  }
  // Fields the file leaves out are empty, as a case saved with them empty
  // would have them.
  return {std::move(opened), {}};
}

}  // namespace

std::string write_case(const CaseTexts& texts) {
  Json object = Json::object();
  int format = 1;
  object[std::string(kFormatKey)] = format;
  for (const auto& [name, text] : texts) {
    const FieldRow* row = find_field(name);
    const int since = row ? row->since_format : kCaseFormat;
    if (since > 1 && text.empty()) continue;
    format = std::max(format, since);
    object[name] = text;
  }
  object[std::string(kFormatKey)] = format;
  return object.dump(2, ' ', false) + "\n";
}

std::string write_case(const FieldTexts& texts) {
  CaseTexts pairs;
  for (const FieldRow& row : claim_fields())
    pairs.emplace_back(std::string(row.name), std::string(text_of(texts, row.name)));
  return write_case(pairs);
}

CaseRead read_case(std::string_view bytes) {
  jsonfile::Document doc = jsonfile::parse(bytes, unknown_key);
  if (doc.problem) return {{}, doc.problem->text()};
  const Json& object = doc.root;
  if (!object.is_object()) return {{}, "文件内容不是一个案例（应是 JSON 对象）"};
  const auto format = object.find(std::string(kFormatKey));
  if (format == object.end())
    return {{}, "缺少" + bracketed(kFormatKey) + "，这不是本程序保存的案例文件"};
  if (std::string problem = format_problem(*format); !problem.empty()) return {{}, problem};

  CaseRead read;
  for (const auto& [key, value] : object.items()) {
    if (key == kFormatKey) continue;
    if (!value.is_string()) return {{}, bracketed(key) + "的值应是文字（加引号）"};
    read.texts.emplace_back(key, value.get<std::string>());
  }
  return read;
}

CaseRead read_case_file(const std::filesystem::path& file) {
  jsonfile::FileBytes read = jsonfile::read_file(file);
  if (read.problem) return {{}, "无法读取案例文件：" + read.problem->message};
  return read_case(read.bytes);
}

std::string value_problem(const FieldRow& row, std::string_view text, const Rules& rules) {
  if (text.empty()) return {};
  std::vector<std::string_view> offered;
  switch (row.kind) {
    case FieldKind::kMoney:
    case FieldKind::kDate:
      return {};
    case FieldKind::kYesNo:
      return text == "是" || text == "否" ? std::string() : "只能是“是”“否”或留空";
    case FieldKind::kCount: {
      int value = 0;
      const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
      const bool whole = error == std::errc() && end == text.data() + text.size() &&
                         text.front() != '-' && value <= row.max;
      return whole ? std::string()
                   : "只能是 0 至 " + number_text(static_cast<long long>(row.max)) + " 的整数";
    }
    case FieldKind::kList:
      offered = list_items(row.name);
      break;
    case FieldKind::kAge:
      for (const AgeItem& age : age_items())
        if (!age.text.empty()) offered.push_back(age.text);
      break;
    case FieldKind::kBase:
      for (std::size_t b = 0; b < kSubsidyBaseCount; ++b)
        offered.push_back(base_text(static_cast<SubsidyBase>(b)));
      break;
    case FieldKind::kRegion:
      for (const Region& region : rules.regions) offered.push_back(region.name);
      break;
  }
  if (std::find(offered.begin(), offered.end(), text) != offered.end()) return {};
  std::string accepted = "只能是";
  for (std::size_t i = 0; i < offered.size(); ++i)
    accepted.append(i == 0 ? "" : "、").append(offered[i]);
  return accepted + "之一或留空";
}

CaseOpened open_case(std::string_view bytes, const Rules& rules) {
  return checked(read_case(bytes), rules);
}

CaseOpened open_case_file(const std::filesystem::path& file, const Rules& rules) {
  return checked(read_case_file(file), rules);
}

}  // namespace gongshang::casefile
