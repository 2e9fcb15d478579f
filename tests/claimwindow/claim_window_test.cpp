// gongshang-claim's window driven as a person drives it: worked cases, a
// marked field, a case saved and opened again.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include "window_driver.h"

using namespace Qt::StringLiterals;

namespace gongshang::claimwindow {

namespace {

// A results table, a line a row: item, amount, payer, how long a monthly item runs.
QStringList rows(const ClaimWindow& window, const QString& table_name) {
  const auto* table = window.findChild<QTableWidget*>(table_name);
  QStringList out;
  for (int row = 0; row < table->rowCount(); ++row) {
    QStringList cells;
    for (int column : {0, 1, 2, 5})
      if (!table->isColumnHidden(column) && !table->item(row, column)->text().isEmpty())
        cells << table->item(row, column)->text();
    out << cells.join(u' ').replace(u'\n', u' ');
  }
  return out;
}

// 浙江 七, two whole years before retirement: the employment subsidy cut to 40 %
// (浙江 Art. 27; the amounts are tests/claim's, here only where they show).
const Typing kZhejiangSeven = {
    {u"地区"_s, u"浙江"_s},         {u"工伤等级"_s, u"七"_s},
    {u"本人月均工资"_s, u"6000"_s}, {u"统筹月工资"_s, u"５０００"_s},
    {u"全省月工资"_s, u"7000"_s},   {u"出生日期"_s, u"1966-05-15"_s},
    {u"原退休年龄"_s, u"60"_s},     {u"解除日期"_s, u"2023年10月15日"_s},
};
const QStringList kZhejiangSevenOnce = {
    u"一次性伤残补助金 78,000.00 基金"_s, u"一次性工伤医疗补助金 70,000.00 基金"_s,
    u"一次性伤残就业补助金 28,000.00 用人单位"_s,
    u"一次性合计 176,000.00 基金 148,000.00 用人单位 28,000.00"_s};

// A death in 2024: the pensions are held to the wage.
const Typing kDeath = {
    {u"本人月均工资"_s, u"6000"_s}, {u"统筹月工资"_s, u"5000"_s},     {u"医疗费"_s, u"20000"_s},
    {u"工亡"_s, u"是"_s},           {u"死亡日期"_s, u"2024-06-10"_s}, {u"配偶"_s, u"1"_s},
    {u"其他供养亲属"_s, u"2"_s},    {u"孤寡加发人数"_s, u"1"_s},
};
const QStringList kDeathMonthly = {
    u"供养亲属抚恤金 6,000.00 基金 每名供养亲属按月领取，至其不再符合供养条件"_s,
    u"每月合计 6,000.00 基金 6,000.00 用人单位 0.00"_s};

}  // namespace

class ClaimWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void zhejiangGradeSevenLeavingEmployment() {
    auto window = new_window();
    fill(*window, kZhejiangSeven);
    QCOMPARE(rows(*window, u"一次性待遇"_s), kZhejiangSevenOnce);
    QCOMPARE(rows(*window, u"按月待遇"_s), QStringList{u"每月合计 0.00 基金 0.00 用人单位 0.00"_s});
    QCOMPARE(window->findChild<QLabel*>(u"数据状态"_s)->text().left(5), u"条文已核对"_s);
    // Under each field its help for the item chosen, and where a figure is published.
    const auto* grade = window->findChild<QLabel*>(u"工伤等级说明"_s);
    QVERIFY(grade->isVisible() && grade->text().contains(u"第三十七条"_s));
    window->findChild<QToolButton*>(u"统筹月工资在哪里查"_s)->click();
    QVERIFY(window->findChild<QLabel*>(u"统筹月工资查找"_s)->isVisible());
  }

