#include "batch/encoding.h"

#include <iconv.h>

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "batch/batch.h"
#include "batch/io.h"

namespace gongshang::batch {
namespace {

// Converts with the C library directly, not through the code under test.
std::string convert_text(const char* to, const char* from, std::string_view text) {
  iconv_t cd = iconv_open(to, from);
  std::string out(text.size() * 4 + 8, '\0');
  char* in = const_cast<char*>(text.data());
  std::size_t left = text.size();
  char* at = out.data();
  std::size_t room = out.size();
  EXPECT_NE(iconv(cd, &in, &left, &at, &room), static_cast<std::size_t>(-1));
  iconv_close(cd);
  out.resize(out.size() - room);
  return out;
}
std::string gb18030(std::string_view utf8) {
  return convert_text("GB18030", "UTF-8", utf8);
}

// Input from a pipe or a terminal: read once, in pieces, never ahead of time.
class PipeSource final : public ByteSource {
 public:
  PipeSource(std::string_view bytes, std::size_t block) : bytes_(bytes, block) {}
  std::size_t read(char* buffer, std::size_t size) override { return bytes_.read(buffer, size); }

 private:
  MemorySource bytes_;
};

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome convert_from(ByteSource& in, std::size_t block) {
  Outcome r;
  StringSink out(r.out), err(r.err);
  CsvLimits limits;
  limits.block_size = block;
  r.status = convert(in, out, err, limits);
  return r;
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
  const std::string input = gb18030(utf8);
  for (std::size_t block : {1, 2, 3, 7, 4096}) {
    MemorySource file(input, block);
    PipeSource pipe(input, block);
    for (ByteSource* in : {static_cast<ByteSource*>(&file), static_cast<ByteSource*>(&pipe)}) {
      Outcome r = convert_from(*in, block);
      EXPECT_EQ(r.status, kExitSuccess);
      EXPECT_EQ(r.out, gb18030(out)) << "block " << block;
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
  const struct {
    std::string input;
    bool from_pipe_too;  // a pipe is judged by its first line
    std::string err;
  } cases[] = {
      {convert_text("UTF-16", "UTF-8", "医疗费\r\n5\r\n"), true, utf16},  // with a byte-order mark
      {convert_text("UTF-16LE", "UTF-8", "医疗费\r\n5\r\n"), true, utf16},
      {convert_text("UTF-16BE", "UTF-8", "a,b\n"), true, utf16},
      {"医疗费\n5\n\xED\xA0\x80\n", false,  // a surrogate, which UTF-8 forbids
       "gongshang-batch: 第 3 行：含有无效的 UTF-8 字节 0xED，输入也不是 GB18030（GBK）编码；" +
           kFix},
  };
  for (const auto& c : cases) {
    MemorySource file(c.input, 5);
    PipeSource pipe(c.input, 5);
    for (ByteSource* in : {static_cast<ByteSource*>(&file), static_cast<ByteSource*>(&pipe)}) {
      if (in == &pipe && !c.from_pipe_too) continue;
      Outcome r = convert_from(*in, 64);
      EXPECT_EQ(r.status, kExitFailure);
      EXPECT_EQ(r.out, "");
      EXPECT_EQ(r.err, c.err);
    }
  }
  // Past the start of a pipe, a byte that GB18030 lacks stops the run there.
  const std::string bad_later = gb18030("医疗费\n5\n") + "\xFF\n";
  PipeSource pipe(bad_later, 1);
  Outcome r = convert_from(pipe, 1);
  EXPECT_EQ(r.status, kExitFailure);
  EXPECT_NE(r.out.find(gb18030("\n5,0,0,0,0,0,0,5,0,0,0,5,\n")), std::string::npos);
  EXPECT_TRUE(r.err.ends_with("第 3 行：含有 GB18030（GBK）中无效的字节 0xFF；" + kFix)) << r.err;
}

}  // namespace
}  // namespace gongshang::batch
