// Rows per second of gongshang-batch over a realistic file, in-process: every
// row with all twelve inputs filled, every grade and nursing level, figures
// varied the way payroll exports vary them. The reader alone is timed too,
// to show what the calculation leaves to the rest, and the run with --claim.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstddef>
#include <random>
#include <string>
#include <string_view>

#include "batch/batch.h"
#include "batch/claim_columns.h"
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

// The same rows with the claim's columns: a region of each status and
// none, dates around retirement, a death in every seventh row.
std::string realistic_claim_csv(std::size_t rows) {
  static constexpr std::string_view kRegions[] = {"浙江", "河南", "北京", ""};
  std::string classic = realistic_csv(rows);
  std::mt19937_64 random(20261207);
  auto pick = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  std::string csv;
  csv.reserve(classic.size() * 2);
  std::size_t row = 0;
  for (std::size_t begin = 0, end; (end = classic.find('\n', begin)) != std::string::npos;
       begin = end + 1) {
    csv.append(classic, begin, end - begin);
    if (begin == 0) {
      csv +=
          ",地区,全省月工资,最低工资,出生日期,原退休年龄,解除日期,职业病,工亡,死亡日期,配偶,"
          "其他供养亲属,孤寡加发人数\n";
      continue;
    }
    const bool death = row % 7 == 6;
    csv += ',';
    csv += kRegions[row % 4];
    csv += ',';
    append_number(csv, pick(6000, 9000), 0);
    csv += ',';
    append_number(csv, pick(1900, 2700), 0);
    csv += ',' + std::to_string(pick(1962, 1990)) + '-' + std::to_string(pick(1, 12)) + '-' +
           std::to_string(pick(1, 28));
    csv += row % 3 == 0 ? ",60" : row % 3 == 1 ? ",55" : ",50";
    csv += ',' + std::to_string(pick(2020, 2030)) + '/' + std::to_string(pick(1, 12)) + '/' +
           std::to_string(pick(1, 28));
    csv += row % 5 == 0 ? ",是" : ",否";
    csv += death ? ",是,2025-03-01,1,2,1\n" : ",,,,,\n";
    ++row;
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

void BM_BatchRunClaim(benchmark::State& state) {
  static const std::string csv = realistic_claim_csv(kRows);
  auto loaded = load_claim_rules({}, std::nullopt);
  if (auto* message = std::get_if<std::string>(&loaded)) {
    state.SkipWithError(message->c_str());
    return;
  }
  const gongshang::Rules& rules = std::get<gongshang::Rules>(loaded);
  std::string out;
  std::string err;
  for (auto _ : state) {
    out.clear();
    MemorySource in(csv);
    StringSink out_sink(out), err_sink(err);
    if (convert(in, out_sink, err_sink, {}, &rules) != kExitSuccess) {
      state.SkipWithError(err.c_str());
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRows));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * csv.size()));
}
BENCHMARK(BM_BatchRunClaim)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

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
