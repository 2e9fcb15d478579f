#include "csv.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "io.h"

namespace gongshang::batch {
namespace {

using Rows = std::vector<std::vector<std::string>>;

struct Read {
  Rows rows;
  std::vector<std::size_t> lines;
  std::vector<std::string> line_ends;
  bool bom = false;
  bool fault = false;
  CsvError error;
};

Read read_all(ByteSource& source, CsvLimits limits = {}) {
  CsvReader reader(source, limits);
  Read read;
  CsvRecord record;
  for (;;) {
    const auto status = reader.next(record);
    if (status == CsvReader::Status::kEnd) break;
    if (status == CsvReader::Status::kFault) {
      read.fault = true;
      read.error = reader.error();
      // Asking again must not resume past the fault.
      EXPECT_EQ(reader.next(record), CsvReader::Status::kFault);
      break;
    }
    read.rows.emplace_back(record.cells.begin(), record.cells.end());
    read.lines.push_back(record.line);
    read.line_ends.emplace_back(record.line_end);
    if (!record.quoted) {
      // Unquoted, the record as written is what the writer would give.
      std::string joined;
      for (std::size_t i = 0; i < record.cells.size(); ++i) {
        if (i > 0) joined.push_back(',');
        append_cell(joined, record.cells[i]);
      }
      EXPECT_EQ(record.raw, joined);
    }
  }
  read.bom = reader.had_bom();
  return read;
}

// Reads bytes whole, and cut into every block size a read can meet, with the
// reader's own buffer as small as it goes: a record straddling two reads must
// come out as if it had not.
Read read_every_way(std::string_view bytes, CsvLimits limits = {}) {
  MemorySource whole(bytes);
  Read first = read_all(whole, limits);
  for (std::size_t block : {1, 2, 3, 5, 8}) {
    CsvLimits small = limits;
    small.block_size = block;
    MemorySource cut(bytes, block);
    Read again = read_all(cut, small);
    EXPECT_EQ(again.rows, first.rows) << "block " << block;
    EXPECT_EQ(again.lines, first.lines) << "block " << block;
    EXPECT_EQ(again.line_ends, first.line_ends) << "block " << block;
    EXPECT_EQ(again.bom, first.bom) << "block " << block;
    EXPECT_EQ(again.fault, first.fault) << "block " << block;
    EXPECT_EQ(again.error.line, first.error.line) << "block " << block;
    EXPECT_EQ(again.error.message, first.error.message) << "block " << block;
  }
  return first;
}

struct GoodCase {
  const char* name;
  std::string_view input;
  Rows rows;
  std::vector<std::size_t> lines;
  std::vector<std::string> line_ends;
  bool bom = false;
};

TEST(CsvReader, ReadsWellFormedInput) {
  const GoodCase cases[] = {
      {"plain", "a,b,c\n1,2,3\n", {{"a", "b", "c"}, {"1", "2", "3"}}, {1, 2}, {"\n", "\n"}},
      {"no final line end", "a,b\n1,2", {{"a", "b"}, {"1", "2"}}, {1, 2}, {"\n", ""}},
      {"CRLF", "a,b\r\n1,2\r\n", {{"a", "b"}, {"1", "2"}}, {1, 2}, {"\r\n", "\r\n"}},
      {"mixed line ends", "a\r\nb\nc", {{"a"}, {"b"}, {"c"}}, {1, 2, 3}, {"\r\n", "\n", ""}},
      {"comma in quotes", "\"a,b\",c\n", {{"a,b", "c"}}, {1}, {"\n"}},
      {"doubled quotes", "\"say \"\"hi\"\"\"\n", {{"say \"hi\""}}, {1}, {"\n"}},
      {"a quote alone", "\"\"\"\",\"\"\"\"\"\"\n", {{"\"", "\"\""}}, {1}, {"\n"}},
      {"two escaped cells", "\"a\"\"\",\"\"\"b\"\n", {{"a\"", "\"b"}}, {1}, {"\n"}},
      {"empty quoted cell", "\"\",x\n", {{"", "x"}}, {1}, {"\n"}},
      {"LF in quotes", "\"a\nb\",c\nd\n", {{"a\nb", "c"}, {"d"}}, {1, 3}, {"\n", "\n"}},
      {"CRLF in quotes kept", "\"a\r\nb\"\r\nc\r\n", {{"a\r\nb"}, {"c"}}, {1, 3}, {"\r\n", "\r\n"}},
      {"CR in quotes", "\"a\rb\"\n", {{"a\rb"}}, {1}, {"\n"}},
      {"empty line in the middle", "a\n\nb\n", {{"a"}, {""}, {"b"}}, {1, 2, 3}, {"\n", "\n", "\n"}},
      {"one final line end", "a\n", {{"a"}}, {1}, {"\n"}},
      {"two final line ends", "a\n\n", {{"a"}, {""}}, {1, 2}, {"\n", "\n"}},
      {"trailing comma", "a,\n,\n", {{"a", ""}, {"", ""}}, {1, 2}, {"\n", "\n"}},
      {"spaces kept", " a , b \n", {{" a ", " b "}}, {1}, {"\n"}},
      {"quoted at the very end", "x\n\"a\"", {{"x"}, {"a"}}, {1, 2}, {"\n", ""}},
      {"UTF-8",
       "工伤等级,五\n😀,\"护理\"\n",
       {{"工伤等级", "五"}, {"😀", "护理"}},
       {1, 2},
       {"\n", "\n"}},
      {"BOM",
       "\xEF\xBB\xBF"
       "a,b\n",
       {{"a", "b"}},
       {1},
       {"\n"},
       true},
      {"BOM then quote", "\xEF\xBB\xBF\"a\"\n", {{"a"}}, {1}, {"\n"}, true},
      {"BOM later is text",
       "a\n\xEF\xBB\xBF"
       "b\n",
       {{"a"},
        {"\xEF\xBB\xBF"
         "b"}},
       {1, 2},
       {"\n", "\n"}},
      {"two BOMs",
       "\xEF\xBB\xBF\xEF\xBB\xBF"
       "a",
       {{"\xEF\xBB\xBF"
         "a"}},
       {1},
       {""},
       true},
      {"empty input", "", {}, {}, {}},
      {"BOM only", "\xEF\xBB\xBF", {}, {}, {}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Read read = read_every_way(c.input);
    EXPECT_FALSE(read.fault) << read.error.message;
    EXPECT_EQ(read.rows, c.rows);
    EXPECT_EQ(read.lines, c.lines);
    EXPECT_EQ(read.line_ends, c.line_ends);
    EXPECT_EQ(read.bom, c.bom);
  }
}

struct BadCase {
  const char* name;
  std::string_view input;
  Rows rows_before;
  std::size_t line;
  std::string_view message;  // contained in the error's message
};

TEST(CsvReader, StopsAtBadInputNamingItsLine) {
  const BadCase cases[] = {
      {"unterminated quote", "a\n\"b\nc\n", {{"a"}}, 2, "引号未闭合"},
      {"unterminated after a multi-line cell",
       "a\n\"x\ny\"\n\"open",
       {{"a"}, {"x\ny"}},
       4,
       "引号未闭合"},
      {"quote opened mid-record", "a,\"b\n\n", {}, 1, "引号未闭合"},
      {"stray quote", "a\nb\"c\n", {{"a"}}, 2, "未加引号的单元格中有引号"},
      {"quote after text", "ab\"\n", {}, 1, "未加引号的单元格中有引号"},
      {"text after closing quote", "\"a\"b\n", {}, 1, "右引号后面还有文字"},
      {"blank after closing quote", "x\n\"a\" ,b\n", {{"x"}}, 2, "右引号后面还有文字"},
      {"after a closing quote on a later line", "\"a\nb\"c", {}, 2, "右引号后面还有文字"},
      {"lone CR", "a\rb\n", {}, 1, "回车符"},
      {"lone CR at the end", "a\nb\r", {{"a"}}, 2, "回车符"},
      {"CR after closing quote", "\"a\"\rb", {}, 1, "回车符"},
      {"invalid byte", "a\n\xFF\n", {{"a"}}, 2, "0xFF"},
      {"overlong", "a\nb,\xC0\xAF\n", {{"a"}}, 2, "0xC0"},
      {"surrogate", "\xED\xA0\x80", {}, 1, "0xED"},
      {"cut off at the end", "a\xE4\xB8", {}, 1, "0xE4"},
      {"continuation without lead", "ok\n\"\x80\"", {{"ok"}}, 2, "0x80"},
      {"invalid inside quotes, after a line end", "\"a\n\xFF\"", {}, 2, "0xFF"},
      {"bad sequence before a comma", "\xE4\xB8,", {}, 1, "0xE4"},
      {"part of a BOM",
       "\xEF\xBB"
       "x",
       {},
       1,
       "0xEF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Read read = read_every_way(c.input);
    EXPECT_TRUE(read.fault);
    EXPECT_EQ(read.rows, c.rows_before);
    EXPECT_EQ(read.error.line, c.line);
    EXPECT_NE(read.error.message.find(c.message), std::string::npos) << read.error.message;
  }
}

TEST(CsvReader, RefusesRecordsBeyondItsLimits) {
  CsvLimits limits;
  limits.max_cells = 3;
  Read read = read_every_way("a,b,c\n1,2,3,4\n", limits);
  EXPECT_EQ(read.rows, (Rows{{"a", "b", "c"}}));
  EXPECT_EQ(read.error.line, 2u);
  EXPECT_NE(read.error.message.find("3 个"), std::string::npos);

  limits = {};
  limits.block_size = 4;
  limits.max_record_bytes = 16;
  MemorySource fits("0123456789abcd\nx\n");
  EXPECT_EQ(read_all(fits, limits).rows, (Rows{{"0123456789abcd"}, {"x"}}));
  MemorySource open_quote("x\n\"0123456789abcdefghij\n");
  read = read_all(open_quote, limits);
  EXPECT_EQ(read.rows, (Rows{{"x"}}));
  EXPECT_EQ(read.error.line, 2u);
  EXPECT_NE(read.error.message.find("16 字节"), std::string::npos);
}

// A source that gives some bytes and then fails, as a disk can.
class FailingSource final : public ByteSource {
 public:
  std::size_t read(char* buffer, std::size_t size) override {
    if (given_) return 0;
    given_ = true;
    const std::string_view bytes = "a\nb";
    const std::size_t n = std::min(size, bytes.size());
    std::copy_n(bytes.data(), n, buffer);
    return n;
  }
  std::string error() const override { return given_ ? "读取出错" : ""; }

 private:
  bool given_ = false;
};

TEST(CsvReader, ReportsAFailedReadWithoutALine) {
  FailingSource source;
  Read read = read_all(source);
  EXPECT_EQ(read.rows, (Rows{{"a"}}));
  EXPECT_TRUE(read.fault);
  EXPECT_EQ(read.error.line, 0u);
  EXPECT_EQ(describe(read.error), "读取出错");
  EXPECT_EQ(describe({7, "引号未闭合"}), "第 7 行：引号未闭合");
}

TEST(AppendCell, QuotesOnlyWhatNeedsIt) {
  const struct {
    std::string_view cell;
    std::string_view written;
  } cases[] = {
      {"", ""},
      {"3500", "3500"},
      {" 五 ", " 五 "},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"\"", "\"\"\"\""},
      {"a\nb", "\"a\nb\""},
      {"a\rb", "\"a\rb\""},
      {"a\r\n", "\"a\r\n\""},
  };
  for (const auto& c : cases) {
    std::string out = "x,";
    append_cell(out, c.cell);
    EXPECT_EQ(out, "x," + std::string(c.written));

    // What is written reads back as the same cell.
    MemorySource source(out);
    Read read = read_all(source);
    ASSERT_EQ(read.rows.size(), 1u) << out;
    EXPECT_EQ(read.rows[0], (std::vector<std::string>{"x", std::string(c.cell)}));
  }
}

}  // namespace
}  // namespace gongshang::batch
