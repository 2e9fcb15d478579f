// The ends of a node program built for the browser's engine: standard input,
// output and error of the node process, and the machine's files, read and
// written as the native programs read and write theirs (batch/io.h).
// emscripten's own standard input fails under node 20, and its standard
// output goes a line at a time through console.log.
#ifndef GONGSHANG_WEB_NODE_IO_H_
#define GONGSHANG_WEB_NODE_IO_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "batch/io.h"

namespace gongshang::web {

// Mounts every top-level folder of the machine at its own name, so that a path
// means what it means to a native program, and moves to node's working folder.
// The module's own files (/gongshang-web) stay in its memory.
void mount_machine_folders();

// A descriptor of the node process, read as batch::FdSource reads one: a
// regular file rewinds to its start; whether a pipe has more waiting node
// cannot say without waiting, so a pipe is judged by its first whole line.
class NodeSource final : public batch::ByteSource {
 public:
  NodeSource(int fd, std::string name);
  std::size_t read(char* buffer, std::size_t size) override;
  std::string error() const override { return error_; }
  bool rewind() override;
  bool ready() override { return regular_; }

 private:
  int fd_;
  std::string name_;
  bool regular_;
  std::size_t position_ = 0;
  std::string error_;
};

// Writes to a descriptor of the node process.
class NodeSink final : public batch::ByteSink {
 public:
  explicit NodeSink(int fd) : fd_(fd) {}
  bool write(std::string_view bytes) override;
  std::string error() const override { return error_; }

 private:
  int fd_;
  std::string error_;
};

}  // namespace gongshang::web

#endif  // GONGSHANG_WEB_NODE_IO_H_
