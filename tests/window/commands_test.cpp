// Calculate, Clear, activation and scrolling, driven through the real window.
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>

#include "scrolling.h"
#include "window_driver.h"

using namespace Qt::StringLiterals;
using gongshang::testing::kGrades;
using gongshang::testing::kInputBoxes;
using gongshang::testing::kNursing;
using gongshang::testing::kResultBoxes;
using gongshang::testing::kWorkedResults;

namespace {

enum class Step { kCloseWindow, kClear, kClearThenClose, kRefusal };

struct Snapshot {
  QStringList boxes, result_tips;
  QString grade, nursing;
  friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

// What a message box showed before the test closed it.
struct Shown {
  QString title, text;
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

  void calculate_data();
  void calculate();
  void refusalChangesNothing_data();
  void refusalChangesNothing();
  void clearGivesFreshWindow_data();
  void clearGivesFreshWindow();
  void returningKeepsChoices_data();
  void returningKeepsChoices();
  void programEnds_data();
  void programEnds();
  void scrollMovesPanel_data();
  void scrollMovesPanel();
  void dragMovesPanelOnRelease();
  void scrollRule_data();
  void scrollRule();

 private:
  Snapshot snapshot() const {
    QStringList tips;
    for (const QString& b : kResultBoxes) tips << ui.box(b)->toolTip();
    return {ui.texts(kInputBoxes + kResultBoxes), tips, ui.list(u"工伤等级"_s)->currentText(),
            ui.list(u"护理级别"_s)->currentText()};
  }
  QScrollBar* bar() const { return ui.find<QScrollBar>(u"滚动条"_s); }
  QWidget* panel() const { return ui.find(u"大图框"_s); }

  gongshang::testing::WindowDriver ui;
};

void CommandsTest::calculate_data() {
  QTest::addColumn<bool>("worked");
  QTest::addColumn<int>("presses");
  QTest::addColumn<QStringList>("results");

  const QStringList zeros(kResultBoxes.size(), u"0"_s);
  QTest::newRow("worked example") << true << 1 << kWorkedResults;
  QTest::newRow("worked example, pressed twice") << true << 2 << kWorkedResults;
  QTest::newRow("nothing entered") << false << 1 << zeros;
}

void CommandsTest::calculate() {
  QFETCH(bool, worked);
  QFETCH(int, presses);
  QFETCH(QStringList, results);

  if (worked) ui.enterWorkedExample();
  const QStringList inputs = ui.texts(kInputBoxes);
  for (int i = 0; i < presses; ++i) ui.click(u"计算按钮"_s);

  QCOMPARE(ui.texts(kResultBoxes), results);
  // Nothing but the results changes: inputs, choices, focus and scrolling stay.
  QCOMPARE(ui.texts(kInputBoxes), inputs);
  QCOMPARE(ui.list(u"工伤等级"_s)->currentText(), worked ? u"五"_s : QString());
  QCOMPARE(ui.list(u"护理级别"_s)->count(), 4);
  QCOMPARE(QApplication::focusWidget(), ui.find(u"计算按钮"_s));  // where the click put it
  QCOMPARE(bar()->value(), 0);
}

void CommandsTest::refusalChangesNothing_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("named");  // the field the message must name

  QTest::newRow("wage beyond any number") << u"统筹月工资"_s << u"1E400"_s << u"统筹月工资"_s;
  QTest::newRow("expense beyond any number") << u"医疗费"_s << u"-1e999"_s << u"医疗费"_s;
  QTest::newRow("meal subsidy overflows") << u"住院天数"_s << u"1E307"_s << u"住院伙食补助"_s;
}

void CommandsTest::refusalChangesNothing() {
  QFETCH(QString, field);
  QFETCH(QString, text);
  QFETCH(QString, named);

  // Results from an earlier calculation, and the tooltips that explain them,
  // must survive the refused one.
  ui.enterWorkedExample();
  ui.click(u"计算按钮"_s);
  ui.type({field}, {text});
  const Snapshot before = snapshot();

  Shown shown;
  QTimer::singleShot(0, this, [&shown] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    shown = {box->windowTitle(), box->text(), box->icon(), shown.count + 1};
    box->close();
  });
  ui.click(u"计算按钮"_s);

