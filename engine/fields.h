// Every input field, once: its name (the batch tool's column, the case
// file's key, the page's JSON key, the window's control), the group a person
// looks for it in, the kind of text it takes, its limit and the case file's
// 格式 that first has it. A field is a Field everywhere inside; its name is
// looked up only at the edges. The classic calculator's twelve inputs are a
// projection of the same table (Input).
#ifndef GONGSHANG_ENGINE_FIELDS_H_
#define GONGSHANG_ENGINE_FIELDS_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gongshang {

// In the order of the form, group by group.
enum class Field : std::uint8_t {
  kRegion,            // 地区: a region of the rules, or "" for none
  kUninsured,         // 用人单位未参保: the employer pays everything (Art. 62)
  kMedicalFigure,     // 医疗补助金月数或金额: typed, without a region
  kMedicalBase,       // 医疗补助金基数
  kEmploymentFigure,  // 就业补助金月数或金额
  kEmploymentBase,    // 就业补助金基数
  kGrade,             // 工伤等级
  kNursing,           // 护理级别: nursing during the 停工留薪期 (Art. 33)
  kCareLevel,         // 生活护理等级: the assessed level, for 生活护理费 (Art. 34)
  kDisease,           // 职业病
  kSuitableWork,      // 已安排适当工作: 五/六级 given suitable work, "" not said
  kOwnWage,           // 本人月均工资
  kPoolWage,          // 统筹月工资
  kProvinceWage,      // 全省月工资
  kMinimumWage,       // 最低工资
  kLeavingWage,       // 离职前十二个月平均工资: 经济补偿's wage
  kPension,           // 基本养老金: after retirement, for the fund's top-up (一–四)
  kLeaveMonths,       // 停薪月数
  kHospitalDays,      // 住院天数
  kLodgingDays,       // 住宿天数
  kNursingDays,       // 护理天数
  kBirthDate,         // 出生日期
  kSex,               // 性别: 男 or 女, "" not said
  kOriginalAge,       // 原退休年龄: 60, 55 or 50
  kRetirementDate,    // 法定退休日期: typed where the computed one does not hold
  kStartDate,         // 入职日期: the first day of employment (用工之日)
  kEndDate,           // 解除日期: the day the employment ended
  kEndReason,         // 解除原因
  kMedical,           // 医疗费
  kDevices,           // 辅助器具费
  kTravel,            // 交通费
  kNutrition,         // 营养费
  kDeath,             // 工亡
  kDeathCase,         // 死亡情形: 因工死亡 or 期满后死亡
  kDeathDate,         // 死亡日期
  kSpouse,            // 配偶: 0 or 1
  kOtherDependants,   // 其他供养亲属
  kLoneExtra,         // 孤寡加发人数
  kNationalIncome,    // 全国人均可支配收入: overrides the table
};
inline constexpr std::size_t kFieldCount = 39;

constexpr std::size_t index(Field f) {
  return static_cast<std::size_t>(f);
}

enum class FieldGroup : std::uint8_t {
  kRegion,
  kTypedRule,  // the subsidies' months or amounts, when no region is chosen
  kInjury,
  kWages,
  kTime,
  kCosts,
  kDeath,
};
inline constexpr int kFieldGroupCount = 7;

enum class FieldKind : std::uint8_t {
  kList,    // one of list_items(field), or ""
  kMoney,   // yuan, typed; read by read_money (typed_text.h) up to max
  kCount,   // a whole number 0..max
  kDate,    // typed or picked; "" when not given
  kYesNo,   // "是" or "否"; "" is "否"
  kAge,     // the original retirement age: "", "60", "55" or "50"
  kRegion,  // a region of the rules data, or "" for none
  kBase,    // what typed months multiply: "统筹月工资" … "固定金额"
};

struct FieldRow {
  Field field;
  std::string_view name;  // UTF-8, e.g. "本人月均工资"
  FieldGroup group;
  FieldKind kind;
  std::string_view hint = {};  // shown in an empty box, e.g. "当地月最低工资标准"
  double max = 0;              // kMoney and kCount: the largest value taken
  int since_format = 1;        // the case file's 格式 that first has the field
};

namespace field_limits {
// Plausible ceilings: a larger text is a typing slip, and every amount
// computed from them stays well within the statement's fen.
inline constexpr double kWage = 10'000'000;         // yuan a month
inline constexpr double kCost = 100'000'000;        // yuan
inline constexpr double kTypedFigure = 10'000'000;  // months, or yuan for 固定金额
inline constexpr double kDays = 9'999;
inline constexpr double kPeople = 99;
// The longest 停工留薪期 Art. 33 allows: 12 months, extended by at most 12.
inline constexpr double kLeaveMonths = 24;
}  // namespace field_limits

