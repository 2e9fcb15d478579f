// How each field's text is read, once, for every front end: the words a
// person sees for a text that cannot be read (one wording per fault), the
// form a control shows, and where the calculator's lenient reading of a
// number differs from the claim's.
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "engine/evaluation.h"
#include "engine/typed_text.h"
#include "tests/claim/case_line.h"
#include "tests/claim/shipped_rules.h"

namespace gongshang {
namespace {

using F = Field;

TEST(Reading, EachKindOfFieldSaysWhatItTakes) {
  const struct {
    Field field;
    std::string_view text, words;
  } rows[] = {
      {F::kMedical, "3500元", kMoneyForm},
      {F::kOwnWage, "10000001", "不能超过 10000000，多半是输入错误"},
      {F::kLeaveMonths, "25", "应为 0 至 24 的整数"},
      {F::kSpouse, "2", "应为 0 至 1 的整数"},
      {F::kHospitalDays, "1.5", "应为 0 至 9999 的整数"},
      {F::kHospitalDays, " ３ ", ""},
      {F::kBirthDate, "2066-13-01",
       "应为存在的日期，写作 2026-10-15、2026/10/15 或 2026年10月15日"},
      {F::kBirthDate, "1066-01-01", "年份应在 1900 至 2100 之间，多半是输入错误"},
      {F::kDeath, "yes", "应为“是”或“否”，留空即“否”"},
      {F::kOriginalAge, "65", "应为 60、55 或 50"},
      {F::kOriginalAge, "45", "应为 60、55 或 50"},  // a number, but not an age of the law
      {F::kGrade, "5级", ""},
      {F::kGrade, "十一", "只能是一、二、三、四、五、六、七、八、九、十之一或留空"},
      {F::kDeathCase, "病故", "只能是因工死亡、期满后死亡之一或留空"},
      {F::kMedicalBase, "x", "只能是统筹月工资、全省月工资、本人工资、固定金额之一"},
      {F::kRegion, "火星\u200B", "没有名为“火星\\u200B”的条目：请填写规则文件中的地区名，或留空"},
  };
  for (const auto& r : rows)
    EXPECT_EQ(field_problem(r.field, r.text, shipped()), r.words) << name(r.field) << r.text;
}

TEST(Reading, AControlShowsTheEngineFormOfAText) {
  const struct {
    Field field;
    std::string_view text, shown;
  } rows[] = {{F::kGrade, "5级", "五"},
              {F::kSpouse, " １ ", "1"},
              {F::kRegion, "　浙江", "浙江"},
              {F::kMedical, "１,000", "１,000"}};
  for (const auto& r : rows) EXPECT_EQ(control_text(r.field, r.text), r.shown) << r.text;
}

// The calculation takes "6,000" for 6000, not the 6 of the lenient reading,
// and a count the claim takes for 5 is not 0 there.
TEST(Reading, ClassicFieldsReachTheCalculationAsTheClaimReadsThem) {
  const struct {
    std::string_view typed, plain;
  } rows[] = {
      {"本人月均工资=6,000", "本人月均工资=6000"},
      {"住院天数=\r5", "住院天数=5"},
  };
  constexpr std::string_view kCase = "工伤等级=七 护理级别=部分护理 统筹月工资=6000 护理天数=10 ";
  for (const auto& r : rows) {
    const Evaluation typed =
        evaluate(case_line(std::string(kCase) + std::string(r.typed)), shipped());
    const Evaluation plain =
        evaluate(case_line(std::string(kCase) + std::string(r.plain)), shipped());
    ASSERT_TRUE(typed.worked_out()) << typed.why_none();
    EXPECT_EQ(typed.classic.texts, plain.classic.texts) << r.typed;
  }
}

TEST(Reading, SaysWhereTheCalculatorReadsANumberOtherwise) {
  const struct {
    Input input;
    std::string_view text;
    std::optional<std::string_view> note;
  } rows[] = {
      {Input::kOwnWage, "6,000", "读作 6，整个索赔按 6000 计"},
      {Input::kOwnWage, "1e3", "读作 1000，整个索赔不接受这种写法"},
      {Input::kHospitalDays, "2.5", "读作 2.5，整个索赔不接受这种写法"},
      {Input::kOwnWage, "6000", std::nullopt},
      {Input::kOwnWage, "６０００", std::nullopt},
      {Input::kOwnWage, "", std::nullopt},
      {Input::kOwnWage, "10000001", std::nullopt},  // over the claim's limit, the same number
      {Input::kLeaveMonths, "25", std::nullopt},
      {Input::kOwnWage, "1E400", std::nullopt},  // the calculator refuses the row itself
  };
  for (const auto& r : rows) EXPECT_EQ(classic_misreading(r.input, r.text), r.note) << r.text;
}

}  // namespace
}  // namespace gongshang
