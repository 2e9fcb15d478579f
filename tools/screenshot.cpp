// Saves pictures of the calculator window as a person sees it: at start-up,
// after the worked calculation, and after Clear; then checks the window's
// pixels (tools/pixel_checks.h). Usage:
//   gongshang-screenshot OUTPUT_DIR [--framed]
// --framed: a window manager runs, so the window must come with a frame.
// Exit status 0 when every picture is saved and every check passes.
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
#include <QWindow>

#include "qstring/utf8.h"
#include "tools/pixel_checks.h"
#include "window/calculator_window.h"
#include "window/layout.h"

using namespace Qt::StringLiterals;

namespace {

bool save(const QPixmap& picture, const QDir& dir, const QString& name) {
  const QString path = dir.filePath(name);
  const bool saved = picture.save(path, "PNG");
  QTextStream(saved ? stdout : stderr) << (saved ? "saved " : "could not save ") << path << '\n';
  return saved;
}

bool fail(const QString& why) {
  QTextStream(stderr) << why << '\n';
  return false;
}

// The worked calculation: grade 五, 大部分护理 and a text in every box.
void enter_worked_example(const QWidget& window) {
  const auto list = [&](const QString& name) { return window.findChild<QComboBox*>(name); };
  list(u"工伤等级"_s)->setCurrentText(u"五"_s);
  list(u"护理级别"_s)->setCurrentText(u"大部分护理"_s);
  const std::pair<QString, QString> inputs[] = {
      {u"本人月均工资"_s, u"3500"_s}, {u"统筹月工资"_s, u"4000"_s}, {u"停薪月数"_s, u"6"_s},
      {u"住院天数"_s, u"30"_s},       {u"住宿天数"_s, u"10"_s},     {u"护理天数"_s, u"30"_s},
      {u"医疗费"_s, u"12000.5"_s},    {u"辅助器具费"_s, u"800"_s},  {u"交通费"_s, u"300"_s},
      {u"营养费"_s, u"1000"_s},
  };
  for (const auto& [name, text] : inputs)
    QTest::keyClicks(window.findChild<QLineEdit*>(name), text);
}

bool run(const QDir& dir, bool framed) {
  gongshang::CalculatorWindow window;
  const auto find = [&window](std::string_view name) {
    return window.findChild<QWidget*>(gongshang::to_qstring(name));
  };
  const auto lists_filled = [&window] {
    return window.findChild<QComboBox*>(u"工伤等级"_s)->count() > 0;
  };
  window.show();
  if (!QTest::qWaitForWindowExposed(&window) || !QTest::qWaitFor(lists_filled))
    return fail(u"the window never became active"_s);
  if (framed && !QTest::qWaitFor([&] { return !window.windowHandle()->frameMargins().isNull(); }))
    return fail(u"no window manager framed the window"_s);
  QTest::qWait(200);  // let the first paint settle
  bool ok = save(window.grab(), dir, u"start.png"_s);
  ok = save(window.screen()->grabWindow(0), dir, u"start-screen.png"_s) && ok;

  enter_worked_example(window);
  QTest::mouseClick(find(gongshang::kCalculateName), Qt::LeftButton);
  QTest::qWait(100);
  ok = save(window.grab(), dir, u"calculated.png"_s) && ok;

  // Scrolled part way, then Clear: the fresh window is back at the top, with
  // its lists filled again once it is active.
  qobject_cast<QScrollBar*>(find(gongshang::kScrollBarName))->setValue(3);
  QTest::mouseClick(find(gongshang::kClearName), Qt::LeftButton);
  if (!QTest::qWaitFor(lists_filled)) return fail(u"the lists were not filled again after Clear"_s);
  QTest::qWait(200);
  ok = save(window.grab(), dir, u"cleared.png"_s) && ok;

  // The checks look at the window that Clear built, which must be as whole
  // as the first.
  for (const gongshang::PixelCheck& check : gongshang::check_pixels(window, framed)) {
    QTextStream(stdout) << (check.fault.isEmpty() ? u"ok: "_s : u"FAILED: "_s) << check.name
                        << (check.fault.isEmpty() ? QString() : u": "_s + check.fault) << '\n';
    ok = ok && check.fault.isEmpty();
  }
  return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QStringList args = app.arguments();
  const bool framed = args.removeAll(u"--framed"_s) > 0;
  if (args.size() != 2) {
    QTextStream(stderr) << "usage: gongshang-screenshot OUTPUT_DIR [--framed]\n";
    return 2;
  }
  const QDir dir(args.at(1));
  if (!dir.exists() && !QDir().mkpath(dir.path())) {
    QTextStream(stderr) << "cannot create " << dir.path() << '\n';
    return 2;
  }
  return run(dir, framed) ? 0 : 1;
}
