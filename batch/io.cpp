#include "batch/io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace gongshang::batch {

std::size_t MemorySource::read(char* buffer, std::size_t size) {
  const std::size_t n = std::min({size, max_block_, bytes_.size()});
  std::memcpy(buffer, bytes_.data(), n);
  bytes_.remove_prefix(n);
  return n;
}

std::size_t FdSource::read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno == EINTR) continue;
    error_ = "读取「" + name_ + "」时出错：" + describe_errno(errno);
    return 0;
  }
}

bool FdSink::write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      error_ = describe_errno(errno);
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::string describe_errno(int error) {
  switch (error) {
    case ENOENT:
      return "文件不存在";
    case EACCES:
    case EPERM:
      return "权限不足";
    case EISDIR:
      return "这是一个目录";
    case ENOTDIR:
      return "路径中有一段不是目录";
    case EIO:
      return "输入输出错误";
    case ENOSPC:
      return "磁盘已满";
    default:
      return std::strerror(error);
  }
}

}  // namespace gongshang::batch
