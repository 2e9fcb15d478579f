// How long the calculator window takes to appear, and to come back after
// Clear, on the offscreen platform (no display, no window manager).
//   BM_FirstWindow: the very first window of the process, font database and
//                   style loading included: what a user waits for.
//   BM_StartUp:     any later window, shown and activated, lists filled.
//   BM_Clear:       one Clear, old controls released, new lists filled.
#include <optional>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include "window/calculator_window.h"

namespace {

QComboBox* grades(const QWidget& window) {
  return window.findChild<QComboBox*>(QStringLiteral("工伤等级"));
}

// Shown is not enough: the window is ready once its activation has filled
// the lists. Gives up after a bounded number of rounds rather than hang.
bool wait_until_ready(const QWidget& window) {
  for (int round = 0; round < 100000; ++round) {
    const QComboBox* list = grades(window);
    if (list != nullptr && list->count() > 0) return true;
    QCoreApplication::processEvents();
  }
  return false;
}

void open_window(benchmark::State& state) {
  std::optional<gongshang::CalculatorWindow> window;
  for (auto _ : state) {
    window.emplace();
    window->show();
    if (!wait_until_ready(*window)) state.SkipWithError("the window never became active");
    state.PauseTiming();
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}

void BM_FirstWindow(benchmark::State& state) {
  open_window(state);
}
BENCHMARK(BM_FirstWindow)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_StartUp(benchmark::State& state) {
  open_window(state);
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

void BM_Clear(benchmark::State& state) {
  gongshang::CalculatorWindow window;
  window.show();
  if (!wait_until_ready(window)) state.SkipWithError("the window never became active");
  for (auto _ : state) {
    window.findChild<QPushButton*>(QStringLiteral("清空按钮"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!wait_until_ready(window)) state.SkipWithError("the window never came back");
  }
}
BENCHMARK(BM_Clear)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
  // The figures are for the offscreen platform, whatever display is around.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
