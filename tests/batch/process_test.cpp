// gongshang-batch as users run it: a real process, with its standard streams
// and exit status.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

#include <gtest/gtest.h>

namespace {

constexpr std::string_view kProgram = GONGSHANG_BATCH_PROGRAM;

struct Process {
  int status;
  std::string out, err;
};

std::string slurp(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  std::remove(path.c_str());
  return text.str();
}

// Runs the program with input on its standard input, redirected from a file
// or piped in, then args (quoted for the shell; a redirection there wins).
// The files are this process's own: ctest runs tests as parallel processes.
Process run_program(std::string_view args, std::string_view input, bool piped = false) {
  const std::string in = testing::TempDir() + "gongshang_batch_" + std::to_string(getpid());
  std::ofstream(in, std::ios::binary) << input;
  const std::string command = (piped ? "cat '" + in + "' | '" : "<'" + in + "' '") +
                              std::string(kProgram) + "' >'" + in + ".out' 2>'" + in + ".err' " +
                              std::string(args);
  const int raw = std::system(command.c_str());
  std::remove(in.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(in + ".out"), slurp(in + ".err")};
}

// Standard input redirected from a file (read whole, then again) or piped.
TEST(BatchProgram, ComputesFromStandardInput) {
  for (auto [args, piped] : {std::pair("", false), std::pair("-", true)}) {
    Process p = run_program(args, "姓名,医疗费\n\"王,五\",\"12\"\n", piped);
    EXPECT_EQ(p.status, 0);
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
    std::string_view args, input, message;
  } cases[] = {
      {"", "医疗费\n1\n2\n\"3\n", "gongshang-batch: 第 4 行：引号未闭合\n"},
      {"--bogus", "", "gongshang-batch: 未知选项「--bogus」；用法见 gongshang-batch --help\n"},
      {"--rules x.json", "", "gongshang-batch: 「--rules」只与 --claim 一起使用\n"},
      {"--claim --rules", "", "gongshang-batch: 「--rules」后面缺少规则文件名\n"},
      {"/nonexistent.csv", "", "gongshang-batch: 无法打开「/nonexistent.csv」：文件不存在\n"},
      {"/", "", "gongshang-batch: 读取「/」时出错：这是一个目录\n"},
      {"--help >/dev/full", "", "gongshang-batch: 无法写入说明：磁盘已满\n"},
      {">/dev/full", "医疗费\n5\n", "gongshang-batch: 无法写入输出：磁盘已满\n"},
  };
  for (const auto& c : cases) {
    Process p = run_program(c.args, c.input);
    EXPECT_EQ(p.status, 2) << c.args;
    EXPECT_TRUE(p.err.ends_with(c.message)) << p.err;
  }
}

}  // namespace
