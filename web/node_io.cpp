#include "web/node_io.h"

#include <algorithm>
#include <utility>

// node_io.js
extern "C" {
void gongshang_node_mount();
int gongshang_node_is_file(int fd);
int gongshang_node_read(int fd, char* buffer, int size, double position);
int gongshang_node_write(int fd, const char* data, int size);
}

namespace gongshang::web {

void mount_machine_folders() {
  gongshang_node_mount();
}

NodeSource::NodeSource(int fd, std::string name)
    : fd_(fd), name_(std::move(name)), regular_(gongshang_node_is_file(fd) != 0) {}

std::size_t NodeSource::read(char* buffer, std::size_t size) {
  const int chunk = static_cast<int>(std::min<std::size_t>(size, std::size_t{1} << 30));
  const int n = gongshang_node_read(fd_, buffer, chunk, regular_ ? double(position_) : -1.0);
  if (n < 0) {
    error_ = "读取「" + name_ + "」时出错：" + batch::describe_errno(-n);
    return 0;
  }
  position_ += static_cast<std::size_t>(n);
  return static_cast<std::size_t>(n);
}

bool NodeSource::rewind() {
  if (!regular_) return false;
  position_ = 0;
  return true;
}

bool NodeSink::write(std::string_view bytes) {
  const int n = gongshang_node_write(fd_, bytes.data(), static_cast<int>(bytes.size()));
  if (n >= 0) return true;
  error_ = batch::describe_errno(-n);
  return false;
}

}  // namespace gongshang::web
