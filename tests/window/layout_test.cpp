// What a person sees of the window's layout, and how focus and keys move
// through it. Geometry is checked only where a slip shows: the link over the
// note, and the panel beside the scroll bar.
#include <QApplication>
#include <QDesktopServices>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QUrl>

#include "window_driver.h"

using namespace Qt::StringLiterals;
using gongshang::testing::kInputBoxes;
using gongshang::testing::kResultBoxes;

class LayoutTest : public QObject {
  Q_OBJECT

 public slots:
  void opened(const QUrl& url) { links_opened << url.toString(); }

 private slots:
  void initTestCase() { QDesktopServices::setUrlHandler(u"http"_s, this, "opened"); }
  void cleanupTestCase() { QDesktopServices::unsetUrlHandler(u"http"_s); }
  void init() {
    links_opened.clear();
    QVERIFY(ui.open());
  }
  void cleanup() { ui.close(); }

  void controls_data();
  void controls();
  void windowCentred();
  void panelBesideScrollBar();
  void onlyLinkOverlapsNote();
  void linkLiesOverNoteAddress();
  void linkHidesNoteAddressGlyphForGlyph();
  void fonts_data();
  void fonts();
  void labelsShowWholeGlyphs();
  void tabOrder_data();
  void tabOrder();
  void boxesTakeAnyText();
  void listsTakeNoTypedText();
  void enterAndEscPressNothing_data();
  void enterAndEscPressNothing();

 private:
  QWidget* panel() const { return ui.find(u"大图框"_s); }

  QStringList links_opened;
  gongshang::testing::WindowDriver ui;
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
    QVERIFY2(found.size() == 1, qPrintable(name));
    QVERIFY2(found[0]->inherits(kind.toLatin1()), qPrintable(name));
    QVERIFY2(found[0]->parentWidget() == panel(), qPrintable(name));
    if (kind == u"QLabel"_s) QVERIFY2(found[0]->focusPolicy() == Qt::NoFocus, qPrintable(name));
  }
}

void LayoutTest::windowCentred() {
  QCOMPARE(ui.window()->windowTitle(), u"计算工伤赔偿金额"_s);
  QCOMPARE(ui.window()->objectName(), u"计算工伤赔偿金额"_s);
  QCOMPARE(ui.window()->size(), QSize(691, 496));  // 10365 × 7440 twips
  const QRect screen = ui.window()->screen()->availableGeometry();
  QVERIFY((ui.window()->geometry().center() - screen.center()).manhattanLength() <= 1);
}

void LayoutTest::panelBesideScrollBar() {
  QWidget* bar = ui.find<QScrollBar>(u"滚动条"_s);
  QVERIFY(bar);
  // The window holds exactly these two; everything else lies on the panel.
  QCOMPARE(ui.window()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 2);
  QCOMPARE(bar->parentWidget(), ui.window());
  QCOMPARE(panel()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 54);

  const QRect client = ui.window()->rect();
  const QRect p = panel()->geometry();
  const QRect b = bar->geometry();
  QCOMPARE(p.topLeft(), QPoint(0, 0));
  QVERIFY(p.width() < client.width() && p.height() > client.height());
  QVERIFY(b.left() > p.right());  // in the strip right of the panel
  QVERIFY(client.contains(b));
  QCOMPARE(b.top(), 8);  // 120 twips down
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
  // Stacking: the note lies behind everything, the link in front of it.
  QCOMPARE(controls.first()->objectName(), u"Label57"_s);
  QCOMPARE(panel()->childAt(ui.find(u"主页"_s)->geometry().center())->objectName(), u"主页"_s);
}

