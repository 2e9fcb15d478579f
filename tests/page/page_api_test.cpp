// The page's engine calls on the shipped rules: what the page is handed to
// show, the marks it puts on fields, a user's rules file and the batch run.
#include "page/page_api.h"

#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "regions/rules_file.h"
#include "tests/claim/shipped_rules.h"

namespace gongshang::page {
namespace {

using Json = nlohmann::json;

Json answer(std::string_view texts_json, const Rules& rules = shipped()) {
  return Json::parse(statement_json(texts_of_json(texts_json), rules));
}

constexpr std::string_view kZhejiang =
    R"({"地区": "浙江", "工伤等级": "七", "本人月均工资": "6000", "统筹月工资": "5000",
        "全省月工资": "7000", "出生日期": "1966-05-15", "原退休年龄": "60",
        "解除日期": "2023-10-15"})";

TEST(PageApi, TheWorkedCaseComesWithItsPayersTotalsAndSources) {
  const Json a = answer(kZhejiang);
  ASSERT_FALSE(a["statement"].is_null()) << a.dump();
  const Json& s = a["statement"];
  ASSERT_EQ(s["items"].size(), 3u);
  EXPECT_EQ(s["items"][2]["name"], "一次性伤残就业补助金");
  EXPECT_EQ(s["items"][2]["payer"], "用人单位");
  // As shown: with thousands separators.
  EXPECT_EQ(s["once"],
            Json({{"total", "176,000.00"}, {"fund", "148,000.00"}, {"employer", "28,000.00"}}));
  EXPECT_EQ(s["retirement"], "2026-10-15");
  EXPECT_EQ(s["region"]["status"], "条文已核对");
  EXPECT_FALSE(s["region"]["sources"].empty());
  EXPECT_EQ(a["region_status"].get<std::string>().rfind("条文已核对：", 0), 0u);
  // A monthly item says how long it runs.
  const Json monthly =
      answer(R"({"工伤等级": "六", "本人月均工资": "6000", "统筹月工资": "6000"})")["statement"];
  EXPECT_EQ(monthly["items"][1]["duration"], "至解除或者终止劳动关系或领取基本养老金");
}

TEST(PageApi, FieldsThatCannotBeReadAreMarkedAndNoStatementGiven) {
  const struct {
    std::string_view texts;
    std::vector<std::string> marked;
    std::string_view message;  // its start
    bool death_open;           // the death section in effect
  } cases[] = {
      {R"({"工伤等级": "七", "本人月均工资": "1,00", "医疗费": "3500元"})",
       {"本人月均工资", "医疗费"},
       "请先改正标红的栏目：本人月均工资、医疗费",
       false},
      {R"({"工伤等级": "一", "工亡": "是", "死亡日期": "2024-02-30"})",
       {"死亡日期"},
       "请先改正标红的栏目：死亡日期",
       true},
      // Out of effect, so neither read nor marked.
      {R"({"地区": "浙江", "医疗补助金月数或金额": "x", "死亡日期": "x"})", {}, "", false},
      {"not json", {}, "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.texts);
    const Json a = answer(c.texts);
    std::vector<std::string> marked;
    for (const Json& p : a["problems"]) marked.push_back(p["field"]);
    EXPECT_EQ(marked, c.marked);
    EXPECT_EQ(a["message"].get<std::string>().rfind(c.message, 0), 0u) << a["message"];
    EXPECT_EQ(a["statement"].is_null(), !c.marked.empty());
    const std::string hidden = a["hidden"].dump();
    EXPECT_EQ(hidden.find("死亡日期") == std::string::npos, c.death_open) << hidden;
  }
}

TEST(PageApi, TheFormHasEveryGroupTheRegionsOfTheRulesAndItsHelp) {
  const Json form = Json::parse(form_json(shipped()));
  ASSERT_EQ(form["groups"].size(), static_cast<std::size_t>(kFieldGroupCount));
  EXPECT_EQ(form["groups"][1]["title"], "地区");
  const Json& region = form["groups"][1]["fields"][0];
  EXPECT_EQ(region["kind"], "region");
  EXPECT_EQ(region["items"].size(), shipped().regions.size() + 1);
  EXPECT_EQ(form.dump().find("\"max\":0"), std::string::npos);
  // Each item carries its meaning, the figures to look up where to find them.
  const Json& death = form["groups"][7]["fields"][1];
  ASSERT_EQ(death["name"], "死亡情形");
  EXPECT_NE(death["items"][2][2].get<std::string>().find("第三十九条第三款"), std::string::npos);
  const Json& pooled = form["groups"][4]["fields"][1];
  ASSERT_EQ(pooled["name"], "统筹月工资");
  EXPECT_NE(pooled["lookup"].get<std::string>().find("12333"), std::string::npos);
}

TEST(PageApi, AUsersRulesAreShownAsTheUsersOrRefusedWithTheLine) {
  const auto refused = with_user_rules(shipped(), "my.json", "{\n\"regions\": 5}");
  ASSERT_TRUE(std::holds_alternative<std::string>(refused));
  EXPECT_EQ(std::get<std::string>(refused).rfind("my.json 第 2 行第 12 列：", 0), 0u);

  const auto merged = with_user_rules(shipped(), "my.json", R"({"regions": [{"name": "浙江",
    "statute": "自拟", "status": "条文已核对", "sources": ["<script>alert(1)</script>"],
    "notes": "<script>document.title='x'</script>",
    "medical": {"base": "固定金额", "by_grade": {"五": 1, "六": 1, "七": 5000, "八": 1,
    "九": 1, "十": 1}}}]})");
  ASSERT_TRUE(std::holds_alternative<Rules>(merged)) << std::get<std::string>(merged);
  const Rules& rules = std::get<Rules>(merged);
  EXPECT_NE(form_json(rules).find(R"(["浙江","浙江（用户规则）",""])"), std::string::npos);
  const Json a = answer(kZhejiang, rules);
  EXPECT_EQ(a["region_status"].get<std::string>().rfind("用户规则文件，自称条文已核对", 0), 0u);
  EXPECT_EQ(a["statement"]["region"]["notes"], "<script>document.title='x'</script>");
  EXPECT_EQ(a["statement"]["items"][1]["amount"], "5,000.00");
}

TEST(PageApi, TheBatchRunGivesTheClaimColumnsAndRefusesRowsInTheColumn) {
  const BatchRun run = run_batch(
      "姓名,工伤等级,本人月均工资,统筹月工资,地区\n张三,七,6000,5000,浙江\n李四,七,6000,5000,"
      "火星\n",
      shipped());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\n张三,七,6000,5000,浙江,78000,"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("「地区」没有名为“火星”的条目"), std::string::npos);
  EXPECT_EQ(run_batch("a\n\"b\n", shipped()).status, 2);
}

}  // namespace
}  // namespace gongshang::page
