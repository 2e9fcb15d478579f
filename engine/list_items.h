// The two list fields as a person types them. The window offers only the
// list items; a spreadsheet cell or a typed claim holds whatever was typed,
// so the grade may also come as an Arabic number or with 级 after it. A text
// that names no item is refused, never read as "no grade": that would drop
// the disability subsidy without a word.
#ifndef GONGSHANG_ENGINE_LIST_ITEMS_H_
#define GONGSHANG_ENGINE_LIST_ITEMS_H_

#include <optional>
#include <string>
#include <string_view>

namespace gongshang {

// 工伤等级 as typed (UTF-8) -> its list item "一" … "十", or "" for no grade;
// nullopt when it names no grade. Accepted: the item, 1 … 10 in ASCII or
// full-width digits, any of these followed by 级, blanks around (as
// ascii_form() in typed_text.h drops them).
//   "五" "五级" "5" "5级" "５" "５级" " 五 " -> "五"    "10" "１０级" -> "十"
//   "" "  " -> ""    "十一" "伍" "Ⅴ" "0" "05" "5 级" "级" -> nullopt
std::optional<std::string_view> grade_item(std::string_view text);

// 护理级别 as typed -> "完全护理", "大部分护理", "部分护理", or "" for none;
// nullopt for anything else.
//   " 部分护理 " -> "部分护理"   "完全" "部分" -> nullopt
std::optional<std::string_view> nursing_item(std::string_view text);

// Why the classic calculator refuses a text the two functions above do not
// accept (the field's name not repeated); the text is shown as read, blanks
// taken off.
//   "十一" -> "只能是一至十或留空：十一"
//   "完全" -> "只能是完全护理、大部分护理、部分护理或留空：完全"
std::string grade_refusal(std::string_view text);
std::string nursing_refusal(std::string_view text);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_LIST_ITEMS_H_
