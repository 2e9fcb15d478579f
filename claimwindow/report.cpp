#include "claimwindow/report.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStringList>
#include <QTextDocument>

#include "casefile/case_file.h"
#include "engine/evaluation.h"
#include "qstring/utf8.h"
#include "report/report.h"
#include "report/report_html.h"

using namespace Qt::StringLiterals;

namespace gongshang::claimwindow {

namespace {

constexpr qreal kBodyPoints = 10.5;  // 五号, the size of Chinese official documents
constexpr qreal kMarginMillimetres = 20;

// A Ming face first: a statement reads as a document. AR PL UMing before the
// Noto faces because Noto draws each Kangxi radical with the glyph of its
// ideograph, and Qt's PDF writer then maps that glyph back to the radical:
// text copied or searched in the PDF would read "⼯伤" instead of "工伤".
QString report_family() {
  const QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
  for (const QString& preferred :
       {u"AR PL UMing CN"_s, u"Noto Serif CJK SC"_s, u"Noto Sans CJK SC"_s})
    if (families.contains(preferred)) return preferred;
  return families.isEmpty() ? QString() : families.first();
}

}  // namespace

QString report_html(const Statement& sheet, QDate date) {
  return to_qstring(
      report::report_html(report::make_report(sheet, to_utf8(date.toString(u"yyyy年M月d日"_s)))));
}

void print_report(const QString& html, QPagedPaintDevice& device) {
  device.setPageLayout(QPageLayout(
      QPageSize(QPageSize::A4), QPageLayout::Portrait,
      QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
      QPageLayout::Millimeter));
  QTextDocument document;
  QFont font;
  // Digits and Latin letters from a proportional serif face that Debian's
  // fontconfig always brings; the Ming face's own are as wide as ideographs.
  font.setFamilies({u"DejaVu Serif"_s, report_family()});
  font.setPointSizeF(kBodyPoints);
  document.setDefaultFont(font);
  document.setDefaultStyleSheet(to_qstring(report::kQtStyleSheet));
  document.setHtml(html);
  // Without a page size of its own the document takes the device's, and
  // numbers the pages at their foot.
  document.print(&device);
}

QString write_report_pdf(const QString& html, const QString& path) {
  // Through a save file, so that a failure leaves any earlier report whole.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return u"无法写入 %1：%2"_s.arg(path, file.errorString());
  {
    QPdfWriter writer(&file);
    writer.setTitle(u"工伤待遇计算书"_s);
    writer.setCreator(u"gongshang-claim"_s);
    writer.setResolution(300);
    print_report(html, writer);
  }
  if (!file.commit()) return u"无法写入 %1：%2"_s.arg(path, file.errorString());
  return {};
}

QString write_case_report(const QString& case_path, const QString& pdf_path, const Rules& rules,
                          QDate date, QStringList* notices) {
  const auto refused = [&case_path](const QString& why) { return case_path + u"："_s + why; };
  // Opened as the window opens it, refused in the same words.
  const Checked<casefile::OpenedCase> opened =
      casefile::open_case_file(QFile::encodeName(case_path).toStdString(), rules);
  if (!opened) return refused(to_qstring(message(opened.problem())));
  if (notices)
    for (const Problem& notice : opened->notices) *notices << refused(to_qstring(message(notice)));
  // The same evaluation, in the same words, as the window's marks.
  const Evaluation e = evaluate(opened->texts, rules);
  if (const Problem* problem = e.first_problem()) return refused(to_qstring(message(*problem)));
  return write_report_pdf(report_html(*e.statement, date), pdf_path);
}

}  // namespace gongshang::claimwindow
