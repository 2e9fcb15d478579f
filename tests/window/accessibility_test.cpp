// What a screen reader announces for the window's controls, read through
// QAccessible as the reader gets it, on the window as it opens and on the
// one that Clear builds afresh.
#include <QAccessible>
#include <QLabel>

#include "window_driver.h"

using namespace Qt::StringLiterals;
using gongshang::testing::kInputBoxes;
using gongshang::testing::kResultBoxes;

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(ui.open()); }
  void cleanup() { ui.close(); }

  void names_data();
  void names();

 private:
  gongshang::testing::WindowDriver ui;
};

void AccessibilityTest::names_data() {
  QTest::addColumn<bool>("cleared");
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("described");  // part of the description, if one is due
  QTest::addColumn<bool>("labelled");      // by a label beside it

  // Every field is named by its label, whose text is the field's name.
  const QStringList fields = QStringList{u"工伤等级"_s, u"护理级别"_s} + kInputBoxes + kResultBoxes;
  const QString home = u"http://www.gsjs.example"_s;
  for (const bool cleared : {false, true}) {
    const char* when = cleared ? "after Clear" : "as opened";
    for (const QString& field : fields)
      QTest::addRow("%s, %s", qPrintable(field), when)
          << cleared << field << field << QString() << true;
    QTest::addRow("计算, %s", when) << cleared << u"计算按钮"_s << u"计算"_s << QString() << false;
    QTest::addRow("清空, %s", when) << cleared << u"清空按钮"_s << u"清空"_s << QString() << false;
    QTest::addRow("法条依据, %s", when)
        << cleared << u"法条依据按钮"_s << u"法条依据"_s
        << u"在浏览器中打开法条依据网页 "_s + home + u"/Topic"_s << false;
    QTest::addRow("主页, %s", when) << cleared << u"主页"_s << u"主页链接：www.gsjs.example"_s
                                    << u"在浏览器中打开网站主页 "_s + home << false;
    QTest::addRow("panel, %s", when)
        << cleared << u"大图框"_s << u"计算工伤赔偿金额"_s << QString() << false;
    QTest::addRow("scroll bar, %s", when)
        << cleared << u"滚动条"_s << u"窗口内容"_s << u"上下移动窗口内容"_s << false;
  }
}

void AccessibilityTest::names() {
  QFETCH(bool, cleared);
  QFETCH(QString, control);
  QFETCH(QString, name);
  QFETCH(QString, described);
  QFETCH(bool, labelled);

  if (cleared) {
    ui.enterWorkedExample();
    ui.click(u"计算按钮"_s);
    ui.click(u"清空按钮"_s);
    QTRY_VERIFY(ui.list(u"工伤等级"_s)->count() > 0);
  }
  QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(ui.find(control));
  QVERIFY(reader);
  QCOMPARE(reader->text(QAccessible::Name), name);
  if (!described.isEmpty()) QVERIFY(reader->text(QAccessible::Description).contains(described));

  // A field's label is also handed over as labelling it: for a list a reader
  // on Linux takes the chosen item for its name and announces the label from
  // this, so it must hold once an item is chosen too.
  if (auto* list = ui.list(control)) list->setCurrentIndex(1);
  const auto labels = reader->relations(QAccessible::Label);
  QCOMPARE(labels.size(), labelled ? 1 : 0);
  if (!labelled) return;
  QCOMPARE(labels.first().first->text(QAccessible::Name), name);
  QVERIFY(qobject_cast<QLabel*>(labels.first().first->object()));
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
