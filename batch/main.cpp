// gongshang-batch [FILE]: the compensation calculation over a CSV file.
#include <string_view>
#include <vector>

#include "batch/batch.h"
#include "batch/io.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  gongshang::batch::FdSource in(0, "标准输入");
  gongshang::batch::FdSink out(1);
  gongshang::batch::FdSink err(2);
  return gongshang::batch::run(args, in, out, err);
}
