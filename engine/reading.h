// The one reading of a case's texts: every field's text read exactly once
// into its value, every text that cannot be read named with its field, the
// fields that count for the case, and the region 地区 names. The statement
// is made from these values, never from texts; the window's marks, the
// page's, a case file's refusals and the batch tool's 错误 all come from here.
#ifndef GONGSHANG_ENGINE_READING_H_
#define GONGSHANG_ENGINE_READING_H_

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/compensation.h"
#include "engine/compensation_on_ending.h"
#include "engine/dates.h"
#include "engine/fields.h"
#include "engine/problem.h"
#include "engine/region_rules.h"
#include "engine/subsidy.h"

namespace gongshang {

// Years a claim's date may have: any other is a typing slip (2066 for 1966
// would quietly turn a subsidy's years to retirement into decades).
inline constexpr int kFirstClaimYear = 1900;
inline constexpr int kLastClaimYear = 2100;

// What 死亡情形 takes besides "": a death recognised as work-related (all
// three items of Art. 39), or a grade 一–四 worker's death after the
// 停工留薪期 of another cause (Art. 39, third paragraph: no lump sum).
inline constexpr std::string_view kDeathCases[] = {"因工死亡", "期满后死亡"};
inline constexpr std::string_view kDeathAfterLeave = kDeathCases[1];

// 性别, where a rule takes figures by sex (the life expectancy of 福建).
inline constexpr std::string_view kSexes[] = {"男", "女"};
// 已安排适当工作: said either way, since "" keeps the reading that the worker
// could not be given work (Art. 36(二)).
inline constexpr std::string_view kSuitableWorkItems[] = {"是", "否"};

// Every value of a case. An empty text gives nullopt, false or 0; a field out
// of effect keeps its empty value whatever its text.
struct CaseValues {
  ClassicValues classic;           // 工伤等级, 护理级别 and the classic numbers
  const Region* region = nullptr;  // the entry 地区 names; nullptr for none
  bool uninsured = false;          // 用人单位未参保
  std::array<std::optional<double>, 2> typed_figure;  // without a region: medical, employment
  std::array<SubsidyBase, 2> typed_base{SubsidyBase::kPoolWage, SubsidyBase::kPoolWage};
  std::optional<double> province_wage, minimum_wage, national_income;
  std::optional<double> leaving_wage, pension;  // 离职前十二个月平均工资, 基本养老金
  // The classic 本人月均工资 and 统筹月工资 as typed, where they were: an empty
  // one is 0 to the classic calculation, but no figure to 经济补偿.
  std::optional<double> own_wage, pool_wage;
  std::optional<Date> birth, start, end, death_date;
  std::optional<int> original_age;  // 60, 55 or 50
  std::optional<bool> male;         // 性别; nullopt where not said
  std::optional<Date> retirement;   // 法定退休日期 typed
  // 生活护理等级: 1 for kCareLevels[0] (生活完全不能自理) .. 3; 0 for none.
  int care_level = 0;
  std::optional<bool> suitable_work;  // 已安排适当工作; nullopt where not said
  bool disease = false;
  bool death = false;
  bool death_after_leave = false;  // 死亡情形 期满后死亡
  int spouse = 0, others = 0, lone = 0;
  std::optional<EndReason> reason;
};

struct Reading {
  CaseValues values;
  // Every field in effect whose text cannot be read, in the order the batch
  // tool has always named the first of them: the classic inputs, 地区, then
  // the claim's own fields.
  std::vector<Problem> problems;
  // Whether a field counts for the case: the death section only with 工亡
  // 是, the typed subsidy figures only without a region, 基本养老金 only for
  // grades 一–四 (the fund tops up their pension, Art. 35(三)), 已安排适当工作
  // only for 五/六 (the only grades whose allowance depends on it). A field out of
  // effect is neither read nor checked, whatever it still holds.
  std::array<bool, kFieldCount> in_effect{};
};

// Reads every text of a case once (the rules resolve 地区).
//   {工伤等级 "5级", 本人月均工资 "6,000"} -> grade 5, own wage 6000, no problems
//   {本人月均工资 "1e3"} -> problems {{"本人月均工资", kMoneyForm}}
//   {地区 " 浙江 "} -> region the 浙江 entry
void read_fields(const FieldViews& texts, const Rules& rules, Reading& into);

// Why one field's text cannot be read, in the words shown under the field
// (the name not repeated); "" when it can. 地区 is checked against the rules.
//   (kMedical, "1,000") -> ""   (kMedical, "3500元") -> kMoneyForm
//   (kLeaveMonths, "25") -> "应为 0 至 24 的整数"   (kBirthDate, "2066-13-01") ->
//   "应为存在的日期……" (kRegion, "火星") ->
//   "没有名为“火星”的条目：请填写规则文件中的地区名，或留空"
//   (kWorkerName, "张\u202E三") -> "不能含有控制字符或看不见的字符"
std::string field_problem(Field field, std::string_view text, const Rules& rules);

// The text a form's control shows for a field's text: a list's item, a
// yes/no, an age, a count or a region in ASCII without blanks around; money,
// dates and names as typed.
//   (kGrade, "5级") -> "五"   (kSpouse, " １ ") -> "1"   (kMedical, "１,000") -> "１,000"
std::string control_text(Field field, std::string_view text);

// The combinations of values a claim cannot be worked out from: dates that
// cannot all be true, a count beyond the others, a field another one needs.
//   出生日期 1990-01-01, 解除日期 1980-01-01 -> {"解除日期", "应在「出生日期」之后"}
//   解除日期 given, 出生日期 empty -> {"出生日期", "为空：有解除日期时，……"}
//   入职日期 after 解除日期 -> {"入职日期", "不能晚于「解除日期」"}
//   工亡 是 and 解除日期, 死亡日期 empty -> {"死亡日期", "为空：……是否因死亡而终止"}
//   生活护理等级 without 工伤等级 -> {"生活护理等级", "只适用于已评定伤残等级的职工……"}
//   性别 女, 原退休年龄 60 -> {"性别", "为“女”，与原退休年龄 60 岁（男职工）矛盾"}
std::optional<Problem> contradiction(const CaseValues& values);

// 死亡日期 or 死亡情形 filled while 工亡 is not 是: texts that count for
// nothing, though a person who filled them may think the worker died. The
// problem names both fields; nullopt when neither is filled or 工亡 is 是.
//   {死亡日期 "2024-01-01", 工亡 ""} -> {"死亡日期", "或「死亡情形」已填写，但「工亡」不是“是”……"}
//   {死亡日期 "2024-01-01", 工亡 "是"} -> nullopt
std::optional<Problem> death_texts_without_death(const FieldViews& texts);

// Clears those two texts where death_texts_without_death finds them, as a
// case is saved or opened; whether it cleared any.
bool drop_death_texts_without_death(FieldTexts& texts);

// How the classic calculator's lenient reading of a number field's text
// differs from the claim's strict one, in words; nullopt where both agree
// (or the text is empty, or beyond the field's limit only).
//   (kOwnWage, "6,000") -> "读作 6，整个索赔按 6000 计"
//   (kOwnWage, "1e3") -> "读作 1000，整个索赔不接受这种写法"   (kOwnWage, "6000") -> nullopt
//   (kHospitalDays, "2.5") -> "读作 2.5，整个索赔不接受这种写法"
std::optional<std::string> classic_misreading(Input input, std::string_view text);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_READING_H_
