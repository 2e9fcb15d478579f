// What the window tells beyond the figures it shows: the names a screen
// reader announces for its controls, and the tooltip that explains each
// result. Both are read as the reader and the person get them, on the window
// as it opens and on the one that Clear builds afresh.
#include <QAccessible>
#include <QLabel>
#include <QTextDocument>

#include "engine/explanation.h"
#include "window_driver.h"

using namespace Qt::StringLiterals;
using namespace gongshang::testing;

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(ui.open()); }
  void cleanup() { ui.close(); }

  void names_data();
  void names();
  void rules_data();
  void rules();
  void working_data();
  void working();

 private:
  // The tooltip of a field as plain text, read the way the tooltip's label
  // reads it (as markup if it looks like some), or a marker if a screen reader
  // is handed something else.
  QString tip(const QString& name) const;
  void calculateAndClear() {
    ui.enterWorkedExample();
    ui.click(u"计算按钮"_s);
    QVERIFY(ui.clear());
  }

  WindowDriver ui;
};

void AccessibilityTest::names_data() {
  QTest::addColumn<bool>("cleared");
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("described");  // part of the description, if one is due

  // Every field is named by its label, whose text is the field's name.
  const QStringList fields = QStringList{u"工伤等级"_s, u"护理级别"_s} + kInputBoxes + kResultBoxes;
  const QString home = u"http://www.gsjs.example"_s;
  for (const bool cleared : {false, true}) {
    const char* when = cleared ? "after Clear" : "as opened";
    for (const QString& field : fields)
      QTest::addRow("%s, %s", qPrintable(field), when) << cleared << field << field << QString();
    QTest::addRow("计算, %s", when) << cleared << u"计算按钮"_s << u"计算"_s << QString();
    QTest::addRow("法条依据, %s", when) << cleared << u"法条依据按钮"_s << u"法条依据"_s
                                        << u"在浏览器中打开法条依据网页 "_s + home + u"/Topic"_s;
    QTest::addRow("主页, %s", when) << cleared << u"主页"_s << u"主页链接：www.gsjs.example"_s
                                    << u"在浏览器中打开网站主页 "_s + home;
    QTest::addRow("panel, %s", when)
        << cleared << u"大图框"_s << u"计算工伤赔偿金额"_s << QString();
    QTest::addRow("scroll bar, %s", when)
        << cleared << u"滚动条"_s << u"窗口内容"_s << u"上下移动窗口内容"_s;
  }
}

void AccessibilityTest::names() {
  QFETCH(bool, cleared);
  QFETCH(QString, control);
  QFETCH(QString, name);
  QFETCH(QString, described);

  if (cleared) calculateAndClear();
  QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(ui.find(control));
  QVERIFY(reader);
  QCOMPARE(reader->text(QAccessible::Name), name);
  if (!described.isEmpty()) QVERIFY(reader->text(QAccessible::Description).contains(described));

  // A field's label, and only a field's, is also handed over as labelling it:
  // for a list a reader on Linux takes the chosen item for its name and
  // announces the label from this, so it must hold once an item is chosen too.
  const bool field = ui.box(control) || ui.list(control);
  if (auto* list = ui.list(control)) list->setCurrentIndex(1);
  const auto labels = reader->relations(QAccessible::Label);
  QCOMPARE(labels.size(), field ? 1 : 0);
  if (!field) return;
  QCOMPARE(labels.first().first->text(QAccessible::Name), name);
  QVERIFY(qobject_cast<QLabel*>(labels.first().first->object()));
}

QString AccessibilityTest::tip(const QString& name) const {
  QString shown = ui.box(name)->toolTip();
  if (Qt::mightBeRichText(shown)) {
    QTextDocument document;
    document.setHtml(shown);
    shown = document.toPlainText().replace(QChar::LineSeparator, u'\n');
  }
  const QString read =
      QAccessible::queryAccessibleInterface(ui.box(name))->text(QAccessible::Description);
  return read == shown ? shown : u"<a screen reader reads: %1>"_s.arg(read);
}

void AccessibilityTest::rules_data() {
  QTest::addColumn<bool>("cleared");
  QTest::newRow("as opened") << false;
  QTest::newRow("after a calculation and Clear") << true;
}

void AccessibilityTest::rules() {
  QFETCH(bool, cleared);

  // While a result shows no figure of a calculation, its tooltip tells the rule.
  if (cleared) calculateAndClear();
  for (qsizetype i = 0; i < kResultBoxes.size(); ++i) {
    const std::string_view rule = gongshang::rule_in_words(static_cast<gongshang::Result>(i));
    QCOMPARE(tip(kResultBoxes[i]), QString::fromUtf8(rule.data(), rule.size()));
  }
}

void AccessibilityTest::working_data() {
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

void AccessibilityTest::working() {
  QFETCH(QString, own);
  QFETCH(QString, pooling);
  QFETCH(QString, line);

  ui.enterWorkedExample();
  ui.type({u"本人月均工资"_s, u"统筹月工资"_s}, {own, pooling});
  ui.click(u"计算按钮"_s);

  const QStringList lines = tip(u"伤残补助金"_s).split(u'\n');
  QVERIFY2(lines.contains(line), qPrintable(lines.join(u" / "_s)));
  // The figures in a tooltip are the very texts the fields show.
  for (const QString& name : kResultBoxes) {
    const QString shown = tip(name);
    QVERIFY2(shown.contains(ui.box(name)->text()), qPrintable(name + u": "_s + shown));
  }
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
