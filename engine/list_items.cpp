#include "list_items.h"

namespace gongshang {
namespace {

constexpr std::string_view kIdeographicSpace = "\u3000";
constexpr std::string_view kGradeSuffix = "级";

// The spellings of each grade, in list order.
struct GradeSpelling {
  std::string_view item;
  std::string_view ascii;
  std::string_view full_width;
};
constexpr GradeSpelling kGradeSpellings[] = {
    {"一", "1", "１"}, {"二", "2", "２"},    {"三", "3", "３"}, {"四", "4", "４"},
    {"五", "5", "５"}, {"六", "6", "６"},    {"七", "7", "７"}, {"八", "8", "８"},
    {"九", "9", "９"}, {"十", "10", "１０"},
};
constexpr std::string_view kNursingItems[] = {"完全护理", "大部分护理", "部分护理"};

bool is_ascii_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

}  // namespace

std::string_view trim_blanks(std::string_view text) {
  for (;;) {
    if (!text.empty() && is_ascii_blank(text.front())) {
      text.remove_prefix(1);
    } else if (text.starts_with(kIdeographicSpace)) {
      text.remove_prefix(kIdeographicSpace.size());
    } else if (!text.empty() && is_ascii_blank(text.back())) {
      text.remove_suffix(1);
    } else if (text.ends_with(kIdeographicSpace)) {
      text.remove_suffix(kIdeographicSpace.size());
    } else {
      return text;
    }
  }
}

std::optional<std::string_view> grade_item(std::string_view text) {
  text = trim_blanks(text);
  if (text.empty()) return std::string_view();
  if (text.ends_with(kGradeSuffix)) text.remove_suffix(kGradeSuffix.size());
  for (const GradeSpelling& s : kGradeSpellings) {
    if (text == s.item || text == s.ascii || text == s.full_width) return s.item;
  }
  return std::nullopt;
}

std::optional<std::string_view> nursing_item(std::string_view text) {
  text = trim_blanks(text);
  if (text.empty()) return std::string_view();
  for (std::string_view item : kNursingItems) {
    if (text == item) return item;
  }
  return std::nullopt;
}

std::string grade_refusal(std::string_view text) {
  return "「工伤等级」只能是一至十或留空：" + std::string(trim_blanks(text));
}

std::string nursing_refusal(std::string_view text) {
  return "「护理级别」只能是完全护理、大部分护理、部分护理或留空：" +
         std::string(trim_blanks(text));
}

}  // namespace gongshang