  QCOMPARE(shown.count, 1);
  QCOMPARE(shown.title, u"计算工伤赔偿金额"_s);
  QCOMPARE(shown.icon, QMessageBox::Warning);
  QVERIFY2(shown.text.contains(named), qPrintable(shown.text));
  QCOMPARE(snapshot(), before);
  QCOMPARE(ui.box(field)->text(), text);  // the offending text is kept, not lost
}

void CommandsTest::clearGivesFreshWindow_data() {
  QTest::addColumn<int>("scrolled");
  QTest::newRow("at the top") << 0;
  QTest::newRow("scrolled part way") << 7;
  QTest::newRow("scrolled to the end") << 15;
}

void CommandsTest::clearGivesFreshWindow() {
  QFETCH(int, scrolled);

  ui.enterWorkedExample();
  ui.choose(u"工伤等级"_s, u"三"_s);
  ui.choose(u"护理级别"_s, u"部分护理"_s);
  ui.click(u"计算按钮"_s);
  ui.box(u"合计"_s)->setText(u"typed over"_s);
  bar()->setValue(scrolled);
  ui.window()->move(ui.window()->pos() + QPoint(37, 23));  // the user moved it
  const QPointer<QWidget> old_button = ui.find(u"计算按钮"_s);
  QSignalSpy last_closed(qApp, &QGuiApplication::lastWindowClosed);

  ui.click(u"清空按钮"_s);

  // Lists refill when the new window becomes active, each item once.
  QTRY_COMPARE(ui.items(u"工伤等级"_s), kGrades);
  QCOMPARE(ui.items(u"护理级别"_s), kNursing);
  QCOMPARE(ui.list(u"工伤等级"_s)->currentIndex(), 0);
  QCOMPARE(ui.list(u"护理级别"_s)->currentIndex(), 0);
  QCOMPARE(ui.texts(kInputBoxes + kResultBoxes), QStringList(21, QString()));
  QCOMPARE(bar()->value(), 0);
  QCOMPARE(bar()->maximum(), 15);
  QCOMPARE(panel()->pos(), QPoint(0, 0));
  QCOMPARE(QApplication::focusWidget(), panel());
  QVERIFY(ui.window()->isVisible());
  const QRect screen = ui.window()->screen()->availableGeometry();
  QVERIFY((ui.window()->geometry().center() - screen.center()).manhattanLength() <= 1);

  // The program went on, and the old controls are released, not kept aside.
  QCOMPARE(last_closed.count(), 0);
  QTRY_VERIFY(old_button.isNull());
  QCOMPARE(ui.window()->findChildren<QPushButton*>().size(), 3);

  // The fresh window works like the first one.
  ui.enterWorkedExample();
  ui.click(u"计算按钮"_s);
  QCOMPARE(ui.texts(kResultBoxes), kWorkedResults);
}

void CommandsTest::returningKeepsChoices_data() {
  QTest::addColumn<int>("returns");
  QTest::newRow("once") << 1;
  QTest::newRow("three times") << 3;
}

void CommandsTest::returningKeepsChoices() {
  QFETCH(int, returns);

  ui.choose(u"工伤等级"_s, u"三"_s);
  ui.choose(u"护理级别"_s, u"部分护理"_s);
  QWidget elsewhere;  // another application's window, say the browser
  elsewhere.setWindowTitle(u"elsewhere"_s);
  for (int i = 0; i < returns; ++i) {
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    ui.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(ui.window()));
  }

  QCOMPARE(ui.list(u"工伤等级"_s)->currentText(), u"三"_s);
  QCOMPARE(ui.list(u"护理级别"_s)->currentText(), u"部分护理"_s);
  QCOMPARE(ui.items(u"工伤等级"_s), kGrades);
  QCOMPARE(ui.items(u"护理级别"_s), kNursing);
}

