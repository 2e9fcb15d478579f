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

QString esc(std::string_view utf8) {
  return to_qstring(utf8).toHtmlEscaped();
}

QString lines(std::string_view utf8) {
  return esc(utf8).replace(u'\n', u"<br>"_s);
}

QString yuan(long long fen) {
  return to_qstring(yuan_text(fen));
}

QString table_start() {
  return u"<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\" "
         u"style=\"border-collapse: collapse; border-color: #444; font-size: 9pt;\">"_s;
}

// The inputs a person gave: empty fields, unticked boxes and zero counts say
// nothing, and the death section only when 工亡 is ticked.
QString inputs_table(const Statement& statement) {
  QStringList cells;
  for (const auto& [name, shown] : statement.inputs)
    cells << u"<td width=\"22%\">%1</td><td width=\"28%\">%2</td>"_s.arg(esc(name), esc(shown));
  if (cells.size() % 2 == 1) cells << u"<td></td><td></td>"_s;
  QString html = table_start();
  for (qsizetype i = 0; i < cells.size(); i += 2)
    html += u"<tr>"_s + cells[i] + cells[i + 1] + u"</tr>"_s;
  return html + u"</table>"_s;
}

// The article under the item's name: the working needs the width more.
QString items_table(const Statement& statement, bool monthly, const StatementTotal& total) {
  QString html = table_start() +
                 u"<tr><th width=\"23%\">项目（依据）</th><th width=\"14%\">金额（元）</th>"
                 u"<th width=\"12%\">支付方</th><th width=\"51%\">计算过程</th></tr>"_s;
  for (const StatementItem& item : statement.items) {
    if (item.monthly != monthly) continue;
    const QString article =
        item.article.empty() ? QString() : u"<br><small>%1</small>"_s.arg(esc(item.article));
    html +=
        u"<tr><td>%1%2</td><td align=\"right\" style=\"white-space: nowrap\">%3</td>"
        u"<td>%4</td><td>%5</td></tr>"_s.arg(esc(item.name), article,
                                             item.fen ? yuan(*item.fen) : u"未知"_s,
                                             esc(payer_text(item.payer)), lines(item.working));
  }
  html +=
      u"<tr><td><b>%1</b></td><td align=\"right\" style=\"white-space: nowrap\"><b>%2</b></td>"
      u"<td colspan=\"2\">其中基金支付 %3 元，用人单位支付 %4 元</td></tr>"_s.arg(
          monthly ? u"每月合计"_s : u"一次性合计"_s, yuan(total.fen), yuan(total.fund_fen),
          yuan(total.employer_fen));
  return html + u"</table>"_s;
}

QString sources(const Statement& sheet) {
  QString html;
  if (sheet.typed_figures) {
    html +=
        u"<p>未选地区：一次性工伤医疗补助金、一次性伤残就业补助金按使用者自行填写的标准计算，"
        u"请与当地规定核对。</p>"_s;
  } else if (sheet.region) {
    const Region& r = *sheet.region;
    html += u"<p><b>%1</b>：%2 %3（%4）<br>核对情况：<b>%5</b>。%6</p>"_s.arg(
        esc(r.name), esc(r.statute), esc(r.articles), esc(r.effective),
        r.user_file ? u"用户规则文件，自称"_s + esc(status_text(r.status))
                    : esc(status_text(r.status)),
        r.user_file ? u"这些数字不是随程序发布的核对结果，请自行核实。"_s
                    : esc(status_explanation(r.status)));
    if (!r.notes.empty()) html += u"<p>说明：%1</p>"_s.arg(esc(r.notes));
    html += u"<p>资料来源：</p><ol>"_s;
    for (const std::string& source : r.sources) html += u"<li>%1</li>"_s.arg(esc(source));
    html += u"</ol>"_s;
  } else {
    html += u"<p>未使用地方规定的数字。</p>"_s;
  }
  if (sheet.income) {
    html +=
        u"<p>一次性工亡补助金所用全国城镇居民人均可支配收入：%1 年 %2 元，来源：%3%4。</p>"_s.arg(
            QString::number(sheet.income->year), QString::number(sheet.income->yuan, 'f', 0),
            esc(sheet.income->source),
            sheet.income->confirmed ? QString() : u"（<b>未经确认</b>，请核实）"_s);
  }
  return html;
}

}  // namespace

QString report_html(const Statement& sheet, QDate date) {
  QString html =
      u"<html><body>"
      u"<h2 align=\"center\">工伤待遇计算书</h2>"
      u"<p align=\"center\">计算日期：%1</p>"_s.arg(date.toString(u"yyyy年M月d日"_s));
  html += u"<h3>一、基本情况</h3>"_s + inputs_table(sheet);
  if (!sheet.retirement.empty()) html += u"<p>法定退休日期：%1</p>"_s.arg(esc(sheet.retirement));
  html += u"<h3>二、一次性支付的项目</h3>"_s + items_table(sheet, false, sheet.once);
  html += u"<h3>三、按月支付的项目</h3>"_s + items_table(sheet, true, sheet.monthly);
  html += u"<h3>四、合计</h3><p>一次性支付合计 <b>%1</b> 元；按月支付合计每月 <b>%2</b> 元。"_s.arg(
      yuan(sheet.once.fen), yuan(sheet.monthly.fen));
  html += u"</p>"_s;
  for (const std::string& note : sheet.notes) html += u"<p>%1</p>"_s.arg(esc(note));
  html += u"<h3>五、地方标准的来源与核对情况</h3>"_s + sources(sheet);
  html +=
      u"<h3>六、说明</h3><p>本计算书依据《工伤保险条例》（2010 年修订）和上列地方规定，"
      u"按填写的情况计算，<b>仅供参考</b>。各项待遇以社会保险经办机构的核定和劳动仲裁机构、"
      u"人民法院的裁决为准；统计数据和地方标准请以当地最新公布的为准。</p>"
      u"</body></html>"_s;
  return html;
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
                          QDate date) {
  const auto refused = [&case_path](const QString& why) { return case_path + u"："_s + why; };
  // Opened as the window opens it, refused in the same words.
  const Checked<casefile::OpenedCase> opened =
      casefile::open_case_file(QFile::encodeName(case_path).toStdString(), rules);
  if (!opened) return refused(to_qstring(message(opened.problem())));
  // The same evaluation, in the same words, as the window's marks.
  const Evaluation e = evaluate(opened->texts, rules);
  if (const Problem* problem = e.first_problem()) return refused(to_qstring(message(*problem)));
  return write_report_pdf(report_html(*e.statement, date), pdf_path);
}

}  // namespace gongshang::claimwindow
