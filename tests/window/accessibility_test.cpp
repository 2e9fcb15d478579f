// What the window tells beyond the figures it shows: the names a screen
// reader announces for its controls, and the tooltip that explains each
// result, read as the reader and the person get them, on the window as it
// opens and on the one that Clear builds afresh.
#include <QAccessible>
#include <QLabel>
#include <QTextDocument>

#include "window_driver.h"

using namespace Qt::StringLiterals;
using namespace gongshang::testing;

class AccessibilityTest : public WindowTest {
  Q_OBJECT

 private slots:
  void names_data();
  void names();
  void tooltipKeepsItsLines();
};

void AccessibilityTest::names_data() {
  QTest::addColumn<bool>("cleared");
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("name");       // empty: the control's own name, a field's
  QTest::addColumn<QString>("described");  // part of the description, if one is due

  const QString home = u"http://www.gsjs.example"_s;
  for (const bool cleared : {false, true}) {
    const char* when = cleared ? "after Clear" : "as opened";
    for (const QString& field : kInputs + kResultBoxes)
      QTest::addRow("%s, %s", qPrintable(field), when)
          << cleared << field << QString() << QString();
    QTest::addRow("法条依据, %s", when) << cleared << u"法条依据按钮"_s << u"法条依据"_s
                                        << u"在浏览器中打开法条依据网页 "_s + home + u"/Topic"_s;
    QTest::addRow("主页, %s", when) << cleared << u"主页"_s << u"主页链接：www.gsjs.example"_s
                                    << u"在浏览器中打开网站主页 "_s + home;
  }
}

void AccessibilityTest::names() {
  QFETCH(bool, cleared);
  QFETCH(QString, control);
  QFETCH(QString, name);
  QFETCH(QString, described);

  if (cleared) QVERIFY(clear());
  QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(find(control));
  QVERIFY(reader);
  const bool field = name.isEmpty();
  QCOMPARE(reader->text(QAccessible::Name), field ? control : name);
  QVERIFY(reader->text(QAccessible::Description).contains(described));

  // A field's label, and only a field's, is also handed over as labelling it:
  // for a list a reader on Linux takes the chosen item for its name and
  // announces the label from this, so it must hold once an item is chosen too.
  if (QComboBox* chosen = list(control)) chosen->setCurrentIndex(1);
  const auto labels = reader->relations(QAccessible::Label);
  QCOMPARE(labels.size(), field ? 1 : 0);
  if (!field) return;
  QCOMPARE(labels.first().first->text(QAccessible::Name), control);
  QVERIFY(qobject_cast<QLabel*>(labels.first().first->object()));
}

void AccessibilityTest::tooltipKeepsItsLines() {
  // Each line of the working arrives as written, whether or not Qt would take
  // the text for markup, and a screen reader is handed the same text without
  // markup. The own wage below 60 % gives the longest first line.
  enterWorkedExample();
  type({u"本人月均工资"_s, u"统筹月工资"_s}, {u"2000"_s, u"4672"_s});
  calculate();
  for (const QString& name : kResultBoxes) {
    QString shown = box(name)->toolTip();
    if (Qt::mightBeRichText(shown)) {
      QTextDocument document;
      document.setHtml(shown);
      shown = document.toPlainText().replace(QChar::LineSeparator, u'\n');
    }
    const QString read =
        QAccessible::queryAccessibleInterface(box(name))->text(QAccessible::Description);
    QCOMPARE(read, shown);
    QVERIFY2(shown.contains(box(name)->text()), qPrintable(name + u": "_s + shown));
  }
  const QString longest =
      u"本人月均工资 2000 低于统筹月工资 4672 的 60%，按 2803.2 取整为 2803（第六十四条）"_s;
  QVERIFY(box(u"伤残补助金"_s)->toolTip().split(u'\n').contains(longest));
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
