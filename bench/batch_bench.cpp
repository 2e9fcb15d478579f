// Rows per second of gongshang-batch over a realistic file, in-process: every
// row with all twelve inputs filled, every grade and nursing level, figures
// varied the way payroll exports vary them. The reader alone is timed too,
// to show what the calculation leaves to the rest.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstddef>
#include <random>
#include <string>
#include <string_view>

#include "batch/batch.h"
#include "batch/csv.h"
#include "batch/io.h"

namespace {

using namespace gongshang::batch;

constexpr std::size_t kRows = 200000;

void append_number(std::string& csv, double x, int decimals) {
  char text[32];
  auto end = std::to_chars(text, text + sizeof text, x, std::chars_format::fixed, decimals).ptr;
  csv.append(text, end);
}

std::string realistic_csv(std::size_t rows) {
  static constexpr std::string_view kGrades[] = {"一", "二", "三", "四", "五",
                                                 "六", "七", "八", "九", "十"};
  static constexpr std::string_view kNursing[] = {"完全护理", "大部分护理", "部分护理", ""};
  std::mt19937_64 random(20240601);
  auto uniform = [&random](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  std::string csv =
      "工伤等级,护理级别,本人月均工资,统筹月工资,停薪月数,住院天数,住宿天数,护理天数,"
      "医疗费,辅助器具费,交通费,营养费\n";
  for (std::size_t i = 0; i < rows; ++i) {
    csv += kGrades[i % 10];
    csv += ',';
    csv += kNursing[i / 10 % 4];
    csv += ',';
    append_number(csv, uniform(1800, 40000), i % 3 == 0 ? 2 : 0);  // own wage
    csv += ',';
    append_number(csv, uniform(4000, 12500), 0);      // pooling-area wage
    for (double limit : {12.0, 120.0, 60.0, 90.0}) {  // months and days
      csv += ',';
      append_number(csv, uniform(0, limit), 0);
    }
    for (double limit : {80000.0, 6000.0, 2000.0, 3000.0}) {  // expenses
      csv += ',';
      append_number(csv, uniform(0, limit), 2);
    }
    csv += '\n';
  }
  return csv;
}

const std::string& input() {
  static const std::string csv = realistic_csv(kRows);
  return csv;
}

void BM_BatchRun(benchmark::State& state) {
  const std::string& csv = input();
  std::string out;
  std::string err;
  for (auto _ : state) {
    out.clear();
    MemorySource in(csv);
    StringSink out_sink(out), err_sink(err);
    if (convert(in, out_sink, err_sink) != kExitSuccess) state.SkipWithError(err.c_str());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRows));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * csv.size()));
}
// Real time: the rows are computed on two threads.
BENCHMARK(BM_BatchRun)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_ReadCsv(benchmark::State& state) {
  const std::string& csv = input();
  CsvRecord record;
  for (auto _ : state) {
    MemorySource in(csv);
    CsvReader reader(in);
    std::size_t cells = 0;
    while (reader.next(record) == CsvReader::Status::kRecord) cells += record.cells.size();
    benchmark::DoNotOptimize(cells);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRows));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * csv.size()));
}
BENCHMARK(BM_ReadCsv)->Unit(benchmark::kMillisecond);

}  // namespace
