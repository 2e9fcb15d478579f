// gongshang-claim: the whole claim in a window, or its report written
// straight to a PDF file for offices that prepare many claims by script.
//   gongshang-claim [--rules FILE] [CASE.json]
//   gongshang-claim [--rules FILE] --pdf OUT.pdf CASE.json
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include <memory>

#include <QApplication>
#include <QDate>
#include <QGuiApplication>
#include <QLocale>
#include <QTimer>

#include "app/claim_guard.h"
#include "claimwindow/claim_window.h"
#include "claimwindow/dialogs.h"
#include "claimwindow/report.h"
#include "qstring/qt_translations.h"
#include "qstring/utf8.h"
#include "regions/rules_file.h"

namespace {

constexpr int kExitFailure = 2;

constexpr std::string_view kHelp =
    "用法：gongshang-claim [--rules 文件] [案例.json]\n"
    "      gongshang-claim [--rules 文件] --pdf 输出.pdf 案例.json\n"
    "\n"
    "打开工伤待遇全面计算窗口；给出案例文件时打开该案例。\n"
    "  --pdf 输出.pdf  不显示窗口，把案例的计算书写成 PDF 文件（A4，简体中文）\n"
    "  --rules 文件    另用一个地区规则文件，其中的地区替换同名的内置地区\n"
    "  --help          显示本说明\n"
    "案例文件无法读取、有无法识别的栏目或无法计算时，不写 PDF，说明原因并以状态 2 退出。\n";

struct Options {
  std::optional<std::string> rules, pdf, case_file;
  bool help = false;
  std::string problem;
};

Options parse(int argc, char* argv[]) {
  Options o;
  for (int i = 1; i < argc && o.problem.empty(); ++i) {
    const std::string_view arg = argv[i];
    const auto value = [&](std::optional<std::string>& into) {
      if (i + 1 >= argc)
        o.problem = std::string(arg) + " 后面缺少文件名";
      else
        into = argv[++i];
    };
    if (arg == "--help" || arg == "-h")
      o.help = true;
    else if (arg == "--rules")
      value(o.rules);
    else if (arg == "--pdf")
      value(o.pdf);
    else if (arg.starts_with("-") && arg != "-")
      o.problem = "未知选项 " + std::string(arg);
    else if (o.case_file)
      o.problem = "只能给出一个案例文件";
    else
      o.case_file = std::string(arg);
  }
  if (o.problem.empty() && o.pdf && !o.case_file) o.problem = "--pdf 需要一个案例文件";
  return o;
}

int fail(const QString& message) {
  std::fprintf(stderr, "gongshang-claim: %s\n", gongshang::to_utf8(message).c_str());
  return kExitFailure;
}

}  // namespace

int main(int argc, char* argv[]) {
  const Options options = parse(argc, argv);
  if (options.help) {
    std::fwrite(kHelp.data(), 1, kHelp.size(), stdout);
    return std::fflush(stdout) == 0 ? EXIT_SUCCESS : kExitFailure;
  }
  using gongshang::to_qstring;
  if (!options.problem.empty()) return fail(to_qstring(options.problem));
  namespace regions = gongshang::regions;
  const auto program = regions::program_path();
  if (options.pdf) {
    const std::string why = gongshang::app::overwrite_problem(
        *options.pdf,
        {{*options.case_file, "案例文件"},
         {options.rules.value_or(std::string()), "规则文件"},
         {(program.parent_path() / regions::kShippedRelativePath).lexically_normal(), "规则文件"}});
    if (!why.empty()) return fail(to_qstring(why));
    gongshang::app::silence_qt_messages();
  }
  // A report needs fonts but no screen: scripts run it where there is none,
  // and it builds no window.
  if (options.pdf && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  const std::unique_ptr<QGuiApplication> app(options.pdf ? new QGuiApplication(argc, argv)
                                                         : new QApplication(argc, argv));
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  gongshang::install_qt_translations();

  regions::Loaded loaded = regions::load_rules(program, options.rules.value_or(std::string()));
  if (const auto* error = std::get_if<regions::LoadError>(&loaded)) {
    const QString why = to_qstring(error->text());
    if (options.pdf) return fail(why);
    // The window still opens: without the user's file, or without any, the
    // subsidies' months can be typed.
    gongshang::claimwindow::warn(nullptr, u"地区规则无法读取"_qs, why);
    if (options.rules) loaded = regions::load_rules(program, {});
    if (std::holds_alternative<regions::LoadError>(loaded)) loaded = gongshang::Rules{};
  }

  if (options.pdf) {
    QStringList notices;
    const QString why = gongshang::claimwindow::write_case_report(
        to_qstring(*options.case_file), to_qstring(*options.pdf),
        std::get<gongshang::Rules>(loaded), QDate::currentDate(), &notices);
    for (const QString& notice : notices)
      std::fprintf(stderr, "gongshang-claim: %s\n", gongshang::to_utf8(notice).c_str());
    return why.isEmpty() ? EXIT_SUCCESS : fail(why);
  }

  gongshang::claimwindow::ClaimWindow window(std::get<gongshang::Rules>(std::move(loaded)));
  if (options.case_file) {
    const QString casePath = to_qstring(*options.case_file);
    if (const QString why = window.openCase(casePath); !why.isEmpty()) {
      QTimer::singleShot(0, &window, [&window, why] {
        gongshang::claimwindow::warn(&window, u"无法打开案例"_qs, why);
      });
    }
  }
  window.show();
  return app->exec();
}
