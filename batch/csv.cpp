#include "batch/csv.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <utility>

#include "batch/utf8.h"

namespace gongshang::batch {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
// Records of up to this many unread bytes are parsed again as soon as any
// more bytes arrive.
constexpr std::size_t kPatientBytes = std::size_t{64} << 10;

// Bytes that end a run of ordinary text: inside an unquoted cell, and inside
// a quoted one. Bytes from 0x80 stop both, to be checked as UTF-8.
using ByteSet = std::array<bool, 256>;
constexpr ByteSet make_stops(std::string_view stops) {
  ByteSet set{};
  for (char c : stops) set[static_cast<unsigned char>(c)] = true;
  for (std::size_t b = 0x80; b < 256; ++b) set[b] = true;
  return set;
}
constexpr ByteSet kUnquotedStops = make_stops(",\"\r\n");
constexpr ByteSet kQuotedStops = make_stops("\"\n");
constexpr ByteSet kNeedsQuotes = [] {
  ByteSet set{};
  for (char c : std::string_view(",\"\r\n")) set[static_cast<unsigned char>(c)] = true;
  return set;
}();

const char* skip_plain(const char* p, const char* end, const ByteSet& stops) {
  while (p < end && !stops[static_cast<unsigned char>(*p)]) ++p;
  return p;
}

std::string hex_byte(unsigned char b) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return {'0', 'x', kDigits[b >> 4], kDigits[b & 0xF]};
}

}  // namespace

std::string decimal(std::size_t n) {
  char text[24];
  return {text, std::to_chars(text, text + sizeof text, n).ptr};
}

std::string describe(const CsvError& error) {
  if (error.line == 0) return error.message;
  return "第 " + decimal(error.line) + " 行：" + error.message;
}

CsvReader::CsvReader(ByteSource& source, CsvLimits limits) : source_(source), limits_(limits) {
  limits_.block_size = std::max<std::size_t>(limits_.block_size, kMaxUtf8SequenceLength);
  buffer_.resize(limits_.block_size);
  unescaped_.resize(buffer_.size());
}

CsvReader::Status CsvReader::next(CsvRecord& record) {
  if (done_ != Status::kRecord) return done_;
  if (!started_) {
    started_ = true;
    skip_bom();
    if (done_ == Status::kFault) return done_;
  }
  for (;;) {
    if (begin_ == end_ && eof_) return done_ = Status::kEnd;
    switch (parse(record)) {
      case Parse::kComplete:
        return Status::kRecord;
      case Parse::kFault:
        return done_ = Status::kFault;
      case Parse::kNeedMore:
        if (!refill()) return done_ = Status::kFault;
        break;
    }
  }
}

void CsvReader::skip_bom() {
  while (end_ - begin_ < kBom.size() && !eof_) {
    if (!refill()) {
      done_ = Status::kFault;
      return;
    }
  }
  std::string_view head(buffer_.data() + begin_, std::min(end_ - begin_, kBom.size()));
  if (head == kBom) {
    had_bom_ = true;
    begin_ += kBom.size();
  }
}

bool CsvReader::refill() {
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ >= limits_.max_record_bytes) {
    fault(line_, "一条记录超过 " + decimal(limits_.max_record_bytes) +
                     " 字节，太长（是否有引号未闭合？）");
    return false;
  }
  // The record is parsed again from its start after every refill. For a
  // short one any new bytes will do, so input typed line by line is answered
  // at once; a long one waits until it has doubled, so the rescans of a
  // huge cell that arrives through a pipe in small pieces cost linear time.
  const std::size_t pending = end_;
  const std::size_t want =
      std::min(pending < kPatientBytes ? pending + 1 : pending * 2, limits_.max_record_bytes);
  while (end_ < want && !eof_) {
    if (end_ == buffer_.size()) {
      buffer_.resize(std::min(buffer_.size() * 2, limits_.max_record_bytes));
      unescaped_.resize(buffer_.size());
    }
    const std::size_t n = source_.read(buffer_.data() + end_, buffer_.size() - end_);
    if (n == 0) {
      eof_ = true;
      if (std::string why = source_.error(); !why.empty()) {
        error_ = {0, std::move(why)};
        return false;
      }
    }
    end_ += n;
  }
  return true;
}

CsvReader::Parse CsvReader::fault(std::size_t line, std::string message) {
  error_ = {line, std::move(message)};
  return Parse::kFault;
}

CsvReader::Parse CsvReader::bad_utf8(std::size_t line, const char* at) {
  return fault(line, "含有无效的 UTF-8 字节 " + hex_byte(static_cast<unsigned char>(*at)));
}

