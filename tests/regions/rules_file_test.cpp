#include "regions/rules_file.h"

#include <unistd.h>

#include <fstream>
#include <set>
#include <string_view>

#include <gtest/gtest.h>

namespace gongshang::regions {
namespace {

const std::filesystem::path kProgram = GONGSHANG_TEST_PROGRAM;

// The rules read; a load error fails the test with the loader's own words.
const Rules& rules_of(const Loaded& loaded) {
  if (const auto* error = std::get_if<LoadError>(&loaded)) ADD_FAILURE() << error->text();
  return std::get<Rules>(loaded);
}

// Every province-level region is listed, those without a figure saying so.
TEST(RulesFile, ShipsOnlyTheCheckedProvincesAsChecked) {
  const Loaded loaded = load_rules(kProgram, {});
  const Rules& rules = rules_of(loaded);
  EXPECT_EQ(rules.regions.size(), 31u);
  const std::set<std::string_view> none_found = {"山西", "吉林", "海南", "四川", "贵州",
                                                 "西藏", "甘肃", "青海", "宁夏", "新疆"};
  for (const Region& r : rules.regions) {
    DataStatus expected = r.name == "浙江" || r.name == "河南" ? DataStatus::kStatuteChecked
                          : r.name == "北京"                   ? DataStatus::kGovernmentNotice
                          : none_found.contains(r.name)        ? DataStatus::kNoFigureFound
                                                               : DataStatus::kSecondaryOnly;
    EXPECT_EQ(r.status, expected) << r.name;
  }
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

// A user's file with a region named `name` (JSON string syntax), with
// figures, an income year and a collection date of its own.
std::string user_region(std::string_view name) {
  return R"({"collected": "2030-01-01", "regions": [
  {"name": ")" +
         std::string(name) +
         R"(", "statute": "自拟", "status": "转载未核对", "sources": [],
   "employment": {"base": "固定金额",
    "by_grade": {"五": 9, "六": null, "七": null, "八": null, "九": null, "十": null}}}],
 "income": [{"year": 2030, "yuan": 70000, "confirmed": false, "source": "自拟"}]})";
}

TEST(RulesFile, RefusesAMalformedFileSayingWhere) {
  struct Row {
    std::string text;
    int line, column;
    const char* message_part;
  } rows[] = {
      {file_with(R"(, "employment": {"base": "月工资",
    "by_grade": {}})"),
       5, 94, "「base」应为"},
      {file_with(R"(, "employment": {"base": "本人工资",
    "by_grade": {"五": 1, "六": 1, "七": 1, "八": 1, "九": 1, "十": -1}})"),
       6, 63, "「十」应为"},
      {file_with(R"(, "employment": {"base": "本人工资",
    "by_grade": {"五": 1, "六": 1, "七": 1, "八": 1, "九": 1}})"),
       6, 17, "缺少「十」"},
      {file_with(R"(,
   "near_retirment_percent": [0, 20, 40, 60, 80])"),
       6, 30, "未知的键「near_retirment_percent」"},
      {employment_with(R"("near_retirement_percent": [])"), 7, 32,
       "应为距退休 0、1、2…个整年时支付的百分比数组"},
      {employment_with("\"near_retirement_percent\": [50, 60],\n \"near_retirement_years\": 3"), 8,
       27, "只在递减比例为“未知”时使用"},
      {employment_with(R"("near_retirement_percent": "未知", "near_retirement_applies": "辞职")"),
       7, 65, "「near_retirement_applies」应为 全部 或 本人提出"},
      {employment_with(R"("near_retirement_applies": "本人提出")"), 7, 32,
       "只在「near_retirement_percent」不为 null 时使用"},
      {file_with(R"(,
   "employment": {"base": "本人工资",
    "life_expectancy": {"men": 75, "year": 2020, "source": "",
     "months_per_year": {"五": 1, "六": 1, "七": 1, "八": 1, "九": 1, "十": 1},
     "minimum_months": {"五": 1, "六": 1, "七": 1, "八": 1, "九": 1, "十": 1}}})"),
       7, 24, "「men」和「women」应同时给出"},
      {file_with(R"(,
   "employment": {"base": "固定金额", "by_grade": {},
    "life_expectancy": {"all": 80}})"),
       7, 24, "只能有一个"},
      {file_with("", R"(,
 "income": [{"year": 2024, "yuan": 54188, "confirmed": "yes", "source": ""}])"),
       7, 56, "「confirmed」"},
      {R"({"collected": "2026-02-30", "regions": []})", 1, 15, "「collected」应为资料收集的日期"},
      {R"({"regions": [{"statute": ""}]})", 1, 14, "缺少「name」"},
      {R"({"regions": [{"name": "乙", "statute": "", "status": "已核对"}]})", 1, 53,
       "而不是“已核对”"},
      {R"({"regions": [{"name": "乙", "statute": "", "status": "转载未核对", "sources": [],
  "medical": null}]})",
       1, 14, "没有任何补助金数字：请在「notes」中说明原因"},
      {R"({"regions": [{"name": "乙", "statute": "", "status": "未找到数字", "sources": [],
  "notes": "只找到文件名称", "medical": {"base": "固定金额",
   "by_grade": {"五": 1, "六": null, "七": null, "八": null, "九": null, "十": null}}}]})",
       1, 53, "「status」为 未找到数字 的地区不能有补助金数字"},
      // What no one can see inside a name refuses the file, at the name.
      {user_region("浙\u3000江"), 2, 12, "「name」“浙\u3000江”中有空白、控制字符或不可见字符"},
      {user_region("浙\\u202E江"), 2, 12, "「name」“浙\\u202E江”中有空白"},
      {user_region("\\u000B浙江"), 2, 12, "「name」“\\u000B浙江”中有空白"},
      {user_region("\u3000\\t"), 2, 12, "「name」不能为空"},
  };
  ASSERT_TRUE(std::holds_alternative<Rules>(parse_rules(file_with("")))) << file_with("");
  for (const Row& r : rows) {
    Loaded loaded = parse_rules(r.text);
    ASSERT_TRUE(std::holds_alternative<LoadError>(loaded)) << r.text;
    const LoadError& e = std::get<LoadError>(loaded);
    EXPECT_NE(e.message.find(r.message_part), std::string::npos) << e.message;
    EXPECT_EQ(e.text(), "第 " + std::to_string(r.line) + " 行第 " + std::to_string(r.column) +
                            " 列：" + e.message)
        << r.text;
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
  const SubsidyRule& employment = *rules_of(loaded).regions[0].employment;
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
  const NearRetirementCut& old_form = *rules_of(loaded).regions[0].medical->near_retirement;
  EXPECT_EQ(old_form.percent, (std::vector<double>{10, 20, 40, 60, 80}));
  EXPECT_EQ(old_form.scope, CutScope::kAll);
}

