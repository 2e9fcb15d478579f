#include "casefile/case_file.h"

#include <algorithm>
#include <charconv>

#include <nlohmann/json.hpp>

#include "engine/earlier_cases.h"
#include "engine/reading.h"
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

// The field a key names exactly; a name with blanks around is another key.
std::optional<Field> field_of_key(std::string_view key) {
  const std::optional<Field> f = find_field(key);
  return f && name(*f) == key ? f : std::nullopt;
}

// Refused as it is met, so a file of many keys stops at the first unknown.
std::string unknown_key(std::string_view key) {
  if (key == kFormatKey || field_of_key(key)) return {};
  return "案例中有本程序不认识的栏目" + gongshang::quoted(visible(key));
}

std::string format_problem(const Json& format) {
  if (!format.is_number_integer() || format.get<long long>() < 1)
    return gongshang::quoted(kFormatKey, "应是整数版本号，这不是本程序保存的案例文件");
  const long long version = format.get<long long>();
  if (version > kCaseFormat)
    return "这个案例由更新版本的程序保存（格式 " + number_text(version) +
           "），本程序只能打开格式 1 至 " + number_text(kCaseFormat) + "；请更新程序后再打开";
  return {};
}

}  // namespace

std::string write_case(const FieldTexts& typed) {
  // Death texts without 工亡 是 are out of effect: the form keeps them while
  // 工亡 may be ticked again, the file does not.
  FieldTexts texts = typed;
  drop_death_texts_without_death(texts);
  Json object = Json::object();
  int format = 1;
  object[std::string(kFormatKey)] = format;
  for (const FieldRow& row : field_rows()) {
    const std::string& text = texts[index(row.field)];
    if (row.since_format > 1 && text.empty() && row.field != Field::kCareLevel) continue;
    format = std::max(format, since_format(row.field, text));
    object[std::string(row.name)] = text;
  }
  object[std::string(kFormatKey)] = format;
  return object.dump(2, ' ', false) + "\n";
}

Checked<OpenedCase> open_case(std::string_view bytes, const Rules& rules) {
  jsonfile::Document doc = jsonfile::parse(bytes, unknown_key);
  if (doc.problem)
    return Problem{{}, doc.problem->message, {{}, doc.problem->line, doc.problem->column}};
  const Json& object = doc.root;
  if (!object.is_object()) return Problem{{}, "文件内容不是一个案例（应是 JSON 对象）"};
  const auto format = object.find(std::string(kFormatKey));
  if (format == object.end())
    return Problem{{}, "缺少" + gongshang::quoted(kFormatKey, "，这不是本程序保存的案例文件")};
  if (std::string problem = format_problem(*format); !problem.empty()) return Problem{{}, problem};

  OpenedCase opened;
  bool care_level = false;
  for (const auto& [key, value] : object.items()) {
    if (key == kFormatKey) continue;
    const Field field = *field_of_key(key);
    if (!value.is_string()) return Problem{name(field), "的值应是文字（加引号）"};
    const std::string& text = value.get_ref<const std::string&>();
    // A control holds the engine's form of a text ("5级" is 五); a text the
    // engine refuses there is refused in its words, as --pdf refuses it.
    const FieldKind kind = row(field).kind;
    if (kind != FieldKind::kMoney && kind != FieldKind::kDate) {
      if (std::string why = field_problem(field, text, rules); !why.empty())
        return Problem{name(field), why + "：" + visible(text)};
    }
    opened.texts[index(field)] = control_text(field, text);
    care_level |= field == Field::kCareLevel;
  }
  if (!care_level) {
    const std::string_view level = care_level_of_nursing(views_of(opened.texts));
    if (!level.empty()) {
      opened.texts[index(Field::kCareLevel)] = level;
      opened.notices.push_back(care_level_notice(level));
    }
  }
  if (std::optional<Problem> stray = death_texts_without_death(views_of(opened.texts))) {
    drop_death_texts_without_death(opened.texts);
    // Said at 工亡: the two fields are out of sight without it.
    opened.notices.push_back({name(Field::kDeath), "不是“是”：" + message(*stray) +
                                                       "。已清空这两栏，没有按职工死亡计算"});
  }
  return opened;
}

Checked<OpenedCase> open_case_file(const std::filesystem::path& file, const Rules& rules) {
  jsonfile::FileBytes read = jsonfile::read_file(file);
  if (read.problem) return Problem{{}, "无法读取案例文件：" + read.problem->message};
  return open_case(read.bytes, rules);
}

std::string default_file_name(const FieldTexts& texts, SavedFile what) {
  std::string name = what == SavedFile::kCase ? "工伤案例" : "工伤待遇计算书";
  for (Field f : {Field::kWorkerName, Field::kEmployerName})
    if (std::string part = file_name_part(texts[index(f)], kNamePartChars); !part.empty())
      name.append("-").append(part);
  return name.append(what == SavedFile::kCase ? ".json" : ".pdf");
}

}  // namespace gongshang::casefile
