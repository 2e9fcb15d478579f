#include "regions/rules_file.h"

#include <fstream>

#include <gtest/gtest.h>

namespace gongshang::regions {
namespace {

const std::filesystem::path kProgram = GONGSHANG_TEST_PROGRAM;

TEST(RulesFile, ShipsOnlyTheCheckedProvincesAsChecked) {
  Loaded loaded = load_rules(kProgram, {});
  ASSERT_TRUE(std::holds_alternative<Rules>(loaded)) << std::get<LoadError>(loaded).text();
  const Rules& rules = std::get<Rules>(loaded);
  EXPECT_GE(rules.regions.size(), 21u);
  for (const Region& r : rules.regions) {
    DataStatus expected = r.name == "浙江" || r.name == "河南" ? DataStatus::kStatuteChecked
                          : r.name == "北京"                   ? DataStatus::kGovernmentNotice
                                                               : DataStatus::kSecondaryOnly;
    EXPECT_EQ(r.status, expected) << r.name;
  }
  for (const char* none : {"山西", "吉林", "甘肃", "贵州"}) EXPECT_FALSE(rules.find(none));
  ASSERT_TRUE(rules.income_of(2025));
  EXPECT_FALSE(rules.income_of(2025)->confirmed);
  EXPECT_TRUE(rules.income_of(2024)->confirmed);
}

// A region entry with every key, the piece under test spliced in.
std::string file_with(std::string_view region_tail, std::string_view top_tail = "") {
  return std::string(R"({
 "regions": [
  {"name": "甲", "statute": "甲条例", "status": "转载未核对", "sources": [],
   "medical": {"base": "统筹月工资",
    "by_grade": {"五": 1, "六": 1, "七": 1, "八": 1, "九": 1, "十": null}})") +
         std::string(region_tail) + "}\n ]" + std::string(top_tail) + "\n}\n";
}

// An employment subsidy of a month for every grade, `keys` starting on line 7.
std::string employment_with(std::string_view keys) {
  return file_with(R"(,
   "employment": {"base": "本人工资", "by_grade": {"五": 1, "六": 1, "七": 1, "八": 1, "九": 1, "十": 1},
    )" + std::string(keys) +
                   "}");
}

TEST(RulesFile, RefusesAMalformedFileWithItsLine) {
  struct Row {
    std::string text;
    int line;
    const char* message_part;
  } rows[] = {
      {file_with(",\n   \"status\": \"条文已核对\""), 6, "「status」出现了两次"},
      {"{\n \"regions\": [\n  {\"name\": \"甲\",}\n ]\n}", 3, "不是有效的 JSON"},
      {file_with(R"(, "employment": {"base": "月工资",
    "by_grade": {}})"),
       5, "「base」应为"},
      {file_with(R"(, "employment": {"base": "本人工资",
    "by_grade": {"五": 1, "六": 1, "七": 1, "八": 1, "九": 1, "十": -1}})"),
       6, "「十」应为"},
      {file_with(R"(, "employment": {"base": "本人工资",
    "by_grade": {"五": 1, "六": 1, "七": 1, "八": 1, "九": 1}})"),
       6, "缺少「十」"},
      {file_with(R"(,
   "near_retirment_percent": [0, 20, 40, 60, 80])"),
       6, "未知的键「near_retirment_percent」"},
      {employment_with(R"("near_retirement_percent": [])"), 7,
       "应为距退休 0、1、2…个整年时支付的百分比数组"},
      {employment_with("\"near_retirement_percent\": [50, 60],\n \"near_retirement_years\": 3"), 8,
       "只在递减比例为“未知”时使用"},
      {employment_with(R"("near_retirement_percent": "未知", "near_retirement_applies": "辞职")"),
       7, "「near_retirement_applies」应为 全部 或 本人提出"},
      {employment_with(R"("near_retirement_applies": "本人提出")"), 7,
       "只在「near_retirement_percent」不为 null 时使用"},
      {file_with(R"(,
   "employment": {"base": "本人工资",
    "life_expectancy": {"men": 75, "year": 2020, "source": "",
     "months_per_year": {"五": 1, "六": 1, "七": 1, "八": 1, "九": 1, "十": 1},
     "minimum_months": {"五": 1, "六": 1, "七": 1, "八": 1, "九": 1, "十": 1}}})"),
       7, "「men」和「women」应同时给出"},
      {file_with(R"(,
   "employment": {"base": "固定金额", "by_grade": {},
    "life_expectancy": {"all": 80}})"),
       7, "只能有一个"},
      {file_with("", R"(,
 "income": [{"year": 2024, "yuan": 54188, "confirmed": "yes", "source": ""}])"),
       7, "「confirmed」"},
      {R"({"regions": [{"name": "乙", "statute": "", "status": "已核对"}]})", 1, "而不是“已核对”"},
      {R"({"regions": [{"name": "乙", "statute": "", "status": "转载未核对", "sources": [],
  "medical": null}]})",
       1, "没有任何补助金数字：请在「notes」中说明原因"},
  };
  ASSERT_TRUE(std::holds_alternative<Rules>(parse_rules(file_with("")))) << file_with("");
  for (const Row& r : rows) {
    Loaded loaded = parse_rules(r.text);
    ASSERT_TRUE(std::holds_alternative<LoadError>(loaded)) << r.text;
    const LoadError& e = std::get<LoadError>(loaded);
    EXPECT_NE(e.message.find(r.message_part), std::string::npos) << e.message;
    EXPECT_EQ(e.line, r.line) << e.message << "\n" << r.text;
  }
}

