// Feeds arbitrary bytes to the CSV reader and to the whole batch run, and holds them to what
// users rely on: no crash; the same output however the input is cut into reads; output that
// reads back, in the input's encoding, as whole records of one width.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "batch/batch.h"
#include "batch/csv.h"
#include "batch/encoding.h"
#include "batch/io.h"
#include "engine/compensation.h"
#include "tests/batch/runs.h"

using namespace gongshang;
using namespace gongshang::batch;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

void check_output(const std::string& out, const CsvLimits& limits) {
  MemorySource bytes(out);
  TextSource in(bytes, limits.block_size);
  check(in.open());
  CsvReader reader(in, limits);
  CsvRecord record;
  using enum CsvReader::Status;
  check(reader.next(record) == kRecord && !record.line_end.empty());
  const std::size_t width = record.cells.size();
  check(width >= kResultCount + 2 && record.cells.back() == kErrorColumn);
  for (auto status = reader.next(record); status != kEnd; status = reader.next(record)) {
    check(status == kRecord && !record.line_end.empty() && record.cells.size() == width);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte chooses how the input is cut into reads.
  const std::size_t block = 1 + data[0] % 16;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

  // Buffers of the default megabyte would make each run a hundred times slower.
  const CsvLimits modest{.block_size = 4096};
  const BatchRun whole = convert_from(input, SIZE_MAX, false, modest.block_size);
  const BatchRun cut = convert_from(input, block, false, block);
  check(cut.status == whole.status && cut.out == whole.out && cut.err == whole.err);

  if (!whole.out.empty()) check_output(whole.out, modest);

  // From a pipe the encoding is judged by the start alone; tight limits take
  // the reader down its refusal paths.
  convert_from(input, block, true, block);
  const CsvLimits small{.block_size = block, .max_record_bytes = 64, .max_cells = 3};
  MemorySource in(input, block);
  CsvReader reader(in, small);
  CsvRecord record;
  while (reader.next(record) == CsvReader::Status::kRecord) {
  }
  return 0;
}
