#include "batch/batch.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

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

struct BatchRun {
  int status;
  std::string out;
  std::string err;
};

BatchRun run_batch(std::string_view input, std::vector<std::string_view> args = {}) {
  BatchRun r;
  r.status = run(args, input, r.out, r.err);
  return r;
}

std::string header(std::string_view own) {
  return std::string(own) + "," + std::string(kResultHeader);
}

TEST(Batch, ComputesTheWorkedExample) {
  const std::string input = "姓名," + std::string(kAllInputs) +
                            "\n张三,五,大部分护理,3500,4000,6,30,10,30,12000.5,800,300,1000\n";
  BatchRun r = run_batch(input);
  EXPECT_EQ(r.status, kExitSuccess);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, header("姓名," + std::string(kAllInputs)) +
                       "\n张三,五,大部分护理,3500,4000,6,30,10,30,12000.5,800,300,1000,"
                       "63000,2450,21000,1500,800,1931.03451153328,12000.5,800,300,1000,"
                       "104781.534511533,\n");
}

struct RunCase {
  const char* name;
  std::string_view input;
  std::string expected;
};

TEST(Batch, WritesEachRowWithItsResults) {
  const RunCase cases[] = {
      {"other columns carried through in place", "姓名,医疗费,备注\n张三,5,\"x,y\"\n",
       header("姓名,医疗费,备注") + "\n张三,5,\"x,y\",0,0,0,0,0,0,5,0,0,0,5,\n"},
      {"input columns in any order", "营养费,工伤等级,本人月均工资,统筹月工资\n10,一,13000,4000\n",
       header("营养费,工伤等级,本人月均工资,统筹月工资") +
           "\n10,一,13000,4000,324000,10800,0,0,0,0,0,0,0,10,334810,\n"},
      {"refused row: results empty, the reason in 错误; the next row still computed",
       "统筹月工资,医疗费\n1E400,1\n,2\n",
       header("统筹月工资,医疗费") + "\n1E400,1" + std::string(kRefused) +
           "「统筹月工资」的数值超出可计算范围\n,2,0,0,0,0,0,0,2,0,0,0,2,\n"},
      {"short row padded, missing cells empty", "a,b,医疗费\n1\n",
       header("a,b,医疗费") + "\n1,,," + std::string(kZeros) + "\n"},
      {"empty line in the middle computes zeros", "医疗费,a\n1,x\n\n2,y\n",
       header("医疗费,a") + "\n1,x,0,0,0,0,0,0,1,0,0,0,1,\n,," + std::string(kZeros) +
           "\n2,y,0,0,0,0,0,0,2,0,0,0,2,\n"},
      {"CRLF mirrored", "医疗费\r\n5\r\n6",
       header("医疗费") + "\r\n5,0,0,0,0,0,0,5,0,0,0,5,\r\n6,0,0,0,0,0,0,6,0,0,0,6,\r\n"},
      {"the header's line end decides", "医疗费\n5\r\n",
       header("医疗费") + "\n5,0,0,0,0,0,0,5,0,0,0,5,\n"},
      {"BOM mirrored", "\xEF\xBB\xBF医疗费\n5\n",
       "\xEF\xBB\xBF" + header("医疗费") + "\n5,0,0,0,0,0,0,5,0,0,0,5,\n"},
      {"quotes only where needed, text unchanged", "医疗费,备注\n\"5\",\"a\"\"b\"\n\"\",\"\n\"\n",
       header("医疗费,备注") + "\n5,\"a\"\"b\",0,0,0,0,0,0,5,0,0,0,5,\n,\"\n\"," +
           std::string(kZeros) + "\n"},
      {"the cell text is what the engine reads", "医疗费\n\"1,000\"\n",
       header("医疗费") + "\n\"1,000\",0,0,0,0,0,0,1,0,0,0,1,\n"},
      {"UTF-8 inputs reach the engine", "工伤等级,本人月均工资,统筹月工资\n五,３５００,4000\n",
       header("工伤等级,本人月均工资,统筹月工资") +
           "\n五,３５００,4000,63000,2450,0,0,0,0,0,0,0,0,65450,\n"},
      {"beyond the BMP, carried and read", "备注,医疗费\n😀,😀\n",
       header("备注,医疗费") + "\n😀,😀," + std::string(kZeros) + "\n"},
      {"names must match exactly", "医疗费 ,医疗费\n1,2\n",
       header("医疗费 ,医疗费") + "\n1,2,0,0,0,0,0,0,2,0,0,0,2,\n"},
      {"header only", "医疗费\n", header("医疗费") + "\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BatchRun r = run_batch(c.input);
    EXPECT_EQ(r.status, kExitSuccess) << r.err;
    EXPECT_EQ(r.out, c.expected);
  }
}

TEST(Batch, WarnsWhenNoColumnFeedsTheCalculation) {
  BatchRun r = run_batch("姓名\n张三\n");
  EXPECT_EQ(r.status, kExitSuccess);
  EXPECT_EQ(r.out, header("姓名") + "\n张三," + std::string(kZeros) + "\n");
  EXPECT_NE(r.err.find("没有任何输入列"), std::string::npos);
  EXPECT_EQ(run_batch("医疗费\n1\n").err, "");
}

struct FaultCase {
  const char* name;
  std::string_view input;
  std::string written;  // everything before the fault
  std::string_view message;
};

TEST(Batch, StopsAtBadInputAfterWritingTheRowsBeforeIt) {
  const std::string ok_row = "5,0,0,0,0,0,0,5,0,0,0,5,\n";
  const FaultCase cases[] = {
      {"empty input", "", "", "gongshang-batch: 第 1 行：输入为空，没有表头行\n"},
      {"BOM only", "\xEF\xBB\xBF", "", "gongshang-batch: 第 1 行：输入为空，没有表头行\n"},
      {"duplicated input column", "a,医疗费,b,医疗费\n1,2,3,4\n", "",
       "gongshang-batch: 第 1 行：输入列「医疗费」重复（第 2 列和第 4 列）\n"},
      {"more cells than the header", "医疗费\n5\n5,6\n5\n", header("医疗费") + "\n" + ok_row,
       "gongshang-batch: 第 3 行：此行有 2 个单元格，比表头的 1 个多\n"},
      {"unterminated quote", "医疗费\n5\n5\n\"5\n", header("医疗费") + "\n" + ok_row + ok_row,
       "gongshang-batch: 第 4 行：引号未闭合\n"},
      {"invalid UTF-8", "医疗费\n5\n\xC0\x80\n", header("医疗费") + "\n" + ok_row,
       "gongshang-batch: 第 3 行：含有无效的 UTF-8 字节 0xC0\n"},
      {"stray quote", "医疗费\n5\n5\"\n", header("医疗费") + "\n" + ok_row,
       "gongshang-batch: 第 3 行：未加引号的单元格中有引号\n"},
      {"bad header", "医\xFF疗费\n", "", "gongshang-batch: 第 1 行：含有无效的 UTF-8 字节 0xFF\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BatchRun r = run_batch(c.input);
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_EQ(r.out, c.written);
    EXPECT_EQ(r.err, c.message);
  }
}

// Builds a realistic file; row i differs from its neighbours in every figure.
std::string many_rows(std::size_t rows) {
  const char* grades[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十", "", "X"};
  const char* nursing[] = {"完全护理", "大部分护理", "部分护理", ""};
  std::string csv = "序号," + std::string(kAllInputs) + "\n";
  for (std::size_t i = 0; i < rows; ++i) {
    char row[256];
    std::snprintf(row, sizeof row, "%zu,%s,%s,%zu,%zu,%zu,%zu,%zu,%zu,%zu.%02zu,%zu,%zu,%s\n", i,
                  grades[i % 12], nursing[i % 4], 1000 + i * 37 % 40000, 2000 + i * 13 % 12000,
                  i % 13, i % 91, i % 31, i % 61, i * 7 % 50000, i % 100, i % 3000, i % 800,
                  i % 997 == 5 ? "1E400" : "250");
    csv += row;
  }
  return csv;
}

// The rows of a large run are computed in batches on two threads; each must
// still come out in its place, exactly as it does when it is alone.
TEST(Batch, LargeRunsMatchRowByRow) {
  const std::size_t rows = kMaxBatchRows + kMinParallelRows + 3;
  const std::string csv = many_rows(rows);
  BatchRun whole = run_batch(csv);
  ASSERT_EQ(whole.status, kExitSuccess) << whole.err;

  std::string expected;
  std::size_t start = csv.find('\n') + 1;
  const std::string head = csv.substr(0, start);
  for (std::size_t i = 0; i < rows; ++i) {
    const std::size_t end = csv.find('\n', start) + 1;
    BatchRun one = run_batch(head + csv.substr(start, end - start));
    ASSERT_EQ(one.status, kExitSuccess);
    if (i == 0) expected = one.out.substr(0, one.out.find('\n') + 1);
    expected += one.out.substr(one.out.find('\n') + 1);
    start = end;
  }
  EXPECT_EQ(whole.out, expected);
}

// Input that arrives a line at a time, as typed: each row must be out before
// the program waits for the next one.
class TypedSource final : public ByteSource {
 public:
  TypedSource(std::vector<std::string_view> lines, const std::string& out)
      : lines_(std::move(lines)), out_(out) {}
  std::size_t read(char* buffer, std::size_t size) override {
    if (next_ == lines_.size()) return 0;
    // Before line n+1 is given, the header and n rows must have been written.
    const auto written = static_cast<std::size_t>(std::count(out_.begin(), out_.end(), '\n'));
    EXPECT_EQ(written, next_) << "before line " << next_ + 1;
    const std::string_view line = lines_[next_++];
    EXPECT_LE(line.size(), size);
    std::copy(line.begin(), line.end(), buffer);
    return line.size();
  }

 private:
  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;
  const std::string& out_;
};

TEST(Batch, WritesEachRowBeforeWaitingForTheNext) {
  std::string out, err;
  TypedSource in({"医疗费\n", "1\n", "2\n", "3\n"}, out);
  StringSink out_sink(out), err_sink(err);
  EXPECT_EQ(convert(in, out_sink, err_sink), kExitSuccess);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 4);
}

class BrokenSink final : public ByteSink {
 public:
  bool write(std::string_view) override { return false; }
  std::string error() const override { return "磁盘已满"; }
};

TEST(Batch, ReportsOutputThatCannotBeWritten) {
  MemorySource in("医疗费\n5\n");
  BrokenSink out;
  std::string err;
  StringSink err_sink(err);
  EXPECT_EQ(convert(in, out, err_sink), kExitFailure);
  EXPECT_EQ(err, "gongshang-batch: 无法写入输出：磁盘已满\n");
}

}  // namespace
}  // namespace gongshang::batch