// The scale keys of a cut and the life-expectancy rule; a subsidy written
// the old way (five percentages, no scope) keeps its meaning.
TEST(RulesFile, ReadsEveryKindOfRule) {
  Loaded loaded = parse_rules(file_with(R"(,
   "notes": "全部数字来源不一",
   "employment": {"base": "统筹月工资", "disease_uplift": 0.3,
    "life_expectancy": {"all": 78.49, "men": 75.81, "women": 81.55, "year": 2020, "source": "甲",
     "months_per_year": {"五": 0.7, "六": 0.6, "七": 0.4, "八": 0.3, "九": 0.2, "十": null},
     "minimum_months": {"五": 15, "六": 15, "七": 10, "八": 10, "九": 5, "十": 3}},
    "near_retirement_percent": "未知", "near_retirement_years": 3,
    "near_retirement_applies": "本人提出"})"));
  ASSERT_TRUE(std::holds_alternative<Rules>(loaded)) << std::get<LoadError>(loaded).text();
  const SubsidyRule& employment = *std::get<Rules>(loaded).regions[0].employment;
  ASSERT_TRUE(employment.life_expectancy && employment.near_retirement);
  EXPECT_EQ(employment.life_expectancy->men, 75.81);
  EXPECT_EQ(employment.life_expectancy->minimum_months[5], 3);
  EXPECT_FALSE(employment.life_expectancy->months_per_year[5]);
  EXPECT_EQ(employment.near_retirement->years(), 3);
  EXPECT_EQ(employment.near_retirement->scope, CutScope::kOwnRequest);

  loaded = parse_rules(R"({"regions": [{"name": "乙", "statute": "", "status": "转载未核对",
    "sources": [], "notes": "来源互相矛盾", "medical": {"base": "本人工资",
    "by_grade": {"五": null, "六": null, "七": null, "八": null, "九": null, "十": null},
    "near_retirement_percent": [10, 20, 40, 60, 80]}}]})");
  ASSERT_TRUE(std::holds_alternative<Rules>(loaded)) << std::get<LoadError>(loaded).text();
  const NearRetirementCut& old_form = *std::get<Rules>(loaded).regions[0].medical->near_retirement;
  EXPECT_EQ(old_form.percent, (std::vector<double>{10, 20, 40, 60, 80}));
  EXPECT_EQ(old_form.scope, CutScope::kAll);
}

TEST(RulesFile, AUsersFileReplacesEntriesOfTheSameName) {
  auto user = std::filesystem::temp_directory_path() /
              ("regions_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               ".json");
  std::ofstream(user) << R"({"regions": [{"name": "浙江", "statute": "自拟", "status": "转载未核对",
    "sources": [], "employment": {"base": "固定金额",
    "by_grade": {"五": 9, "六": null, "七": null, "八": null, "九": null, "十": null}}}],
    "income": [{"year": 2030, "yuan": 70000, "confirmed": false, "source": "自拟"}]})";
  Loaded loaded = load_rules(kProgram, user);
  ASSERT_TRUE(std::holds_alternative<Rules>(loaded)) << std::get<LoadError>(loaded).text();
  const Rules& rules = std::get<Rules>(loaded);
  const Region* zhejiang = rules.find("浙江");
  ASSERT_TRUE(zhejiang);
  EXPECT_EQ(zhejiang->status, DataStatus::kSecondaryOnly);
  EXPECT_FALSE(zhejiang->medical);
  EXPECT_TRUE(rules.find("河南"));
  EXPECT_TRUE(rules.income_of(2030) && rules.income_of(2024));

  std::filesystem::remove(user);
}

}  // namespace
}  // namespace gongshang::regions
