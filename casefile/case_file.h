// A claim saved to finish later or to send to a colleague: a UTF-8 JSON
// object whose keys are the field names (the batch tool's columns) and whose
// values are the texts as typed, plus "格式", the file's version.
//   {"格式": 2, "地区": "浙江", "工伤等级": "七", "本人月均工资": "6000", …}
#ifndef GONGSHANG_CASEFILE_CASE_FILE_H_
#define GONGSHANG_CASEFILE_CASE_FILE_H_

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/claim_fields.h"
#include "engine/region_rules.h"

namespace gongshang::casefile {

// The newest version this program writes and opens. A case is saved as the
// oldest version that has all its keys (a field's since_format), so that a
// case without 死亡情形 still opens in a program that knows only 格式 1.
inline constexpr int kCaseFormat = 2;
inline constexpr std::string_view kFormatKey = "格式";

// Field name and text, both UTF-8.
using CaseTexts = std::vector<std::pair<std::string, std::string>>;

// The file's bytes: "格式" first, then the fields in the order given, two
// spaces of indent, characters as they are (no \u escapes), a final newline.
// An empty field newer than 格式 1 is left out: it says nothing.
std::string write_case(const CaseTexts& texts);
// The same for a form's texts, every field in the form's order.
std::string write_case(const FieldTexts& texts);

// The fields of a case file, or why it cannot be opened: not JSON or not
// UTF-8 (with the line and column), a key given twice, not an object, no "格式" or one this program
// does not know (a newer version is named as such), a key no field has, a value that is not a text.
//   R"({"格式":1,"工伤等级":"七"})" -> {{"工伤等级","七"}}, ""
//   R"({"格式":3})"  -> {}, "这个案例由更新版本的程序保存（格式 3），本程序只能打开格式 2"
//   "{"              -> {}, "第 1 行第 2 列：文件在这里意外结束：…"
struct CaseRead {
  CaseTexts texts;
  std::string problem;  // "" when the case was read
};
CaseRead read_case(std::string_view bytes);

// The same for a file, read no further than jsonfile::kMaxBytes.
CaseRead read_case_file(const std::filesystem::path& file);

// Why a field whose control offers a choice (a list, a check box, a count)
// cannot hold a text, or "" when it can; typed fields (money, dates) hold
// any text and are marked when it cannot be read. The window's controls and
// the page refuse a case file's value by this one rule.
//   ("工伤等级", "十一") -> "只能是一、二、三、四、五、六、七、八、九、十之一或留空"
//   ("配偶", "2") -> "只能是 0 至 1 的整数"   ("工亡", "x") -> "只能是“是”“否”或留空"
//   ("地区", "火星") -> "只能是北京、…之一或留空"   ("本人月均工资", "x") -> ""
std::string value_problem(const FieldRow& row, std::string_view text, const Rules& rules);

// A case opened, in the window or the page: its texts in the form the
// controls show (the engine's: "5级" is 五), the fields it leaves out empty;
// or why it is refused, the engine's or the control's words with the value:
//   "「工伤等级」只能是……之一或留空：十一"
struct CaseOpened {
  FieldTexts texts;
  std::string problem;  // "" when opened
};
CaseOpened open_case(std::string_view bytes, const Rules& rules);
CaseOpened open_case_file(const std::filesystem::path& file, const Rules& rules);

}  // namespace gongshang::casefile

#endif  // GONGSHANG_CASEFILE_CASE_FILE_H_
