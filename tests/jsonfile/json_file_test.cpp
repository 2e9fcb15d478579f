#include "jsonfile/json_file.h"

#include <fstream>

#include <gtest/gtest.h>

#include "regions/rules_file.h"

namespace gongshang::jsonfile {
namespace {

TEST(JsonFile, RefusesHostileBytesSayingWhereAndWhy) {
  struct Row {
    std::string bytes;
    int line, column;
    const char* message_part;
  } rows[] = {
      {"{\"regions\": [],\n \"regions\": []}", 2, 2, "「regions」出现了两次"},
      {"{\"a\": {\"k\\\"\": 1, \"k\\\"\": 2}}", 1, 18, "「k\"」出现了两次"},
      {R"({"regions":)" + std::string(kMaxDepth, '[') + std::string(kMaxDepth, ']') + "}", 1,
       12 + kMaxDepth - 1, "括号套括号超过 32 层"},
      {"{\"about\": \"\xD5\xE3\xBD\xAD\"}", 1, 12, "看来是 GBK（GB18030）"},
      {"\xFF\xFE{\0}\0", 1, 1, "看来是 UTF-16"},
      {std::string("{\0\"\0a\0\"\0", 8), 1, 1, "看来是 UTF-16"},
      {"{\"about\": \"\x80\"}", 1, 12, "不是有效的 UTF-8 文字（字节 \\x80）"},
      {std::string(8, '\0'), 1, 1, "有空字符"},
      {std::string("{\"regions\": []}\n\0", 17), 2, 1, "有空字符"},
      {"{\"regions\": [\n  {\"name\": \"甲", 2, 14, "意外结束：可能不完整（被截断）"},
      {" \n", 2, 1, "文件是空的"},
      {"{“regions”: []}", 1, 2, "此处不应出现““”：JSON 的引号"},
      {"{\"regions\": []} x", 1, 17, "无法识别“x”"},
      {"{\"regions\": [] ]", 1, 16, "此处不应出现“]”"},
      {"{\"year\": 1.}", 1, 12, "数字的写法不对"},
      {"{\"about\": \"a\tb\"}", 1, 13, "控制字符 \\u0009"},
      {"{\"about\": \"\\q\"}", 1, 13, "无效的转义"},
      {"{\"regions\": tru}", 1, 13, "无法识别“tru}”"},
  };
  for (const Row& r : rows) {
    const Document doc = parse(r.bytes);
    ASSERT_TRUE(doc.problem) << r.message_part;
    EXPECT_EQ(doc.problem->line, r.line) << doc.problem->message;
    EXPECT_EQ(doc.problem->column, r.column) << doc.problem->message;
    EXPECT_NE(doc.problem->message.find(r.message_part), std::string::npos) << doc.problem->message;
    // The rules loader passes the same place and words on.
    EXPECT_EQ(std::get<regions::LoadError>(regions::parse_rules(r.bytes)).line, r.line);
  }
}

// Where each value starts, which a fault found after parsing points at:
// past a number's look-ahead, a byte-order mark, blanks, commas and colons.
TEST(JsonFile, KnowsWhereEachValueStarts) {
  const std::pair<std::string, std::vector<std::size_t>> rows[] = {
      {R"({"a": [1, "b"], "c": true})", {0, 6, 7, 10, 21}},
      {"\xEF\xBB\xBF [12 ,-3e2,null]", {4, 5, 9, 14}},
      {"[{} ,[],\"x\"]", {0, 1, 5, 8}},
      {"{\"甲\"\t:\r\n {}}", {0, 11}},
  };
  for (const auto& [bytes, offsets] : rows) {
    const Document doc = parse(bytes);
    ASSERT_FALSE(doc.problem) << bytes;
    EXPECT_EQ(doc.offsets, offsets) << bytes;
  }
}

TEST(JsonFile, ReadsNoFurtherThanTheCap) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("json_file_test_" + std::to_string(::getpid()) + ".json");
  const struct Row {
    std::filesystem::path file;
    std::size_t size;  // written first, when not 0
    const char* problem;
  } rows[] = {
      {path, kMaxBytes, ""},
      {path, kMaxBytes + 1, "文件超过 1 MiB"},
      {"/dev/zero", 0, "文件超过 1 MiB"},
      {path.string() + ".none", 0, "文件不存在"},
      {std::filesystem::temp_directory_path(), 0, "这是一个文件夹"},
  };
  for (const Row& r : rows) {
    if (r.size > 0) std::ofstream(r.file, std::ios::binary) << std::string(r.size, ' ');
    const FileBytes read = read_file(r.file);
    EXPECT_EQ(read.problem ? read.problem->message.substr(0, std::strlen(r.problem)) : "",
              r.problem)
        << r.file;
    EXPECT_EQ(read.bytes.size(), read.problem ? 0 : r.size);
  }
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace gongshang::jsonfile
