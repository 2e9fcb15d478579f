// The report's HTML from statements made by hand: every text that a user's
// rules file, a case file or the engine puts in it stays text, an amount
// the region has no figure for reads 未知, and figures from a user's rules
// file are said to be theirs.
#include "report/report_html.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "report/report.h"

namespace gongshang::report {
namespace {

constexpr std::string_view kHostile = "<img src=x onerror=\"alert('1')\">&amp;";
constexpr std::string_view kEscaped =
    "&lt;img src=x onerror=&quot;alert(&#39;1&#39;)&quot;&gt;&amp;amp;";

// One statement of every part: a region with notes and a source, the income
// figure, an item of each kind, a note, a retirement date, three inputs.
struct Case {
  Region region;
  IncomeYear income{2023, 51821, true, "国家统计局", false};
  Statement statement;
  std::string date = "2026年12月7日";

  Case() {
    region.name = "浙江";
    region.statute = "《浙江省工伤保险条例》";
    region.articles = "第二十七条";
    region.effective = "2020-09-24";
    region.status = DataStatus::kStatuteChecked;
    region.sources = {"浙江省人民代表大会常务委员会公告"};
    using I = StatementItem;
    const std::optional<long long> unknown;
    statement.items = {I{"一次性伤残补助金", 7800000, Payer::kFund, "6000 × 13\n= 78000",
                         "第三十七条", "", false, ""},
                       I{"一次性伤残就业补助金", unknown, Payer::kEmployer, "没有可靠的数字",
                         "第三十七条", "", false, ""},
                       I{"伤残津贴", 360000, Payer::kEmployer, "6000 × 60%", "第三十六条", "", true,
                         "至领取基本养老金"}};
    statement.once = {7800000, 7800000, 0};
    statement.monthly = {360000, 0, 360000};
    statement.retirement = "2026-10-15";
    statement.notes = {"工资按填写的计算。"};
    statement.region = &region;
    statement.income = &income;
    statement.rules_collected = "2026-12-06";
    statement.inputs = {{"地区", "浙江"}, {"工伤等级", "七"}, {"出生日期", "1966-05-15"}};
  }
  std::string html() const { return report_html(make_report(statement, date)); }
};

TEST(ReportHtml, EveryTextFromOutsideStaysText) {
  const std::pair<const char*, std::function<void(Case&, std::string)>> kPlaces[] = {
      {"region name", [](Case& c, std::string t) { c.region.name = t; }},
      {"statute", [](Case& c, std::string t) { c.region.statute = t; }},
      {"articles", [](Case& c, std::string t) { c.region.articles = t; }},
      {"effective", [](Case& c, std::string t) { c.region.effective = t; }},
      {"region notes", [](Case& c, std::string t) { c.region.notes = t; }},
      {"a source", [](Case& c, std::string t) { c.region.sources.push_back(t); }},
      {"income source", [](Case& c, std::string t) { c.income.source = t; }},
      {"item name", [](Case& c, std::string t) { c.statement.items[0].name = t; }},
      {"article", [](Case& c, std::string t) { c.statement.items[1].article = t; }},
      {"working", [](Case& c, std::string t) { c.statement.items[2].working = t; }},
      {"duration", [](Case& c, std::string t) { c.statement.items[2].duration = t; }},
      {"statement note", [](Case& c, std::string t) { c.statement.notes.push_back(t); }},
      {"retirement", [](Case& c, std::string t) { c.statement.retirement = t; }},
      {"last input, alone on its row",
       [](Case& c, std::string t) { c.statement.inputs[2].second = t; }},
      {"date", [](Case& c, std::string t) { c.date = t; }},
  };
  for (const auto& [where, put] : kPlaces) {
    SCOPED_TRACE(where);
    Case c;
    put(c, std::string(kHostile));
    const std::string html = c.html();
    EXPECT_NE(html.find(kEscaped), std::string::npos) << html;
    EXPECT_EQ(html.find("<img"), std::string::npos);
    // A page whose CSP forbids inline styles would refuse them.
    EXPECT_EQ(html.find("style="), std::string::npos);
  }
}

TEST(ReportHtml, WhatEachPartShows) {
  const std::string html = Case().html();
  const auto at = [&html](std::string_view text) { return html.find(text); };
  for (std::string_view shown : {
           R"(<h2 align="center">工伤待遇计算书</h2>)",
           // Two inputs to a row, the odd one out filled with empty cells; the
           // widths on the first row, where Qt and a browser both take them.
           R"(<tr><td width="22%">地区</td><td width="28%">浙江</td><td width="22%">工伤等级</td>)"
           R"(<td width="28%">七</td></tr><tr><td>出生日期</td><td>1966-05-15</td><td></td>)"
           R"(<td></td></tr></table>)",
           R"(<tr><th width="23%">项目（依据）</th><th width="14%">金额（元）</th>)",
           "一次性伤残补助金<br><small>第三十七条</small>",
           // Amounts with separators, as a person reads them.
           R"(<td class="amount" align="right">78,000.00</td>)",
           R"(<td class="amount" align="right">未知</td>)",
           R"(<td class="amount" align="right">3,600.00</td>)",
           "6000 × 13<br>= 78000",
           "一次性支付合计 <b>78,000.00</b> 元；按月支付合计每月 <b>3,600.00</b> 元。",
           // A monthly item says how long it runs, in a column of its own.
           R"(<th width="18%">发放期限</th>)",
           "<td>至领取基本养老金</td>",
           "<td colspan=\"3\">其中基金支付 0.00 元，用人单位支付 3,600.00 元</td>",
           // Each figure with its date: the rules' collection, the version, the year.
           "资料收集于 <b>2026-12-06</b>",
           "《浙江省工伤保险条例》 第二十七条（所依据的版本：2020-09-24）",
           "2023 年 51,821 元",
       })
    EXPECT_NE(at(shown), std::string::npos) << shown << "\n" << html;
  // Each item in its own table: the one-time ones before 三、, the monthly after.
  EXPECT_LT(at("一次性伤残就业补助金"), at("三、按月支付的项目"));
  EXPECT_GT(at("伤残津贴"), at("三、按月支付的项目"));
  EXPECT_LT(at("伤残津贴"), at("四、合计"));

  // After a death the worker's own items follow the family's, apart.
  Case death;
  death.statement.death = true;
  death.statement.items[0].if_unpaid = true;
  death.statement.if_unpaid = {7800000, 7800000, 0};
  const std::string apart = death.html();
  const std::size_t own = apart.find("四、职工本人的项目（如尚未支付）");
  EXPECT_LT(apart.find("二、工亡待遇：一次性支付的项目"), own);
  EXPECT_GT(apart.find("一次性伤残补助金<b>（如尚未支付）</b>"), own);
  EXPECT_NE(apart.find("合计（如尚未支付）"), std::string::npos);
  EXPECT_LT(own, apart.find("五、合计"));
}

TEST(ReportHtml, FiguresFromAUsersRulesFileAreSaidToBeTheirs) {
  const auto html = [](bool region_user, bool income_user, bool confirmed) {
    Case c;
    c.region.user_file = region_user;
    c.income.user_file = income_user;
    c.income.confirmed = confirmed;
    return c.html();
  };
  const auto has = [](const std::string& html, std::string_view text) {
    return html.find(text) != std::string::npos;
  };
  const std::string shipped = html(false, false, true);
  EXPECT_TRUE(has(shipped, "核对情况：<b>条文已核对</b>。") && has(shipped, "来源：国家统计局。"));
  EXPECT_FALSE(has(shipped, "用户规则文件") || has(shipped, "未经确认")) << shipped;
  const std::string region = html(true, false, true);
  EXPECT_TRUE(has(region,
                  "<b>用户规则文件，自称条文已核对</b>。这些数字不是随程序发布的核对结果，"
                  "请自行核实。"));
  EXPECT_FALSE(has(region, "来源：国家统计局（用户规则文件）")) << region;
  const std::string income = html(false, true, false);
  EXPECT_TRUE(has(
      income, "2023 年 51,821 元，来源：国家统计局（用户规则文件）（<b>未经确认</b>，请核实）。"));
  EXPECT_FALSE(has(income, "自称")) << income;
}

}  // namespace
}  // namespace gongshang::report
