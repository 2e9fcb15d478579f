#include "engine/list_items.h"

#include "engine/fields.h"

#include <optional>
#include <string>
#include <string_view>
#include <tuple>

#include <gtest/gtest.h>

namespace gongshang {
namespace {

// A grade typed as its item, a digit or full-width digits, with 级 and
// blanks of either width around it.
TEST(ListItems, ReadsEachGradeOrRefusesIt) {
  using Item = std::optional<std::string_view>;
  const std::tuple<std::string_view, Item, Item> rows[] = {
      {"", "", ""},
      {" \u3000\t", "", ""},
      {"七", "七", std::nullopt},
      {" 5\t", "五", std::nullopt},
      {"\u3000１０级 ", "十", std::nullopt},
      {"一级", "一", std::nullopt},
      {"十一", std::nullopt, std::nullopt},
      {"0", std::nullopt, std::nullopt},
      {"１０0", std::nullopt, std::nullopt},
      {"5 级", std::nullopt, std::nullopt},
      {"五级级", std::nullopt, std::nullopt},
      {"部分", std::nullopt, std::nullopt},
      {" 完全护理\u3000", std::nullopt, "完全护理"},
      {"大部分护理", std::nullopt, "大部分护理"},
      {"部分护理", std::nullopt, "部分护理"},
  };
  for (const auto& [typed, grade, nursing] : rows) {
    EXPECT_EQ(grade_item(typed), grade) << typed;
    EXPECT_EQ(nursing_item(typed), nursing) << typed;
  }
  EXPECT_EQ(grade_refusal(" 十一 "), "只能是一至十或留空：十一");
  EXPECT_EQ(grade_refusal("五\u200B"), "只能是一至十或留空：五\\u200B");
  EXPECT_EQ(nursing_refusal("完全"), "只能是完全护理、大部分护理、部分护理或留空：完全");
}

// The grades on either side of each article's border.
TEST(ItemHelp, NamesTheArticleAndTheFiguresOfEachItem) {
  const std::tuple<Field, std::string_view, std::string_view> kRows[] = {
      {Field::kGrade, "四",
       "21 个月的本人工资；保留劳动关系，退出工作岗位，按月领伤残津贴，为本人"
       "工资的 75%（《工伤保险条例》第三十五条）"},
      {Field::kGrade, "五", "为本人工资的 70%；经本人提出可以解除"},
      {Field::kGrade, "七", "13 个月的本人工资；劳动、聘用合同期满终止"},
      {Field::kNursing, "部分护理", "（《工伤保险条例》第三十三条第三款）：护理费按本人工资的 30%"},
      {Field::kCareLevel, "生活部分不能自理", "按月支付生活护理费，为统筹月工资的 30%（"},
      {Field::kSuitableWork, "是", "不发伤残津贴"},
      {Field::kDeathCase, "期满后死亡",
       "不享受一次性工亡补助金（《工伤保险条例》第三十九条第三款）"},
      {Field::kEndReason, "劳动合同法第三十八条", "依《劳动合同法》第三十八条解除劳动合同"},
      {Field::kOriginalAge, "50", "原法定退休年龄为五十周岁的女职工（原规定称女工人）"},
      {Field::kEmploymentBase, "本人工资", "低于统筹月工资 60% 的按 60%，高于 300% 的按 300%"},
      {Field::kMedicalBase, "统筹月工资", ""},
  };
  for (const auto& [list, item, part] : kRows) {
    const std::string help = item_help(list, item);
    if (part.empty())
      EXPECT_EQ(help, "") << item;
    else
      EXPECT_NE(help.find(part), std::string::npos) << help;
  }
}

}  // namespace
}  // namespace gongshang
