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

struct Process {
  int status;
  std::string out;
  std::string err;
};

std::string slurp(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  std::remove(path.c_str());
  return text.str();
}

// Writes bytes to a file of this test's own (ctest runs tests as parallel
// processes) and returns its path.
std::string temp_file(std::string_view name, std::string_view bytes) {
  const std::string path =
      testing::TempDir() + "gongshang_batch_" + std::to_string(getpid()) + "_" + std::string(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

// Runs the program with input on its standard input, redirected from a file
// or piped in, then args (quoted for the shell; a redirection there wins).
Process run_program(std::string_view args, std::string_view input, bool piped = false) {
  const std::string in = temp_file("in", input), out = temp_file("out", ""),
                    err = temp_file("err", "");
  const std::string command = (piped ? "cat '" + in + "' | '" : "<'" + in + "' '") +
                              std::string(kProgram) + "' >'" + out + "' 2>'" + err + "' " +
                              std::string(args);
  const int raw = std::system(command.c_str());
  std::remove(in.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
}

TEST(BatchProgram, ComputesFromStandardInput) {
  for (std::string_view args : {"", "-"}) {
    Process p = run_program(args, "姓名,医疗费\n\"王,五\",\"12\"\n");
    EXPECT_EQ(p.status, 0);
    EXPECT_TRUE(p.out.starts_with("姓名,医疗费,伤残补助金,")) << p.out;
    EXPECT_TRUE(p.out.ends_with(",错误\n\"王,五\",12,0,0,0,0,0,0,12,0,0,0,12,\n")) << p.out;
  }
  // The claim's input columns listed once each, then its result columns.
  const Process help = run_program("--help", "");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("、全国人均可支配收入；\n在「错误」之前加结果列 退休日期、"),
            std::string::npos)
      << help.out;
}

TEST(BatchProgram, ExitsWithTwoOnBadInputOrFailedOutput) {
  const struct {
    std::string_view args;
    std::string_view input;
    std::string_view message;
  } cases[] = {
      {"", "医疗费\n1\n2\n\"3\n", "gongshang-batch: 第 4 行：引号未闭合\n"},
      {"--bogus", "", "gongshang-batch: 未知选项「--bogus」；用法见 gongshang-batch --help\n"},
      {"/nonexistent.csv", "", "gongshang-batch: 无法打开「/nonexistent.csv」：文件不存在\n"},
      {"/", "", "gongshang-batch: 读取「/」时出错：这是一个目录\n"},
      {"--help >/dev/full", "", "gongshang-batch: 无法写入说明：磁盘已满\n"},
  };
  for (const auto& c : cases) {
    Process p = run_program(c.args, c.input);
    EXPECT_EQ(p.status, 2) << c.args;
    EXPECT_TRUE(p.err.ends_with(c.message)) << p.err;
  }
  // The rows before the fault are out.
  EXPECT_TRUE(run_program("", "医疗费\n1\n2\n\"3\n")
                  .out.ends_with(",错误\n1,0,0,0,0,0,0,1,0,0,0,1,\n2,0,0,0,0,0,0,2,0,0,0,2,\n"));
}

// GBK from a spreadsheet comes back in GBK, whether the file is named,
// redirected or piped in (where only its start is judged).
TEST(BatchProgram, AnswersGbkInGbk) {
  // 工伤等级,本人月均工资,统筹月工资 / 五级,3500,4000 in GBK; 伤残 starts the results.
  const std::string gbk =
      "\xB9\xA4\xC9\xCB\xB5\xC8\xBC\xB6,\xB1\xBE\xC8\xCB\xD4\xC2\xBE\xF9\xB9\xA4\xD7\xCA,"
      "\xCD\xB3\xB3\xEF\xD4\xC2\xB9\xA4\xD7\xCA\r\n\xCE\xE5\xBC\xB6,3500,4000\r\n";
  const std::string file = temp_file("gbk.csv", gbk);
  for (const Process& p :
       {run_program("'" + file + "'", ""), run_program("", gbk), run_program("", gbk, true)}) {
    EXPECT_EQ(p.status, 0);
    EXPECT_TRUE(p.out.starts_with(gbk.substr(0, gbk.find('\r')) + ",\xC9\xCB\xB2\xD0"));
    EXPECT_NE(p.out.find("\r\n\xCE\xE5\xBC\xB6,3500,4000,63000,2450,"), std::string::npos);
    EXPECT_TRUE(p.err.starts_with("gongshang-batch: 输入不是 UTF-8，按 GB18030（GBK）编码读取"));
  }
  std::remove(file.c_str());
}

// A standard output left non-blocking (a pipe shared with another program)
// that fills up is waited on, not a reason to stop.
TEST(BatchProgram, WaitsOnANonBlockingStandardOutput) {
  const int rows = 20000;  // far more than a pipe holds
  std::string csv = "工伤等级,本人月均工资,统筹月工资\n";
  for (int i = 0; i < rows; ++i) csv += "五,3500,4000\n";
  const std::string in = temp_file("rows.csv", csv);
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  ASSERT_EQ(fcntl(fds[1], F_SETFL, O_NONBLOCK), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    dup2(open(in.c_str(), O_RDONLY), 0);
    dup2(open("/dev/null", O_WRONLY), 2);
    dup2(fds[1], 1);
    close(fds[0]);
    execl(kProgram.data(), kProgram.data(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  usleep(300000);  // the pipe fills while nobody reads
  std::ptrdiff_t lines = 0;
  char buffer[65536];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;)
    lines += std::count(buffer, buffer + n, '\n');
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  std::remove(in.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(lines, rows + 1);
}

}  // namespace
