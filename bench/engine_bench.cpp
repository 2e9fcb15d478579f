// Costs of the conversions and of one whole calculation (12 texts in, 11 out).
#include <benchmark/benchmark.h>

#include "engine/compensation.h"
#include "engine/number_text.h"

namespace {

using namespace gongshang;

void BM_ReadNumber(benchmark::State& state) {
  const std::string_view texts[] = {"3500",  "12000.5",  "1931.03451153328",
                                    "1E-05", "３５００", "&HFFFF"};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(read_number(texts[i++ % std::size(texts)]));
  }
}
BENCHMARK(BM_ReadNumber);

void BM_DoubleForm(benchmark::State& state) {
  double x = 104781.534511533;
  for (auto _ : state) {
    benchmark::DoNotOptimize(double_form(x));
    x += 0.001;
  }
}
BENCHMARK(BM_DoubleForm);

void BM_SingleForm(benchmark::State& state) {
  float x = 2522.7f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(single_form(x));
    x += 0.1f;
  }
}
BENCHMARK(BM_SingleForm);

void BM_RoundToInt16(benchmark::State& state) {
  double x = 14.904;
  for (auto _ : state) {
    benchmark::DoNotOptimize(round_to_int16(x));
    x += 0.5;
    if (x > 30000) x = 0.5;
  }
}
BENCHMARK(BM_RoundToInt16);

void BM_Calculate(benchmark::State& state) {
  const InputTexts in{"五", "大部分护理", "3500",    "4000", "6",   "30",
                      "10", "30",         "12000.5", "800",  "300", "1000"};
  for (auto _ : state) benchmark::DoNotOptimize(calculate(in));
}
BENCHMARK(BM_Calculate);

}  // namespace