// A user's file replaces the shipped entry of the same name in its place and
// adds its income years. Blanks around a name go, as around every typed
// field.
TEST(RulesFile, AUsersFileReplacesTheEntryOfItsTrimmedName) {
  const Loaded shipped_loaded = load_rules(kProgram, {});
  const Rules& shipped = rules_of(shipped_loaded);
  const auto user = std::filesystem::temp_directory_path() /
                    ("regions_test_" + std::to_string(::getpid()) + ".json");
  std::string wide_blanks;
  for (int i = 0; i < 40; ++i) wide_blanks += "\u3000";
  for (const std::string& name : {std::string(" 浙江"), std::string("浙江\\n"),
                                  "浙江" + wide_blanks, std::string("\\u3000浙江\\t\\r")}) {
    std::ofstream(user) << user_region(name);
    const Loaded loaded = load_rules(kProgram, user);
    const Rules& merged = rules_of(loaded);
    ASSERT_EQ(merged.regions.size(), shipped.regions.size()) << name;
    for (std::size_t i = 0; i < shipped.regions.size(); ++i)
      EXPECT_EQ(merged.regions[i].name, shipped.regions[i].name);
    const Region* zhejiang = merged.find("浙江");
    ASSERT_TRUE(zhejiang) << name;
    EXPECT_TRUE(zhejiang->user_file && !zhejiang->medical) << name;
    EXPECT_EQ(zhejiang->status, DataStatus::kSecondaryOnly);
    EXPECT_TRUE(merged.income_of(2030) && merged.income_of(2024));
    // The shipped figures' date stays theirs.
    EXPECT_EQ(merged.collected, shipped.collected);
  }
  EXPECT_FALSE(shipped.collected.empty());
  std::filesystem::remove(user);
  EXPECT_EQ(rules_of(parse_rules(user_region("Ｘ区"))).regions[0].name, "X区");
}

// Every text of a region or an income year that people read comes back as
// a message shows what was typed: whole, and with nothing that reorders,
// hides or breaks the line.
TEST(RulesFile, FreeTextsAreShownVisibly) {
  const std::string long_note(300, 'n');
  Loaded loaded = parse_rules(R"({"regions": [{"name": "甲",
    "statute": "《甲\u202E例条》", "articles": "第\u2066一\u2069条", "effective": "2020\n",
    "notes": ")" + long_note + R"(\u200F", "status": "转载未核对",
    "sources": ["https://a.example/\u061C", "乙\u0000"],
    "employment": {"base": "统筹月工资",
     "life_expectancy": {"all": 78, "year": 2020, "source": "丙\u2028",
      "months_per_year": {"五": 1, "六": 1, "七": 1, "八": 1, "九": 1, "十": 1},
      "minimum_months": {"五": 1, "六": 1, "七": 1, "八": 1, "九": 1, "十": 1}}}}],
   "income": [{"year": 2024, "yuan": 1, "confirmed": true, "source": "丁\u202A\u180E"}]})");
  const Rules& rules = rules_of(loaded);
  const Region& r = rules.regions[0];
  const std::pair<std::string, std::string> rows[] = {
      {r.statute, R"(《甲\u202E例条》)"},
      {r.articles, R"(第\u2066一\u2069条)"},
      {r.effective, R"(2020\u000A)"},
      {r.notes, long_note + R"(\u200F)"},
      {r.sources.at(0), R"(https://a.example/\u061C)"},
      {r.sources.at(1), R"(乙\u0000)"},
      {r.employment->life_expectancy->source, R"(丙\u2028)"},
      {rules.income.at(0).source, R"(丁\u202A\u180E)"},
  };
  for (const auto& [shown, expected] : rows) EXPECT_EQ(shown, expected);
}

}  // namespace
}  // namespace gongshang::regions
