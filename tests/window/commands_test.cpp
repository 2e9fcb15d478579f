// Calculate, Clear, activation, scrolling and the program's end, driven
// through the real window.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include "window_driver.h"

using namespace Qt::StringLiterals;
using namespace gongshang::testing;

namespace {

enum class Step { kCloseWindow, kClear, kClearThenClose };

// What a message box showed before the test closed it.
struct Shown {
  QString title, text, button;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int count = 0;
};

}  // namespace

Q_DECLARE_METATYPE(Step)

class CommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(ui.open()); }
  void cleanup() { ui.close(); }

  void calculateThenRefusal();
  void longResultShowsItsStart();
  void clearGivesFreshWindow();
  void returningKeepsChoices();
  void programEnds_data();
  void programEnds();
  void scrollMovesPanelOnRelease();
  void wheelMovesOnlyFocusedList_data();
  void wheelMovesOnlyFocusedList();

 private:
  // Every field as a person sees it: texts, choices and result tooltips.
  QStringList snapshot() const {
    QStringList seen = ui.texts(kInputBoxes + kResultBoxes);
    seen << ui.list(u"工伤等级"_s)->currentText() << ui.list(u"护理级别"_s)->currentText();
    for (const QString& b : kResultBoxes) seen << ui.box(b)->toolTip();
    return seen;
  }
  QStringList items(const QString& list_name) const {
    QStringList out;
    for (int i = 0; i < ui.list(list_name)->count(); ++i) out << ui.list(list_name)->itemText(i);
    return out;
  }
  QScrollBar* bar() const { return ui.find<QScrollBar>(u"滚动条"_s); }
  QWidget* panel() const { return ui.find(u"大图框"_s); }

  WindowDriver ui;
};

void CommandsTest::calculateThenRefusal() {
  ui.enterWorkedExample();
  ui.calculate();
  QCOMPARE(ui.texts(kResultBoxes), kWorkedResults);
  QCOMPARE(ui.texts(kInputBoxes), kWorkedInputs);  // nothing but the results changes

  // A refused calculation changes no field: the results and the tooltips that
  // explain them stay, and so does the offending text.
  ui.type({u"统筹月工资"_s}, {u"1E400"_s});  // beyond any number
  const QStringList before = snapshot();
  Shown shown;
  QTimer::singleShot(0, this, [&shown] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    shown = {box->windowTitle(), box->text(), box->buttons().value(0)->text(), box->icon(),
             shown.count + 1};
    box->close();
  });
  ui.calculate();

  QCOMPARE(shown.count, 1);
  QCOMPARE(shown.title, u"计算工伤赔偿金额"_s);
  QCOMPARE(shown.icon, QMessageBox::Warning);
  QCOMPARE(shown.button, u"确定"_s);  // Qt's own texts are Chinese too
  QVERIFY2(shown.text.contains(u"统筹月工资"_s), qPrintable(shown.text));
  QCOMPARE(snapshot(), before);
}

void CommandsTest::longResultShowsItsStart() {
  ui.type({u"医疗费"_s}, {u"1234567890123456"_s});
  ui.calculate();
  QCOMPARE(ui.box(u"计算医疗费"_s)->text(), u"1.23456789012346E+15"_s);
  for (const QString& name : kResultBoxes) QCOMPARE(ui.box(name)->cursorPosition(), 0);
}

void CommandsTest::clearGivesFreshWindow() {
  const QStringList grades = items(u"工伤等级"_s), nursing = items(u"护理级别"_s);
  // A filled, calculated and scrolled window, typed over and moved.
  ui.enterWorkedExample();
  ui.calculate();
  ui.box(u"合计"_s)->setText(u"typed over"_s);
  bar()->setValue(7);
  ui.window()->move(ui.window()->pos() + QPoint(37, 23));
  const QPointer<QWidget> old_button = ui.find(u"计算按钮"_s);

  QVERIFY(ui.clear());

  // Lists refilled when the new window became active, each item once.
  QCOMPARE(items(u"工伤等级"_s), grades);
  QCOMPARE(items(u"护理级别"_s), nursing);
  QCOMPARE(ui.list(u"工伤等级"_s)->currentIndex(), 0);
  QCOMPARE(ui.list(u"护理级别"_s)->currentIndex(), 0);
  QCOMPARE(ui.texts(kInputBoxes + kResultBoxes), QStringList(21, QString()));
  QCOMPARE(bar()->value(), 0);
  QCOMPARE(panel()->pos(), QPoint(0, 0));
  QCOMPARE(QApplication::focusWidget(), panel());
  const QRect screen = ui.window()->screen()->availableGeometry();
  QVERIFY((ui.window()->geometry().center() - screen.center()).manhattanLength() <= 1);
  QTRY_VERIFY(old_button.isNull());  // released, not kept aside

  // The fresh window calculates like the first one.
  ui.enterWorkedExample();
  ui.calculate();
  QCOMPARE(ui.texts(kResultBoxes), kWorkedResults);
}

