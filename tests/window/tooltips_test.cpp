// The working behind each result, in its tooltip: the rule in words while the
// field shows no figure of a calculation, the figures used once it does.
// Tooltips are read as a person sees them: shown, and taken back to text.
#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>

#include "window_driver.h"
// moc cannot read the engine's Chinese identifiers, and needs none of them.
#ifndef Q_MOC_RUN
#include "explanation.h"
#endif

using namespace Qt::StringLiterals;
using gongshang::testing::kResultBoxes;

class TooltipsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(ui.open()); }
  void cleanup() {
    QToolTip::hideText();
    ui.close();
  }

  void rules_data();
  void rules();
  void working_data();
  void working();

 private:
  // The tooltip shown while the mouse rests on a result box, as plain text,
  // or a marker if none shows or a screen reader is handed something else.
  QString shownTip(const QString& name) const;

  gongshang::testing::WindowDriver ui;
};

QString TooltipsTest::shownTip(const QString& name) const {
  QWidget* field = ui.find(name);
  const QPoint at(4, 4);
  QHelpEvent hover(QEvent::ToolTip, at, field->mapToGlobal(at));
  QApplication::sendEvent(field, &hover);
  if (!QToolTip::isVisible()) return u"<no tooltip>"_s;
  // Read the way the tooltip's label reads it: as markup if it looks like some.
  QString shown = QToolTip::text();
  if (Qt::mightBeRichText(shown)) {
    QTextDocument document;
    document.setHtml(shown);
    shown = document.toPlainText().replace(QChar::LineSeparator, u'\n');
  }
  const QString read = QAccessible::queryAccessibleInterface(field)->text(QAccessible::Description);
  return read == shown ? shown : u"<a screen reader reads: %1>"_s.arg(read);
}

void TooltipsTest::rules_data() {
  QTest::addColumn<bool>("cleared");
  QTest::newRow("as opened") << false;
  QTest::newRow("after a calculation and Clear") << true;
}

void TooltipsTest::rules() {
  QFETCH(bool, cleared);

  if (cleared) {
    ui.enterWorkedExample();
    ui.click(u"计算按钮"_s);
    ui.click(u"清空按钮"_s);
    QTRY_VERIFY(ui.list(u"工伤等级"_s)->count() > 0);
  }
  for (qsizetype i = 0; i < kResultBoxes.size(); ++i) {
    const std::u16string_view rule =
        gongshang::rule_in_words(static_cast<gongshang::ResultField>(i));
    QCOMPARE(shownTip(kResultBoxes[i]), QString::fromUtf16(rule.data(), rule.size()));
  }
}

void TooltipsTest::working_data() {
  QTest::addColumn<QString>("own");
  QTest::addColumn<QString>("pooling");
  QTest::addColumn<QString>("line");  // a whole line of 伤残补助金's tooltip

  QTest::newRow("worked example")
      << u"3500"_s << u"4000"_s
      << u"本人工资 3500 × 18 个月 = 63000（《工伤保险条例》第三十六条）"_s;
  QTest::newRow("own wage below 60 %")
      << u"2000"_s << u"4672"_s
      << u"本人月均工资 2000 低于统筹月工资 4672 的 60%，按 2803.2 取整为 2803（第六十四条）"_s;
}

void TooltipsTest::working() {
  QFETCH(QString, own);
  QFETCH(QString, pooling);
  QFETCH(QString, line);

  ui.enterWorkedExample();
  ui.type({u"本人月均工资"_s, u"统筹月工资"_s}, {own, pooling});
  ui.click(u"计算按钮"_s);

  const QStringList lines = shownTip(u"伤残补助金"_s).split(u'\n');
  QVERIFY2(lines.contains(line), qPrintable(lines.join(u" / "_s)));
  // The figures in a tooltip are the very texts the fields show.
  for (const QString& name : kResultBoxes) {
    const QString tip = shownTip(name);
    QVERIFY2(tip.contains(ui.box(name)->text()), qPrintable(name + u": "_s + tip));
  }
}

QTEST_MAIN(TooltipsTest)
#include "tooltips_test.moc"
