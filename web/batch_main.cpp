// gongshang-batch.js: gongshang-batch run by node from the browser build, so
// that the tests can hold the browser's engine to the native one's answers.
// The same arguments, standard input and output and exit statuses; the files
// named on the command line are the machine's own, through node.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch.h"
#include "batch/io.h"

namespace {

// web/node_io.js
extern "C" {
void gongshang_node_mount();
int gongshang_node_is_file(int fd);
int gongshang_node_read(int fd, char* buffer, int size, double position);
int gongshang_node_write(int fd, const char* data, int size);
}

// A descriptor of the node process, read as FdSource reads one: a regular
// file rewinds to its start; whether a pipe has more waiting node cannot
// say without waiting, so a pipe is judged by its first whole line.
class NodeSource final : public gongshang::batch::ByteSource {
 public:
  NodeSource(int fd, std::string name)
      : fd_(fd), name_(std::move(name)), regular_(gongshang_node_is_file(fd) != 0) {}

  std::size_t read(char* buffer, std::size_t size) override {
    const int chunk = static_cast<int>(std::min<std::size_t>(size, std::size_t{1} << 30));
    const int n = gongshang_node_read(fd_, buffer, chunk, regular_ ? double(position_) : -1.0);
    if (n < 0) {
      error_ = "读取「" + name_ + "」时出错：" + gongshang::batch::describe_errno(-n);
      return 0;
    }
    position_ += static_cast<std::size_t>(n);
    return static_cast<std::size_t>(n);
  }
  std::string error() const override { return error_; }
  bool rewind() override {
    if (!regular_) return false;
    position_ = 0;
    return true;
  }
  bool ready() override { return regular_; }

 private:
  int fd_;
  std::string name_;
  bool regular_;
  std::size_t position_ = 0;
  std::string error_;
};

class NodeSink final : public gongshang::batch::ByteSink {
 public:
  explicit NodeSink(int fd) : fd_(fd) {}
  bool write(std::string_view bytes) override {
    const int n = gongshang_node_write(fd_, bytes.data(), static_cast<int>(bytes.size()));
    if (n >= 0) return true;
    error_ = gongshang::batch::describe_errno(-n);
    return false;
  }
  std::string error() const override { return error_; }

 private:
  int fd_;
  std::string error_;
};

}  // namespace

int main(int argc, char** argv) {
  gongshang_node_mount();
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  NodeSource in(0, "标准输入");
  NodeSink out(1);
  NodeSink err(2);
  return gongshang::batch::run(args, in, out, err, GONGSHANG_WEB_PROGRAM);
}
