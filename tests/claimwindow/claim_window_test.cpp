// gongshang-claim's window driven as a person drives it: worked cases, a
// marked field, a case saved and opened again, the report as PDF; then as a
// keyboard user and a screen reader meet it, and on a small screen.
#include <memory>

#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QTimer>

#include "claimwindow/claim_sheet.h"
#include "claimwindow/claim_window.h"
#include "claimwindow/dialogs.h"
#include "claimwindow/fields.h"
#include "claimwindow/placement.h"
#include "qstring/utf8.h"
#include "regions/rules_file.h"

using namespace Qt::StringLiterals;

namespace gongshang::claimwindow {

namespace {

// Field name, then the text typed or the item picked; "是" ticks a box.
using Typing = QList<std::pair<QString, QString>>;

std::unique_ptr<ClaimWindow> new_window() {
  auto window = std::make_unique<ClaimWindow>(
      std::get<Rules>(regions::load_rules_file(GONGSHANG_RULES_FILE)));
  window->show();
  return window;
}

// Types as a person does: ASCII from the keyboard, everything else committed
// by the input method, one character at a time.
void type(QWidget* field, const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClicks(field, QString(c));
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(QString(c));
      QApplication::sendEvent(field, &commit);
    }
  }
}

void fill(ClaimWindow& window, const Typing& typing) {
  for (const auto& [name, text] : typing) {
    QWidget* field = window.findChild<QWidget*>(name);
    QVERIFY2(field != nullptr, qPrintable(name));
    if (auto* list = qobject_cast<QComboBox*>(field)) {
      const int at = list->findText(text) >= 0 ? list->findText(text) : list->findData(text);
      QVERIFY2(at >= 0, qPrintable(name + u": "_s + text));
      list->setCurrentIndex(at);
    } else if (auto* box = qobject_cast<QCheckBox*>(field)) {
      if (box->isChecked() != (text == u"是"_s)) box->click();
    } else {
      if (auto* count = qobject_cast<QSpinBox*>(field)) count->selectAll();
      type(field, text);
    }
  }
}

// A results table, a line a row (item, amount, payer), the total last.
QStringList rows(const ClaimWindow& window, const QString& table_name) {
  const auto* table = window.findChild<QTableWidget*>(table_name);
  QStringList out;
  for (int row = 0; row < table->rowCount(); ++row) {
    out << QStringList{table->item(row, 0)->text(), table->item(row, 1)->text(),
                       table->item(row, 2)->text()}
               .join(u' ')
               .replace(u'\n', u' ');
  }
  return out;
}

// 浙江, grade 七, a man born 1966-05-15 (retiring 2026-10-15) whose
// employment ended 2023-10-15: three whole years left, so the employment
// subsidy is cut to 60 % and the medical one is paid in full (Art. 27).
const Typing kZhejiangSeven = {
    {u"地区"_s, u"浙江"_s},         {u"工伤等级"_s, u"七"_s},
    {u"本人月均工资"_s, u"6000"_s}, {u"统筹月工资"_s, u"５０００"_s},
    {u"全省月工资"_s, u"7000"_s},   {u"出生日期"_s, u"1966-05-15"_s},
    {u"原退休年龄"_s, u"60"_s},     {u"解除日期"_s, u"2023年10月15日"_s},
};
const QStringList kZhejiangSevenOnce = {u"一次性伤残补助金 78000.00 基金"_s,
                                        u"一次性工伤医疗补助金 70000.00 基金"_s,
                                        u"一次性伤残就业补助金 42000.00 用人单位"_s,
                                        u"一次性合计 190000.00 基金 148000.00 用人单位 42000.00"_s};

// A death in 2024: the lump sum is 20 × the 2023 income, 51821; the
// pensions 6000 × (40 % + 2 × 30 % + 10 %) are held to the wage, 6000.
const Typing kDeath = {
    {u"本人月均工资"_s, u"6000"_s}, {u"统筹月工资"_s, u"5000"_s},     {u"医疗费"_s, u"20000"_s},
    {u"工亡"_s, u"是"_s},           {u"死亡日期"_s, u"2024-06-10"_s}, {u"配偶"_s, u"1"_s},
    {u"其他供养亲属"_s, u"2"_s},    {u"孤寡加发人数"_s, u"1"_s},
};
const QStringList kDeathOnce = {u"医疗费 20000.00 基金"_s, u"丧葬补助金 30000.00 基金"_s,
                                u"一次性工亡补助金 1036420.00 基金"_s,
                                u"一次性合计 1086420.00 基金 1086420.00 用人单位 0.00"_s};
