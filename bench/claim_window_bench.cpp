// gongshang-claim's window on the offscreen platform: how long until it is
// shown, and how long one keystroke's full recomputation takes.
//   BM_ClaimStartUp:   the process's first window: rules file read, window
//                      built, example case opened, shown and exposed.
//   BM_Recompute:      one text changed in a field of the example case: every
//                      field checked, the claim computed, both tables filled.
//   BM_Statement:      the claim statement alone, without the window.
#include <optional>

#include <QApplication>
#include <QLineEdit>
#include <QWindow>

#include <benchmark/benchmark.h>

#include "claimwindow/claim_window.h"
#include "engine/evaluation.h"
#include "regions/rules_file.h"

namespace {

using gongshang::claimwindow::ClaimWindow;

gongshang::Rules shipped_rules() {
  auto loaded = gongshang::regions::load_rules_file(GONGSHANG_RULES_FILE);
  return std::holds_alternative<gongshang::Rules>(loaded) ? std::get<gongshang::Rules>(loaded)
                                                          : gongshang::Rules{};
}

bool wait_until_exposed(QWidget& window) {
  for (int round = 0; round < 100000; ++round) {
    if (window.windowHandle() != nullptr && window.windowHandle()->isExposed()) return true;
    QCoreApplication::processEvents();
  }
  return false;
}

void BM_ClaimStartUp(benchmark::State& state) {
  std::optional<ClaimWindow> window;
  for (auto _ : state) {
    window.emplace(shipped_rules());
    if (!window->openCase(GONGSHANG_EXAMPLE_CASE).isEmpty()) state.SkipWithError("case refused");
    window->show();
    if (!wait_until_exposed(*window)) state.SkipWithError("the window was never exposed");
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ClaimStartUp)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_Recompute(benchmark::State& state) {
  ClaimWindow window(shipped_rules());
  window.openCase(GONGSHANG_EXAMPLE_CASE);
  window.show();
  wait_until_exposed(window);
  auto* wage = window.findChild<QLineEdit*>(QStringLiteral("本人月均工资"));
  int n = 0;
  for (auto _ : state) wage->setText(QString::number(6000 + (n++ % 100)));
  if (window.statement() == nullptr) state.SkipWithError("no claim");
}
BENCHMARK(BM_Recompute)->Unit(benchmark::kMicrosecond);

void BM_Statement(benchmark::State& state) {
  ClaimWindow window(shipped_rules());
  window.openCase(GONGSHANG_EXAMPLE_CASE);
  const auto texts = window.texts();
  const auto rules = shipped_rules();
  for (auto _ : state) benchmark::DoNotOptimize(gongshang::evaluate(texts, rules));
}
BENCHMARK(BM_Statement)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
