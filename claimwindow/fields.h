// The claim window's input fields as data: each field's name (the batch
// tool's column and the case file's key), the group a person looks for it in,
// and the kind of control that takes it. The form and the case file are both
// built from this one table.
#ifndef GONGSHANG_CLAIMWINDOW_FIELDS_H_
#define GONGSHANG_CLAIMWINDOW_FIELDS_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gongshang::claimwindow {

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
  kList,    // a list whose items are the texts ("" first)
  kMoney,   // yuan, typed; read by the number rule
  kCount,   // a whole number in a spin box, 0..max
  kDate,    // typed or picked; "" when not given
  kYesNo,   // a check box: "是" or "否"
  kAge,     // the original retirement age: "", "60", "55" or "50"
  kRegion,  // a region of the rules data, or "" for none
  kBase,    // what typed months multiply: "统筹月工资" … "固定金额"
};

struct FieldRow {
  std::string_view name;  // UTF-8, e.g. "本人月均工资"
  FieldGroup group;
  FieldKind kind;
  std::string_view hint = {};  // shown in an empty box, e.g. "当地月最低工资标准"
  int max = 0;                 // kCount only
};

// Every field in the order of the form, group by group.
std::span<const FieldRow> claim_fields();

// The row of a field name; nullptr for a name no field has.
//   "工伤等级" -> its row   "姓名" -> nullptr
const FieldRow* find_field(std::string_view name);

// The original retirement ages, with what a person recognises them by.
struct AgeItem {
  std::string_view text;   // "60"
  std::string_view label;  // "60 岁（男职工）"
};
std::span<const AgeItem> age_items();

// Names of the fields that change the whole form.
inline constexpr std::string_view kRegionField = "地区";
inline constexpr std::string_view kDeathField = "工亡";
inline constexpr std::string_view kUninsuredField = "用人单位未参保";
// The typed figure and its base, per subsidy: medical first.
inline constexpr std::string_view kTypedFigureFields[2] = {"医疗补助金月数或金额",
                                                           "就业补助金月数或金额"};
inline constexpr std::string_view kTypedBaseFields[2] = {"医疗补助金基数", "就业补助金基数"};

// The form's texts (UTF-8), indexed like claim_fields().
using FieldTexts = std::vector<std::string>;

// FieldTexts of all-empty fields, and a field's text by name ("" for a name
// no field has; set_text ignores one).
FieldTexts empty_texts();
std::string_view text_of(const FieldTexts& texts, std::string_view name);
void set_text(FieldTexts& texts, std::string_view name, std::string text);

// Group titles, e.g. FieldGroup::kWages -> "工资".
std::string_view group_title(FieldGroup group);

}  // namespace gongshang::claimwindow

#endif  // GONGSHANG_CLAIMWINDOW_FIELDS_H_
