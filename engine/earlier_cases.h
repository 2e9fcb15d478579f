// Cases saved, and CSVs written, before 生活护理等级 was a field of its own,
// when 护理级别 drove the monthly 生活护理费 as well as the nursing during
// the leave. Such a case keeps its amounts: its 护理级别 stands for the level
// assessed, and the person is asked to check that it was.
#ifndef GONGSHANG_ENGINE_EARLIER_CASES_H_
#define GONGSHANG_ENGINE_EARLIER_CASES_H_

#include <string>
#include <string_view>

#include "engine/fields.h"
#include "engine/problem.h"

namespace gongshang {

// The 生活护理等级 a case without that field is taken to have: its 护理级别's
// level where a grade is given, "" otherwise (it had no 生活护理费 then).
//   {工伤等级 "七", 护理级别 "部分护理"} -> "生活部分不能自理"
//   {工伤等级 "", 护理级别 "完全护理"} -> ""   {工伤等级 "七", 护理级别 "x"} -> ""
std::string_view care_level_of_nursing(const FieldViews& texts);

// What a person is told at 生活护理等级 where a level was filled in so:
//   "生活部分不能自理" -> {"生活护理等级", "按护理级别“部分护理”填为“生活部分不能自理”。……"}
Problem care_level_notice(std::string_view level);

// The same for a CSV whose header has no 生活护理等级 column, said once.
//   -> "表头没有「生活护理等级」列：有工伤等级的行按护理级别计生活护理费。……"
std::string care_level_column_notice();

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_EARLIER_CASES_H_
