// What a case file may hold in each field, as the window's controls and the
// page take it, and the refusal that names the field and the value.
#include "casefile/case_file.h"

#include <gtest/gtest.h>

namespace gongshang::casefile {
namespace {

Rules two_regions() {
  Rules rules;
  rules.regions.resize(2);
  rules.regions[0].name = "浙江";
  rules.regions[1].name = "河南";
  return rules;
}

TEST(CaseFile, EachFieldHoldsWhatItsControlOffers) {
  const struct {
    std::string_view field, text, problem;
  } cases[] = {
      {"工伤等级", "七", ""},
      {"工伤等级", "", ""},
      {"工伤等级", "十一", "只能是一、二、三、四、五、六、七、八、九、十之一或留空"},
      {"工伤等级", "7级", "只能是一、二、三、四、五、六、七、八、九、十之一或留空"},
      {"死亡情形", "期满后死亡", ""},
      {"配偶", "1", ""},
      {"配偶", "2", "只能是 0 至 1 的整数"},
      {"住院天数", "007", ""},
      {"住院天数", "-1", "只能是 0 至 9999 的整数"},
      {"住院天数", " 3", "只能是 0 至 9999 的整数"},
      {"住院天数", "99999999999", "只能是 0 至 9999 的整数"},
      {"工亡", "是", ""},
      {"工亡", "yes", "只能是“是”“否”或留空"},
      {"原退休年龄", "55", ""},
      {"原退休年龄", "65", "只能是60、55、50之一或留空"},
      {"医疗补助金基数", "固定金额", ""},
      {"地区", "河南", ""},
      {"地区", "火星", "只能是浙江、河南之一或留空"},
      // Typed fields take any text; what cannot be read is marked, not refused.
      {"本人月均工资", "<img src=x>", ""},
      {"出生日期", "昨天", ""},
  };
  const Rules rules = two_regions();
  for (const auto& c : cases) {
    EXPECT_EQ(value_problem(*find_field(c.field), c.text, rules), c.problem)
        << c.field << " " << c.text;
  }
}

TEST(CaseFile, OpeningNamesTheFieldAndValueOrEmptiesWhatTheFileLeavesOut) {
  const Rules rules = two_regions();
  CaseOpened opened = open_case(R"({"格式": 1, "工伤等级": "十一"})", rules);
  EXPECT_EQ(opened.problem,
            "「工伤等级」只能是一、二、三、四、五、六、七、八、九、十之一或留空：十一");
  EXPECT_TRUE(opened.texts.empty());

  // A control shows the engine's form of the text.
  opened = open_case(R"({"格式": 2, "地区": "浙江", "死亡情形": "因工死亡", "工伤等级": "5级",
                         "配偶": " １ "})",
                     rules);
  EXPECT_EQ(opened.problem, "");
  EXPECT_EQ(text_of(opened.texts, "配偶"), "1");
  EXPECT_EQ(text_of(opened.texts, "地区"), "浙江");
  EXPECT_EQ(text_of(opened.texts, "死亡情形"), "因工死亡");
  EXPECT_EQ(text_of(opened.texts, "工伤等级"), "五");
  EXPECT_EQ(text_of(opened.texts, "护理级别"), "");
  EXPECT_EQ(opened.texts.size(), claim_fields().size());
}

}  // namespace
}  // namespace gongshang::casefile
