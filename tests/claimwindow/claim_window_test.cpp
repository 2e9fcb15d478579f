// gongshang-claim's window driven as a person drives it, with the shipped
// regions: worked cases, marked fields, a case saved and opened again, and
// the window as a keyboard user and a screen reader meet it.
#include <memory>
#include <utility>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "claimwindow/claim_window.h"
#include "claimwindow/dialogs.h"
#include "engine/fields.h"
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

// A results table, a line a row: item, amount, payer, how long a monthly item runs.
QStringList rows(const ClaimWindow& window, const QString& table_name) {
  const auto* table = window.findChild<QTableWidget*>(table_name);
  QStringList out;
  for (int row = 0; row < table->rowCount(); ++row) {
    QStringList cells;
    for (int column : {0, 1, 2, 5})
      if (!table->isColumnHidden(column) && !table->item(row, column)->text().isEmpty())
        cells << table->item(row, column)->text();
    out << cells.join(u' ').replace(u'\n', u' ');
  }
  return out;
}

// 浙江 七, two whole years before retirement: the employment subsidy cut to 40 %
// (浙江 Art. 27; the amounts are tests/claim's, here only where they show).
const Typing kZhejiangSeven = {
    {u"地区"_s, u"浙江"_s},         {u"工伤等级"_s, u"七"_s},
    {u"本人月均工资"_s, u"6000"_s}, {u"统筹月工资"_s, u"５０００"_s},
    {u"全省月工资"_s, u"7000"_s},   {u"出生日期"_s, u"1966-05-15"_s},
    {u"原退休年龄"_s, u"60"_s},     {u"解除日期"_s, u"2023年10月15日"_s},
};
const QStringList kZhejiangSevenOnce = {
    u"一次性伤残补助金 78,000.00 基金"_s, u"一次性工伤医疗补助金 70,000.00 基金"_s,
    u"一次性伤残就业补助金 28,000.00 用人单位"_s,
    u"一次性合计 176,000.00 基金 148,000.00 用人单位 28,000.00"_s};

// A death in 2024: the pensions are held to the wage.
const Typing kDeath = {
    {u"本人月均工资"_s, u"6000"_s}, {u"统筹月工资"_s, u"5000"_s},     {u"医疗费"_s, u"20000"_s},
    {u"工亡"_s, u"是"_s},           {u"死亡日期"_s, u"2024-06-10"_s}, {u"配偶"_s, u"1"_s},
    {u"其他供养亲属"_s, u"2"_s},    {u"孤寡加发人数"_s, u"1"_s},
};
const QStringList kDeathMonthly = {
    u"供养亲属抚恤金 6,000.00 基金 每名供养亲属按月领取，至其不再符合供养条件"_s,
    u"每月合计 6,000.00 基金 6,000.00 用人单位 0.00"_s};

QString focus_name() {
  QWidget* focus = QApplication::focusWidget();
  return focus ? QAccessible::queryAccessibleInterface(focus)->text(QAccessible::Name) : u"无"_s;
}

// The toolbar, the form top to bottom (typed subsidy figures, as no region is
// chosen; the death section closed), each table once, and round again.
const QStringList kTabOrder =
    u"打开案例(O)…|保存案例(S)|导出 PDF(E)…|打印(P)…|姓名|单位|地区|用人单位未参保|"
    u"医疗补助金月数或金额|医疗补助金基数|就业补助金月数或金额|就业补助金基数|工伤等级|护理级别|"
    u"生活护理等级|职业病|本人月均工资|统筹月工资|统筹月工资：在哪里查、用哪一年|全省月工资|"
    u"全省月工资：在哪里查、用哪一年|最低工资|最低工资：在哪里查、用哪一年|离职前十二个月平均工资|"
    u"停薪月数|住院天数|住宿天数|护理天数|出生日期|从日历选择出生日期|性别|原退休年龄|"
    u"法定退休日期|从日历选择法定退休日期|入职日期|从日历选择入职日期|解除日期|从日历选择解除日期|"
    u"解除原因|医疗费|辅助器具费|交通费|营养费|工亡|一次性待遇|按月待遇|打开案例(O)…"_s.split(u'|');