// Parses one whole record from the unread bytes, or finds that they end
// before it does. Nothing is kept from an unfinished attempt: after a refill
// the record is parsed again from its start, so a cell never straddles two
// reads, and the buffer doubles for long records so the cost stays linear.
CsvReader::Parse CsvReader::parse(CsvRecord& record) {
  const char* p = buffer_.data() + begin_;
  const char* const end = buffer_.data() + end_;
  std::size_t line = line_;
  std::size_t unescaped_used = 0;
  record.cells.clear();
  record.line = line;
  record.quoted = false;
  const char* const start = p;

  // Checks the UTF-8 sequence at p and steps over it.
  auto step_utf8 = [&](const char*& at) -> Parse {
    std::size_t length = 0;
    switch (utf8_sequence({at, static_cast<std::size_t>(end - at)}, &length)) {
      case Utf8Sequence::kValid:
        at += length;
        return Parse::kComplete;
      case Utf8Sequence::kTruncated:
        return eof_ ? bad_utf8(line, at) : Parse::kNeedMore;
      case Utf8Sequence::kInvalid:
        break;
    }
    return bad_utf8(line, at);
  };
  auto finish = [&](const char* next, std::string_view line_end) {
    record.line_end = line_end;
    record.raw = {start, static_cast<std::size_t>(next - start) - line_end.size()};
    begin_ = static_cast<std::size_t>(next - buffer_.data());
    line_ = line;
    return Parse::kComplete;
  };

  for (;;) {
    if (record.cells.size() == limits_.max_cells) {
      return fault(record.line, "一行的单元格超过 " + decimal(limits_.max_cells) + " 个");
    }
    if (p < end && *p == '"') {
      const std::size_t quote_line = line;
      record.quoted = true;
      const char* text = ++p;
      char* unescaped = nullptr;
      std::size_t unescaped_size = 0;
      for (;;) {
        p = skip_plain(p, end, kQuotedStops);
        if (p == end) return eof_ ? fault(quote_line, "引号未闭合") : Parse::kNeedMore;
        if (*p == '\n') {
          ++line;
          ++p;
          continue;
        }
        if (*p != '"') {
          if (Parse r = step_utf8(p); r != Parse::kComplete) return r;
          continue;
        }
        if (p + 1 == end && !eof_) return Parse::kNeedMore;
        if (p + 1 == end || p[1] != '"') break;
        // A doubled quote: the cell is copied out without the second one.
        if (unescaped == nullptr) unescaped = unescaped_.data() + unescaped_used;
        const auto n = static_cast<std::size_t>(p + 1 - text);
        std::memcpy(unescaped + unescaped_size, text, n);
        unescaped_size += n;
        p += 2;
        text = p;
      }
      if (unescaped == nullptr) {
        record.cells.emplace_back(text, static_cast<std::size_t>(p - text));
      } else {
        const auto n = static_cast<std::size_t>(p - text);
        std::memcpy(unescaped + unescaped_size, text, n);
        unescaped_size += n;
        unescaped_used += unescaped_size;
        record.cells.emplace_back(unescaped, unescaped_size);
      }
      ++p;  // the closing quote
      if (p == end) {
        if (!eof_) return Parse::kNeedMore;
        return finish(p, "");
      }
      if (*p != ',' && *p != '\n' && *p != '\r') return fault(line, "右引号后面还有文字");
    } else {
      const char* text = p;
      for (;;) {
        p = skip_plain(p, end, kUnquotedStops);
        if (p == end || static_cast<unsigned char>(*p) < 0x80) break;
        if (Parse r = step_utf8(p); r != Parse::kComplete) return r;
      }
      if (p == end) {
        if (!eof_) return Parse::kNeedMore;
        record.cells.emplace_back(text, static_cast<std::size_t>(p - text));
        return finish(p, "");
      }
      if (*p == '"') return fault(line, "未加引号的单元格中有引号");
      record.cells.emplace_back(text, static_cast<std::size_t>(p - text));
    }
    // p is at the comma or line end after a cell.
    switch (*p) {
      case ',':
        ++p;
        continue;
      case '\n':
        ++line;
        return finish(p + 1, "\n");
      default:  // '\r'
        if (p + 1 == end && !eof_) return Parse::kNeedMore;
        if (p + 1 == end || p[1] != '\n') {
          return fault(line, "回车符（CR）只能出现在引号内或行尾的 CRLF 中");
        }
        ++line;
        return finish(p + 2, "\r\n");
    }
  }
}

void append_cell(std::string& out, std::string_view cell) {
  const bool quote = std::any_of(
      cell.begin(), cell.end(), [](char c) { return kNeedsQuotes[static_cast<unsigned char>(c)]; });
  if (!quote) {
    out.append(cell);
    return;
  }
  out.push_back('"');
  for (char c : cell) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

}  // namespace gongshang::batch
