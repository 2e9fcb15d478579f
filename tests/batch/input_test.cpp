#include <iconv.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <tuple>

#include <gtest/gtest.h>

#include "batch/csv.h"
#include "batch/encoding.h"
#include "batch/io.h"
#include "batch/utf8.h"
#include "tests/batch/runs.h"

namespace gongshang::batch {
namespace {

// Both sides of each bound: the lead byte's ranges, and the narrower second
// byte after E0, ED, F0 and F4 that keeps out overlong forms, surrogates and
// code points past U+10FFFF. A valid sequence is followed by more text.
TEST(Utf8Sequence, TellsValidFromForbiddenAndCutOff) {
  for (std::string_view bytes : {"\x7F", "\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xED\x9F\xBF",
                                 "\xEF\xBF\xBF", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"}) {
    std::size_t length = 0;
    EXPECT_EQ(utf8_sequence(std::string(bytes) + "a", &length), Utf8Sequence::kValid)
        << testing::PrintToString(bytes);
    EXPECT_EQ(length, bytes.size()) << testing::PrintToString(bytes);
  }
  for (std::string_view bytes :
       {"\x80", "\xC1\xBF", "\xC2\x41", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xE4\xB8\x41",
        "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xF0\x90\x80\xC0"}) {
    std::size_t length = 0;
    EXPECT_EQ(utf8_sequence(bytes, &length), Utf8Sequence::kInvalid)
        << testing::PrintToString(bytes);
  }
  for (std::string_view bytes : {"\xE4\xB8", "\xF0\x90\x80"}) {
    std::size_t length = 0;
    EXPECT_EQ(utf8_sequence(bytes, &length), Utf8Sequence::kTruncated)
        << testing::PrintToString(bytes);
  }
}

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

// Reads bytes whole, then a byte at a time with the reader's own buffer as
// small as it goes: a record straddling reads must come out as if it did not.
std::string render_every_way(std::string_view bytes, CsvLimits limits = {}) {
  MemorySource whole(bytes), cut(bytes, 1);
  const std::string first = render(whole, limits);
  limits.block_size = 1;
  EXPECT_EQ(render(cut, limits), first) << "read a byte at a time";
  return first;
}

TEST(CsvReader, ReadsRecordsAndStopsAtBadInput) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"a\r\nb\nc\r\n", "1[a]CRLF 2[b]LF 3[c]CRLF "},
      {"\"\"\"\",\"a\"\"\",\"\"\"b\"\n", "1[\"|a\"|\"b]LF "},
      {"\"a\r\nb\",\"c\rd\"\r\ne", "1[a\r\nb|c\rd]CRLF 3[e] "},
      {"x\n\"a\"", "1[x]LF 2[a] "},
      {"a\n\xEF\xBB\xBFx", "1[a]LF 2[\xEF\xBB\xBFx] "},  // a BOM later on is text
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

// Converts with the C library directly, not through the code under test.
std::string convert_text(const char* to, std::string_view utf8) {
  iconv_t cd = iconv_open(to, "UTF-8");
  std::string out(utf8.size() * 4 + 8, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t left = utf8.size();
  char* at = out.data();
  std::size_t room = out.size();
  EXPECT_NE(iconv(cd, &in, &left, &at, &room), static_cast<std::size_t>(-1));
  iconv_close(cd);
  out.resize(out.size() - room);
  return out;
}

const std::string kFix = "请在表格软件中另存为「CSV UTF-8」或「CSV (逗号分隔)」\n";

// A spreadsheet's GBK file comes back in GBK, computed as its UTF-8 twin is,
// however it is cut into reads, from a file or from a pipe.
TEST(Encoding, Gb18030ComesBackInGb18030) {
  const std::string utf8 =
      "姓名,工伤等级,护理级别,本人月均工资,统筹月工资,护理天数\r\n"
      "张三,五级,大部分护理,3500,4000,30\r\n"
      "\"😀,①\",１,,40000,12000,\r\n";
  const BatchRun twin = run_batch(utf8);
  for (std::size_t block : {1, 2, 3, 7, 4096}) {
    for (bool piped : {false, true}) {
      BatchRun r = convert_from(convert_text("GB18030", utf8), block, piped, block);
      EXPECT_EQ(r.status, kExitSuccess);
      EXPECT_EQ(r.out, convert_text("GB18030", twin.out)) << "block " << block;
      EXPECT_EQ(
          r.err,
          "gongshang-batch: 输入不是 UTF-8，按 GB18030（GBK）编码读取，结果也用这一编码写出\n" +
              twin.err);
    }
  }
}

TEST(Encoding, StopsAtTextInNeitherEncoding) {
  const std::string utf16 =
      "gongshang-batch: 输入看来是 UTF-16 编码（表格软件另存的「Unicode 文本」），无法读取；" +
      kFix;
  const std::string workbook =
      "gongshang-batch: 输入是 Excel 工作簿（.xlsx 或 .xls 文件），不是 CSV 文件；" + kFix;
  using namespace std::string_literals;
  const struct {
    std::string input;
    bool from_pipe_too;  // a pipe is judged by its first line
    std::string err;
  } cases[] = {
      {convert_text("UTF-16", "医疗费"), true, utf16},  // told by its byte-order mark alone
      {convert_text("UTF-16LE", "医疗费\r\n5\r\n"), true, utf16},  // by its NUL bytes
      {"PK\x03\x04\x14\0\x06\0\x08\0\0\0!\0"s, true, workbook},    // an .xlsx, a zip archive
      {"医疗费\n5\n\xED\xA0\x80\n", false,  // a surrogate, which UTF-8 forbids
       "gongshang-batch: 第 3 行：含有无效的 UTF-8 字节 0xED，输入也不是 GB18030（GBK）编码；" +
           kFix},
  };
  for (const auto& c : cases) {
    for (bool piped : {false, c.from_pipe_too}) {
      BatchRun r = convert_from(c.input, 5, piped, 5);
      EXPECT_EQ(std::tie(r.status, r.out, r.err), std::tie(kExitFailure, "", c.err));
    }
  }
  // Past the start of a pipe, a byte that GB18030 lacks stops the run there.
  BatchRun r = convert_from(convert_text("GB18030", "医疗费\n5\n") + "\xFF\n", 1, true, 1);
  EXPECT_EQ(r.status, kExitFailure);
  EXPECT_NE(r.out.find(convert_text("GB18030", "\n5,0,0,0,0,0,0,5,0,0,0,5,\n")), std::string::npos);
  EXPECT_TRUE(r.err.ends_with("第 3 行：含有 GB18030（GBK）中无效的字节 0xFF；" + kFix)) << r.err;
}

}  // namespace
}  // namespace gongshang::batch