// A field's text, the keys pressed in its calendar, its text after them.
struct DatePick {
  QString field, before;
  QList<Qt::Key> keys;
  QString after;
};
const DatePick kDatePicks[] = {
    {u"出生日期"_s, u"1966-05-15"_s, {Qt::Key_Right, Qt::Key_Return}, u"1966-05-16"_s},
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
    QCOMPARE(window->findChild<QLabel*>(u"数据状态"_s)->text().left(5), u"条文已核对"_s);
    // Under the field its help for the item chosen.
    const auto* grade = window->findChild<QLabel*>(u"工伤等级说明"_s);
    QVERIFY(grade->isVisible() && grade->text().contains(u"第三十七条"_s));
  }

  void deathCase() {
    auto window = new_window();
    fill(*window, kDeath);
    QVERIFY(window->findChild<QWidget*>(u"死亡日期"_s)->isVisible());
    QCOMPARE(rows(*window, u"按月待遇"_s), kDeathMonthly);
    // The worker's own costs apart from the family's benefits.
    QCOMPARE(rows(*window, u"本人尚未支付的项目"_s),
             (QStringList{u"医疗费 （如尚未支付） 20,000.00 基金"_s,
                          u"合计（如尚未支付） 20,000.00 基金 20,000.00 用人单位 0.00"_s}));

    // An empty pooling wage: its items unknown, said under the field, no mark.
    window->findChild<QLineEdit*>(u"统筹月工资"_s)->clear();
    QVERIFY(window->statement() != nullptr);
    QCOMPARE(rows(*window, u"一次性待遇"_s).first(), u"丧葬补助金 未知 基金"_s);
    QVERIFY(window->findChild<QLabel*>(u"统筹月工资问题"_s)->text().contains(u"丧葬补助金"_s));
  }

  void unreadableFieldsAreMarkedAtTheField() {
    auto window = new_window();
    fill(*window, {{u"医疗费"_s, u"1,00"_s}, {u"出生日期"_s, u"2025-02-30"_s}});
    for (const QString& name : {u"医疗费"_s, u"出生日期"_s}) {
      const auto* reason = window->findChild<QLabel*>(name + u"问题"_s);
      QVERIFY2(reason->isVisible() && !reason->text().isEmpty(), qPrintable(name));
      QCOMPARE(window->findChild<QWidget*>(name)->accessibleDescription(), reason->text());
    }
    QVERIFY(window->statement() == nullptr);
    QCOMPARE(window->problem(), u"请先改正标红的栏目：出生日期、医疗费"_s);

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
    fill(*first, {{u"死亡情形"_s, u"因工死亡"_s}});
    QCOMPARE(first->saveCase(path), QString());

    auto second = new_window();
    QCOMPARE(second->openCase(path), QString());
    QCOMPARE(second->texts(), first->texts());
    QCOMPARE(rows(*second, u"一次性待遇"_s), rows(*first, u"一次性待遇"_s));
    const auto bytes = [&path] {
      QFile file(path);
      return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray saved = bytes();
    QVERIFY(second->exportPdf(path).contains(u"打开着的案例文件"_s));
    QCOMPARE(bytes(), saved);

    // A field refused: which and why are the case file's (tests/casefile);
    // nothing in the window changes.
    const QString other = dir.filePath(u"other.json"_s);
    const auto write = [&other](const QByteArray& bytes) {
      QFile file(other);
      return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
             file.write(bytes) == bytes.size();
    };
    QVERIFY(write(R"({"格式": 1, "工伤等级": "十一"})"));
    QVERIFY(second->openCase(other).contains(u"「工伤等级」只能是"_s));
    QCOMPARE(second->texts(), first->texts());
    // A case from before 生活护理等级: its 护理级别 stands for it, said under
    // the field until another case is opened.
    QVERIFY(write(R"({"格式": 2, "工伤等级": "七", "护理级别": "部分护理"})"));
    QCOMPARE(second->openCase(other), QString());
    const auto* notice = second->findChild<QLabel*>(u"生活护理等级提示"_s);
    QVERIFY(notice->isVisible() && notice->text().contains(u"请核实"_s));
    QCOMPARE(second->openCase(path), QString());
    QVERIFY(!notice->isVisible());
  }

  void tabVisitsEveryControlAndLeavesTheTables() {
    auto window = new_window();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    // On a screen smaller than the size it asks for, the window still fits.
    QVERIFY(window->screen()->availableGeometry().contains(window->frameGeometry()));
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
    // Ctrl+Tab, the habit for leaving a widget that keeps Tab, leaves a table too.
    tab_from(u"一次性待遇"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(focus_name(), u"按月待遇"_s);
  }

  // A list too, whatever item it shows; a check box carries its own label.
  void everyControlIsHeardByItsFieldsName() {
    auto window = new_window();
    for (const FieldRow& row : field_rows()) {
      const QString name = to_qstring(row.name);
      auto* control = window->findChild<QWidget*>(name);
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

  void datePickerTakesTheKeys() {
    auto window = new_window();
    fill(*window, {{u"工亡"_s, u"是"_s}});
    for (const DatePick& pick : kDatePicks) {
      auto* line = window->findChild<QLineEdit*>(pick.field);
      line->setText(pick.before);
      window->findChild<QAbstractButton*>(pick.field + u"日历"_s)->click();
      QPointer calendar = window->findChild<QCalendarWidget*>(pick.field + u"日历选择"_s);
      QVERIFY2(calendar && calendar->isVisible(), qPrintable(pick.field));
      for (Qt::Key key : pick.keys) QTest::keyClick(QApplication::focusWidget(), key);
      QCOMPARE(line->text(), pick.after);
      QVERIFY2(calendar.isNull() || !calendar->isVisible(), qPrintable(pick.field));
    }
  }

  void pdfExportAddsItsSuffix() {
    QTemporaryDir dir;
    auto window = new_window();
    fill(*window,
         {{u"工伤等级"_s, u"五"_s}, {u"本人月均工资"_s, u"6000"_s}, {u"统筹月工资"_s, u"5000"_s}});
    QVERIFY(window->statement() != nullptr);
    // The dialog as a person fills it: a name without a suffix, then 保存.
    QTimer::singleShot(0, window.get(), [&dir] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      dialog->setDirectory(dir.path());
      dialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->setText(u"winexport"_s);
      dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->click();
    });
    QMetaObject::invokeMethod(window.get(), "exportClicked");
    QVERIFY(QFile::exists(dir.filePath(u"winexport.pdf"_s)));
    QCOMPARE(with_suffix(u"/tmp/v1.2/report"_s, u"pdf"_s), u"/tmp/v1.2/report.pdf"_s);
  }
};

}  // namespace gongshang::claimwindow

QTEST_MAIN(gongshang::claimwindow::ClaimWindowTest)
#include "claim_window_test.moc"
