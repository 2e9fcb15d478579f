// Every input field, once: its name (the batch tool's column, the case
// file's key, the page's JSON key, the window's control), the group a person
// looks for it in, the kind of text it takes, the help the window and the
// page show beside it, its limit and the case file's 格式 that first has it. A field is a Field
// everywhere inside; its name is looked up only at the edges. The classic calculator's twelve
// inputs are a projection of the same table (Input).
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
  kWorkerName,        // 姓名: for the report and file names only
  kEmployerName,      // 单位
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
inline constexpr std::size_t kFieldCount = 41;

constexpr std::size_t index(Field f) {
  return static_cast<std::size_t>(f);
}

enum class FieldGroup : std::uint8_t {
  kParty,  // who the report is about; nothing is computed from it
  kRegion,
  kTypedRule,  // the subsidies' months or amounts, when no region is chosen
  kInjury,
  kWages,
  kTime,
  kCosts,
  kDeath,
};
inline constexpr int kFieldGroupCount = 8;

enum class FieldKind : std::uint8_t {
  kList,    // one of list_items(field), or ""
  kMoney,   // yuan, typed; read by read_money (typed_text.h) up to max
  kCount,   // a whole number 0..max
  kDate,    // typed or picked; "" when not given
  kYesNo,   // "是" or "否"; "" is "否"
  kAge,     // the original retirement age: "", "60", "55" or "50"
  kRegion,  // a region of the rules data, or "" for none
  kBase,    // what typed months multiply: "统筹月工资" … "固定金额"
  kText,    // free text of at most max characters, blanks around dropped
};

struct FieldRow {
  Field field;
  std::string_view name;  // UTF-8, e.g. "本人月均工资"
  FieldGroup group;
  FieldKind kind;
  // One line shown beside the control, typed or not: what goes in and the
  // rule it serves, e.g. "受伤（或患职业病）前 12 个月的平均月缴费工资（第六十四条）".
  std::string_view help;
  double max = 0;        // kMoney, kCount: the largest value; kText: characters
  int since_format = 1;  // the case file's 格式 that first has the field
  // For a figure a person must look up: where it is published and which
  // year's figure each item takes; empty for the others.
  std::string_view lookup = {};
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
inline constexpr double kNameChars = 100;  // a name or an employer's, as a report holds it
}  // namespace field_limits

// Where the figures a person must look up are published, and which year's
// figure each item takes: Arts. 34 and 39 say 上年度; Art. 64 names no year,
// and the year before the injury is how it is commonly read ("一般").
namespace field_lookup {
inline constexpr std::string_view kPoolWage =
    "在哪里查：统筹地区（多为地级市）的人力资源和社会保障局或统计局每年公布上年度职工平均工资"
    "（公布的是年平均工资的，除以 12），也可拨打 12333 "
    "询问。用哪一年：本人工资的上下限（第六十四条）"
    "一般用受伤前一年度的；生活护理费（第三十四条）用支付时的上一年度；丧葬补助金（第三十九条）用死"
    "亡时"
    "的上一年度；以统筹月工资为基数的两项一次性补助金，按所选地区的规定（多为解除或终止劳动关系时的"
    "上一年度，见地区说明）。各项所用年度不同时，请分年度分别计算。";
inline constexpr std::string_view kProvinceWage =
    "在哪里查：省人力资源和社会保障厅或省统计局每年公布的上年度全省职工平均工资（公布的是年平均"
    "工资的，除以 12），也可拨打 12333 询问。用哪一年：只用于以全省月工资为基数的地区的两项一次性"
    "补助金，按该地区的规定（多为解除或终止劳动关系时的上一年度，见地区说明）。";
inline constexpr std::string_view kMinimumWage =
    "在哪里查：最低工资的具体标准由省、自治区、直辖市人民政府规定（《劳动法》第四十八条），通常由"
    "省人力资源和社会保障厅公布，一省之内多按市、县分几档，也可拨打 12333 询问。用哪一年：伤残津贴"
    "发放时当地执行的标准。";
inline constexpr std::string_view kNationalIncome =
    "在哪里查：国家统计局每年年初发布的上年度国民经济和社会发展统计公报中的“全国城镇居民人均可支配"
    "收入”。用哪一年：死亡的上一年度（第三十九条第一款第（三）项）；程序带有的年份留空即可，表中"
    "没有的年份才需填写。";
}  // namespace field_lookup