namespace field_table {
using F = Field;
using G = FieldGroup;
using K = FieldKind;
namespace L = field_limits;
inline constexpr std::string_view kTypedHint = "当地规定的月数；基数为固定金额时填元";
inline constexpr FieldRow kRows[kFieldCount] = {
    {F::kRegion, "地区", G::kRegion, K::kRegion},
    {F::kUninsured, "用人单位未参保", G::kRegion, K::kYesNo},
    {F::kMedicalFigure, "医疗补助金月数或金额", G::kTypedRule, K::kMoney, kTypedHint,
     L::kTypedFigure},
    {F::kMedicalBase, "医疗补助金基数", G::kTypedRule, K::kBase},
    {F::kEmploymentFigure, "就业补助金月数或金额", G::kTypedRule, K::kMoney, kTypedHint,
     L::kTypedFigure},
    {F::kEmploymentBase, "就业补助金基数", G::kTypedRule, K::kBase},
    {F::kGrade, "工伤等级", G::kInjury, K::kList},
    {F::kNursing, "护理级别", G::kInjury, K::kList},
    {F::kCareLevel, "生活护理等级", G::kInjury, K::kList, {}, 0, 3},
    {F::kDisease, "职业病", G::kInjury, K::kYesNo},
    {F::kSuitableWork, "已安排适当工作", G::kInjury, K::kList, {}, 0, 3},
    {F::kOwnWage, "本人月均工资", G::kWages, K::kMoney, "受伤前 12 个月平均月缴费工资", L::kWage},
    {F::kPoolWage, "统筹月工资", G::kWages, K::kMoney, "统筹地区上年度职工月平均工资", L::kWage},
    {F::kProvinceWage, "全省月工资", G::kWages, K::kMoney, "全省上年度职工月平均工资", L::kWage},
    {F::kMinimumWage, "最低工资", G::kWages, K::kMoney, "当地月最低工资标准", L::kWage},
    {F::kLeavingWage, "离职前十二个月平均工资", G::kWages, K::kMoney,
     "算经济补偿；留空则按本人月均工资", L::kWage, 3},
    {F::kPension, "基本养老金", G::kWages, K::kMoney, "退休后每月领取的数额", L::kWage, 3},
    {F::kLeaveMonths, "停薪月数", G::kTime, K::kCount, {}, L::kLeaveMonths},
    {F::kHospitalDays, "住院天数", G::kTime, K::kCount, {}, L::kDays},
    {F::kLodgingDays, "住宿天数", G::kTime, K::kCount, {}, L::kDays},
    {F::kNursingDays, "护理天数", G::kTime, K::kCount, {}, L::kDays},
    {F::kBirthDate, "出生日期", G::kTime, K::kDate},
    {F::kSex, "性别", G::kTime, K::kList, {}, 0, 3},
    {F::kOriginalAge, "原退休年龄", G::kTime, K::kAge},
    {F::kRetirementDate, "法定退休日期", G::kTime, K::kDate, "特殊工种、提前退休时填写", 0, 3},
    {F::kStartDate, "入职日期", G::kTime, K::kDate, "用工之日", 0, 3},
    {F::kEndDate, "解除日期", G::kTime, K::kDate, "解除或终止劳动关系之日"},
    {F::kEndReason, "解除原因", G::kTime, K::kList, {}, 0, 2},
    {F::kMedical, "医疗费", G::kCosts, K::kMoney, {}, L::kCost},
    {F::kDevices, "辅助器具费", G::kCosts, K::kMoney, {}, L::kCost},
    {F::kTravel, "交通费", G::kCosts, K::kMoney, {}, L::kCost},
    {F::kNutrition, "营养费", G::kCosts, K::kMoney, {}, L::kCost},
    {F::kDeath, "工亡", G::kDeath, K::kYesNo},
    {F::kDeathCase, "死亡情形", G::kDeath, K::kList, "留空即因工死亡", 0, 2},
    {F::kDeathDate, "死亡日期", G::kDeath, K::kDate},
    {F::kSpouse, "配偶", G::kDeath, K::kCount, {}, 1},
    {F::kOtherDependants, "其他供养亲属", G::kDeath, K::kCount, {}, L::kPeople},
    {F::kLoneExtra, "孤寡加发人数", G::kDeath, K::kCount, {}, L::kPeople},
    {F::kNationalIncome, "全国人均可支配收入", G::kDeath, K::kMoney,
     "留空则按死亡上一年度的统计数据", L::kWage},
};
constexpr bool in_order() {
  for (std::size_t i = 0; i < kFieldCount; ++i)
    if (index(kRows[i].field) != i) return false;
  return true;
}
static_assert(in_order(), "the rows stand in the order of Field");
}  // namespace field_table

