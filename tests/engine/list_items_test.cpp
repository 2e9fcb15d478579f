#include "engine/list_items.h"

#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace gongshang {
namespace {

// Every way of typing each grade, built from its number rather than listed,
// so that a grade paired with the wrong spelling shows.
TEST(ListItems, ReadsEverySpellingOfEachGrade) {
  constexpr std::string_view kItems[] = {"一", "二", "三", "四", "五",
                                         "六", "七", "八", "九", "十"};
  for (int grade = 1; grade <= 10; ++grade) {
    const std::string ascii = std::to_string(grade);
    std::string full_width;  // U+FF10 + digit
    for (char digit : ascii)
      full_width += std::string("\xEF\xBC") + static_cast<char>(0x90 + digit - '0');
    const std::string_view item = kItems[grade - 1];
    for (const std::string& name : {std::string(item), ascii, full_width}) {
      for (const std::string& typed :
           {name, name + "级", " " + name + "\t", "\u3000" + name + "级 "}) {
        EXPECT_EQ(grade_item(typed), item) << typed;
      }
    }
  }
}

TEST(ListItems, RefusesWhatIsNotOnTheList) {
  const struct {
    std::string_view typed;
    std::optional<std::string_view> grade;
    std::optional<std::string_view> nursing;
  } cases[] = {
      {"", "", ""},
      {" \u3000\t", "", ""},
      {"十一", std::nullopt, std::nullopt},
      {"伍", std::nullopt, std::nullopt},
      {"0", std::nullopt, std::nullopt},
      {"１０0", std::nullopt, std::nullopt},
      {"5 级", std::nullopt, std::nullopt},
      {"五级级", std::nullopt, std::nullopt},
      {"部分", std::nullopt, std::nullopt},
      {" 完全护理\u3000", std::nullopt, "完全护理"},
      {"大部分护理", std::nullopt, "大部分护理"},
      {"部分护理", std::nullopt, "部分护理"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(grade_item(c.typed), c.grade) << c.typed;
    EXPECT_EQ(nursing_item(c.typed), c.nursing) << c.typed;
  }
  EXPECT_EQ(grade_refusal(" 十一 "), "只能是一至十或留空：十一");
  EXPECT_EQ(grade_refusal("五\u200B"), "只能是一至十或留空：五\\u200B");
  EXPECT_EQ(nursing_refusal("完全"), "只能是完全护理、大部分护理、部分护理或留空：完全");
}

}  // namespace
}  // namespace gongshang
