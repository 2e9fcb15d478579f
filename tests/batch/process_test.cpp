// gongshang-batch as users run it: a real process, with its standard streams
// and exit status.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace {

constexpr std::string_view kProgram = GONGSHANG_BATCH_PROGRAM;
constexpr std::string_view kResultHeader =
    "伤残补助金,每月伤残津贴,停薪工资,住院伙食补助,住宿费,护理费,"
    "计算医疗费,计算辅助器具费,计算交通费,计算营养费,合计,错误";

struct Process {
  int status;
  std::string out;
  std::string err;
};

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// ctest runs the tests as parallel processes: each keeps to its own files.
std::string temp_path(std::string_view name) {
  return testing::TempDir() + "gongshang_batch_" + std::to_string(getpid()) + "_" +
         std::string(name);
}

// Runs the program with args (already quoted for the shell) and input on its
// standard input.
Process run_program(std::string_view args, std::string_view input) {
  const std::string in = temp_path("in"), out = temp_path("out"), err = temp_path("err");
  std::ofstream(in, std::ios::binary) << input;
  const std::string command = "'" + std::string(kProgram) + "' " + std::string(args) + " <'" + in +
                              "' >'" + out + "' 2>'" + err + "'";
  const int raw = std::system(command.c_str());
  Process p{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
  std::remove(in.c_str());
  std::remove(out.c_str());
  std::remove(err.c_str());
  return p;
}

TEST(BatchProgram, ComputesFromStandardInput) {
  for (std::string_view args : {"", "-"}) {
    Process p = run_program(args, "姓名,医疗费\n\"王,五\",\"12\"\n");
    EXPECT_EQ(p.status, 0);
    EXPECT_EQ(p.err, "");
    EXPECT_EQ(p.out, "姓名,医疗费," + std::string(kResultHeader) +
                         "\n\"王,五\",12,0,0,0,0,0,0,12,0,0,0,12,\n");
  }
}

TEST(BatchProgram, ReadsAFileKeepingItsBomAndLineEnds) {
  const std::string file = temp_path("file.csv");
  std::ofstream(file, std::ios::binary)
      << "\xEF\xBB\xBF工伤等级,本人月均工资,统筹月工资\r\n一,40000,12000\r\n";
  Process p = run_program("'" + file + "'", "");
  std::remove(file.c_str());
  EXPECT_EQ(p.status, 0);
  EXPECT_EQ(p.out, "\xEF\xBB\xBF工伤等级,本人月均工资,统筹月工资," + std::string(kResultHeader) +
                       "\r\n一,40000,12000,972000,32400,0,0,0,0,0,0,0,0,1004400,\r\n");
}

TEST(BatchProgram, ExitsWithTwoOnBadInput) {
  const struct {
    std::string_view args;
    std::string_view input;
    std::string_view message;
  } cases[] = {
      {"", "医疗费\n1\n2\n\"3\n", "gongshang-batch: 第 4 行：引号未闭合\n"},
      {"--bogus", "", "gongshang-batch: 未知选项「--bogus」；用法见 gongshang-batch --help\n"},
      {"/nonexistent.csv", "", "gongshang-batch: 无法打开「/nonexistent.csv」：文件不存在\n"},
      {"/", "", "gongshang-batch: 读取「/」时出错：这是一个目录\n"},
  };
  for (const auto& c : cases) {
    Process p = run_program(c.args, c.input);
    EXPECT_EQ(p.status, 2) << c.args;
    EXPECT_EQ(p.err, c.message);
  }
  // The rows before the fault are out.
  Process p = run_program("", "医疗费\n1\n2\n\"3\n");
  EXPECT_EQ(p.out, "医疗费," + std::string(kResultHeader) +
                       "\n1,0,0,0,0,0,0,1,0,0,0,1,\n2,0,0,0,0,0,0,2,0,0,0,2,\n");
}

TEST(BatchProgram, HelpExitsWithZero) {
  Process p = run_program("--help", "");
  EXPECT_EQ(p.status, 0);
  EXPECT_NE(p.out.find("用法：gongshang-batch [文件]"), std::string::npos);
  EXPECT_EQ(p.err, "");
}

}  // namespace
