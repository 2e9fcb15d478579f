#include "batch/io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gongshang::batch {
namespace {

// A descriptor may have been left non-blocking by whoever handed it over (a
// shell's pipe shared with another program, say): then a read or write that
// would block fails with EAGAIN, and the answer is to wait until it would not.
bool would_block(int error) {
  return error == EAGAIN || error == EWOULDBLOCK;
}

void wait_for(int fd, short events) {
  pollfd p{fd, events, 0};
  while (::poll(&p, 1, -1) < 0 && errno == EINTR) {
  }
}

}  // namespace

std::size_t MemorySource::read(char* buffer, std::size_t size) {
  const std::size_t n = std::min({size, max_block_, bytes_.size()});
  std::memcpy(buffer, bytes_.data(), n);
  bytes_.remove_prefix(n);
  return n;
}

FdSource::FdSource(int fd, std::string name) : fd_(fd), name_(std::move(name)) {
  struct stat status;
  if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) start_ = ::lseek(fd, 0, SEEK_CUR);
}

bool FdSource::rewind() {
  return start_ >= 0 && ::lseek(fd_, static_cast<off_t>(start_), SEEK_SET) == start_;
}

bool FdSource::ready() {
  pollfd p{fd_, POLLIN, 0};
  return ::poll(&p, 1, 0) > 0;
}

std::size_t FdSource::read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno == EINTR) continue;
    if (would_block(errno)) {
      wait_for(fd_, POLLIN);
      continue;
    }
    error_ = "读取「" + name_ + "」时出错：" + describe_errno(errno);
    return 0;
  }
}

bool FdSink::write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      if (would_block(errno)) {
        wait_for(fd_, POLLOUT);
        continue;
      }
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
