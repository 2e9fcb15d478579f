// The claim as a document to hand to an employer, a social-insurance office
// or an arbitrator: title, date, the inputs, every item with its working,
// article and payer, the totals, where each province figure comes from and
// how far it was checked, and the notice that the figures are for reference.
// A4, Simplified Chinese, its font embedded; Qt's own PDF writer and printer.
#ifndef GONGSHANG_CLAIMWINDOW_REPORT_H_
#define GONGSHANG_CLAIMWINDOW_REPORT_H_

#include <QDate>
#include <QString>
#include <QStringList>

#include "engine/claim_statement.h"
#include "engine/region_rules.h"

class QPagedPaintDevice;

namespace gongshang::claimwindow {

// The report (report/report.h) as the HTML that report/report_html.h writes
// and the page prints too, dated as the page dates it: "2026年12月7日".
QString report_html(const Statement& statement, QDate date);

// Lays the report out on device (a QPdfWriter or a QPrinter), page numbers
// at the foot of each A4 page.
void print_report(const QString& html, QPagedPaintDevice& device);

// Writes the report as a PDF file. Returns "" or why it could not, e.g.
// "无法写入 /ro/claim.pdf".
QString write_report_pdf(const QString& html, const QString& path);

// The report of a case file, without any window: the file read, every field
// checked as the window checks it, the statement made and written to
// pdf_path. Returns "" or why not, naming the case file, the field and the
// reason the window shows under it:
//   "case.json：「本人月均工资」只能填写数字……"
// What was filled in for the person to check goes to `notices`, in the same
// form: "case.json：「生活护理等级」按护理级别“部分护理”填为……"
QString write_case_report(const QString& case_path, const QString& pdf_path, const Rules& rules,
                          QDate date, QStringList* notices = nullptr);

}  // namespace gongshang::claimwindow

#endif  // GONGSHANG_CLAIMWINDOW_REPORT_H_