  void deathCase() {
    auto window = new_window();
    QVERIFY(!window->findChild<QWidget*>(u"死亡日期"_s)->isVisible());
    fill(*window, kDeath);
    QVERIFY(window->findChild<QWidget*>(u"死亡日期"_s)->isVisible());
    QCOMPARE(rows(*window, u"按月待遇"_s), kDeathMonthly);
    // The worker's own costs apart from the family's benefits.
    QCOMPARE(rows(*window, u"本人尚未支付的项目"_s),
             (QStringList{u"医疗费 （如尚未支付） 20,000.00 基金"_s,
                          u"合计（如尚未支付） 20,000.00 基金 20,000.00 用人单位 0.00"_s}));

    // An empty pooling wage: its items unknown, said under the field, no mark.
    window->findChild<QLineEdit*>(u"统筹月工资"_s)->clear();
    QVERIFY(window->statement() != nullptr);
    QCOMPARE(rows(*window, u"一次性待遇"_s).first(), u"丧葬补助金 未知 基金"_s);
    QVERIFY(window->findChild<QLabel*>(u"统筹月工资问题"_s)->text().contains(u"丧葬补助金"_s));
  }

  // Every unreadable field marked, no dialog, and no figures read some other way.
  void unreadableFieldsAreMarkedAtTheField() {
    auto window = new_window();
    fill(*window, {{u"医疗费"_s, u"1,00"_s}, {u"出生日期"_s, u"2025-02-30"_s}});
    for (const QString& name : {u"医疗费"_s, u"出生日期"_s}) {
      const auto* reason = window->findChild<QLabel*>(name + u"问题"_s);
      QVERIFY2(reason->isVisible() && !reason->text().isEmpty(), qPrintable(name));
      QCOMPARE(window->findChild<QWidget*>(name)->accessibleDescription(), reason->text());
    }
    QVERIFY(window->statement() == nullptr);
    QCOMPARE(window->problem(), u"请先改正标红的栏目：出生日期、医疗费"_s);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);

    window->findChild<QLineEdit*>(u"医疗费"_s)->clear();
    fill(*window, {{u"医疗费"_s, u"１０００"_s}});
    QVERIFY(!window->findChild<QLabel*>(u"医疗费问题"_s)->isVisible());
  }

  void savedCaseOpensToTheSameClaimAndBadFilesChangeNothing() {
    QTemporaryDir dir;
    auto first = new_window();
    fill(*first, kZhejiangSeven);
    fill(*first, kDeath);
    const QString path = dir.filePath(u"case.json"_s);
    fill(*first, {{u"死亡情形"_s, u"因工死亡"_s}});
    QCOMPARE(first->saveCase(path), QString());

    auto second = new_window();
    QCOMPARE(second->openCase(path), QString());
    QCOMPARE(second->texts(), first->texts());
    QCOMPARE(rows(*second, u"一次性待遇"_s), rows(*first, u"一次性待遇"_s));
    const auto bytes = [&path] {
      QFile file(path);
      return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray saved = bytes();
    QVERIFY(second->exportPdf(path).contains(u"打开着的案例文件"_s));
    QCOMPARE(bytes(), saved);

    // A field refused: which and why are the case file's (tests/casefile);
    // nothing in the window changes.
    const QString other = dir.filePath(u"other.json"_s);
    const auto write = [&other](const QByteArray& bytes) {
      QFile file(other);
      return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
             file.write(bytes) == bytes.size();
    };
    QVERIFY(write(R"({"格式": 1, "工伤等级": "十一"})"));
    QVERIFY(second->openCase(other).contains(u"「工伤等级」只能是"_s));
    QCOMPARE(second->texts(), first->texts());
    // A case from before 生活护理等级: its 护理级别 stands for it, said under
    // the field until another case is opened.
    QVERIFY(write(R"({"格式": 2, "工伤等级": "七", "护理级别": "部分护理"})"));
    QCOMPARE(second->openCase(other), QString());
    const auto* notice = second->findChild<QLabel*>(u"生活护理等级提示"_s);
    QVERIFY(notice->isVisible() && notice->text().contains(u"请核实"_s));
    QCOMPARE(second->texts()[index(Field::kCareLevel)], "生活部分不能自理");
    QCOMPARE(second->openCase(path), QString());
    QVERIFY(!notice->isVisible());
  }
};

}  // namespace gongshang::claimwindow

QTEST_MAIN(gongshang::claimwindow::ClaimWindowTest)
#include "claim_window_test.moc"