void LayoutTest::linkLiesOverNoteAddress() {
  auto* note = ui.find<QLabel>(u"Label57"_s);
  auto* link = ui.find<QLabel>(u"主页"_s);
  QVERIFY(note && link);
  const QStringList lines = note->text().split(u'\n');
  QCOMPARE(lines.size(), 3);  // two lines, each ended, and the empty third
  QVERIFY(lines[2].isEmpty());
  QVERIFY(lines[0].contains(u"工伤赔偿计算器开发组"_s) && lines[0].contains(u"仅供参考"_s));

  const QString address = link->text();
  QCOMPARE(address, u"www.gsjs.example"_s);
  QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  QVERIFY(!link->font().underline());

  // In the note, the address follows eight full-width characters; the link
  // starts that far right of the note's left edge and one line pitch down.
  const QFontMetricsF metrics(note->font());
  QCOMPARE(lines[1].indexOf(address), 8);
  const QString invitation = lines[1].left(8);
  QCOMPARE(metrics.horizontalAdvance(invitation), 8 * 12.0);  // 8 × 180 twips
  QCOMPARE(link->x() - note->x(), 96);
  QCOMPARE(link->y() - note->y(), 16);  // 240 twips: the note's second line
  QCOMPARE(link->font(), note->font());

  // The address fits the link, and the telephone label is not hidden behind it.
  QVERIFY(metrics.horizontalAdvance(address) <= link->width());
  const qsizetype after = lines[1].indexOf(u"电话"_s);
  QVERIFY(after > 8 + address.size());
  QVERIFY(note->x() + metrics.horizontalAdvance(lines[1].left(after)) >= link->geometry().right());
  QVERIFY(lines[1].endsWith(u"010-00000000"_s));
}

void LayoutTest::fonts_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("pixels");
  QTest::addColumn<bool>("bold");
  QTest::addColumn<bool>("centred");

  QTest::newRow("title, 12 pt") << u"Label49"_s << 16 << true << true;
  QTest::newRow("heading, 10.5 pt") << u"Label47"_s << 14 << true << true;
  QTest::newRow("label, 9 pt") << u"Label2"_s << 12 << false << false;
  QTest::newRow("link") << u"主页"_s << 12 << false << false;
  QTest::newRow("result box") << u"计算辅助器具费"_s << 12 << false << false;
}

void LayoutTest::fonts() {
  QFETCH(QString, name);
  QFETCH(int, pixels);
  QFETCH(bool, bold);
  QFETCH(bool, centred);

  QWidget* control = ui.find(name);
  QVERIFY(control);
  const QFontInfo used(control->font());
  QCOMPARE(used.pixelSize(), pixels);
  QCOMPARE(used.bold(), bold);
  // A real Chinese face, with its full-width characters one em wide.
  const QFontMetricsF metrics(control->font());
  for (char16_t c : u"计算赔偿金额")
    QVERIFY2(c == 0 || metrics.inFont(QChar(c)), qPrintable(used.family()));
  QCOMPARE(qRound(metrics.horizontalAdvance(QChar(u'额'))), pixels);
  if (auto* label = qobject_cast<QLabel*>(control))
    QCOMPARE(bool(label->alignment() & Qt::AlignHCenter), centred);
}

namespace {

// Rows of an image that hold ink: pixels well away from the background.
int ink_rows(const QImage& picture, const QColor& background) {
  int rows = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QColor pixel = picture.pixelColor(x, y);
      if (qAbs(pixel.red() - background.red()) + qAbs(pixel.green() - background.green()) +
              qAbs(pixel.blue() - background.blue()) >
          96) {
        ++rows;
        break;
      }
    }
  }
  return rows;
}

}  // namespace

void LayoutTest::labelsShowWholeGlyphs() {
  // A label that cuts its text off shows fewer rows of ink than the same text
  // drawn with room to spare. One row of anti-aliased fringe may go: a bold
  // 16-pixel CJK title barely fits a 17-pixel label at all. (The note's lines
  // are checked against the link above.)
  for (QLabel* label : panel()->findChildren<QLabel*>()) {
    if (label->objectName() == u"Label57"_s) continue;
    const QColor background = label->palette().color(QPalette::Window);
    const QFontMetrics metrics(label->font());
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

void LayoutTest::linkHidesNoteAddressGlyphForGlyph() {
  // Where the link lies, the window shows ink exactly where the note alone
  // does: the blue address drawn over the black one, pixel for pixel of the
  // screen at whatever scale. Ink is measured against each text's own colour;
  // a few edge pixels differ, as blue and black blend differently.
  auto* link = ui.find<QLabel>(u"主页"_s);
  auto* note = ui.find<QLabel>(u"Label57"_s);
  const QRect place = link->geometry();
  const QImage shown = panel()->grab(place).toImage();
  link->hide();
  const QImage note_alone = panel()->grab(place).toImage();
  link->show();
  QCOMPARE(shown.size(), note_alone.size());

  const QColor background = link->palette().color(QPalette::Window);
  const auto distance = [&background](const QColor& c) {
    return qAbs(c.red() - background.red()) + qAbs(c.green() - background.green()) +
           qAbs(c.blue() - background.blue());
  };
  const auto inked = [&](const QImage& picture, QPoint at, const QWidget* writer) {
    return 2 * distance(picture.pixelColor(at)) >
           distance(writer->palette().color(QPalette::WindowText));
  };
  int ink = 0, differing = 0;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      const bool black = inked(note_alone, {x, y}, note), blue = inked(shown, {x, y}, link);
      ink += black;
      differing += black != blue;
    }
  }
  QVERIFY(ink > 0);
  QVERIFY2(differing * 20 <= ink,
           qPrintable(u"%1 of %2 pixels of ink differ"_s.arg(differing).arg(ink)));
}