void CommandsTest::returningKeepsChoices() {
  ui.choose(u"工伤等级"_s, u"三"_s);
  ui.choose(u"护理级别"_s, u"部分护理"_s);
  const QStringList grades = items(u"工伤等级"_s);
  QWidget elsewhere;  // another application's window, say the browser
  elsewhere.show();
  elsewhere.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
  ui.window()->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(ui.window()));

  QCOMPARE(ui.list(u"工伤等级"_s)->currentText(), u"三"_s);
  QCOMPARE(ui.list(u"护理级别"_s)->currentText(), u"部分护理"_s);
  QCOMPARE(items(u"工伤等级"_s), grades);
}

void CommandsTest::programEnds_data() {
  QTest::addColumn<Step>("step");
  QTest::addColumn<bool>("ends");

  QTest::newRow("closing the window") << Step::kCloseWindow << true;
  QTest::newRow("Clear") << Step::kClear << false;
  QTest::newRow("Clear, then closing") << Step::kClearThenClose << true;
}

void CommandsTest::programEnds() {
  QFETCH(Step, step);
  QFETCH(bool, ends);

  // The program's own event loop: only there does the last window closing
  // end the program.
  constexpr int kStillRunning = 42;
  QTimer::singleShot(0, this, [this, step] {
    if (step != Step::kCloseWindow) ui.click(u"清空按钮"_s);
    if (step != Step::kClear) ui.window()->close();
  });
  // Scoped to this row, so that it cannot fire into a later row's loop.
  QTimer still_running;
  still_running.setSingleShot(true);
  connect(&still_running, &QTimer::timeout, this, [] { QCoreApplication::exit(kStillRunning); });
  still_running.start(500);
  const int code = QApplication::exec();
  QCOMPARE(code != kStillRunning, ends);
}

void CommandsTest::scrollMovesPanelOnRelease() {
  // The whole panel's 7452 twips scroll in 15 steps of 500 twips.
  QCOMPARE(bar()->maximum(), 15);
  // The thumb is dragged: the panel stays where it is until the drag ends.
  bar()->setSliderDown(true);
  bar()->setSliderPosition(15);
  QCOMPARE(panel()->pos(), QPoint(0, 0));
  bar()->setSliderDown(false);
  QCOMPARE(panel()->pos(), QPoint(0, -500));  // -7500 twips
  // Set back to the top (say by the arrows), it moves at once.
  bar()->setValue(0);
  QCOMPARE(panel()->pos(), QPoint(0, 0));
}

void CommandsTest::wheelMovesOnlyFocusedList_data() {
  QTest::addColumn<bool>("focused");
  QTest::newRow("list without the focus") << false;
  QTest::newRow("list with the focus") << true;
}

void CommandsTest::wheelMovesOnlyFocusedList() {
  QFETCH(bool, focused);

  QComboBox* grades = ui.list(u"工伤等级"_s);
  if (focused) grades->setFocus();
  QCOMPARE(grades->hasFocus(), focused);
  // Three notches down, with the pointer over the list, as the window system
  // hands them to the control under the mouse.
  const QPointF at = grades->rect().center();
  for (int notch = 0; notch < 3; ++notch) {
    QWheelEvent wheel(at, grades->mapToGlobal(at), {}, {0, -QWheelEvent::DefaultDeltasPerStep},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grades, &wheel);
  }
  QCOMPARE(grades->currentIndex(), focused ? 3 : 0);
}

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
