// gongshang-calc's window driven as a person drives it: calculate and clear,
// the keys, the two web links and what a screen reader hears. Mouse events go
// through the window system layer, reaching whichever control lies on top.
#define QTEST_QPA_MOUSE_HANDLING
#include <functional>
#include <memory>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMultiMap>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include "engine/fields.h"
#include "engine/results.h"
#include "qstring/utf8.h"
#include "window/calculator_window.h"
#include "window/layout.h"

using namespace Qt::StringLiterals;
using namespace gongshang;

namespace {

// The controls bear the engine's field names, shown by the label beside each.
template <typename Rows, typename Name>
QStringList names(const Rows& rows, Name name) {
  QStringList out;
  for (const auto& row : rows) out << to_qstring(std::invoke(name, row));
  return out;
}
const QStringList kInputs = names(kInputNames, std::identity());
const QStringList kInputBoxes = kInputs.mid(2);  // after the two lists
const QStringList kResultBoxes = names(kResults, &ResultRow::name);

// The worked example: grade 五, nursing 大部分护理 and these ten texts.
const QStringList kWorkedInputs = u"3500 4000 6 30 10 30 12000.5 800 300 1000"_s.split(u' ');
const QStringList kWorkedResults =
    u"63000 2450 21000 1500 800 1931.03451153328 12000.5 800 300 1000 104781.534511533"_s.split(
        u' ');

const QString kHome = u"http://www.gsjs.example"_s;
const QString kArticle = u"http://www.gsjs.example/Topic.aspx?Id=15599"_s;

enum class Act { kClickTwice, kDoubleClickHome, kRightClickHome, kPressReleaseOutside, kTabSpace };

}  // namespace

Q_DECLARE_METATYPE(Act)

// While it lives, stands in for the browser: records every address handed to
// the desktop, and no browser starts.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  UrlCatcher() { QDesktopServices::setUrlHandler(u"http"_s, this, "open"); }
  ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(u"http"_s); }

  QStringList opened;

 public slots:
  void open(const QUrl& url) { opened << url.toString(QUrl::FullyEncoded); }
};

