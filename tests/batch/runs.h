// What the batch tests and the CSV fuzzer share: a whole run in memory, its
// input handed out as a file or as a pipe hands it out.
#ifndef GONGSHANG_TESTS_BATCH_RUNS_H_
#define GONGSHANG_TESTS_BATCH_RUNS_H_

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch.h"
#include "batch/io.h"

namespace gongshang::batch {

struct BatchRun {
  int status;
  std::string out, err;
};

inline BatchRun run_batch(std::string_view input, std::vector<std::string_view> args = {},
                          const std::filesystem::path& program = {}) {
  BatchRun r;
  r.status = run(args, input, r.out, r.err, program);
  return r;
}

// Input from a pipe or a terminal: read once, in pieces, never ahead of time.
class PipeSource final : public ByteSource {
 public:
  explicit PipeSource(ByteSource& bytes) : bytes_(bytes) {}
  std::size_t read(char* buffer, std::size_t size) override { return bytes_.read(buffer, size); }

 private:
  ByteSource& bytes_;
};

// Converts input handed out block bytes at a time from a file or a pipe,
// through buffers of block_size bytes.
inline BatchRun convert_from(std::string_view input, std::size_t block, bool piped,
                             std::size_t block_size) {
  MemorySource file(input, block);
  PipeSource pipe(file);
  BatchRun r;
  StringSink out(r.out), err(r.err);
  CsvLimits limits;
  limits.block_size = block_size;
  r.status = convert(piped ? static_cast<ByteSource&>(pipe) : file, out, err, limits);
  return r;
}

}  // namespace gongshang::batch

#endif  // GONGSHANG_TESTS_BATCH_RUNS_H_
