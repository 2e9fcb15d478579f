// Reading and writing CSV as RFC 4180 has it: cells separated by commas,
// records ended by LF or CRLF, a cell in double quotes may hold commas, line
// ends and quotes written twice. The text must be UTF-8; a byte-order mark at
// the very start is taken off and remembered.
//
// The reader is strict where a lenient one would guess: a quote inside an
// unquoted cell, text after a closing quote, a carriage return that does not
// end a line, an unclosed quote and invalid UTF-8 stop it with the physical
// line of the fault, so that no cell is ever read other than as written.
#ifndef GONGSHANG_BATCH_CSV_H_
#define GONGSHANG_BATCH_CSV_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "batch/io.h"

namespace gongshang::batch {

// Bytes asked of the source at a time.
inline constexpr std::size_t kReadBlockSize = std::size_t{1} << 20;
// A record longer than this is refused rather than held in memory: no
// spreadsheet row is that long, but a quote left open in a large file is.
inline constexpr std::size_t kMaxRecordBytes = std::size_t{16} << 20;
// More cells in one record than this are refused (spreadsheets stop at 16384).
inline constexpr std::size_t kMaxCells = 65536;

struct CsvLimits {
  std::size_t block_size = kReadBlockSize;
  std::size_t max_record_bytes = kMaxRecordBytes;
  std::size_t max_cells = kMaxCells;
};

// One record. The cells are the texts as written, quotes taken off and
// doubled quotes made single; they stay valid until the next read.
struct CsvRecord {
  std::vector<std::string_view> cells;
  std::size_t line = 0;       // physical line the record starts on, from 1
  std::string_view line_end;  // "\n", "\r\n", or "" at the end of the input
  // The record as written, without its line end. When no cell was quoted
  // it is exactly what append_cell() writes for the cells, commas between.
  std::string_view raw;
  bool quoted = false;  // whether any cell was in quotes
};

// Why reading stopped early. line is 0 when the fault lies outside the text
// (the source failed); message is Simplified Chinese without the line.
struct CsvError {
  std::size_t line = 0;
  std::string message;
};

// A count or line number for a message, whatever the locale: 1234 -> "1234".
std::string decimal(std::size_t n);

// "第 7 行：引号未闭合", or the message alone when there is no line.
std::string describe(const CsvError& error);

class CsvReader {
 public:
  enum class Status { kRecord, kEnd, kFault };

  explicit CsvReader(ByteSource& source, CsvLimits limits = {});

  // Reads the next record into record; kEnd after the last one (a line end
  // at the very end of the input does not start another), kFault with
  // error() set when the input is bad. Reading on after kEnd or kFault gives
  // the same again.
  //   "a,\"b,c\"\r\n\n" -> {"a", "b,c"} line 1 "\r\n", {""} line 2 "\n", kEnd
  //   "a\"b\n"          -> kFault, line 1, "未加引号的单元格中有引号"
  Status next(CsvRecord& record);

  // Whether the input began with a byte-order mark; known after next().
  bool had_bom() const { return had_bom_; }
  const CsvError& error() const { return error_; }

 private:
  enum class Parse { kComplete, kNeedMore, kFault };

  Parse parse(CsvRecord& record);
  Parse fault(std::size_t line, std::string message);
  Parse bad_utf8(std::size_t line, const char* at);
  // Moves the unread bytes to the front and reads more after them, growing
  // the buffer when one record fills it. False on a fault.
  bool refill();
  void skip_bom();

  ByteSource& source_;
  CsvLimits limits_;
  std::vector<char> buffer_;
  std::vector<char> unescaped_;  // cells that had doubled quotes
  std::size_t begin_ = 0;        // first unread byte of buffer_
  std::size_t end_ = 0;          // one past the last byte read into buffer_
  std::size_t line_ = 1;         // line of the next record
  bool eof_ = false;
  bool started_ = false;
  bool had_bom_ = false;
  Status done_ = Status::kRecord;  // kEnd or kFault once reading is over
  CsvError error_;
};

// Appends a cell, quoted only when it holds a comma, a quote, CR or LF.
//   "3500" -> 3500   "a,b" -> "a,b"   "say \"hi\"" -> "say ""hi"""   "" -> (nothing)
void append_cell(std::string& out, std::string_view cell);

}  // namespace gongshang::batch

#endif  // GONGSHANG_BATCH_CSV_H_