void LayoutTest::tabOrder_data() {
  QTest::addColumn<bool>("forward");
  QTest::newRow("Tab") << true;
  QTest::newRow("Shift+Tab") << false;
}

void LayoutTest::tabOrder() {
  QFETCH(bool, forward);

  // Round again to the panel at the end.
  QStringList stops =
      u"大图框 法条依据按钮 营养费 计算辅助器具费 护理级别 工伤等级 本人月均工资 医疗费 "
      u"统筹月工资 停薪月数 住院天数 住宿天数 护理天数 交通费 停薪工资 合计 伤残补助金 "
      u"每月伤残津贴 护理费 辅助器具费 住院伙食补助 住宿费 计算交通费 计算医疗费 "
      u"计算营养费 清空按钮 计算按钮 滚动条 大图框"_s.split(u' ');
  if (!forward) std::reverse(stops.begin(), stops.end());

  QCOMPARE(QApplication::focusWidget(), panel());  // where the window opens
  QStringList reached{QApplication::focusWidget()->objectName()};
  for (qsizetype i = 1; i < stops.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), forward ? Qt::Key_Tab : Qt::Key_Backtab,
                    forward ? Qt::NoModifier : Qt::ShiftModifier);
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

void LayoutTest::listsTakeNoTypedText() {
  for (const QString& name : {u"工伤等级"_s, u"护理级别"_s}) {
    QComboBox* list = ui.list(name);
    QVERIFY(!list->isEditable());
    const QStringList items = ui.items(name);
    list->setFocus();
    QTest::keyClicks(list, u"abc 12"_s);
    QCOMPARE(ui.items(name), items);
    QVERIFY(items.contains(list->currentText()));
  }
}

void LayoutTest::enterAndEscPressNothing_data() {
  QTest::addColumn<QString>("focus");
  QTest::addColumn<int>("key");

  for (const QString& focus :
       {u"计算按钮"_s, u"清空按钮"_s, u"法条依据按钮"_s, u"营养费"_s, u"工伤等级"_s, u"大图框"_s}) {
    for (const auto& [label, key] :
         {std::pair{"Return", Qt::Key_Return}, std::pair{"Enter", Qt::Key_Enter},
          std::pair{"Esc", Qt::Key_Escape}}) {
      QTest::addRow("%s on %s", label, qPrintable(focus)) << focus << int(key);
    }
  }
}

void LayoutTest::enterAndEscPressNothing() {
  QFETCH(QString, focus);
  QFETCH(int, key);

  ui.enterWorkedExample();
  QWidget* calculate = ui.find(u"计算按钮"_s);
  const QStringList inputs = ui.texts(kInputBoxes);
  ui.find(focus)->setFocus();
  QTest::keyClick(ui.find(focus), static_cast<Qt::Key>(key));

  QCOMPARE(ui.find(u"计算按钮"_s), calculate);                             // not cleared
  QCOMPARE(ui.texts(kInputBoxes), inputs);                                 // not cleared
  QCOMPARE(ui.texts(kResultBoxes), QStringList(kResultBoxes.size(), {}));  // not calculated
  QCOMPARE(links_opened, QStringList{});                                   // no page opened
  QVERIFY(ui.window()->isVisible());
}

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
