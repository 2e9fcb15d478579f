// Calculate, Clear, activation, the mouse wheel and the program's end, driven
// through the real window.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>

#include "window_driver.h"

using namespace Qt::StringLiterals;
using namespace gongshang::testing;

class CommandsTest : public WindowTest {
  Q_OBJECT

 private slots:
  void calculateThenRefusal() {
    enterWorkedExample();
    calculate();
    QCOMPARE(texts(kResultBoxes), kWorkedResults);
    QCOMPARE(texts(kInputBoxes), kWorkedInputs);  // nothing but the results changes

    // A refused calculation shows one warning and changes no field: the results
    // and the tooltips that explain them stay, and so does the offending text.
    type({u"统筹月工资"_s}, {u"1E400"_s});  // beyond any number
    const QStringList before = snapshot();
    QString shown;  // title, icon, button and message
    QTimer::singleShot(0, this, [&shown] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shown = QStringList{box->windowTitle(), QString::number(box->icon()),
                            box->buttons().value(0)->text(), box->text()}
                    .join(u'|');
        box->close();
      }
    });
    calculate();
    // Qt's own button text is Chinese too; the message names the field.
    const QString heading = u"计算工伤赔偿金额|%1|确定|"_s.arg(QMessageBox::Warning);
    QVERIFY2(shown.startsWith(heading) && shown.contains(u"统筹月工资"_s), qPrintable(shown));
    QCOMPARE(snapshot(), before);
  }

  void clearGivesFreshWindow() {
    const QStringList fresh = lists();
    // A filled and calculated window.
    enterWorkedExample();
    calculate();
    const QPointer<QWidget> old_button = find(u"计算按钮"_s);

    QVERIFY(clear());

    // Lists refilled when the new window became active, each item once.
    QCOMPARE(lists(), fresh);
    QCOMPARE(texts(kInputBoxes + kResultBoxes), QStringList(21, QString()));
    QCOMPARE(QApplication::focusWidget(), panel());
    QTRY_VERIFY(old_button.isNull());  // released, not kept aside
  }

  void returningKeepsChoices() {
    choose(u"工伤等级"_s, u"三"_s);
    choose(u"护理级别"_s, u"部分护理"_s);
    const QStringList chosen = lists();
    QVERIFY(chosen.contains(u"chosen: 三"_s) && chosen.contains(u"chosen: 部分护理"_s));
    QWidget elsewhere;  // another application's window, say the browser
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window()));
    QCOMPARE(lists(), chosen);
  }

  void programEnds_data() {
    QTest::addColumn<bool>("clears");
    QTest::addColumn<bool>("closes");  // the program ends exactly when this is done
    QTest::newRow("closing the window") << false << true;
    QTest::newRow("Clear") << true << false;
    QTest::newRow("Clear, then closing") << true << true;
  }

  void programEnds() {
    QFETCH(bool, clears);
    QFETCH(bool, closes);

    // Only the program's own event loop ends when the last window closes.
    constexpr int kStillRunning = 42;
    QTimer::singleShot(0, this, [this, clears, closes] {
      if (clears) click(u"清空按钮"_s);
      if (closes) window()->close();
    });
    const QObject row;  // the guard dies with it, so it cannot end a later row's loop
    QTimer::singleShot(500, &row, [] { QCoreApplication::exit(kStillRunning); });
    QCOMPARE(QApplication::exec() != kStillRunning, closes);
  }

  void wheelMovesOnlyFocusedList() {
    QComboBox* grades = list(u"工伤等级"_s);
    // Three notches down, sent to the list under the pointer; first unfocused.
    for (const bool focused : {false, true}) {
      if (focused) grades->setFocus();
      QCOMPARE(grades->hasFocus(), focused);
      const QPointF at = grades->rect().center();
      for (int notch = 0; notch < 3; ++notch) {
        QWheelEvent wheel(at, grades->mapToGlobal(at), {}, {0, -QWheelEvent::DefaultDeltasPerStep},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grades, &wheel);
      }
      QCOMPARE(grades->currentIndex(), focused ? 3 : 0);
    }
  }

 private:
  // Both lists' items, each followed by the chosen one.
  QStringList lists() const {
    QStringList out;
    for (QComboBox* list : {list(u"工伤等级"_s), list(u"护理级别"_s)}) {
      for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
      out << u"chosen: "_s + list->currentText();
    }
    return out;
  }
  // Every field as a person sees it: texts, choices and result tooltips.
  QStringList snapshot() const {
    QStringList seen = texts(kInputBoxes + kResultBoxes) + lists();
    for (const QString& b : kResultBoxes) seen << box(b)->toolTip();
    return seen;
  }
  QWidget* panel() const { return find(u"大图框"_s); }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
