// gongshang-batch as users run it: a real process, with its standard streams
// and exit status.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
    EXPECT_TRUE(p.err.ends_with(c.message)) << p.err;
  }
  // The rows before the fault are out.
  Process p = run_program("", "医疗费\n1\n2\n\"3\n");
  EXPECT_EQ(p.out, "医疗费," + std::string(kResultHeader) +
                       "\n1,0,0,0,0,0,0,1,0,0,0,1,\n2,0,0,0,0,0,0,2,0,0,0,2,\n");
}

TEST(BatchProgram, HelpExitsWithZeroOrSaysWhyNot) {
  Process p = run_program("--help", "");
  EXPECT_EQ(p.status, 0);
  EXPECT_NE(p.out.find("用法：gongshang-batch [文件]"), std::string::npos);
  EXPECT_EQ(p.err, "");
  const std::string err = temp_path("help_err");
  const int raw =
      std::system(("'" + std::string(kProgram) + "' --help >/dev/full 2>'" + err + "'").c_str());
  EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 2);
  EXPECT_EQ(slurp(err), "gongshang-batch: 无法写入说明：磁盘已满\n");
  std::remove(err.c_str());
}

// GBK from a spreadsheet comes back in GBK, whether the file is named,
// redirected or piped in (where only its start is judged).
TEST(BatchProgram, AnswersGbkInGbk) {
  // 工伤等级,本人月均工资,统筹月工资 / 五级,3500,4000 in GBK; 伤残 starts the results.
  const std::string gbk =
      "\xB9\xA4\xC9\xCB\xB5\xC8\xBC\xB6,\xB1\xBE\xC8\xCB\xD4\xC2\xBE\xF9\xB9\xA4\xD7\xCA,"
      "\xCD\xB3\xB3\xEF\xD4\xC2\xB9\xA4\xD7\xCA\r\n\xCE\xE5\xBC\xB6,3500,4000\r\n";
  const std::string header = gbk.substr(0, gbk.find('\r')) + ",\xC9\xCB\xB2\xD0";
  const std::string file = temp_path("gbk.csv"), out = file + ".out", err = file + ".err";
  std::ofstream(file, std::ios::binary) << gbk;
  const std::string program = "'" + std::string(kProgram) + "'";
  for (const std::string& command : {program + " '" + file + "'", program + " <'" + file + "'",
                                     "cat '" + file + "' | " + program}) {
    EXPECT_EQ(std::system((command + " >'" + out + "' 2>'" + err + "'").c_str()), 0) << command;
    EXPECT_TRUE(slurp(out).starts_with(header)) << command;
    EXPECT_NE(slurp(out).find("\r\n\xCE\xE5\xBC\xB6,3500,4000,63000,2450,"), std::string::npos);
    EXPECT_TRUE(
        slurp(err).starts_with("gongshang-batch: 输入不是 UTF-8，按 GB18030（GBK）编码读取"));
  }
  for (const std::string& path : {file, out, err}) std::remove(path.c_str());
}

// A standard output left non-blocking (a pipe shared with another program)
// that fills up is waited on, not a reason to stop.
TEST(BatchProgram, WaitsOnANonBlockingStandardOutput) {
  const std::size_t rows = 20000;  // far more than a pipe holds
  const std::string in = temp_path("rows.csv");
  {
    std::ofstream file(in, std::ios::binary);
    file << "工伤等级,护理级别,本人月均工资,统筹月工资,停薪月数,住院天数,住宿天数,护理天数,医疗费,"
            "辅助器具费,交通费,营养费\n";
    for (std::size_t i = 0; i < rows; ++i) file << "五,,3500,4000\n";
  }
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  ASSERT_EQ(fcntl(fds[1], F_SETFL, O_NONBLOCK), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const int input = open(in.c_str(), O_RDONLY);
    dup2(input, 0);
    dup2(fds[1], 1);
    close(fds[0]);
    execl(kProgram.data(), kProgram.data(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  usleep(300000);  // the pipe fills while nobody reads
  std::size_t lines = 0;
  char buffer[65536];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) {
    lines += static_cast<std::size_t>(std::count(buffer, buffer + n, '\n'));
  }
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  std::remove(in.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(lines, rows + 1);
}

}  // namespace
