// The whole claim's input fields as data: each field's name (the batch
// tool's column and the case file's key), the group a person looks for it in,
// the kind of text it takes and its limit. The claim window's form, the case
// file, the statement and the batch tool's --claim all read this one table,
// so a text is accepted or refused the same way wherever it was typed.
#ifndef GONGSHANG_ENGINE_CLAIM_FIELDS_H_
#define GONGSHANG_ENGINE_CLAIM_FIELDS_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gongshang {

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
  kList,    // one of list_items(name), or ""
  kMoney,   // yuan, typed; read by read_money (typed_text.h) up to max
  kCount,   // a whole number 0..max
  kDate,    // typed or picked; "" when not given
  kYesNo,   // "是" or "否"; "" is "否"
  kAge,     // the original retirement age: "", "60", "55" or "50"
  kRegion,  // a region of the rules data, or "" for none
  kBase,    // what typed months multiply: "统筹月工资" … "固定金额"
};

struct FieldRow {
  std::string_view name;  // UTF-8, e.g. "本人月均工资"
  FieldGroup group;
  FieldKind kind;
  std::string_view hint = {};  // shown in an empty box, e.g. "当地月最低工资标准"
  double max = 0;              // kMoney and kCount: the largest value taken
  int since_format = 1;        // the case file's 格式 that first has the field
};

// Every field in the order of the form, group by group.
std::span<const FieldRow> claim_fields();

// The row of a field name; nullptr for a name no field has.
//   "工伤等级" -> its row   "姓名" -> nullptr
const FieldRow* find_field(std::string_view name);

// A kList field's items after "" (none), UTF-8.
//   "护理级别" -> {"完全护理", "大部分护理", "部分护理"}   "死亡情形" -> {"因工死亡", "期满后死亡"}
std::vector<std::string_view> list_items(std::string_view name);

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

// The fields' texts (UTF-8), indexed like claim_fields(): what a form, a
// case file or a web page gathers, keyed by field name.
using FieldTexts = std::vector<std::string>;

// FieldTexts of all-empty fields, and a field's text by name ("" for a name
// no field has; set_text ignores one).
FieldTexts empty_texts();
std::string_view text_of(const FieldTexts& texts, std::string_view name);
void set_text(FieldTexts& texts, std::string_view name, std::string text);
// The texts of name/text pairs, as a case file holds them; unknown names
// are ignored (the case file refuses them before).
FieldTexts texts_of(std::span<const std::pair<std::string, std::string>> pairs);

// Whether a field counts for the case: the death section only with 工亡 是,
// the typed subsidy figures only without a region. A field out of effect is
// neither read nor checked, whatever it still holds.
bool in_effect(const FieldRow& row, const FieldTexts& texts);

// The inputs a statement lists, as a person gave them, in form order: empty
// fields, unticked boxes, zero counts and fields out of effect say nothing;
// an age is in years, and no region is said as such.
//   {地区 "", 工伤等级 "七", 配偶 "0", 原退休年龄 "60"}
//     -> {{"地区", "未选（补助金标准自行填写）"}, {"工伤等级", "七"}, {"原退休年龄", "60 岁"}}
std::vector<std::pair<std::string_view, std::string>> given_inputs(const FieldTexts& texts);

// Group titles, e.g. FieldGroup::kWages -> "工资".
std::string_view group_title(FieldGroup group);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_CLAIM_FIELDS_H_
