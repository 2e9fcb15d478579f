// A claim saved to finish later or to send to a colleague: a UTF-8 JSON
// object whose keys are the field names (the batch tool's columns) and whose
// values are the texts as typed, plus "格式", the file's version.
//   {"格式": 2, "地区": "浙江", "工伤等级": "七", "本人月均工资": "6000", …}
// Versions: 1, the first fields; 2 adds 死亡情形 and 解除原因; 3 adds 姓名 and 单位.
#ifndef GONGSHANG_CASEFILE_CASE_FILE_H_
#define GONGSHANG_CASEFILE_CASE_FILE_H_

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/fields.h"
#include "engine/problem.h"
#include "engine/region_rules.h"

namespace gongshang::casefile {

// The newest version this program writes and opens. A case is saved as the
// oldest version that has all its keys and values (since_format in
// engine/fields.h: a field's, a list item's), so that a case without 死亡情形
// still opens in a program that knows only 格式 1.
inline constexpr int kCaseFormat = 3;
inline constexpr std::string_view kFormatKey = "格式";

// The file's bytes: "格式" first, then every field in the form's order, two
// spaces of indent, characters as they are (no \u escapes), a final newline.
// An empty field newer than 格式 1 is left out: it says nothing; but for
// 生活护理等级, whose absence makes 护理级别 stand for it (open_case), so
// every case is saved as 格式 3 or later; 死亡日期 and 死亡情形 without 工亡 是
// are left out too (engine/reading.h).
//   {解除原因 "本人提出"} -> 格式 3 with "生活护理等级": ""
std::string write_case(const FieldTexts& texts);

// A case opened, in the window or the page: its texts in the form the
// controls show (the engine's: "5级" is 五, " 浙江 " is 浙江), the fields the
// file leaves out empty.
struct OpenedCase {
  FieldTexts texts;
  // What was filled in or dropped, for the person to check, at its field:
  // a case without 生活护理等级 takes its 护理级别's level where a grade is
  // given (engine/earlier_cases.h); 死亡日期 and 死亡情形 without 工亡 是 are
  // dropped, said at 工亡.
  std::vector<Problem> notices;
};

// The case of a file's bytes, or why it cannot be opened: not JSON or not
// UTF-8 (with the line and column), a key given twice, not an object, no
// "格式" or one this program does not know (a newer version is named as
// such), a key no field has, a value that is not a text, or a text its
// field cannot hold (a list, a count, a yes/no, a region: the engine's words
// with the value). Money and dates open as typed: what cannot be read is
// marked at the field, not refused.
//   R"({"格式":1,"工伤等级":"七"})" -> 工伤等级 "七", the rest ""
//   R"({"格式":2,"工伤等级":"七","护理级别":"部分护理"})" -> 生活护理等级
//     "生活部分不能自理", with a notice at it
//   R"({"格式":4})" -> "这个案例由更新版本的程序保存（格式 4），本程序只能打开格式 1 至 3……"
//   "{" -> "第 1 行第 2 列：文件在这里意外结束：…"
//   R"({"格式":1,"工伤等级":"十一"})" -> "「工伤等级」只能是一、二、……之一或留空：十一"
//   R"({"格式":1,"死亡日期":"2024-01-01"})" -> 死亡日期 "", a notice naming it
Checked<OpenedCase> open_case(std::string_view bytes, const Rules& rules);

// The same for a file, read no further than jsonfile::kMaxBytes.
Checked<OpenedCase> open_case_file(const std::filesystem::path& file, const Rules& rules);

// The files a case is kept as, named by default after whom it is about.
enum class SavedFile : std::uint8_t { kCase, kReport };

// The name a save dialog or a download offers: "工伤案例" or "工伤待遇计算书",
// then 姓名 and 单位 where given, each made fit for a file name
// (file_name_part in engine/typed_text.h, at most kNamePartChars), and the suffix.
//   {姓名 "张三", 单位 "某某建筑公司"}, kCase -> "工伤案例-张三-某某建筑公司.json"
//   {}, kReport -> "工伤待遇计算书.pdf"   {单位 "a/b:c"}, kCase -> "工伤案例-abc.json"
inline constexpr std::size_t kNamePartChars = 30;
std::string default_file_name(const FieldTexts& texts, SavedFile what);

}  // namespace gongshang::casefile

#endif  // GONGSHANG_CASEFILE_CASE_FILE_H_
