// The controls the layout table builds: tab order as Tab really moves, no
// control hiding another, no button pressed by Enter or Esc, any text taken.
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

  void onlyLinkOverlapsNote() {
    QWidget* panel = find(u"大图框"_s);
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

  void enterAndEscPressNothing() {
    const UrlCatcher browser;
    enterWorkedExample();
    QWidget* calculate = find(u"计算按钮"_s);
    // Each button, and a box whose window would receive the keys it ignores.
    for (const QString& focus : {u"计算按钮"_s, u"清空按钮"_s, u"法条依据按钮"_s, u"营养费"_s}) {
      for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        find(focus)->setFocus();
        QTest::keyClick(find(focus), key);
        // Not cleared, not calculated, no page opened, not closed.
        QVERIFY2(find(u"计算按钮"_s) == calculate &&
                     texts(kResultBoxes) == QStringList(kResultBoxes.size(), {}) &&
                     browser.opened.isEmpty() && window()->isVisible(),
                 qPrintable(focus + (key == Qt::Key_Return ? u" Enter"_s : u" Esc"_s)));
      }
    }
  }

  void boxesTakeAnyText() {
    // Every box, the results too, takes typing; a long paste arrives whole.
    const QString long_text(40000, u'9');
    for (const QString& name : kInputBoxes + kResultBoxes) {
      QVERIFY2(!box(name)->isReadOnly(), qPrintable(name));
      box(name)->setText(long_text);
      QCOMPARE(box(name)->text().size(), long_text.size());
    }
  }
};

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