void CommandsTest::programEnds_data() {
  QTest::addColumn<Step>("step");
  QTest::addColumn<bool>("ends");

  QTest::newRow("closing the window") << Step::kCloseWindow << true;
  QTest::newRow("Clear") << Step::kClear << false;
  QTest::newRow("Clear, then closing") << Step::kClearThenClose << true;
  QTest::newRow("a refusal's message closed") << Step::kRefusal << false;
}

void CommandsTest::programEnds() {
  QFETCH(Step, step);
  QFETCH(bool, ends);

  // The program's own event loop: only there does the last window closing
  // end the program.
  constexpr int kStillRunning = 42;
  QTimer::singleShot(0, this, [this, step] {
    if (step == Step::kRefusal) {
      ui.type({u"统筹月工资"_s}, {u"1E400"_s});
      QTimer::singleShot(0, this, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
      });
      ui.click(u"计算按钮"_s);
      return;
    }
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

void CommandsTest::scrollMovesPanel_data() {
  QTest::addColumn<int>("value");
  QTest::addColumn<int>("top");  // pixels: the panel's Top in twips over 15

  QTest::newRow("0") << 0 << 0;
  QTest::newRow("1: -500 twips") << 1 << -33;
  QTest::newRow("7: -3500 twips") << 7 << -233;
  QTest::newRow("15: -7500 twips, wholly above") << 15 << -500;
}

void CommandsTest::scrollMovesPanel() {
  QFETCH(int, value);
  QFETCH(int, top);

  const QRect bar_place = bar()->geometry();
  bar()->setValue(value);
  QCOMPARE(panel()->pos(), QPoint(0, top));
  QCOMPARE(bar()->geometry(), bar_place);  // the bar lies outside the panel
  bar()->setValue(0);
  QCOMPARE(panel()->pos(), QPoint(0, 0));
}

void CommandsTest::dragMovesPanelOnRelease() {
  QScrollBar* scroll = bar();
  QCOMPARE(scroll->minimum(), 0);
  QCOMPARE(scroll->maximum(), 15);
  QVERIFY(!scroll->hasTracking());

  // The thumb is dragged: the panel stays where it is until the drag ends.
  scroll->setSliderDown(true);
  scroll->setSliderPosition(5);
  QCOMPARE(panel()->y(), 0);
  scroll->setSliderPosition(9);
  QCOMPARE(panel()->y(), 0);
  scroll->setSliderDown(false);
  QCOMPARE(scroll->value(), 9);
  QCOMPARE(panel()->y(), -300);
}

void CommandsTest::scrollRule_data() {
  QTest::addColumn<float>("height");
  QTest::addColumn<int>("maximum");

  QTest::newRow("the layout's panel") << 7452.0f << 15;
  QTest::newRow("14.5 rounds to even 14") << 7250.0f << 14;
  QTest::newRow("15.5 rounds to even 16") << 7750.0f << 16;
  QTest::newRow("66 would overflow the offset") << 32750.0f << 65;
  QTest::newRow("beyond 16-bit rounding") << 2.0e7f << 65;
  QTest::newRow("negative height") << -7452.0f << 0;
}

void CommandsTest::scrollRule() {
  QFETCH(float, height);
  QFETCH(int, maximum);

  const int reached = gongshang::scroll_maximum(height);
  QCOMPARE(reached, maximum);
  // Whatever the maximum, the value that reaches it gives an offset that fits.
  QCOMPARE(gongshang::panel_top(reached), static_cast<float>(reached * -500));
  QVERIFY(gongshang::panel_top(reached + 1) >= -32768.0f);
}

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
