#include "batch/encoding.h"

#include <iconv.h>

#include <string>
#include <string_view>
#include <tuple>

#include <gtest/gtest.h>

#include "tests/batch/runs.h"

namespace gongshang::batch {
namespace {

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
  std::string out, err;
  ASSERT_EQ(run({}, utf8, out, err), kExitSuccess);
  for (std::size_t block : {1, 2, 3, 7, 4096}) {
    for (bool piped : {false, true}) {
      BatchRun r = convert_from(convert_text("GB18030", utf8), block, piped, block);
      EXPECT_EQ(r.status, kExitSuccess);
      EXPECT_EQ(r.out, convert_text("GB18030", out)) << "block " << block;
      EXPECT_EQ(
          r.err,
          "gongshang-batch: 输入不是 UTF-8，按 GB18030（GBK）编码读取，结果也用这一编码写出\n" +
              err);
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
      {convert_text("UTF-16LE", "医疗费\r\n5\r\n"), true, utf16},     // by its NUL bytes
      {"PK\x03\x04\x14\0\x06\0\x08\0\0\0!\0"s, true, workbook},       // an .xlsx, a zip archive
      {"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0\0\0"s, true, workbook},  // an .xls
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
