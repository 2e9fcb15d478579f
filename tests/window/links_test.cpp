// The two web links and the cursor over 主页. Mouse events go through the
// window system layer, reaching whichever control lies on top, as a click.
#define QTEST_QPA_MOUSE_HANDLING
#include <QApplication>

#include "window_driver.h"

using namespace Qt::StringLiterals;
using namespace gongshang::testing;

namespace {

const QString kHome = u"http://www.gsjs.example"_s;
const QString kArticle = u"http://www.gsjs.example/Topic.aspx?Id=15599"_s;

enum class Act { kClickTwice, kDoubleClickHome, kRightClickHome, kPressReleaseOutside, kTabSpace };

}  // namespace

Q_DECLARE_METATYPE(Act)

class LinksTest : public WindowTest {
  Q_OBJECT

 private slots:
  void handOver_data() {
    // After Clear the same load() builds them; commands_test holds that Clear does.
    QTest::addColumn<Act>("act");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("click 主页 twice") << Act::kClickTwice << QStringList{kHome, kHome};
    QTest::newRow("double-click 主页") << Act::kDoubleClickHome << QStringList{kHome};
    QTest::newRow("right click 主页") << Act::kRightClickHome << QStringList{};
    QTest::newRow("press 主页, let go elsewhere") << Act::kPressReleaseOutside << QStringList{};
    QTest::newRow("Tab then Space") << Act::kTabSpace << QStringList{kArticle};
  }

  void handOver() {
    QFETCH(Act, act);
    QFETCH(QStringList, opened);
    const UrlCatcher browser;
    // The hand shows over the link, set by every move, not only the one that
    // enters it; a move opens nothing.
    QWidget* link = find(u"主页"_s);
    for (const QPoint at : {QPoint(5, 5), QPoint(30, 8)}) {
      link->unsetCursor();
      QTest::mouseMove(screenWindow(), onHome(at));
      QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    }
    // Set on the link alone: the rest of the window keeps its ordinary cursor.
    for (QWidget* other : {find(u"Label57"_s), find(u"大图框"_s), find(u"法条依据按钮"_s),
                           static_cast<QWidget*>(window())})
      QVERIFY2(!other->testAttribute(Qt::WA_SetCursor), qPrintable(other->objectName()));

    perform(act);
    QCOMPARE(browser.opened, opened);
  }

 private:
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
};

QTEST_MAIN(LinksTest)
#include "links_test.moc"