const QStringList kDeathMonthly = {u"供养亲属抚恤金 6000.00 基金"_s,
                                   u"每月合计 6000.00 基金 6000.00 用人单位 0.00"_s};

// What a screen reader announces for the widget that has the focus.
QString focus_name() {
  QWidget* focus = QApplication::focusWidget();
  return focus ? QAccessible::queryAccessibleInterface(focus)->text(QAccessible::Name) : u"无"_s;
}

// Tab from the first toolbar button: the toolbar, the form top to bottom
// (the typed subsidy figures shown, as no region is chosen; the death
// section closed), then each table once, and round again.
const QStringList kTabOrder = {
    u"打开案例(O)…"_s,
    u"保存案例(S)"_s,
    u"导出 PDF(E)…"_s,
    u"打印(P)…"_s,
    u"地区"_s,
    u"用人单位未参保"_s,
    u"医疗补助金月数或金额"_s,
    u"医疗补助金基数"_s,
    u"就业补助金月数或金额"_s,
    u"就业补助金基数"_s,
    u"工伤等级"_s,
    u"护理级别"_s,
    u"职业病"_s,
    u"本人月均工资"_s,
    u"统筹月工资"_s,
    u"全省月工资"_s,
    u"最低工资"_s,
    u"停薪月数"_s,
    u"住院天数"_s,
    u"住宿天数"_s,
    u"护理天数"_s,
    u"出生日期"_s,
    u"从日历选择出生日期"_s,
    u"原退休年龄"_s,
    u"解除日期"_s,
    u"从日历选择解除日期"_s,
    u"医疗费"_s,
    u"辅助器具费"_s,
    u"交通费"_s,
    u"营养费"_s,
    u"工亡"_s,
    u"一次性待遇"_s,
    u"按月待遇"_s,
    u"打开案例(O)…"_s,
};

// From a table, the keys that used to stay in its cells.
struct FocusStep {
  QString from;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  QString to;
};
const FocusStep kTableSteps[] = {
    {u"一次性待遇"_s, Qt::Key_Backtab, Qt::ShiftModifier, u"工亡"_s},
    {u"一次性待遇"_s, Qt::Key_Tab, Qt::ControlModifier, u"按月待遇"_s},
    {u"按月待遇"_s, Qt::Key_Backtab, Qt::ShiftModifier, u"一次性待遇"_s},
    {u"按月待遇"_s, Qt::Key_Tab, Qt::NoModifier, u"打开案例(O)…"_s},
};

// The date picker: the field, its text, the keys pressed in the calendar,
// the text after them.
struct DatePick {
  QString field, before;
  QList<Qt::Key> keys;
  QString after;
};
const DatePick kDatePicks[] = {
    {u"出生日期"_s,
     u"1966-05-15"_s,
     {Qt::Key_Right, Qt::Key_Down, Qt::Key_Return},
     u"1966-05-23"_s},
    {u"解除日期"_s, u"2024-01-31"_s, {Qt::Key_Right, Qt::Key_Enter}, u"2024-02-01"_s},
    {u"死亡日期"_s, u"2024-06-10"_s, {Qt::Key_Left, Qt::Key_Escape}, u"2024-06-10"_s},
};

}  // namespace

class ClaimWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void zhejiangGradeSevenLeavingEmployment() {
    auto window = new_window();
    fill(*window, kZhejiangSeven);
    QCOMPARE(rows(*window, u"一次性待遇"_s), kZhejiangSevenOnce);
    QCOMPARE(rows(*window, u"按月待遇"_s), QStringList{u"每月合计 0.00 基金 0.00 用人单位 0.00"_s});
    QCOMPARE(window->findChild<QLabel*>(u"数据状态"_s)->text().left(5), u"条文已核对"_s);

