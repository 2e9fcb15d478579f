// The two web links and the cursor over 主页. Mouse events go through the
// window system layer, so they reach whichever control lies on top at that
// point, as a real click would.
#define QTEST_QPA_MOUSE_HANDLING
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include "window_driver.h"

using namespace Qt::StringLiterals;

namespace {

// Stands in for the browser: records every address handed to the desktop.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QStringList opened;

 public slots:
  void open(const QUrl& url) { opened << url.toString(QUrl::FullyEncoded); }
};

const QString kHome = u"http://www.gsjs.example"_s;
const QString kArticle = u"http://www.gsjs.example/Topic.aspx?Id=15599"_s;

enum class Act { kClickHome, kRightClickHome, kPressHomeReleaseOutside, kClickButton, kTabSpace };

}  // namespace

Q_DECLARE_METATYPE(Act)

class LinksTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QDesktopServices::setUrlHandler(u"http"_s, &catcher, "open"); }
  void cleanupTestCase() { QDesktopServices::unsetUrlHandler(u"http"_s); }
  void init() {
    catcher.opened.clear();
    QVERIFY(ui.open());
  }
  void cleanup() { ui.close(); }

  void handOver_data();
  void handOver();
  void handCursor_data();
  void handCursor();

 private:
  QWidget* home() const { return ui.find(u"主页"_s); }
  QWindow* screenWindow() const { return ui.window()->windowHandle(); }
  // A point of widget w in window coordinates, for the window-level events.
  QPoint at(QWidget* w, QPoint local) const { return w->mapTo(ui.window(), local); }
  void clear() {
    ui.click(u"清空按钮"_s);
    QTRY_VERIFY(ui.list(u"工伤等级"_s)->count() > 0);
  }
  void perform(Act act);

  UrlCatcher catcher;
  gongshang::testing::WindowDriver ui;
};

void LinksTest::perform(Act act) {
  QWidget* link = home();
  // Where the blue address is drawn: over the note, so this also shows the
  // link is in front of it.
  const QPoint on_link = at(link, QPoint(20, link->height() / 2));
  switch (act) {
    case Act::kClickHome:
      QTest::mouseClick(screenWindow(), Qt::LeftButton, {}, on_link);
      break;
    case Act::kRightClickHome:
      QTest::mouseClick(screenWindow(), Qt::RightButton, {}, on_link);
      break;
    case Act::kPressHomeReleaseOutside:
      QTest::mousePress(screenWindow(), Qt::LeftButton, {}, on_link);
      QTest::mouseRelease(screenWindow(), Qt::LeftButton, {}, on_link + QPoint(0, 40));
      break;
    case Act::kClickButton:
      QTest::mouseClick(ui.find(u"法条依据按钮"_s), Qt::LeftButton);
      break;
    case Act::kTabSpace:
      // The button is the second stop: one Tab from the panel, which holds
      // the focus when the window opens.
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
      break;
  }
}

void LinksTest::handOver_data() {
  QTest::addColumn<Act>("act");
  QTest::addColumn<int>("times");
  QTest::addColumn<bool>("cleared");
  QTest::addColumn<QStringList>("opened");

  QTest::newRow("click 主页") << Act::kClickHome << 1 << false << QStringList{kHome};
  QTest::newRow("click 主页 twice") << Act::kClickHome << 2 << false << QStringList{kHome, kHome};
  QTest::newRow("right click 主页") << Act::kRightClickHome << 1 << false << QStringList{};
  QTest::newRow("press 主页, let go elsewhere")
      << Act::kPressHomeReleaseOutside << 1 << false << QStringList{};
  QTest::newRow("click 法条依据") << Act::kClickButton << 1 << false << QStringList{kArticle};
  QTest::newRow("Tab then Space") << Act::kTabSpace << 1 << false << QStringList{kArticle};
  QTest::newRow("click 主页 after Clear") << Act::kClickHome << 1 << true << QStringList{kHome};
  QTest::newRow("Tab then Space after Clear")
      << Act::kTabSpace << 1 << true << QStringList{kArticle};
}

void LinksTest::handOver() {
  QFETCH(Act, act);
  QFETCH(int, times);
  QFETCH(bool, cleared);
  QFETCH(QStringList, opened);

  if (cleared) clear();
  for (int i = 0; i < times; ++i) perform(act);
  QCOMPARE(catcher.opened, opened);
}

void LinksTest::handCursor_data() {
  QTest::addColumn<bool>("cleared");
  QTest::newRow("as opened") << false;
  QTest::newRow("after Clear") << true;
}

void LinksTest::handCursor() {
  QFETCH(bool, cleared);
  if (cleared) clear();

  QWidget* link = home();
  QVERIFY(link->hasMouseTracking());
  QTest::mouseMove(screenWindow(), at(link, QPoint(5, 5)));
  QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);

  // Every move sets it, not only the one that enters the label.
  link->unsetCursor();
  QTest::mouseMove(screenWindow(), at(link, QPoint(30, 8)));
  QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);

  // Elsewhere the ordinary cursor: nothing else was given a cursor of its own.
  QTest::mouseMove(screenWindow(), at(ui.find(u"Label57"_s), QPoint(5, 5)));
  for (const char16_t* other : {u"Label57", u"大图框", u"法条依据按钮"})
    QVERIFY2(!ui.find(QString::fromUtf16(other))->testAttribute(Qt::WA_SetCursor),
             qPrintable(QString::fromUtf16(other)));
  QVERIFY(!ui.window()->testAttribute(Qt::WA_SetCursor));
  QVERIFY(catcher.opened.isEmpty());
}

QTEST_MAIN(LinksTest)
#include "links_test.moc"
