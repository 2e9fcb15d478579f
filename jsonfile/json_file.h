// A JSON file read as if it were hostile. Its size is capped while it is
// read (so /dev/zero or a FIFO stops), its nesting is capped while it is
// parsed (before memory grows), and the work is linear in its size. Every
// fault is a Chinese message with the line and column and the likely
// cause: another encoding than UTF-8, a file cut short, NUL bytes, a key
// given twice. No text of the JSON library reaches the user.
#ifndef GONGSHANG_JSONFILE_JSON_FILE_H_
#define GONGSHANG_JSONFILE_JSON_FILE_H_

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace gongshang::jsonfile {

// The largest file taken: twenty times the shipped rules file, and a case
// file is a few kilobytes. Any file up to it is read or refused in well
// under a second and 100 MB.
inline constexpr std::size_t kMaxBytes = 1 << 20;
// Arrays and objects inside each other; the rules file needs five.
inline constexpr int kMaxDepth = 32;

// Why bytes were not taken; line and column count from 1, 0 when unknown
// (a file that could not be read). The column counts characters.
struct Problem {
  int line = 0;
  int column = 0;
  std::string message;

  // "第 3 行第 14 列：…"; just the message without a line.
  std::string text() const;
};

// The file's bytes, at most `cap` of them, read in chunks: a longer one,
// however long or endless, is refused once the cap is passed.
//   "regions.json" -> its bytes   "/dev/zero" -> Problem{"文件超过 1 MiB……"}
struct FileBytes {
  std::string bytes;
  std::optional<Problem> problem;
};
FileBytes read_file(const std::filesystem::path& file, std::size_t cap = kMaxBytes);

// What read_file says of a file over the cap, for a reader that knows the
// size before it reads (the web page, given a file by the browser).
//   kMaxBytes -> "文件超过 1 MiB，不是本程序的文件（案例和规则文件都小得多）"
std::string too_large(std::size_t cap = kMaxBytes);

using Json = nlohmann::ordered_json;

// A key of the top object checked as it is met, so a file of many unknown
// keys stops at the first: "" takes it, anything else is the refusal.
using KeyCheck = std::function<std::string(std::string_view key)>;

// The document, in the order of the file, and where each value starts.
struct Document {
  Json root;
  std::optional<Problem> problem;  // set: root is to be ignored

  // The byte offset of `value`, a node of root, in the bytes parsed; that
  // of root when it is not one.
  //   R"({"a": [1, "b"]})", the node "b" -> 10
  std::size_t offset_of(const Json* value) const;

  std::vector<std::size_t> offsets;  // of every value, in document order
};

// A problem at a byte offset of `bytes`: its line and its column (in
// characters), both from 1.
//   ("{\n  \"甲\": 1}", 9) -> Problem{2, 6, message}
Problem problem_at(std::string_view bytes, std::size_t offset, std::string message);

// Parses bytes; a key repeated in an object, nesting beyond kMaxDepth and a
// key `check` refuses are problems too.
//   R"({"a": [1, 2]})" -> {"a": [1, 2]}
//   "{\"a\": 1,\n\"a\": 2}" -> Problem{2, 1, "「a」出现了两次……"}
//   "\xFF\xFE{\0" -> Problem{1, 1, "文件不是 UTF-8 编码，看来是 UTF-16……"}
Document parse(std::string_view bytes, const KeyCheck& check = {});

}  // namespace gongshang::jsonfile

#endif  // GONGSHANG_JSONFILE_JSON_FILE_H_
