// What a person sees of the window's layout, and how focus and keys move
// through it. Geometry is checked only where a slip shows: the window's size,
// place and overlaps, the panel beside the scroll bar, and the link over the note.
#include <algorithm>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>

#include "window_driver.h"

using namespace Qt::StringLiterals;
using namespace gongshang::testing;

namespace {

// How far a colour lies from another, summed over red, green and blue.
int distance(const QColor& a, const QColor& b) {
  return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue());
}

// Rows of an image that hold ink: pixels well away from the background.
int ink_rows(const QImage& picture, const QColor& background) {
  int rows = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (distance(picture.pixelColor(x, y), background) > 96) {
        ++rows;
        break;
      }
    }
  }
  return rows;
}

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(ui.open()); }
  void cleanup() { ui.close(); }

  void controls_data();
  void controls();
  void windowAndPanel();
  void onlyLinkOverlapsNote();
  void noteUnderLink();
  void fonts_data();
  void fonts();
  void labelsShowWholeGlyphs();
  void tabOrder();
  void boxesTakeAnyText();
  void enterAndEscPressNothing_data();
  void enterAndEscPressNothing();

 private:
  QWidget* panel() const { return ui.find(u"大图框"_s); }

  WindowDriver ui;
};

void LayoutTest::controls_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QStringList>("names");

  QTest::newRow("labels")
      << u"QLabel"_s
      << u"Label49 Label48 Label47 Label35 Label2 Label3 Label5 Label6 Label7 "
         u"Label8 Label9 Label4 Label38 Label11 Label10 Label34 Label36 Label24 "
         u"Label42 Label43 Label37 Label45 Label1 Label44 Label46 Label33 "
         u"Label57 主页"_s.split(u' ');
  QTest::newRow("text boxes") << u"QLineEdit"_s << kInputBoxes + kResultBoxes;
  QTest::newRow("lists") << u"QComboBox"_s << QStringList{u"工伤等级"_s, u"护理级别"_s};
  QTest::newRow("buttons") << u"QPushButton"_s
                           << QStringList{u"计算按钮"_s, u"清空按钮"_s, u"法条依据按钮"_s};
}

void LayoutTest::controls() {
  QFETCH(QString, kind);
  QFETCH(QStringList, names);

  for (const QString& name : names) {
    const QList<QWidget*> found = ui.window()->findChildren<QWidget*>(name);
    QVERIFY2(found.size() == 1 && found[0]->inherits(kind.toLatin1()) &&
                 found[0]->parentWidget() == panel(),
             qPrintable(name));
    // A list offers its items and takes no typed text.
    if (auto* list = qobject_cast<QComboBox*>(found[0]))
      QVERIFY2(!list->isEditable(), qPrintable(name));
  }
}

void LayoutTest::windowAndPanel() {
  QCOMPARE(ui.window()->windowTitle(), u"计算工伤赔偿金额"_s);
  QCOMPARE(ui.window()->objectName(), u"计算工伤赔偿金额"_s);
  QCOMPARE(ui.window()->size(), QSize(691, 496));  // 10365 × 7440 twips
  QVERIFY(ui.centred());

  // The window holds exactly these two; everything else lies on the panel.
  auto* bar = ui.find<QScrollBar>(u"滚动条"_s);
  QVERIFY(bar);
  QCOMPARE(ui.window()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 2);
  QCOMPARE(bar->parentWidget(), ui.window());
  QCOMPARE(panel()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 54);

  // The panel from the top left, taller than the window; the bar in the
  // strip right of it, 120 twips down and short.
  const QRect client = ui.window()->rect(), p = panel()->geometry(), b = bar->geometry();
  QCOMPARE(p.topLeft(), QPoint(0, 0));
  QVERIFY(p.width() < client.width() && p.height() > client.height());
  QVERIFY(b.left() > p.right() && client.contains(b));
  QCOMPARE(b.top(), 8);
  QVERIFY(b.height() < client.height() / 4);
}

