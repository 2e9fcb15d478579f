#include "batch/batch.h"
#include "tests/batch/runs.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <thread>

#include <gtest/gtest.h>

#include "batch/io.h"
#include "batch/row_batch.h"
#include "engine/compensation.h"

namespace gongshang::batch {
namespace {

// Written out here rather than built from the engine's names, so that a
// change of name or order in the output shows.
constexpr std::string_view kResultHeader =
    "伤残补助金,每月伤残津贴,停薪工资,住院伙食补助,住宿费,护理费,"
    "计算医疗费,计算辅助器具费,计算交通费,计算营养费,合计,错误";
constexpr std::string_view kAllInputs =
    "工伤等级,护理级别,本人月均工资,统筹月工资,停薪月数,住院天数,住宿天数,护理天数,"
    "医疗费,辅助器具费,交通费,营养费";
constexpr std::string_view kZeros = "0,0,0,0,0,0,0,0,0,0,0,";
constexpr std::string_view kRefused = ",,,,,,,,,,,,";  // eleven empty results, then 错误

std::string header(std::string_view own) {
  return std::string(own) + "," + std::string(kResultHeader);
}

TEST(Batch, WritesEachRowWithItsResults) {
  const struct {
    const char* name;
    std::string input;
    std::string expected;
  } cases[] = {
      {"the worked example, every input column, grade, nursing level and wage as typed",
       "姓名," + std::string(kAllInputs) +
           "\n张三,5级, 大部分护理 ,３５００,4000,6,30,10,30,12000.5,800,300,1000\n",
       header("姓名," + std::string(kAllInputs)) +
           "\n张三,5级, 大部分护理 "
           ",３５００,4000,6,30,10,30,12000.5,800,300,1000,63000,2450,21000,1500,"
           "800,1931.03451153328,12000.5,800,300,1000,104781.534511533,\n"},
      {"other columns carried through in place, blanks around a name",
       "姓名,\t医疗费　,备注\n张三,5,\"x,y\"\n",
       header("姓名,\t医疗费　,备注") + "\n张三,5,\"x,y\",0,0,0,0,0,0,5,0,0,0,5,\n"},
      {"refused row: results empty, the reason in 错误; the next row still computed",
       "统筹月工资,医疗费\n1E400,1\n,2\n",
       header("统筹月工资,医疗费") + "\n1E400,1" + std::string(kRefused) +
           "「统筹月工资」的数值超出可计算范围\n,2,0,0,0,0,0,0,2,0,0,0,2,\n"},
      {"an empty line in the middle padded, computing zeros", "医疗费,a\n1,x\n\n2,y\n",
       header("医疗费,a") + "\n1,x,0,0,0,0,0,0,1,0,0,0,1,\n,," + std::string(kZeros) +
           "\n2,y,0,0,0,0,0,0,2,0,0,0,2,\n"},
      {"BOM and CRLF mirrored", "\xEF\xBB\xBF医疗费\r\n5\r\n6",
       "\xEF\xBB\xBF" + header("医疗费") +
           "\r\n5,0,0,0,0,0,0,5,0,0,0,5,\r\n6,0,0,0,0,0,0,6,0,0,0,6,\r\n"},
      {"quotes only where needed, text unchanged",
       "医疗费,备注\n\"5\",\"a\"\"b\"\n\"\",\"\n\"\n,\"\r\"\n",
       header("医疗费,备注") + "\n5,\"a\"\"b\",0,0,0,0,0,0,5,0,0,0,5,\n,\"\n\"," +
           std::string(kZeros) + "\n,\"\r\"," + std::string(kZeros) + "\n"},
      {"a grade or nursing level not on the list refuses the row",
       "工伤等级,护理级别,医疗费\n十一,,1\n五,完全,1\n",
       header("工伤等级,护理级别,医疗费") + "\n十一,,1" + std::string(kRefused) +
           "「工伤等级」只能是一至十或留空：十一\n五,完全,1" + std::string(kRefused) +
           "「护理级别」只能是完全护理、大部分护理、部分护理或留空：完全\n"},
      {"header only", "医疗费\n", header("医疗费") + "\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BatchRun r = run_batch(c.input);
    EXPECT_EQ(r.status, kExitSuccess) << r.err;
    EXPECT_EQ(r.out, c.expected);
  }
}

// A header in traditional characters or with a typo would otherwise make
// every wage-based result 0 without a word.
TEST(Batch, NamesTheInputColumnsTheHeaderLacks) {
  BatchRun r = run_batch(
      "工伤等级,护理级别,本人月均工资,統籌月工資,停薪月数,住院天数,住宿天数,护理天数,医疗费,"
      "辅助器具费,交通费\n");
  EXPECT_EQ(r.status, kExitSuccess);
  EXPECT_EQ(r.err, "gongshang-batch: 未找到这些列，按空白计算：统筹月工资、营养费\n");
  EXPECT_EQ(run_batch(std::string(kAllInputs) + "\n").err, "");
}

// The calculator's reading stays, but a cell --claim reads otherwise is
// named with its line, column and fix; past twenty only their number.
TEST(Batch, NamesTheCellsTheClaimWouldReadOtherwise) {
  BatchRun r = run_batch("本人月均工资,统筹月工资,住院天数\n\"6,000\",5000,2.5\n6000,1e3,3\n");
  EXPECT_EQ(r.out, header("本人月均工资,统筹月工资,住院天数") +
                       "\n\"6,000\",5000,2.5,0,0,0,125,0,0,0,0,0,0,125,\n"
                       "6000,1e3,3,0,0,0,150,0,0,0,0,0,0,150,\n");
  const std::string fix = "，或用 --claim 按整个索赔的读法计算\n";
  EXPECT_EQ(
      r.err.substr(r.err.find('\n') + 1),
      "gongshang-batch: 第 2 行第 1 列：「本人月均工资」“6,000”读作 6，整个索赔按 6000 计；"
      "请去掉千位分隔符" +
          fix +
          "gongshang-batch: 第 2 行第 3 列：「住院天数」“2.5”读作 2.5，整个索赔不接受这种写法；"
          "请填写整数" +
          fix +
          "gongshang-batch: 第 3 行第 2 列：「统筹月工资」“1e3”读作 1000，整个索赔不接受这种写法；"
          "请只填写数字" +
          fix);
  std::string many = "医疗费,营养费\n";
  for (int i = 0; i < 12; ++i) many += "1e1,1e2\n";
  r = run_batch(many);
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1 + 20 + 1);
  EXPECT_TRUE(r.err.ends_with(
      "gongshang-batch: 另有 4 个单元格的读法与整个索赔（--claim）不同，未逐一列出\n"))
      << r.err;
}

TEST(Batch, StopsAtBadInputAfterWritingTheRowsBeforeIt) {
  const std::string ok_row = "5,0,0,0,0,0,0,5,0,0,0,5,\n";
  const struct {
    const char* name;
    std::string_view input;
    std::string written;  // everything before the fault
    std::string_view message;
  } cases[] = {
      {"empty input", "", "", "gongshang-batch: 第 1 行：输入为空，没有表头行\n"},
      {"duplicated input column", "a,医疗费,b, 医疗费\n1,2,3,4\n", "",
       "gongshang-batch: 第 1 行：输入列「医疗费」重复（第 2 列和第 4 列）\n"},
      {"more cells than the header", "医疗费\n5\n5,6\n5\n", header("医疗费") + "\n" + ok_row,
       "gongshang-batch: 第 3 行：此行有 2 个单元格，比表头的 1 个多\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BatchRun r = run_batch(c.input);
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_EQ(r.out, c.written);
    EXPECT_TRUE(r.err.ends_with(c.message)) << r.err;
  }
}

// The rows of a large run are computed in batches on two threads; each must
// still come out in its place, as when small reads hand them out a few at a time.
TEST(Batch, LargeRunsMatchRowByRow) {
  const char* grades[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十", "", "X"};
  std::string csv = "序号,工伤等级,本人月均工资,统筹月工资,住院天数,医疗费\n";
  for (std::size_t i = 0; i < kMaxBatchRows + kMinParallelRows + 3; ++i)
    csv += std::to_string(i) + "," + grades[i % 12] + "," + std::to_string(1000 + i * 37 % 40000) +
           "," + std::to_string(2000 + i * 13 % 12000) + "," + std::to_string(i % 91) + "," +
           (i % 997 == 5 ? "1E400" : std::to_string(i % 3000)) + "\n";
  const BatchRun whole = run_batch(csv);
  ASSERT_EQ(whole.status, kExitSuccess) << whole.err;
  EXPECT_EQ(whole.out, convert_from(csv, SIZE_MAX, false, 64).out);
}

// Input that arrives a line at a time, as typed: each row must be out before
// the program waits for the next one.
struct TypedSource final : ByteSource {
  std::size_t read(char* buffer, std::size_t size) override {
    constexpr std::string_view kLines[] = {"医疗费\n", "1\n", "2\n", "3\n"};
    if (next == std::ssize(kLines)) return 0;
    // Before line n+1 is given, the header and n rows must have been written.
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), next) << "before line " << next + 1;
    return kLines[next++].copy(buffer, size);
  }
  std::ptrdiff_t next = 0;
  std::string out;
};

TEST(Batch, WritesEachRowBeforeWaitingForTheNext) {
  TypedSource in;
  std::string err;
  StringSink out_sink(in.out), err_sink(err);
  EXPECT_EQ(convert(in, out_sink, err_sink), kExitSuccess);
  EXPECT_EQ(std::count(in.out.begin(), in.out.end(), '\n'), 4);
}

// Keeps only the sizes of what is written.
struct MeasuringSink final : ByteSink {
  bool write(std::string_view bytes) override {
    largest = std::max(largest, bytes.size());
    total += bytes.size();
    return true;
  }
  std::size_t largest = 0;
  std::size_t total = 0;
};

// Every row comes out padded to the header's width, so under a wide header
// the rows held at once must be bounded by their bytes, not their count.
TEST(Batch, HoldsBoundedOutputUnderAWideHeader) {
  const std::size_t width = kMaxCells - 1, rows = 256;
  std::string csv(width - 1, ',');
  csv += "医疗费\n" + std::string(rows, '\n');
  MemorySource in(csv);
  MeasuringSink out;
  std::string err;
  StringSink err_sink(err);
  EXPECT_EQ(convert(in, out, err_sink), kExitSuccess);
  EXPECT_GT(out.total, rows * width);
  EXPECT_LT(out.largest, 2 * kMaxBatchBytes);
}

// A standard output left non-blocking (a pipe shared with another program)
// that fills up is waited on, not a reason to stop.
TEST(Batch, WaitsOnANonBlockingOutput) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  ASSERT_EQ(fcntl(fds[1], F_SETFL, O_NONBLOCK), 0);
  const std::string bytes(1 << 20, 'x');  // far more than a pipe holds
  std::thread writer([&] {
    EXPECT_TRUE(FdSink(fds[1]).write(bytes));
    close(fds[1]);
  });
  usleep(300000);  // the pipe fills while nobody reads
  std::size_t total = 0;
  char buffer[65536];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) total += n;
  writer.join();
  close(fds[0]);
  EXPECT_EQ(total, bytes.size());
}

}  // namespace
}  // namespace gongshang::batch
