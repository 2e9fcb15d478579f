#include "batch/csv.h"

#include <cstddef>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "batch/io.h"

namespace gongshang::batch {
namespace {

// Reads everything and writes it down compactly: "BOM " if there was one,
// then each record as line[cell|cell] and its line end (LF, CRLF or
// nothing), and "!line message" for a fault.
std::string render(ByteSource& source, CsvLimits limits = {}) {
  CsvReader reader(source, limits);
  CsvRecord record;
  std::string text;
  CsvReader::Status status;
  while ((status = reader.next(record)) == CsvReader::Status::kRecord) {
    text += std::to_string(record.line) + "[";
    for (std::size_t i = 0; i < record.cells.size(); ++i) {
      text += (i > 0 ? "|" : "") + std::string(record.cells[i]);
    }
    text += "]" + std::string(record.line_end == "\n"   ? "LF "
                              : record.line_end.empty() ? " "
                                                        : "CRLF ");
  }
  if (status == CsvReader::Status::kFault) {
    text += "!" + describe(reader.error());
    EXPECT_EQ(reader.next(record), CsvReader::Status::kFault);  // it does not read on
  }
  return (reader.had_bom() ? "BOM " : "") + text;
}

// Reads bytes whole, then cut into every block size a read can meet with the
// reader's own buffer as small as it goes: a record straddling reads must
// come out as if it did not.
std::string render_every_way(std::string_view bytes, CsvLimits limits = {}) {
  MemorySource whole(bytes);
  const std::string first = render(whole, limits);
  for (std::size_t block : {1, 2, 3, 5, 8}) {
    CsvLimits small = limits;
    small.block_size = block;
    MemorySource cut(bytes, block);
    EXPECT_EQ(render(cut, small), first) << "block " << block;
  }
  return first;
}

TEST(CsvReader, ReadsRecordsAndStopsAtBadInput) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"a\r\nb\nc\r\n", "1[a]CRLF 2[b]LF 3[c]CRLF "},
      {"\"a,b\",c\n", "1[a,b|c]LF "},
      {"\"\"\"\",\"a\"\"\",\"\"\"b\"\n", "1[\"|a\"|\"b]LF "},
      {"\"a\r\nb\",\"c\rd\"\r\ne", "1[a\r\nb|c\rd]CRLF 3[e] "},
      {"a\n\nb\n", "1[a]LF 2[]LF 3[b]LF "},  // an empty line is a record
      {"a\n\n", "1[a]LF 2[]LF "},            // the last line end starts none
      {"x\n\"a\"", "1[x]LF 2[a] "},
      {"工伤等级,五\n😀,\"护理\"\n", "1[工伤等级|五]LF 2[😀|护理]LF "},
      {"\xEF\xBB\xBF\"a\",b\n", "BOM 1[a|b]LF "},
      {"a\n\xEF\xBB\xBFx", "1[a]LF 2[\xEF\xBB\xBFx] "},  // a BOM later on is text
      {"", ""},
      {"\xEF\xBB\xBF", "BOM "},
      // Bad input: the records before it, then the fault and its line.
      {"a,\"b\n\n", "!第 1 行：引号未闭合"},
      {"a\nb\"c\n", "1[a]LF !第 2 行：未加引号的单元格中有引号"},
      {"x\n\"a\" ,b\n", "1[x]LF !第 2 行：右引号后面还有文字"},
      {"a\rb\n", "!第 1 行：回车符（CR）只能出现在引号内或行尾的 CRLF 中"},
      {"a\nb\r", "1[a]LF !第 2 行：回车符（CR）只能出现在引号内或行尾的 CRLF 中"},
      {"a\n\xFF\n", "1[a]LF !第 2 行：含有无效的 UTF-8 字节 0xFF"},
      {"a\xE4\xB8", "!第 1 行：含有无效的 UTF-8 字节 0xE4"},  // cut off
      {"ok\n\"\x80\"", "1[ok]LF !第 2 行：含有无效的 UTF-8 字节 0x80"},
      {"\xEF\xBBx", "!第 1 行：含有无效的 UTF-8 字节 0xEF"},  // part of a BOM
  };
  for (const auto& [input, read] : cases)
    EXPECT_EQ(render_every_way(input), read) << testing::PrintToString(input);
}

TEST(CsvReader, RefusesRecordsBeyondItsLimits) {
  CsvLimits limits;
  limits.max_cells = 3;
  EXPECT_EQ(render_every_way("a,b,c\n1,2,3,4\n", limits),
            "1[a|b|c]LF !第 2 行：一行的单元格超过 3 个");
  limits = {};
  limits.block_size = 4;
  limits.max_record_bytes = 16;
  MemorySource fits("0123456789abcd\nx\n");
  EXPECT_EQ(render(fits, limits), "1[0123456789abcd]LF 2[x]LF ");
  MemorySource open_quote("x\n\"0123456789abcdefghij\n");
  EXPECT_EQ(render(open_quote, limits),
            "1[x]LF !第 2 行：一条记录超过 16 字节，太长（是否有引号未闭合？）");
}

// Gives some bytes and then fails, as a disk can.
struct FailingSource final : ByteSource {
  std::size_t read(char* buffer, std::size_t size) override {
    return reads++ == 0 ? std::string_view("a\nb").copy(buffer, size) : 0;
  }
  std::string error() const override { return reads > 1 ? "读取出错" : ""; }
  int reads = 0;
};

TEST(CsvReader, ReportsAFailedReadWithoutALine) {
  FailingSource source;
  EXPECT_EQ(render(source), "1[a]LF !读取出错");
}

}  // namespace
}  // namespace gongshang::batch
