// The report as HTML: the one text that Qt's QTextDocument lays out for the
// window's PDF and print-out and that the web page shows as its print view.
// It keeps to what both read alike: Qt's rich-text subset (presentational
// attributes, classes styled by a default stylesheet) and nothing a page
// under a Content-Security-Policy without 'unsafe-inline' refuses (no style
// attributes).
#ifndef GONGSHANG_REPORT_REPORT_HTML_H_
#define GONGSHANG_REPORT_REPORT_HTML_H_

#include <string>
#include <string_view>

#include "report/report.h"

namespace gongshang::report {

// The classes report_html writes, styled for QTextDocument (its
// setDefaultStyleSheet); the page styles the same ones in web/page.css.
//   grid    a table's lines, dark and single, and its smaller type
//   amount  a sum of money, never broken over lines
inline constexpr std::string_view kQtStyleSheet =
    ".grid { border-collapse: collapse; border-color: #444; font-size: 9pt; }\n"
    ".amount { white-space: nowrap; }\n";

// The whole document, UTF-8. Every text is escaped (& < > " '), a '\n' in
// one is a <br>; the title centred as <h2>, each heading an <h3>, each table
// a class="grid" with border, cellspacing, cellpadding and width attributes
// and its column widths on its first row.
//   {title "A&B", date_line "计算日期：2026年12月7日"}
//     -> "<html><body>\n<h2 align=\"center\">A&amp;B</h2>\n"
//        "<p align=\"center\">计算日期：2026年12月7日</p>\n</body></html>\n"
std::string report_html(const Report& report);

}  // namespace gongshang::report

#endif  // GONGSHANG_REPORT_REPORT_HTML_H_
