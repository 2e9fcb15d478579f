// Rows read but not yet computed. The calculation costs several times what
// reading and writing a row does, so a batch of rows is computed on two
// threads while the reading stays on one; the rows still come out in order.
#ifndef GONGSHANG_BATCH_ROW_BATCH_H_
#define GONGSHANG_BATCH_ROW_BATCH_H_

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "batch/claim_columns.h"
#include "batch/csv.h"
#include "engine/compensation.h"

namespace gongshang::batch {

// Rows held before they are computed; a full batch is computed at once.
inline constexpr std::size_t kMaxBatchRows = 8192;
// A batch is full at this many bytes of rows too: a wide header pads every
// row to its width, and 8192 rows under 65535 columns would hold gigabytes.
inline constexpr std::size_t kMaxBatchBytes = std::size_t{4} << 20;
// Fewer rows than this are computed on the calling thread alone: a second
// thread costs more than it saves, and a row typed at the terminal should
// not wait for company.
inline constexpr std::size_t kMinParallelRows = 512;
// Rows the two threads take at a time.
inline constexpr std::size_t kChunkRows = 256;

class RowBatch {
 public:
  // Where each field stands in a row, indexed by Field: a cell index, or
  // kAbsent for a field the header lacks.
  using Columns = std::array<std::size_t, kFieldCount>;
  static constexpr std::size_t kAbsent = SIZE_MAX;

  // Adds a record (valid UTF-8) read under a header width cells wide
  // (record.cells.size() <= width). Its cells are written out at once,
  // padded with empty ones to the width, and the input texts copied, so the
  // record need not outlive the call.
  void add(const CsvRecord& record, std::size_t width, const Columns& columns);

  // With --claim: every field's column is copied, not only the classic
  // inputs', and each row gets the claim's results before 错误. Set before
  // the first add(); claim outlives the batch.
  void set_claim(const ClaimColumns* claim) { claim_ = claim; }

  std::size_t size() const { return carried_ends_.size(); }
  bool full() const { return size() >= kMaxBatchRows || carried_.size() >= kMaxBatchBytes; }

  // Computes every row and appends it to out as CSV: the cells as added,
  // the eleven results (empty when the engine refuses the row), then 错误
  // with the refusal's message or empty, and line_end. Empties the batch.
  //   cells "张三","五",… -> 张三,五,…,63000,2450,…,104781.534511533,
  void write_to(std::string& out, std::string_view line_end);

 private:
  // Appends rows [first, last) to out, computed.
  void compute(std::size_t first, std::size_t last, std::string_view line_end,
               std::string& out) const;

  std::string carried_;                    // the rows' own cells as CSV, back to back
  std::vector<std::size_t> carried_ends_;  // one per row
  std::string texts_;                      // the input texts, back to back
  std::vector<std::size_t> text_ends_;     // read_.size() per row
  // The fields copied from each row: the classic inputs, or with --claim
  // every field the header has; and their columns.
  std::vector<Field> read_;
  std::vector<std::size_t> read_columns_;
  std::vector<std::string> chunk_texts_;  // the rows of each chunk, computed
  const ClaimColumns* claim_ = nullptr;
};

}  // namespace gongshang::batch

#endif  // GONGSHANG_BATCH_ROW_BATCH_H_
