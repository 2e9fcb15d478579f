// The page's print view: the same 工伤待遇计算书 the window prints, as the
// HTML of report/report_html.h, so the page never builds a report itself.
#ifndef GONGSHANG_PAGE_PAGE_REPORT_H_
#define GONGSHANG_PAGE_PAGE_REPORT_H_

#include <string>
#include <string_view>

#include "engine/claim_fields.h"
#include "engine/region_rules.h"

namespace gongshang::page {

// The report of the texts, dated `date` as the page writes it
// ("2026年12月7日"); "" while a field is to be mended or the statement is
// refused (statement_json then says why).
//   {工伤等级 "七", 本人月均工资 "6000", …} -> "<html><body>\n<h2
//   align=\"center\">工伤待遇计算书</h2>…" {本人月均工资 "3500元"} -> ""
std::string report_html(const FieldTexts& texts, const Rules& rules, std::string_view date);

}  // namespace gongshang::page

#endif  // GONGSHANG_PAGE_PAGE_REPORT_H_
