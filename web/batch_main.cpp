// gongshang-batch.js: gongshang-batch run by node from the browser build, so
// that the tests can hold the browser's engine to the native one's answers.
// The same arguments, standard input and output and exit statuses; the files
// named on the command line are the machine's own, through node.
#include <string_view>
#include <vector>

#include "batch/batch.h"
#include "web/node_io.h"

int main(int argc, char** argv) {
  gongshang::web::mount_machine_folders();
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  gongshang::web::NodeSource in(0, "标准输入");
  gongshang::web::NodeSink out(1);
  gongshang::web::NodeSink err(2);
  return gongshang::batch::run(args, in, out, err, GONGSHANG_WEB_PROGRAM);
}