void LayoutTest::onlyLinkOverlapsNote() {
  const QList<QWidget*> controls = panel()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  QStringList overlapping;
  for (qsizetype i = 0; i < controls.size(); ++i) {
    for (qsizetype j = i + 1; j < controls.size(); ++j) {
      if (controls[i]->geometry().intersects(controls[j]->geometry()))
        overlapping << controls[i]->objectName() + u'/' + controls[j]->objectName();
    }
  }
  QCOMPARE(overlapping, QStringList{u"Label57/主页"_s});
}

void LayoutTest::noteUnderLink() {
  // The note credits the project, and its telephone is the placeholder.
  auto* note = ui.find<QLabel>(u"Label57"_s);
  const QStringList lines = note->text().split(u'\n');
  QVERIFY(lines[0].contains(u"工伤赔偿计算器开发组"_s) && lines[0].contains(u"仅供参考"_s));
  QVERIFY(lines[1].endsWith(u"电话：010-00000000"_s));

  auto* link = ui.find<QLabel>(u"主页"_s);
  QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  QVERIFY(QFontMetricsF(link->font()).horizontalAdvance(link->text()) <= link->width());

  // Where the link lies, the window shows ink exactly where the note alone
  // does: the blue address drawn over the black one, pixel for pixel of the
  // screen at whatever scale. Ink is measured against each text's own colour;
  // a few edge pixels differ, as blue and black blend differently.
  const QRect place = link->geometry();
  const QImage shown = panel()->grab(place).toImage();
  link->hide();
  const QImage note_alone = panel()->grab(place).toImage();
  link->show();
  QCOMPARE(shown.size(), note_alone.size());

  const QColor background = link->palette().color(QPalette::Window);
  const auto inked = [&](const QImage& picture, QPoint at, const QWidget* writer) {
    return 2 * distance(picture.pixelColor(at), background) >
           distance(writer->palette().color(QPalette::WindowText), background);
  };
  int ink = 0, differing = 0, black_end = -1, blue_end = -1;  // the last columns of ink
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      const bool black = inked(note_alone, {x, y}, note), blue = inked(shown, {x, y}, link);
      ink += black;
      differing += black != blue;
      if (black) black_end = std::max(black_end, x);
      if (blue) blue_end = std::max(blue_end, x);
    }
  }
  QVERIFY(ink > 0);
  QVERIFY2(differing * 20 <= ink,
           qPrintable(u"%1 of %2 pixels of ink differ"_s.arg(differing).arg(ink)));
  // Nothing of the note but the address lies under the link, which would hide
  // it: the telephone after it starts clear of the link's right edge.
  QVERIFY2(
      black_end <= blue_end + 1,
      qPrintable(u"the note's ink ends at %1, the address at %2"_s.arg(black_end).arg(blue_end)));
}

void LayoutTest::fonts_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("pixels");
  QTest::addColumn<bool>("bold");
  QTest::addColumn<bool>("centred");

  QTest::newRow("title, 12 pt") << u"Label49"_s << 16 << true << true;
  QTest::newRow("heading, 10.5 pt") << u"Label47"_s << 14 << true << true;
  QTest::newRow("label, 9 pt") << u"Label2"_s << 12 << false << false;
}

void LayoutTest::fonts() {
  QFETCH(QString, name);
  QFETCH(int, pixels);
  QFETCH(bool, bold);
  QFETCH(bool, centred);

  auto* label = ui.find<QLabel>(name);
  QVERIFY(label);
  const QFontInfo used(label->font());
  QCOMPARE(used.pixelSize(), pixels);
  QCOMPARE(used.bold(), bold);
  QCOMPARE(bool(label->alignment() & Qt::AlignHCenter), centred);
}

