// The regions file: province rules and the national income table as data
// (data/regions.json), read with nlohmann/json. Outside the engine, which
// stays standard library only; the engine gets the finished Rules.
#ifndef GONGSHANG_REGIONS_RULES_FILE_H_
#define GONGSHANG_REGIONS_RULES_FILE_H_

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

#include "engine/region_rules.h"

namespace gongshang::regions {

// Where the shipped file lies relative to the program's own directory:
// <prefix>/bin/../share/gongshang once installed, and the build tree
// copies it to the same place relative to each program.
inline constexpr std::string_view kShippedRelativePath = "../share/gongshang/regions.json";

// Why a file was not taken. line is 0 when the file could not be read.
struct LoadError {
  std::string file;  // as given; empty for text parsed from memory
  int line = 0;
  std::string message;
  int column = 0;  // of the value at fault, or the JSON's own fault

  // "regions.json 第 12 行第 14 列：「status」应为 条文已核对、政府文件、转载未核对 或 未找到数字"
  // "regions.json 第 3 行第 5 列：不是有效的 JSON，……"
  std::string text() const;
};

using Loaded = std::variant<Rules, LoadError>;

// Reads the file's text. Everything is checked before anything is
// returned: a fault anywhere gives a LoadError and no rules at all.
// Region names are read as typed names are (" 浙江\n" -> "浙江") and refused
// when they hold a blank, control or invisible character inside; every
// other text shown to people comes back through visible(), uncut
// ("a\u202Eb" -> "a\\u202Eb"), so no front end shows it raw.
//   R"({"regions": [], "income": []})" -> empty Rules
//   "{\n\"regions\": 5}" -> LoadError{line 2, "「regions」应为数组……"}
// Unknown keys are refused, so a misspelt one is not silently ignored.
Loaded parse_rules(std::string_view json_text);

// The same for a file.
Loaded load_rules_file(const std::filesystem::path& file);

// Entries of `user` replace those of `into` with the same region name or
// income year; the others are added after them. into.collected stays.
void merge_rules(Rules& into, Rules user);

// The running program's own path (Linux: /proc/self/exe); empty if unknown.
std::filesystem::path program_path();

// The shipped file beside `program`, merged with `user_file` when not empty.
// Either fault refuses the whole.
Loaded load_rules(const std::filesystem::path& program, const std::filesystem::path& user_file);

}  // namespace gongshang::regions

#endif  // GONGSHANG_REGIONS_RULES_FILE_H_
