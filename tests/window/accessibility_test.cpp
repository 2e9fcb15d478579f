// What the window tells beyond its figures: the names a screen reader
// announces, and the tooltip that explains each result.
#include <QAccessible>
#include <QLabel>
#include <QTextDocument>

#include "window_driver.h"

using namespace Qt::StringLiterals;
using namespace gongshang::testing;

class AccessibilityTest : public WindowTest {
  Q_OBJECT

 private slots:
  void names() {
    // The two that leave for the browser: the name a reader announces, and
    // what its description tells.
    const QString home = u"http://www.gsjs.example"_s;
    const QList<QStringList> links = {
        {u"法条依据按钮"_s, u"法条依据"_s, u"在浏览器中打开法条依据网页 "_s + home + u"/Topic"_s},
        {u"主页"_s, u"主页链接：www.gsjs.example"_s, u"在浏览器中打开网站主页 "_s + home}};
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
    for (const QStringList& link : links) {
      QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(find(link[0]));
      QCOMPARE(reader->text(QAccessible::Name), link[1]);
      QVERIFY2(reader->text(QAccessible::Description).contains(link[2]), qPrintable(link[0]));
      QVERIFY2(reader->relations(QAccessible::Label).isEmpty(), qPrintable(link[0]));
    }
  }

  void tooltipKeepsItsLines() {
    // The working arrives as written, whether or not Qt would take the text
    // for markup, and a screen reader is handed the same text without markup.
    enterWorkedExample();
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
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