namespace field_table {
using F = Field;
using G = FieldGroup;
using K = FieldKind;
namespace L = field_limits;
namespace Q = field_lookup;
inline constexpr FieldRow kRows[kFieldCount] = {
    {F::kWorkerName, "姓名", G::kParty, K::kText, "工伤职工的姓名：只写在计算书上、用作文件名",
     L::kNameChars, 3},
    {F::kEmployerName, "单位", G::kParty, K::kText, "用人单位的名称：只写在计算书上、用作文件名",
     L::kNameChars, 3},
    {F::kRegion, "地区", G::kRegion, K::kRegion,
     "工伤保险统筹地区所在的省、自治区、直辖市：两项一次性补助金按其规定计算"},
    {F::kUninsured, "用人单位未参保", G::kRegion, K::kYesNo,
     "应参加而未参加工伤保险的，各项待遇由用人单位支付（第六十二条）"},
    {F::kMedicalFigure, "医疗补助金月数或金额", G::kTypedRule, K::kMoney,
     "一次性工伤医疗补助金：当地规定的本等级月数；基数为固定金额时填元", L::kTypedFigure},
    {F::kMedicalBase, "医疗补助金基数", G::kTypedRule, K::kBase, "上面的月数乘以哪一项工资"},
    {F::kEmploymentFigure, "就业补助金月数或金额", G::kTypedRule, K::kMoney,
     "一次性伤残就业补助金：当地规定的本等级月数；基数为固定金额时填元", L::kTypedFigure},
    {F::kEmploymentBase, "就业补助金基数", G::kTypedRule, K::kBase, "上面的月数乘以哪一项工资"},
    {F::kGrade, "工伤等级", G::kInjury, K::kList,
     "劳动能力鉴定委员会鉴定的伤残等级，一级最重；未评残的留空"},
    {F::kNursing, "护理级别", G::kInjury, K::kList,
     "停工留薪期内需要护理的程度：与护理天数一起计护理费，由单位负责（第三十三条）；不需护理的留"
     "空"},
    {F::kCareLevel, "生活护理等级", G::kInjury, K::kList,
     "劳动能力鉴定委员会确认的生活护理等级：按月计生活护理费（第三十四条）；未评定的留空", 0, 3},
    {F::kDisease, "职业病", G::kInjury, K::kYesNo,
     "工伤是职业病的勾选：有的地区对一次性补助金加发"},
    {F::kSuitableWork, "已安排适当工作", G::kInjury, K::kList,
     "五、六级：用人单位已安排适当工作的不发伤残津贴（第三十六条）；留空按难以安排工作计", 0, 3},
    {F::kOwnWage, "本人月均工资", G::kWages, K::kMoney,
     "受伤（或患职业病）前 12 个月的平均月缴费工资（第六十四条）", L::kWage},
    {F::kPoolWage, "统筹月工资", G::kWages, K::kMoney,
     "统筹地区上年度职工月平均工资（常称社平工资）", L::kWage, 1, Q::kPoolWage},
    {F::kProvinceWage, "全省月工资", G::kWages, K::kMoney,
     "全省上年度职工月平均工资：部分地区的一次性补助金以它为基数", L::kWage, 1, Q::kProvinceWage},
    {F::kMinimumWage, "最低工资", G::kWages, K::kMoney,
     "当地月最低工资标准：伤残津贴低于它的，补足到它（第三十五条、第三十六条）", L::kWage, 1,
     Q::kMinimumWage},
    {F::kLeavingWage, "离职前十二个月平均工资", G::kWages, K::kMoney,
     "解除或终止劳动合同前 12 "
     "个月的平均工资：算经济补偿（劳动合同法第四十七条）；留空则按本人月均工资",
     L::kWage, 3},
    {F::kPension, "基本养老金", G::kWages, K::kMoney,
     "退休后每月领取的基本养老金：低于伤残津贴的，由工伤保险基金补足差额（第三十五条）", L::kWage,
     3},
    {F::kLeaveMonths, "停薪月数", G::kTime, K::kCount,
     "停工留薪期的月数：其间原工资福利待遇不变，由单位按月支付（第三十三条）", L::kLeaveMonths},
    {F::kHospitalDays, "住院天数", G::kTime, K::kCount,
     "住院治疗工伤的天数：计住院伙食补助费（第三十条）", L::kDays},
    {F::kLodgingDays, "住宿天数", G::kTime, K::kCount,
     "经批准到统筹地区以外就医的住宿天数：计食宿费（第三十条）", L::kDays},
    {F::kNursingDays, "护理天数", G::kTime, K::kCount,
     "停工留薪期内生活不能自理、需要护理的天数：由单位负责（第三十三条）", L::kDays},
    {F::kBirthDate, "出生日期", G::kTime, K::kDate, "用来推算法定退休日期：两项一次性补助金要用"},
    {F::kSex, "性别", G::kTime, K::kList,
     "有的地区按性别取人口平均预期寿命；留空则按原退休年龄推定", 0, 3},
    {F::kOriginalAge, "原退休年龄", G::kTime, K::kAge,
     "延迟退休改革前的法定退休年龄；现行退休日期由程序按出生日期推算"},
    {F::kRetirementDate, "法定退休日期", G::kTime, K::kDate,
     "特殊工种、提前退休等不按出生日期推算的，填写实际的法定退休日期", 0, 3},
    {F::kStartDate, "入职日期", G::kTime, K::kDate,
     "用工之日：按工作年限计经济补偿（劳动合同法第四十七条）", 0, 3},
    {F::kEndDate, "解除日期", G::kTime, K::kDate,
     "解除或终止劳动关系之日：五至十级的两项一次性补助金、经济补偿由此而来"},
    {F::kEndReason, "解除原因", G::kTime, K::kList,
     "谁提出、怎样解除或终止：决定有无经济补偿或赔偿金；有的地区只在本人提出时，按距退休的年数递减",
     0, 2},
    {F::kMedical, "医疗费", G::kCosts, K::kMoney,
     "治疗工伤、符合工伤保险目录和标准的医疗费用（第三十条）", L::kCost},
    {F::kDevices, "辅助器具费", G::kCosts, K::kMoney,
     "经劳动能力鉴定委员会确认，配置假肢、轮椅等辅助器具的费用（第三十二条）", L::kCost},
    {F::kTravel, "交通费", G::kCosts, K::kMoney,
     "经批准到统筹地区以外就医所需的交通费用（第三十条）", L::kCost},
    {F::kNutrition, "营养费", G::kCosts, K::kMoney,
     "条例没有这一项；向用人单位主张的营养费填在这里", L::kCost},
    {F::kDeath, "工亡", G::kDeath, K::kYesNo, "职工已经死亡的勾选：按第三十九条计丧葬补助金等"},
    {F::kDeathCase, "死亡情形", G::kDeath, K::kList,
     "因工死亡，或一至四级伤残职工停工留薪期满后死亡；留空即因工死亡", 0, 2},
    {F::kDeathDate, "死亡日期", G::kDeath, K::kDate,
     "决定用哪一年的全国城镇居民人均可支配收入：死亡的上一年度"},
    {F::kSpouse, "配偶", G::kDeath, K::kCount,
     "由死者生前提供主要生活来源、无劳动能力的配偶：有则填 1（第三十九条）", 1},
    {F::kOtherDependants, "其他供养亲属", G::kDeath, K::kCount,
     "配偶以外、由死者生前提供主要生活来源、无劳动能力的亲属人数", L::kPeople},
    {F::kLoneExtra, "孤寡加发人数", G::kDeath, K::kCount,
     "上述供养亲属中孤寡老人和孤儿的人数：每人另有加发（第三十九条）", L::kPeople},
    {F::kNationalIncome, "全国人均可支配收入", G::kDeath, K::kMoney,
     "上一年度全国城镇居民人均可支配收入：留空则按程序带有的统计数据", L::kWage, 1,
     Q::kNationalIncome},
};
constexpr bool in_order() {
  for (std::size_t i = 0; i < kFieldCount; ++i)
    if (index(kRows[i].field) != i) return false;
  return true;
}
static_assert(in_order(), "the rows stand in the order of Field");
constexpr bool every_row_helps() {
  for (const FieldRow& r : kRows)
    if (r.help.empty()) return false;
  return true;
}
static_assert(every_row_helps(), "every field says what goes in");
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
//   "工伤等级" -> kGrade   " 地区 " -> kRegion   "职务" -> nullopt
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

// What a group as a whole is for, shown under its title; "" for most.
//   kTypedRule -> "没有选择地区时，两项一次性补助金按这里填写的当地标准计算……"
std::string_view group_help(FieldGroup group);

// What a list's item means where the law gives it a meaning, with the
// article; "" for an item that explains itself. `item` is the text the
// field takes (a kAge item's "55", a kBase item's "本人工资").
//   (kDeathCase, "期满后死亡") -> "一级至四级伤残职工在停工留薪期满后死亡、……（第三十九条第三款）"
//   (kCareLevel, "生活部分不能自理") ->
//   "生活部分不能自理：从工伤保险基金按月支付生活护理费，为统筹月工资的 30%（第三十四条）" (kGrade,
//   "") -> ""
std::string item_help(Field list, std::string_view item);

// The typed figure and its base, per subsidy: medical first.
inline constexpr Field kTypedFigureFields[2] = {Field::kMedicalFigure, Field::kEmploymentFigure};
inline constexpr Field kTypedBaseFields[2] = {Field::kMedicalBase, Field::kEmploymentBase};

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_FIELDS_H_
