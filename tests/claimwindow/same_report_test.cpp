// The window's report (its PDF, its print-out, --pdf) and the page's print
// view are one HTML text: each case opened as the window opens it and as
// the page does, byte for byte the same.
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>
#include <QDate>
#include <nlohmann/json.hpp>

#include "casefile/case_file.h"
#include "claimwindow/report.h"
#include "engine/evaluation.h"
#include "page/page_api.h"
#include "qstring/utf8.h"
#include "tests/claim/shipped_rules.h"

namespace gongshang {
namespace {

// The window: the case file read, the statement made, the report dated.
std::string window_report(std::string_view case_json) {
  const Checked<casefile::OpenedCase> opened = casefile::open_case(case_json, shipped());
  if (!opened) return message(opened.problem());
  const Evaluation e = evaluate(opened->texts, shipped());
  if (!e.statement) return e.why_none();
  return to_utf8(claimwindow::report_html(*e.statement, QDate(2026, 12, 7)));
}

// The page: the case's texts put into the form, every field's text handed
// back (an unticked box as 否), the report dated as the browser writes it.
std::string page_report(std::string_view case_json) {
  const auto opened = nlohmann::json::parse(page::open_case_json(case_json, shipped()));
  nlohmann::json form = opened.at("texts");
  for (const FieldRow& row : field_rows())
    if (row.kind == FieldKind::kYesNo && form[std::string(row.name)] == "")
      form[std::string(row.name)] = "否";
  return page::report_html(page::texts_of_json(form.dump()), shipped(), "2026年12月7日");
}

TEST(SameReport, TheWindowPrintsWhatThePagePrints) {
  std::ifstream file(GONGSHANG_EXAMPLE_CASE, std::ios::binary);
  const std::string example{std::istreambuf_iterator<char>(file), {}};
  const struct {
    const char* what;
    std::string case_json;
    std::string_view holds;
  } kCases[] = {
      {"docs/claim-example.json", example, "停工留薪期工资"},
      {"工亡", R"({"格式": 1, "工伤等级": "四", "本人月均工资": "9000", "统筹月工资": "8000",
                 "工亡": "是", "死亡日期": "2025-03-01", "配偶": "1", "其他供养亲属": "1"})",
       "一次性工亡补助金"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    const std::string window = window_report(c.case_json);
    EXPECT_NE(window.find(c.holds), std::string::npos) << window;
    EXPECT_EQ(window, page_report(c.case_json));
  }
}

}  // namespace
}  // namespace gongshang
