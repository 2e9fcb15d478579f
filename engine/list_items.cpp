#include "engine/list_items.h"

#include "engine/fields.h"
#include "engine/legal_figures.h"

namespace gongshang {
namespace {

constexpr std::string_view kIdeographicSpace = "\u3000";
constexpr std::string_view kGradeSuffix = "级";
// Full-width digits are U+FF10 … U+FF19: these two bytes, then 0x90 … 0x99.
constexpr std::string_view kFullWidthDigitLead = "\xEF\xBC";

bool is_ascii_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

// The number written in ASCII digits, or in full-width ones, up to two of
// them: "7" "７" -> 7, "10" "１０" -> 10; -1 for anything else ("1０", "x").
int small_number(std::string_view text) {
  std::string digits;
  const bool full_width = text.starts_with(kFullWidthDigitLead);
  while (!text.empty() && digits.size() <= 2) {
    if (full_width) {
      if (text.size() < 3 || !text.starts_with(kFullWidthDigitLead)) return -1;
      const auto b = static_cast<unsigned char>(text[2]);
      if (b < 0x90 || b > 0x99) return -1;
      digits.push_back(static_cast<char>('0' + (b - 0x90)));
      text.remove_prefix(3);
    } else {
      if (text[0] < '0' || text[0] > '9') return -1;
      digits.push_back(text[0]);
      text.remove_prefix(1);
    }
  }
  if (!text.empty() || digits.empty() || digits.size() > 2 || digits[0] == '0') return -1;
  return digits.size() == 1 ? digits[0] - '0' : (digits[0] - '0') * 10 + (digits[1] - '0');
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
  // The items as they stand are by far the most common text: they go first.
  for (const GradeFigures& grade : kGrades) {
    if (text == grade.item) return grade.item;
  }
  text = trim_blanks(text);
  if (text.empty()) return std::string_view();
  if (text.ends_with(kGradeSuffix)) text.remove_suffix(kGradeSuffix.size());
  for (const GradeFigures& grade : kGrades) {
    if (text == grade.item) return grade.item;
  }
  const int number = small_number(text);
  if (number >= 1 && number <= static_cast<int>(kGrades.size())) return kGrades[number - 1].item;
  return std::nullopt;
}

std::optional<std::string_view> nursing_item(std::string_view text) {
  text = trim_blanks(text);
  if (text.empty()) return std::string_view();
  for (const NursingFigures& level : kNursingLevels) {
    if (text == level.item) return level.item;
  }
  return std::nullopt;
}

std::string grade_refusal(std::string_view text) {
  std::string message = "「";
  message.append(name(Input::kGrade)).append("」只能是");
  message.append(kGrades.front().item).append("至").append(kGrades.back().item);
  return message.append("或留空：").append(trim_blanks(text));
}

std::string nursing_refusal(std::string_view text) {
  std::string message = "「";
  message.append(name(Input::kNursing)).append("」只能是");
  for (const NursingFigures& level : kNursingLevels) {
    if (&level != &kNursingLevels.front()) message.append("、");
    message.append(level.item);
  }
  return message.append("或留空：").append(trim_blanks(text));
}

}  // namespace gongshang