// Each test function gets a fresh window, shown and active: its lists filled.
class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = std::make_unique<CalculatorWindow>();
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()) && filled());
  }
  void cleanup() { window_.reset(); }

  void calculateThenRefusal() {
    enterWorkedExample();
    calculate();
    QCOMPARE(texts(kResultBoxes), kWorkedResults);

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
    enterWorkedExample();
    calculate();
    const QPointer<QWidget> old_button = find(u"计算按钮"_s);

    QVERIFY(clear());

    // Lists refilled when the new window became active, each item once.
    QCOMPARE(lists(), fresh);
    QCOMPARE(texts(kInputBoxes + kResultBoxes), QStringList(21, QString()));
    QTRY_VERIFY(old_button.isNull());  // released, not kept aside
  }

  void returningKeepsChoices() {
    choose(u"工伤等级"_s, u"三"_s);
    choose(u"护理级别"_s, u"部分护理"_s);
    const QStringList chosen = lists();
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
    // Closing without Clear is the same close, with no lock ever taken.
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
    // The whole panel's 7452 twips scroll in 15 steps of 500 twips.
    QCOMPARE(find<QScrollBar>(u"滚动条"_s)->maximum(), 15);
    QComboBox* grades = list(u"工伤等级"_s);
    for (const bool focused : {false, true}) {
      if (focused) grades->setFocus();
      const QPointF at = grades->rect().center();
      QWheelEvent wheel(at, grades->mapToGlobal(at), {}, {0, -QWheelEvent::DefaultDeltasPerStep},
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(grades, &wheel);
      QCOMPARE(grades->currentIndex(), focused ? 1 : 0);
    }
  }

  void tabFollowsTabIndex() {
    // Every control that takes the focus, in the order of its tab index; from
    // the panel, which has the focus as the window opens, round to it again.
    QMultiMap<int, QString> stops;
    for (const ControlRow& row : window_layout()) {
      if (row.kind != ControlKind::kLabel && row.kind != ControlKind::kNote &&
          row.kind != ControlKind::kLink)
        stops.insert(row.tab_index, to_qstring(row.name));
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

  void enterPressesNoButton() {
    enterWorkedExample();
    find(u"计算按钮"_s)->setFocus();
    QTest::keyClick(find(u"计算按钮"_s), Qt::Key_Return);
    QCOMPARE(texts(kResultBoxes), QStringList(kResultBoxes.size(), {}));
  }

  // Qt cuts a line at 32767 characters unless told otherwise; a long paste
  // must arrive whole, to be read or refused as typed.
  void boxesTakeALongPasteWhole() {
    const QString long_text(40000, u'9');
    for (const QString& name : kInputBoxes + kResultBoxes) {
      box(name)->setText(long_text);
      QCOMPARE(box(name)->text().size(), long_text.size());
    }
  }

  void linksHandOver_data() {
    QTest::addColumn<Act>("act");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("click 主页 twice") << Act::kClickTwice << QStringList{kHome, kHome};
    QTest::newRow("double-click 主页") << Act::kDoubleClickHome << QStringList{kHome};
    QTest::newRow("right click 主页") << Act::kRightClickHome << QStringList{};
    QTest::newRow("press 主页, let go elsewhere") << Act::kPressReleaseOutside << QStringList{};
    QTest::newRow("Tab then Space") << Act::kTabSpace << QStringList{kArticle};
  }

  void linksHandOver() {
    QFETCH(Act, act);
    QFETCH(QStringList, opened);
    const UrlCatcher browser;
    // The hand shows over the link alone, the rest of the window keeps its
    // ordinary cursor; a move opens nothing.
    QTest::mouseMove(screenWindow(), onHome(QPoint(5, 5)));
    QCOMPARE(find(u"主页"_s)->cursor().shape(), Qt::PointingHandCursor);
    for (QWidget* other : {find(u"大图框"_s), static_cast<QWidget*>(window())})
      QVERIFY2(!other->testAttribute(Qt::WA_SetCursor), qPrintable(other->objectName()));

    perform(act);
    QCOMPARE(browser.opened, opened);
  }

  void screenReaderNames() {
    // A field, and only a field, is labelled by its label: a reader on Linux
    // names a list by its chosen item and announces the label from this.
    for (const QString& field : kInputs + kResultBoxes) {
      QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(find(field));
      QCOMPARE(reader->text(QAccessible::Name), field);
      if (QComboBox* chosen = list(field)) chosen->setCurrentIndex(1);
      const auto labels = reader->relations(QAccessible::Label);
      QVERIFY2(labels.size() == 1 && qobject_cast<QLabel*>(labels.first().first->object()),
               qPrintable(field));
      QCOMPARE(labels.first().first->text(QAccessible::Name), field);
    }
    // The two that leave for the browser: the name heard, and that they leave, and where to.
    const QList<QStringList> links = {{u"法条依据按钮"_s, u"法条依据"_s, kHome + u"/Topic"_s},
                                      {u"主页"_s, u"主页链接：www.gsjs.example"_s, kHome}};
    for (const QStringList& link : links) {
      QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(find(link[0]));
      const QString told = reader->text(QAccessible::Description);
      QCOMPARE(reader->text(QAccessible::Name), link[1]);
      QVERIFY2(told.startsWith(u"在浏览器中打开"_s) && told.contains(u' ' + link[2]) &&
                   reader->relations(QAccessible::Label).isEmpty(),
               qPrintable(link[0]));
    }
  }

  void tooltipKeepsItsLines() {
    // The working arrives as written, and a screen reader is handed the same.
    enterWorkedExample();
    calculate();
    for (const QString& name : kResultBoxes) {
      // None of these reads as markup, so each is shown as it is.
      const QString shown = box(name)->toolTip();
      QCOMPARE(QAccessible::queryAccessibleInterface(box(name))->text(QAccessible::Description),
               shown);
      QVERIFY2(shown.contains(box(name)->text()), qPrintable(name + u": "_s + shown));
    }
  }

 private:
  CalculatorWindow* window() const { return window_.get(); }
  template <typename T = QWidget>
  T* find(const QString& name) const {
    return window_->findChild<T*>(name);
  }
  QLineEdit* box(const QString& name) const { return find<QLineEdit>(name); }
  QComboBox* list(const QString& name) const { return find<QComboBox>(name); }
  bool filled() const { return list(u"工伤等级"_s)->count() > 0; }

  QStringList texts(const QStringList& boxes) const {
    QStringList out;
    for (const QString& b : boxes) out << box(b)->text();
    return out;
  }
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

  void choose(const QString& list_name, const QString& item) const {
    list(list_name)->setCurrentIndex(list(list_name)->findText(item));
  }
  void type(const QStringList& boxes, const QStringList& texts) const {
    for (qsizetype i = 0; i < boxes.size(); ++i) {
      box(boxes[i])->clear();
      QTest::keyClicks(box(boxes[i]), texts[i]);
    }
  }
  void enterWorkedExample() const {
    choose(u"工伤等级"_s, u"五"_s);
    choose(u"护理级别"_s, u"大部分护理"_s);
    type(kInputBoxes, kWorkedInputs);
  }
  void click(const QString& name) const { QTest::mouseClick(find(name), Qt::LeftButton); }
  void calculate() const { click(u"计算按钮"_s); }
  // Clear, and wait for the fresh window's activation to fill its lists.
  bool clear() const {
    click(u"清空按钮"_s);
    return QTest::qWaitFor([this] { return filled(); });
  }

  QWindow* screenWindow() const { return window()->windowHandle(); }
  // A point of 主页 in window coordinates, for the window-level events.
  QPoint onHome(QPoint local) const { return find(u"主页"_s)->mapTo(window(), local); }
  void perform(Act act) {
    // Where the blue address is drawn: over the note, so this also shows the
    // link is in front of it.
    const QPoint on_link = onHome(QPoint(20, find(u"主页"_s)->height() / 2));
    switch (act) {
      case Act::kClickTwice:
        QTest::mouseClick(screenWindow(), Qt::LeftButton, {}, on_link);
        QTest::mouseClick(screenWindow(), Qt::LeftButton, {}, on_link);
        break;
      case Act::kDoubleClickHome:
        QTest::mouseDClick(screenWindow(), Qt::LeftButton, {}, on_link);
        break;
      case Act::kRightClickHome:
        QTest::mouseClick(screenWindow(), Qt::RightButton, {}, on_link);
        break;
      case Act::kPressReleaseOutside:
        QTest::mousePress(screenWindow(), Qt::LeftButton, {}, on_link);
        QTest::mouseRelease(screenWindow(), Qt::LeftButton, {}, on_link + QPoint(0, 40));
        break;
      case Act::kTabSpace:
        // 法条依据 is the second stop: one Tab from the panel, which holds the
        // focus when the window opens.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        break;
    }
  }

  std::unique_ptr<CalculatorWindow> window_;
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