    // Without work-injury insurance the employer pays every item (Art. 62).
    fill(*window, {{u"用人单位未参保"_s, u"是"_s}});
    QCOMPARE(rows(*window, u"一次性待遇"_s),
             (QStringList{u"一次性伤残补助金 78000.00 用人单位"_s,
                          u"一次性工伤医疗补助金 70000.00 用人单位"_s,
                          u"一次性伤残就业补助金 42000.00 用人单位"_s,
                          u"一次性合计 190000.00 基金 0.00 用人单位 190000.00"_s}));
  }

  void deathCase() {
    auto window = new_window();
    QVERIFY(!window->findChild<QWidget*>(u"死亡日期"_s)->isVisible());
    fill(*window, kDeath);
    QVERIFY(window->findChild<QWidget*>(u"死亡日期"_s)->isVisible());
    QCOMPARE(rows(*window, u"一次性待遇"_s), kDeathOnce);
    QCOMPARE(rows(*window, u"按月待遇"_s), kDeathMonthly);
  }

  // Marked at the field, every one of them, and no dialog: the results say
  // which fields to mend instead of showing figures read some other way.
  void unreadableFieldsAreMarkedAtTheField() {
    auto window = new_window();
    fill(*window, {{u"医疗费"_s, u"1,000"_s}, {u"出生日期"_s, u"2025-02-30"_s}});
    for (const QString& name : {u"医疗费"_s, u"出生日期"_s}) {
      const auto* reason = window->findChild<QLabel*>(name + u"问题"_s);
      QVERIFY2(reason->isVisible() && !reason->text().isEmpty(), qPrintable(name));
      QCOMPARE(window->findChild<QWidget*>(name)->accessibleDescription(), reason->text());
    }
    QVERIFY(window->sheet() == nullptr);
    QCOMPARE(window->problem(), u"请先改正标红的栏目：出生日期、医疗费"_s);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);

    window->findChild<QLineEdit*>(u"医疗费"_s)->clear();
    fill(*window, {{u"医疗费"_s, u"１０００"_s}});
    QVERIFY(!window->findChild<QLabel*>(u"医疗费问题"_s)->isVisible());
  }

  void savedCaseOpensToTheSameClaimAndBadFilesChangeNothing() {
    QTemporaryDir dir;
    auto first = new_window();
    fill(*first, kZhejiangSeven);
    fill(*first, kDeath);
    const QString path = dir.filePath(u"case.json"_s);
    QCOMPARE(first->saveCase(path), QString());

    auto second = new_window();
    QCOMPARE(second->openCase(path), QString());
    QCOMPARE(second->texts(), first->texts());
    QCOMPARE(rows(*second, u"一次性待遇"_s), rows(*first, u"一次性待遇"_s));

    const std::pair<QByteArray, QString> refused[] = {
        {R"({"格式": 2, "工伤等级": "五"})", u"更新版本"_s},
        {"{\"格式\": 1,\n\"工伤等级\": \"五\"", u"第 2 行"_s},
        {R"({"格式": 1, "工伤等级": "十一"})", u"工伤等级"_s},
        {R"({"格式": 1, "姓名": "张三"})", u"姓名"_s},
    };
    for (const auto& [bytes, named] : refused) {
      QFile file(dir.filePath(u"bad.json"_s));
      QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
      file.write(bytes);
      file.close();
      const QString why = second->openCase(file.fileName());
      QVERIFY2(why.contains(named), qPrintable(why));
      QCOMPARE(second->texts(), first->texts());
    }
  }

  void reportHoldsEveryItemAndItsSources() {
    const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir dir;
    auto window = new_window();
    fill(*window, kZhejiangSeven);
    fill(*window, kDeath);
    const QString pdf = dir.filePath(u"report.pdf"_s);
    QCOMPARE(window->exportPdf(pdf), QString());

    QProcess extract;
    extract.start(pdftotext, {u"-raw"_s, pdf, u"-"_s});
    QVERIFY(extract.waitForFinished(30000));
    // In drawing order each cell's text stays together; blanks and line
    // breaks go, as the layout puts them anywhere.
    QString text = QString::fromUtf8(extract.readAllStandardOutput());
    text.remove(u' ').remove(u'\n');
    QVERIFY(text.contains(u"工伤待遇计算书"_s));
    for (const SheetLine& line : window->sheet()->lines) {
      QVERIFY2(text.contains(QString::fromStdString(line.item)), line.item.c_str());
      QVERIFY2(text.contains(QString::fromStdString(line.amount)), line.amount.c_str());
    }
    for (const std::string& source : window->sheet()->region->sources)
      QVERIFY2(text.contains(QString::fromStdString(source).remove(u' ')), source.c_str());
    QVERIFY(text.contains(u"仅供参考"_s));
  }

  void tabVisitsEveryControlAndLeavesTheTables() {
    auto window = new_window();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    const auto tab_from = [](const QString& name) {
      for (int i = 0; i < 60 && focus_name() != name; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    };
    tab_from(kTabOrder.first());
    QStringList visited{focus_name()};
    for (qsizetype i = 1; i < kTabOrder.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << focus_name();
    }
    QCOMPARE(visited, kTabOrder);
    for (const FocusStep& step : kTableSteps) {
      tab_from(step.from);
      QTest::keyClick(QApplication::focusWidget(), step.key, step.modifiers);
      QCOMPARE(focus_name(), step.to);
    }
  }

  // Every control is heard by its field's name, whatever its list shows,
  // and is labelled by the label beside it; the check boxes carry their own.
  void everyControlIsHeardByItsFieldsName() {
    auto window = new_window();
    for (const FieldRow& row : claim_fields()) {
      const QString name = to_qstring(row.name);
      auto* control = window->findChild<QWidget*>(name);
      QVERIFY2(control != nullptr, qPrintable(name));
      if (auto* list = qobject_cast<QComboBox*>(control)) list->setCurrentIndex(1);
      QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(control);
      QCOMPARE(reader->text(QAccessible::Name), name);
      if (auto* list = qobject_cast<QComboBox*>(control)) {
        QCOMPARE(reader->role(), QAccessible::ComboBox);
        QCOMPARE(reader->text(QAccessible::Value), list->currentText());
      }
      if (row.kind == FieldKind::kYesNo) continue;
      // Besides its label, the group it is in labels it.
      QStringList labels;
      for (const auto& [label, relation] : reader->relations(QAccessible::Label))
        if (qobject_cast<QLabel*>(label->object())) labels << label->text(QAccessible::Name);
      QCOMPARE(labels, QStringList{name});
    }
  }

  void datePickerTakesTheKeysAndStaysOnTheScreen() {
    auto window = new_window();
    fill(*window, {{u"工亡"_s, u"是"_s}});
    const QRect screen = window->screen()->availableGeometry();
    for (const DatePick& pick : kDatePicks) {
      auto* line = window->findChild<QLineEdit*>(pick.field);
      line->setText(pick.before);
      window->findChild<QAbstractButton*>(pick.field + u"日历"_s)->click();
      QPointer calendar = window->findChild<QCalendarWidget*>(pick.field + u"日历选择"_s);
      QVERIFY2(calendar && calendar->isVisible(), qPrintable(pick.field));
      QVERIFY2(screen.contains(calendar->frameGeometry()), qPrintable(pick.field));
      for (Qt::Key key : pick.keys) QTest::keyClick(QApplication::focusWidget(), key);
      QCOMPARE(line->text(), pick.after);
      QVERIFY2(calendar.isNull() || !calendar->isVisible(), qPrintable(pick.field));
    }
  }

  // A popup under a field near the bottom opens above it; the window's
  // first size leaves room for its frame on any screen.
  void placedOnTheScreen() {
    const QMargins frame(4, 30, 4, 4);
    QCOMPARE(popup_position({100, 700, 200, 30}, {300, 250}, {0, 0, 1366, 740}), QPoint(100, 450));
    QCOMPARE(popup_position({1300, 40, 60, 30}, {300, 250}, {0, 0, 1366, 740}), QPoint(1066, 70));
    QCOMPARE(first_geometry({1200, 760}, {600, 400}, {0, 0, 1366, 740}, frame),
             QRect(83, 30, 1200, 706));
    QCOMPARE(first_geometry({1200, 760}, {600, 400}, {0, 0, 800, 470}, frame),
             QRect(4, 30, 792, 436));
    QCOMPARE(first_geometry({1200, 760}, {900, 400}, {0, 0, 800, 470}, frame),
             QRect(4, 30, 900, 436));

    auto window = new_window();
    const QRect screen = window->screen()->availableGeometry();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY2(screen.contains(window->frameGeometry()),
             qPrintable(u"%1×%2"_s.arg(window->width()).arg(window->height())));
    QCOMPARE(window->frameGeometry().center(), screen.center());
  }

  // A reason of several lines pushes the fields below it down, whole; the
  // region's status takes the lines its text needs, no more.
  void reasonLabelGrowsToItsText() {
    auto window = new_window();
    fill(*window, {{u"地区"_s, u"浙江"_s}, {u"工亡"_s, u"是"_s}, {u"死亡日期"_s, u"1960-01-01"_s}});
    const auto lines = [](const QLabel* label) {
      return label->fontMetrics()
          .boundingRect(QRect(0, 0, label->width(), 10000), Qt::TextWordWrap, label->text())
          .height();
    };
    const auto* reason = window->findChild<QLabel*>(u"死亡日期问题"_s);
    const auto* status = window->findChild<QLabel*>(u"数据状态"_s);
    QVERIFY(reason->isVisible() && status->isVisible());
    QVERIFY(lines(reason) > 2 * reason->fontMetrics().height());
    for (const QLabel* label : {reason, status})
      QTRY_VERIFY2(label->height() >= lines(label) &&
                       label->height() < lines(label) + label->fontMetrics().height(),
                   qPrintable(label->objectName()));
    const auto* field = window->findChild<QWidget*>(u"死亡日期"_s);
    const auto* next = window->findChild<QWidget*>(u"配偶"_s);
    QVERIFY(reason->mapTo(window.get(), QPoint(0, 0)).y() >=
            field->mapTo(window.get(), QPoint(0, field->height())).y());
    QTRY_VERIFY(next->mapTo(window.get(), QPoint(0, 0)).y() >=
                reason->mapTo(window.get(), QPoint(0, reason->height())).y());
  }

  void pdfExportAddsItsSuffix() {
    QTemporaryDir dir;
    auto window = new_window();
    fill(*window, kZhejiangSeven);
    // The dialog as a person fills it: a name without a suffix, then 保存.
    QTimer::singleShot(0, window.get(), [&dir] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
      dialog->setDirectory(dir.path());
      dialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->setText(u"winexport"_s);
      dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->click();
    });
    QMetaObject::invokeMethod(window.get(), "exportClicked");
    QVERIFY(QFile::exists(dir.filePath(u"winexport.pdf"_s)));
    QVERIFY(!QFile::exists(dir.filePath(u"winexport"_s)));
    QCOMPARE(with_suffix(u"/tmp/a.PDF"_s, u"pdf"_s), u"/tmp/a.PDF"_s);
    QCOMPARE(with_suffix(u"/tmp/v1.2/report"_s, u"pdf"_s), u"/tmp/v1.2/report.pdf"_s);
  }

  // Laid out at a width that ends the line right after 十, 十一 moves to the
  // next line whole.
  void messageKeepsValuesWhole() {
    const QString message = u"「工伤等级」只能是一、二、…、十之一或留空：十一"_s;
    const QString kept = keep_values_whole(message);
    QCOMPARE(QString(kept).remove(QChar(0x2060)), message);
    QTextLayout layout(kept, QApplication::font());
    const qreal width =
        QFontMetricsF(QApplication::font()).horizontalAdvance(message.chopped(1)) + 1;
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      lines << kept.mid(line.textStart(), line.textLength()).remove(QChar(0x2060));
    }
    layout.endLayout();
    QCOMPARE(lines.last(), u"十一"_s);
  }
};

}  // namespace gongshang::claimwindow

QTEST_MAIN(gongshang::claimwindow::ClaimWindowTest)
#include "claim_window_test.moc"
