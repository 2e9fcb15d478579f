// gongshang-claim's window as a keyboard user and a screen reader meet it:
// the order Tab takes, the names heard, the date picker and the file dialog.
#include <QAbstractButton>
#include <QAccessible>
#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include "claimwindow/dialogs.h"
#include "engine/fields.h"
#include "qstring/utf8.h"
#include "window_driver.h"

namespace gongshang::claimwindow {

namespace {

// What a screen reader announces for the widget that has the focus.
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

// From a table, the keys that used to stay in its cells.
struct FocusStep {
  QString from;
  QKeyCombination keys;
  QString to;
};
const FocusStep kTableSteps[] = {
    {u"一次性待遇"_s, Qt::SHIFT | Qt::Key_Backtab, u"工亡"_s},
    {u"一次性待遇"_s, Qt::CTRL | Qt::Key_Tab, u"按月待遇"_s},
    {u"按月待遇"_s, Qt::SHIFT | Qt::Key_Backtab, u"一次性待遇"_s},
    {u"按月待遇"_s, QKeyCombination(Qt::Key_Tab), u"打开案例(O)…"_s},
};

// A field's text, the keys pressed in its calendar, its text after them.
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
    {u"死亡日期"_s, u"2024-06-10"_s, {Qt::Key_Left, Qt::Key_Escape}, u"2024-06-10"_s},
};

}  // namespace

class ClaimWindowKeysTest : public QObject {
  Q_OBJECT

 private slots:
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
    for (const FocusStep& step : kTableSteps) {
      tab_from(step.from);
      QTest::keyClick(QApplication::focusWidget(), step.keys.key(), step.keys.keyboardModifiers());
      QCOMPARE(focus_name(), step.to);
    }
  }

  // Every control is heard by its field's name, whatever its list shows,
  // and is labelled by the label beside it; the check boxes carry their own.
  void everyControlIsHeardByItsFieldsName() {
    auto window = new_window();
    for (const FieldRow& row : field_rows()) {
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
};

}  // namespace gongshang::claimwindow

QTEST_MAIN(gongshang::claimwindow::ClaimWindowKeysTest)
#include "claim_window_keys_test.moc"
