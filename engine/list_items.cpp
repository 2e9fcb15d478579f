#include "engine/list_items.h"

#include <charconv>

#include "engine/fields.h"
#include "engine/legal_figures.h"
#include "engine/typed_text.h"

namespace gongshang {
namespace {

constexpr std::string_view kGradeSuffix = "级";

std::string refusal(std::string_view accepted, std::string_view text) {
  std::string buffer;
  std::string words = "只能是";
  words.append(accepted).append("或留空：");
  return words.append(visible(ascii_form(text, buffer)));
}

}  // namespace

std::optional<std::string_view> grade_item(std::string_view text) {
  // The items as they stand and the empty text are by far the most common:
  // they go first.
  if (text.empty()) return text;
  for (const GradeFigures& grade : kGrades) {
    if (text == grade.item) return grade.item;
  }
  std::string buffer;
  std::string_view typed = ascii_form(text, buffer);
  if (typed.empty()) return std::string_view();
  if (typed.ends_with(kGradeSuffix)) typed.remove_suffix(kGradeSuffix.size());
  for (const GradeFigures& grade : kGrades) {
    if (typed == grade.item) return grade.item;
  }
  int number = 0;
  const char* end = typed.data() + typed.size();
  const auto read = std::from_chars(typed.data(), end, number);
  if (read.ec == std::errc() && read.ptr == end && typed.front() != '0' && number >= 1 &&
      number <= static_cast<int>(kGrades.size())) {
    return grade_figures(number).item;
  }
  return std::nullopt;
}

std::optional<std::string_view> nursing_item(std::string_view text) {
  if (text.empty()) return text;
  for (const NursingFigures& level : kNursingLevels) {
    if (text == level.item) return level.item;
  }
  std::string buffer;
  const std::string_view typed = ascii_form(text, buffer);
  if (typed.empty()) return std::string_view();
  for (const NursingFigures& level : kNursingLevels) {
    if (typed == level.item) return level.item;
  }
  return std::nullopt;
}

std::string grade_refusal(std::string_view text) {
  std::string accepted(kGrades.front().item);
  accepted.append("至").append(kGrades.back().item);
  return refusal(accepted, text);
}

std::string nursing_refusal(std::string_view text) {
  std::string accepted;
  for (const NursingFigures& level : kNursingLevels) {
    if (!accepted.empty()) accepted.append("、");
    accepted.append(level.item);
  }
  return refusal(accepted, text);
}

}  // namespace gongshang