constexpr const FieldRow& row(Field f) {
  return field_table::kRows[index(f)];
}
constexpr std::string_view name(Field f) {
  return row(f).name;
}

// The case file's 格式 that first holds `text` in `field`: the field's
// since_format, or a list item's own where it is newer.
//   (kEndReason, "本人提出") -> 2   (kEndReason, "合同期满终止") -> 3
//   (kGrade, "七") -> 1   (kStartDate, "2010-01-01") -> 3
int since_format(Field field, std::string_view text);

// Every field in the order of the form, group by group.
constexpr std::span<const FieldRow, kFieldCount> field_rows() {
  return field_table::kRows;
}

// The field of a name, blanks around it aside as every reader trims a text;
// nullopt for a name no field has.
//   "工伤等级" -> kGrade   " 地区 " -> kRegion   "姓名" -> nullopt
std::optional<Field> find_field(std::string_view name);

// A field's texts (UTF-8), indexed by Field: a form's, a case file's, a row's.
using FieldTexts = std::array<std::string, kFieldCount>;
// The same as views, so that a caller keeps the storage (the batch tool's rows).
using FieldViews = std::array<std::string_view, kFieldCount>;
FieldViews views_of(const FieldTexts& texts);

// The classic calculator's twelve inputs, in the order of its input table.
enum class Input : std::uint8_t {
  kGrade,
  kNursing,
  kOwnWage,
  kPoolWage,
  kLeaveMonths,
  kHospitalDays,
  kLodgingDays,
  kNursingDays,
  kMedical,
  kDevices,
  kTravel,
  kNutrition,
};
inline constexpr std::size_t kInputCount = 12;

constexpr std::size_t index(Input f) {
  return static_cast<std::size_t>(f);
}

// The field each input is, indexed by Input.
inline constexpr std::array<Field, kInputCount> kInputFields{
    Field::kGrade,       Field::kNursing,      Field::kOwnWage,     Field::kPoolWage,
    Field::kLeaveMonths, Field::kHospitalDays, Field::kLodgingDays, Field::kNursingDays,
    Field::kMedical,     Field::kDevices,      Field::kTravel,      Field::kNutrition,
};
constexpr Field field_of(Input f) {
  return kInputFields[index(f)];
}
constexpr std::string_view name(Input f) {
  return name(field_of(f));
}
// The classic input a field is, if it is one.
//   kOwnWage -> Input::kOwnWage   kRegion -> nullopt
constexpr std::optional<Input> input_of(Field f) {
  for (std::size_t i = 0; i < kInputCount; ++i)
    if (kInputFields[i] == f) return static_cast<Input>(i);
  return std::nullopt;
}
// Indexed by Input; UTF-8.
inline constexpr std::array<std::string_view, kInputCount> kInputNames = [] {
  std::array<std::string_view, kInputCount> names{};
  for (std::size_t i = 0; i < kInputCount; ++i) names[i] = name(kInputFields[i]);
  return names;
}();

// Twelve input texts indexed by Input, UTF-8; views, so callers keep the texts.
using InputTexts = std::array<std::string_view, kInputCount>;

// A kList field's items after "" (none), UTF-8.
//   kNursing -> {"完全护理", "大部分护理", "部分护理"}   kDeathCase -> {"因工死亡", "期满后死亡"}
//   kSex -> {"男", "女"}   kSuitableWork -> {"是", "否"}
std::span<const std::string_view> list_items(Field list);

// The original retirement ages, with what a person recognises them by.
struct AgeItem {
  std::string_view text;   // "60"
  std::string_view label;  // "60 岁（男职工）"
};
std::span<const AgeItem> age_items();

// Group titles, e.g. FieldGroup::kWages -> "工资".
std::string_view group_title(FieldGroup group);

// The typed figure and its base, per subsidy: medical first.
inline constexpr Field kTypedFigureFields[2] = {Field::kMedicalFigure, Field::kEmploymentFigure};
inline constexpr Field kTypedBaseFields[2] = {Field::kMedicalBase, Field::kEmploymentBase};

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_FIELDS_H_
