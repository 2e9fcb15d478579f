// How focus and keys move through the controls the layout table builds, and
// what they take: the tab order as Tab really moves it, no control hiding
// another, no button pressed by Enter or Esc, and boxes that take any text.
#include <algorithm>
#include <vector>

#include <QApplication>

#include "window/layout.h"
#include "window_driver.h"

using namespace Qt::StringLiterals;
using namespace gongshang::testing;
using gongshang::ControlKind;
using gongshang::ControlRow;

class ControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(ui.open()); }
  void cleanup() { ui.close(); }

  void tabFollowsTabIndex();
  void onlyLinkOverlapsNote();
  void enterAndEscPressNothing_data();
  void enterAndEscPressNothing();
  void boxesTakeAnyText();

 private:
  WindowDriver ui;
};

void ControlsTest::tabFollowsTabIndex() {
  // Every control that takes the focus, in the order of its tab index; from
  // the panel, which has the focus as the window opens, round to it again.
  std::vector<ControlRow> stops;
  std::ranges::copy_if(gongshang::window_layout(), std::back_inserter(stops),
                       [](const ControlRow& row) {
                         return row.kind != ControlKind::kLabel && row.kind != ControlKind::kNote &&
                                row.kind != ControlKind::kLink;
                       });
  std::ranges::sort(stops, {}, &ControlRow::tab_index);
  QStringList expected;
  for (const ControlRow& row : stops) expected << gongshang::to_qstring(row.name);
  expected << expected.first();

  QStringList reached{QApplication::focusWidget()->objectName()};
  while (reached.size() < expected.size()) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    reached << QApplication::focusWidget()->objectName();
  }
  QCOMPARE(reached, expected);
}

void ControlsTest::onlyLinkOverlapsNote() {
  QWidget* panel = ui.find(u"大图框"_s);
  const QList<QWidget*> controls = panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  QStringList overlapping;
  for (qsizetype i = 0; i < controls.size(); ++i) {
    for (qsizetype j = i + 1; j < controls.size(); ++j) {
      if (controls[i]->geometry().intersects(controls[j]->geometry()))
        overlapping << controls[i]->objectName() + u'/' + controls[j]->objectName();
    }
  }
  QCOMPARE(overlapping, QStringList{u"Label57/主页"_s});
}

void ControlsTest::enterAndEscPressNothing_data() {
  QTest::addColumn<QString>("focus");
  QTest::addColumn<int>("key");

  // Each button, and a box whose window would receive the keys it ignores.
  for (const QString& focus : {u"计算按钮"_s, u"清空按钮"_s, u"法条依据按钮"_s, u"营养费"_s}) {
    QTest::addRow("Enter on %s", qPrintable(focus)) << focus << int(Qt::Key_Return);
    QTest::addRow("Esc on %s", qPrintable(focus)) << focus << int(Qt::Key_Escape);
  }
}

void ControlsTest::enterAndEscPressNothing() {
  QFETCH(QString, focus);
  QFETCH(int, key);

  const UrlCatcher browser;
  ui.enterWorkedExample();
  QWidget* calculate = ui.find(u"计算按钮"_s);
  ui.find(focus)->setFocus();
  QTest::keyClick(ui.find(focus), static_cast<Qt::Key>(key));

  QCOMPARE(ui.find(u"计算按钮"_s), calculate);                             // not cleared
  QCOMPARE(ui.texts(kResultBoxes), QStringList(kResultBoxes.size(), {}));  // not calculated
  QCOMPARE(browser.opened, QStringList{});                                 // no page opened
  QVERIFY(ui.window()->isVisible());                                       // not closed
}

void ControlsTest::boxesTakeAnyText() {
  // Every box, the results too, takes typing; a long paste arrives whole.
  const QString long_text(40000, u'9');
  for (const QString& name : kInputBoxes + kResultBoxes) {
    QLineEdit* box = ui.box(name);
    QVERIFY2(!box->isReadOnly(), qPrintable(name));
    box->setText(long_text);
    QCOMPARE(box->text().size(), long_text.size());
  }
}

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
