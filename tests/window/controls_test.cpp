// The controls the layout table builds: tab order as Tab really moves, no
// button pressed by Enter or Esc, any text taken.
#include <QApplication>
#include <QMultiMap>

#include "window/layout.h"
#include "window_driver.h"

using namespace Qt::StringLiterals;
using namespace gongshang::testing;
using gongshang::ControlKind;
using gongshang::ControlRow;

class ControlsTest : public WindowTest {
  Q_OBJECT

 private slots:
  void tabFollowsTabIndex() {
    // Every control that takes the focus, in the order of its tab index; from
    // the panel, which has the focus as the window opens, round to it again.
    QMultiMap<int, QString> stops;
    for (const ControlRow& row : gongshang::window_layout()) {
      if (row.kind != ControlKind::kLabel && row.kind != ControlKind::kNote &&
          row.kind != ControlKind::kLink)
        stops.insert(row.tab_index, gongshang::to_qstring(row.name));
    }
    QStringList expected = stops.values();
    expected << expected.first();

    QStringList reached{QApplication::focusWidget()->objectName()};
    while (reached.size() < expected.size()) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      reached << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(reached, expected);
  }

  void enterAndEscPressNothing() {
    enterWorkedExample();
    // A button, and a box whose window would receive the keys it ignores.
    for (const QString& focus : {u"计算按钮"_s, u"营养费"_s}) {
      for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        find(focus)->setFocus();
        QTest::keyClick(find(focus), key);
        QVERIFY2(
            texts(kResultBoxes) == QStringList(kResultBoxes.size(), {}) && window()->isVisible(),
            qPrintable(focus + (key == Qt::Key_Return ? u" Enter"_s : u" Esc"_s)));
      }
    }
  }

  void boxesTakeAnyText() {
    // A long paste arrives whole; every box is made alike, the results too.
    const QString long_text(40000, u'9');
    box(u"合计"_s)->setText(long_text);
    QCOMPARE(box(u"合计"_s)->text(), long_text);
  }
};

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
