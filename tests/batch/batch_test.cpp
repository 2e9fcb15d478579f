#include "batch/batch.h"
#include "tests/batch/runs.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>
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

std::string header(std::string_view own) {
  return std::string(own) + "," + std::string(kResultHeader);
}

TEST(Batch, WritesEachRowWithItsResults) {
  const struct {
    const char* name;
    std::string input, expected;
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
  EXPECT_EQ(run_batch("工伤等级,护理级别,本人月均工资,統籌月工資,停薪月数,住院天数,住宿天数,"
                      "护理天数,医疗费,辅助器具费,交通费\n")
                .err,
            "gongshang-batch: 未找到这些列，按空白计算：统筹月工资、营养费\n");
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
  const struct {
    const char* name;
    std::string_view input;
    std::string written;  // everything before the fault
    std::string_view message;
  } cases[] = {
      {"empty input", "", "", "gongshang-batch: 第 1 行：输入为空，没有表头行\n"},
      {"duplicated input column", "a,医疗费,b, 医疗费\n1,2,3,4\n", "",
       "gongshang-batch: 第 1 行：输入列「医疗费」重复（第 2 列和第 4 列）\n"},
      {"more cells than the header", "医疗费\n5\n5,6\n5\n",
       header("医疗费") + "\n5,0,0,0,0,0,0,5,0,0,0,5,\n",
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
  std::string csv = "序号,工伤等级,本人月均工资,统筹月工资,住院天数,医疗费\n";
  for (std::size_t i = 0; i < kMaxBatchRows + kMinParallelRows + 3; ++i)
    csv += std::to_string(i) + "," + std::to_string(i % 12) + "," +
           std::to_string(1000 + i * 37 % 40000) + "," + std::to_string(2000 + i * 13 % 12000) +
           "," + std::to_string(i % 91) + "," +
           (i % 997 == 5 ? "1E400" : std::to_string(i % 3000)) + "\n";
  const BatchRun whole = run_batch(csv);
  ASSERT_EQ(whole.status, kExitSuccess) << whole.err;
  EXPECT_EQ(whole.out, convert_from(csv, SIZE_MAX, false, 64).out);
}

// Input typed a line at a time: each row must be out before the program
// waits for the next line, and the header before the first row.
TEST(Batch, WritesEachRowBeforeWaitingForTheNext) {
  struct : ByteSource {
    std::size_t read(char* buffer, std::size_t size) override {
      EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), lines) << "before line " << lines + 1;
      return lines < 4 ? std::string_view(lines++ ? "1\n" : "医疗费\n").copy(buffer, size) : 0;
    }
    std::ptrdiff_t lines = 0;
    std::string out, err;
  } in;
  StringSink out(in.out), err(in.err);
  EXPECT_EQ(convert(in, out, err), kExitSuccess);
}

struct MeasuringSink final : ByteSink {
  bool write(std::string_view bytes) override {
    largest = std::max(largest, bytes.size());
    total += bytes.size();
    return true;
  }
  std::size_t largest = 0, total = 0;
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

// gongshang-batch --claim, on the shipped rules file.
const std::filesystem::path kProgram = GONGSHANG_TEST_PROGRAM;

BatchRun run_claim(std::string_view input, std::vector<std::string_view> args = {"--claim"}) {
  return run_batch(input, args, kProgram);
}

// The result columns written out, so that a change of a name or of the order
// shows. "6,000" is 6000 here (10 months of it give 60000.00), not the
// classic reading's 6; a refusal empties all 24 results and is quoted where
// its message holds a comma. 姓名 and 单位, fields of a case file, pass
// through unread: twice, and with what a case file refuses.
TEST(ClaimBatch, WritesTheClaimColumnsBeforeTheError) {
  const std::string header =
      "工伤等级,本人月均工资,统筹月工资,医疗补助金月数或金额,医疗补助金基数,出生日期,原退休年龄,"
      "解除日期,姓名,单位,姓名";
  const std::string row = "八,\"6,000\",6000,10,本人工资,1966-05-15,60,2020-01-01,张\u202E三" +
                          std::string(200, 'x') + ",\"a,b\",李四";
  BatchRun r = run_claim(header + "\n" + row + "\n七,1E400,3600,,,,,,,,\n");
  EXPECT_EQ(r.status, kExitSuccess);
  EXPECT_TRUE(r.out.starts_with(
      header +
      ",伤残补助金,每月伤残津贴,停薪工资,住院伙食补助,住宿费,护理费,计算医疗费,计算辅助器具费,"
      "计算交通费,计算营养费,合计,退休日期,一次性工伤医疗补助金,一次性伤残就业补助金,"
      "伤残津贴补足后,生活护理费,丧葬补助金,供养亲属抚恤金,一次性工亡补助金,经济补偿,赔偿金,"
      "退休后伤残津贴差额,数据状态,说明,错误\n" +
      row + ",66000,0,0,0,0,0,0,0,0,0,66000,2026-10-15,60000.00,,,,,,,,,,使用者填写；"))
      << r.out;
  EXPECT_TRUE(r.out.ends_with("\n七,1E400,3600,,,,,,,," + std::string(25, ',') +
                              "\"「本人月均工资」只能填写数字，如 3500、6,000 或 12000.5"
                              "（千位分隔须三位一组），不带正负号、单位或指数\"\n"))
      << r.out;
}

// A CSV from before 生活护理等级 keeps its amounts: 护理级别 stands for the
// level where a grade is given, said once on standard error. With the
// column, 护理级别 is the nursing during the leave alone.
TEST(ClaimBatch, WithoutTheCareLevelColumnTheNursingLevelStandsForIt) {
  const std::string header = "工伤等级,护理级别,统筹月工资,本人月均工资";
  BatchRun old = run_claim(header + "\n七,部分护理,5000,5000\n");
  EXPECT_NE(old.err.find("表头没有「生活护理等级」列"), std::string::npos) << old.err;
  EXPECT_NE(old.out.find(",,,,1500.00,,,,,,,,生活护理费：终身,"), std::string::npos) << old.out;
  BatchRun now = run_claim(header + ",生活护理等级\n七,部分护理,5000,5000,\n");
  EXPECT_EQ(now.err.find("生活护理等级"), std::string::npos) << now.err;
  EXPECT_EQ(now.out.find("1500.00"), std::string::npos) << now.out;
}

TEST(ClaimBatch, AUsersRulesFileReplacesTheShippedEntryOrStopsTheRun) {
  const std::string file = testing::TempDir() + "claim_batch_test_" + std::to_string(getpid());
  std::ofstream(file) << R"({"regions": [{"name": "浙江", "statute": "自拟", "status": "转载未核对",
    "sources": [], "medical": {"base": "固定金额",
    "by_grade": {"五": 1, "六": 1, "七": 12345.675, "八": 1, "九": 1, "十": 1}}}]})";
  BatchRun r = run_claim(
      "工伤等级,地区,出生日期,原退休年龄,解除日期,本人月均工资,统筹月工资\n"
      "七,浙江,1966-05-15,60,2020-01-01,6000,6000\n",
      {"--claim", "--rules", file});
  EXPECT_EQ(r.status, kExitSuccess) << r.err;
  EXPECT_NE(r.out.find(",2026-10-15,12345.67,,,,,,,,,,转载未核对；用户规则文件；部分金额未知,"),
            std::string::npos)
      << r.out;

  std::ofstream(file) << "{\n\"regions\": [{\"name\": \"浙江\"}]\n}\n";
  r = run_claim("工伤等级\n七\n", {"--claim", "--rules=" + file});
  EXPECT_EQ(r.status, kExitFailure);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "gongshang-batch: 规则文件有误：" + file + " 第 2 行第 13 列：缺少「statute」\n");
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace gongshang::batch
