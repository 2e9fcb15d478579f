// The byte ends of the batch tool: where CSV comes from and where it goes.
// The program reads and writes file descriptors; tests, the fuzzer and the
// benchmark use memory, so the whole run can happen in-process.
#ifndef GONGSHANG_BATCH_IO_H_
#define GONGSHANG_BATCH_IO_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace gongshang::batch {

// A stream of bytes read in blocks.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to size bytes into buffer (size > 0). Returns how many were
  // read; 0 means the end, or a failure that error() then describes.
  virtual std::size_t read(char* buffer, std::size_t size) = 0;
  // Why the last read failed, in Simplified Chinese; empty if it did not.
  virtual std::string error() const { return {}; }
  // Goes back to the first byte, so that the text can be read twice; false
  // when it cannot (a pipe, a terminal).
  virtual bool rewind() { return false; }
  // Whether a read would return at once rather than wait for more input.
  virtual bool ready() { return false; }
};

// A stream of bytes written in blocks.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Writes all of bytes; returns false if they could not all be written.
  virtual bool write(std::string_view bytes) = 0;
  // Why the last write failed, in Simplified Chinese; empty if it did not.
  virtual std::string error() const { return {}; }
};

// Bytes held in memory, handed out at most max_block at a time so that tests
// can cut the input at every possible place.
//   MemorySource("a,b\n", 1) reads "a", ",", "b", "\n", then the end.
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes, std::size_t max_block = SIZE_MAX)
      : all_(bytes), bytes_(bytes), max_block_(max_block == 0 ? 1 : max_block) {}
  std::size_t read(char* buffer, std::size_t size) override;
  bool rewind() override {
    bytes_ = all_;
    return true;
  }
  bool ready() override { return true; }

 private:
  std::string_view all_;
  std::string_view bytes_;
  std::size_t max_block_;
};

// Appends everything written to a string.
class StringSink final : public ByteSink {
 public:
  explicit StringSink(std::string& out) : out_(out) {}
  bool write(std::string_view bytes) override {
    out_.append(bytes);
    return true;
  }

 private:
  std::string& out_;
};

// An open file descriptor, e.g. 0 for standard input. name is what messages
// call it ("标准输入" or the path). The descriptor is not closed here. A
// regular file rewinds to where it stood when handed over; a descriptor that
// was left non-blocking is waited on.
class FdSource final : public ByteSource {
 public:
  FdSource(int fd, std::string name);
  std::size_t read(char* buffer, std::size_t size) override;
  std::string error() const override { return error_; }
  bool rewind() override;
  bool ready() override;

 private:
  int fd_;
  std::string name_;
  std::string error_;
  std::int64_t start_ = -1;  // offset of the first byte; -1 when not a regular file
};

// Writes to a descriptor, waiting whenever a non-blocking one is full.
class FdSink final : public ByteSink {
 public:
  explicit FdSink(int fd) : fd_(fd) {}
  bool write(std::string_view bytes) override;
  std::string error() const override { return error_; }

 private:
  int fd_;
  std::string error_;
};

// Why a system call on a file failed, in Simplified Chinese, for the errno
// values a user meets; the system's own text for the rest.
//   ENOENT -> "文件不存在"   EACCES -> "权限不足"   EISDIR -> "这是一个目录"
std::string describe_errno(int error);

}  // namespace gongshang::batch

#endif  // GONGSHANG_BATCH_IO_H_
