// Saves pictures of the calculator window as a person sees it: at start-up,
// after the worked calculation, and after Clear. Usage: gongshang-screenshot OUTPUT_DIR
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextStream>

#include "window/calculator_window.h"

namespace {

bool save(const QPixmap& picture, const QDir& dir, const QString& name) {
  const QString path = dir.filePath(name);
  const bool saved = picture.save(path, "PNG");
  QTextStream(saved ? stdout : stderr) << (saved ? "saved " : "could not save ") << path << '\n';
  return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 2) {
    QTextStream(stderr) << "usage: gongshang-screenshot OUTPUT_DIR\n";
    return 2;
  }
  const QDir dir(args.at(1));
  if (!dir.exists() && !QDir().mkpath(dir.path())) {
    QTextStream(stderr) << "cannot create " << dir.path() << '\n';
    return 1;
  }

  gongshang::CalculatorWindow window;
  window.show();
  if (!QTest::qWaitForWindowActive(&window)) {
    QTextStream(stderr) << "the window never became active\n";
    return 1;
  }
  QTest::qWait(200);  // let the first paint settle
  bool ok = save(window.grab(), dir, "start.png");
  ok = save(window.screen()->grabWindow(0), dir, "start-screen.png") && ok;

  const auto list = [&](const char16_t* name) {
    return window.findChild<QComboBox*>(QString::fromUtf16(name));
  };
  const auto box = [&](const char16_t* name) {
    return window.findChild<QLineEdit*>(QString::fromUtf16(name));
  };
  list(u"工伤等级")->setCurrentText(QStringLiteral("五"));
  list(u"护理级别")->setCurrentText(QStringLiteral("大部分护理"));
  const std::pair<const char16_t*, const char*> inputs[] = {
      {u"本人月均工资", "3500"}, {u"统筹月工资", "4000"}, {u"停薪月数", "6"},
      {u"住院天数", "30"},       {u"住宿天数", "10"},     {u"护理天数", "30"},
      {u"医疗费", "12000.5"},    {u"辅助器具费", "800"},  {u"交通费", "300"},
      {u"营养费", "1000"},
  };
  for (const auto& [name, text] : inputs) QTest::keyClicks(box(name), QString::fromLatin1(text));
  QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("计算按钮")), Qt::LeftButton);
  QTest::qWait(100);
  ok = save(window.grab(), dir, "calculated.png") && ok;

  // Scrolled part way, then Clear: the fresh window is back at the top, with
  // its lists filled again once it is active.
  window.findChild<QScrollBar*>(QStringLiteral("滚动条"))->setValue(3);
  QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("清空按钮")), Qt::LeftButton);
  if (!QTest::qWaitFor([&] { return list(u"工伤等级")->count() == 11; })) {
    QTextStream(stderr) << "the lists were not filled again after Clear\n";
    return 1;
  }
  QTest::qWait(200);
  ok = save(window.grab(), dir, "cleared.png") && ok;
  return ok ? 0 : 1;
}