void LayoutTest::labelsShowWholeGlyphs() {
  // Every character comes from a face that has it: "宋体" stands for a real
  // Chinese face. A label that cuts its text off shows fewer rows of ink than
  // the same text drawn with room to spare. One row of anti-aliased fringe may
  // go: a bold 16-pixel CJK title barely fits a 17-pixel label at all. (The
  // note's lines are checked against the link above.)
  for (QLabel* label : panel()->findChildren<QLabel*>()) {
    if (label->objectName() == u"Label57"_s) continue;
    const QColor background = label->palette().color(QPalette::Window);
    const QFontMetrics metrics(label->font());
    for (QChar c : label->text())
      QVERIFY2(metrics.inFont(c), qPrintable(label->objectName() + u": "_s + c));
    QImage free_text(metrics.horizontalAdvance(label->text()) + 8, 3 * metrics.height(),
                     QImage::Format_RGB32);
    free_text.fill(background);
    QPainter painter(&free_text);
    painter.setFont(label->font());
    painter.setPen(label->palette().color(QPalette::WindowText));
    painter.drawText(4, metrics.height() + metrics.ascent(), label->text());
    painter.end();

    const int shown = ink_rows(label->grab().toImage(), background);
    const int whole = ink_rows(free_text, background);
    QVERIFY2(shown >= whole - 1,
             qPrintable(u"%1: %2 of %3 rows"_s.arg(label->objectName()).arg(shown).arg(whole)));
  }
}

void LayoutTest::tabOrder() {
  // From the panel, where the window opens, round again to the panel.
  const QStringList stops =
      u"大图框 法条依据按钮 营养费 计算辅助器具费 护理级别 工伤等级 本人月均工资 医疗费 "
      u"统筹月工资 停薪月数 住院天数 住宿天数 护理天数 交通费 停薪工资 合计 伤残补助金 "
      u"每月伤残津贴 护理费 辅助器具费 住院伙食补助 住宿费 计算交通费 计算医疗费 "
      u"计算营养费 清空按钮 计算按钮 滚动条 大图框"_s.split(u' ');
  QStringList reached{QApplication::focusWidget()->objectName()};
  for (qsizetype i = 1; i < stops.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    reached << QApplication::focusWidget()->objectName();
  }
  QCOMPARE(reached, stops);
}

void LayoutTest::boxesTakeAnyText() {
  // Every box, the results too, takes typing; a long paste arrives whole.
  const QString long_text(40000, u'9');
  for (const QString& name : kInputBoxes + kResultBoxes) {
    QLineEdit* box = ui.box(name);
    QVERIFY2(box->text().isEmpty() && !box->isReadOnly(), qPrintable(name));
    QTest::keyClicks(box, u"12.5"_s);
    QCOMPARE(box->text(), u"12.5"_s);
    box->setText(long_text);
    QCOMPARE(box->text().size(), long_text.size());
  }
}

void LayoutTest::enterAndEscPressNothing_data() {
  QTest::addColumn<QString>("focus");
  QTest::addColumn<int>("key");

  // Each button, and a box whose window would receive the keys it ignores.
  for (const QString& focus : {u"计算按钮"_s, u"清空按钮"_s, u"法条依据按钮"_s, u"营养费"_s}) {
    QTest::addRow("Enter on %s", qPrintable(focus)) << focus << int(Qt::Key_Return);
    QTest::addRow("Esc on %s", qPrintable(focus)) << focus << int(Qt::Key_Escape);
  }
}

void LayoutTest::enterAndEscPressNothing() {
  QFETCH(QString, focus);
  QFETCH(int, key);

  const UrlCatcher browser;
  QWidget* calculate = ui.find(u"计算按钮"_s);
  ui.find(focus)->setFocus();
  QTest::keyClick(ui.find(focus), static_cast<Qt::Key>(key));

  QCOMPARE(ui.find(u"计算按钮"_s), calculate);                             // not cleared
  QCOMPARE(ui.texts(kResultBoxes), QStringList(kResultBoxes.size(), {}));  // not calculated
  QCOMPARE(browser.opened, QStringList{});                                 // no page opened
  QVERIFY(ui.window()->isVisible());                                       // not closed
}

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
