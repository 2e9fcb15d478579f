#include "claimwindow/case_file.h"

#include <algorithm>
#include <charconv>

#include <nlohmann/json.hpp>

#include "claimwindow/fields.h"
#include "engine/typed_text.h"
#include "jsonfile/json_file.h"

namespace gongshang::claimwindow {

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

}  // namespace gongshang::claimwindow
