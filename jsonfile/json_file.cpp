#include "jsonfile/json_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <set>
#include <utility>

#include "engine/typed_text.h"

namespace gongshang::jsonfile {
namespace {

std::string number(long long n) {
  return std::to_string(n);
}

std::string size_text(std::size_t bytes) {
  if (bytes % (1 << 20) == 0) return number(static_cast<long long>(bytes >> 20)) + " MiB";
  return number(static_cast<long long>(bytes)) + " 字节";
}

constexpr std::string_view kSaveAsUtf8 =
    "请在文本编辑器中“另存为”，编码选 UTF-8，再重新打开（记事本：另存为 → 编码 → UTF-8）";

// Whether every non-ASCII byte pairs up as GBK (or GB18030's four-byte form).
bool looks_like_gbk(std::string_view bytes) {
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  for (std::size_t i = 0; i < bytes.size();) {
    if (b(i) < 0x80) {
      ++i;
    } else if (b(i) == 0x80 || b(i) == 0xFF || i + 1 >= bytes.size()) {
      return false;
    } else if (b(i + 1) >= 0x30 && b(i + 1) <= 0x39) {
      if (i + 3 >= bytes.size() || b(i + 2) < 0x81 || b(i + 2) > 0xFE || b(i + 3) < 0x30 ||
          b(i + 3) > 0x39)
        return false;
      i += 4;
    } else if (b(i + 1) >= 0x40 && b(i + 1) != 0x7F && b(i + 1) != 0xFF) {
      i += 2;
    } else {
      return false;
    }
  }
  return true;
}

// Faults of the bytes as text, before any JSON is read.
std::optional<Problem> encoding_problem(std::string_view bytes) {
  const bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ||
                     (bytes.size() >= 2 && (bytes[0] == '\0') != (bytes[1] == '\0'));
  if (utf16) {
    return Problem{1, 1,
                   "文件不是 UTF-8 编码，看来是 UTF-16（“Unicode”）：" + std::string(kSaveAsUtf8)};
  }
  if (std::size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
    return problem_at(bytes, nul, "有空字符（字节 0）：文件可能已损坏，或不是文本文件");
  }
  if (std::size_t bad = valid_utf8_prefix(bytes); bad < bytes.size()) {
    if (looks_like_gbk(bytes)) {
      return problem_at(bytes, bad,
                        "文件不是 UTF-8 编码，看来是 GBK（GB18030）：" + std::string(kSaveAsUtf8));
    }
    return problem_at(bytes, bad,
                      "不是有效的 UTF-8 文字（字节 " + visible(bytes.substr(bad, 1)) +
                          "）：文件可能已损坏，或用了别的编码；" + std::string(kSaveAsUtf8));
  }
  return std::nullopt;
}

// Where the parser is: the bytes consumed. It reads one character past a
// number, so a value's own start is found from the end of what came before.
struct Position {
  const char* begin;
  const char* at;
};

class CountingIterator {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  CountingIterator(const char* p, Position* position) : p_(p), position_(position) {}
  reference operator*() const { return *p_; }
  CountingIterator& operator++() {
    position_->at = ++p_;
    return *this;
  }
  bool operator==(const CountingIterator& o) const { return p_ == o.p_; }

 private:
  const char* p_;
  Position* position_;
};

// The character at `offset` as shown in a message, with a hint where it is a
// Chinese punctuation mark typed in place of JSON's.
std::string unexpected(std::string_view bytes, std::size_t offset) {
  std::size_t n = 1;
  while (offset + n < bytes.size() && n < 4 &&
         (static_cast<unsigned char>(bytes[offset + n]) & 0xC0) == 0x80)
    ++n;
  const std::string_view c = bytes.substr(offset, n);
  std::string out = "此处不应出现“" + visible(c) + "”";
  if (c == "“" || c == "”" || c == "，" || c == "：" || c == "｛" || c == "｝") {
    out += "：JSON 的引号、逗号、冒号和括号须是英文半角符号";
  } else {
    out += "：可能缺少或多了逗号、冒号、引号或括号";
  }
  return out;
}

// Builds the document as the parser reads it, stopping at the first fault.
// Objects keep the file's order; a member is appended without the ordered
// object's linear search, the repeat check being a set per open object.
class Builder final : public nlohmann::json_sax<Json> {
 public:
  Builder(std::string_view bytes, const Position& position, const KeyCheck& check, Document& doc)
      : bytes_(bytes),
        position_(position),
        check_(check),
        doc_(doc),
        passed_(bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0) {}

  std::optional<Problem> problem;

  bool null() override { return value(nullptr); }
  bool boolean(bool b) override { return value(b); }
  bool number_integer(number_integer_t n) override { return value(n); }
  bool number_unsigned(number_unsigned_t n) override { return value(n); }
  bool number_float(number_float_t n, const string_t&) override { return value(n); }
  bool string(string_t& s) override { return value(std::move(s)); }
  bool binary(binary_t&) override { return value(nullptr); }
  bool start_object(std::size_t) override { return open(Json::object()); }
  bool start_array(std::size_t) override { return open(Json::array()); }
  bool end_object() override { return close(); }
  bool end_array() override { return close(); }

  bool key(string_t& k) override {
    passed_ = offset();
    Frame& f = frames_.back();
    if (frames_.size() == 1 && check_) {
      if (std::string refusal = check_(k); !refusal.empty()) return stop(key_start(), refusal);
    }
    if (!f.keys.insert(k).second) {
      return stop(key_start(), "「" + visible(k) + "」出现了两次：同一层里每个键只能有一个");
    }
    auto& members = static_cast<Json::object_t::Container&>(*f.node->get_ptr<Json::object_t*>());
    members.emplace_back(std::move(k), nullptr);
    return true;
  }

  bool parse_error(std::size_t byte, const std::string&,
                   const nlohmann::detail::exception& e) override {
    // byte counts from 1 and includes the end of input when it was reached.
    if (byte > bytes_.size()) {
      const bool blank = bytes_.find_first_not_of(" \t\r\n") == std::string_view::npos;
      problem = problem_at(bytes_, bytes_.size(),
                           blank ? "文件是空的，没有内容"
                                 : "文件在这里意外结束：可能不完整（被截断），或少了引号或括号");
      return false;
    }
    std::size_t offset = byte == 0 ? 0 : byte - 1;
    // The library's words only choose the Chinese ones; they are not shown.
    const std::string_view what = e.what();
    const auto says = [&](std::string_view words) {
      return what.find(words) != std::string_view::npos;
    };
    const auto letter = [&](std::size_t i) {
      const char c = bytes_[i];
      return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    };
    std::string why;
    if (says("control character")) {
      why = "引号中的文字含有控制字符 " + visible(bytes_.substr(offset, 1)) +
            "（例如换行或制表符），须写作转义形式如 \\n";
    } else if (says("invalid string")) {
      why = "引号中有无效的转义：反斜杠后只能是 \" \\ / b f n r t 或 u 加四位十六进制数";
    } else if (says("invalid number")) {
      why = "数字的写法不对（此处是“" + visible(bytes_.substr(offset, 1)) +
            "”）：数字只用半角数字、小数点和指数";
    } else if (says("invalid literal") && (letter(offset) || (offset > 0 && letter(offset - 1)))) {
      std::size_t start = offset;
      while (start > 0 && letter(start - 1)) --start;
      why = "无法识别“" + visible(bytes_.substr(start, offset + 1 - start)) +
            "”：文字须加英文双引号，true、false、null 须小写";
      offset = start;
    } else {
      why = unexpected(bytes_, offset);
    }
    problem = problem_at(bytes_, offset, "不是有效的 JSON，" + why);
    return false;
  }

 private:
  struct Frame {
    Json* node;
    std::set<std::string, std::less<>> keys;
  };

  std::size_t offset() const { return static_cast<std::size_t>(position_.at - position_.begin); }

  // The key's opening quote: the parser stands just past its closing one.
  std::size_t key_start() const {
    std::size_t i = offset() >= 2 ? offset() - 2 : 0;
    while (i > 0) {
      if (bytes_[i] == '"') {
        std::size_t slashes = 0;
        while (slashes < i && bytes_[i - 1 - slashes] == '\\') ++slashes;
        if (slashes % 2 == 0) break;
      }
      --i;
    }
    return i;
  }

  bool stop(std::size_t offset, std::string message) {
    problem = problem_at(bytes_, offset, std::move(message));
    return false;
  }

  // The first byte of the value just read: past what the last callback
  // passed (the number's look-ahead included), and the blanks, commas and
  // colons between. In a valid document nothing else comes between.
  std::size_t value_start() const {
    std::size_t i = passed_;
    while (i < bytes_.size() &&
           std::string_view(" \t\r\n,:").find(bytes_[i]) != std::string_view::npos)
      ++i;
    return i;
  }

  Json* place(Json&& v) {
    doc_.offsets.push_back(value_start());
    passed_ = offset();
    if (frames_.empty()) {
      doc_.root = std::move(v);
      return &doc_.root;
    }
    Json* parent = frames_.back().node;
    if (parent->is_array()) {
      auto& items = *parent->get_ptr<Json::array_t*>();
      items.push_back(std::move(v));
      return &items.back();
    }
    auto& members = *parent->get_ptr<Json::object_t*>();
    members.back().second = std::move(v);
    return &members.back().second;
  }

  bool value(Json&& v) {
    place(std::move(v));
    return true;
  }

  bool open(Json&& v) {
    if (frames_.size() >= static_cast<std::size_t>(kMaxDepth)) {
      return stop(offset() - 1,
                  "括号套括号超过 " + number(kMaxDepth) + " 层：这不是本程序的文件，或文件已损坏");
    }
    frames_.push_back({place(std::move(v)), {}});
    return true;
  }

  bool close() {
    frames_.pop_back();
    passed_ = offset();
    return true;
  }

  std::string_view bytes_;
  const Position& position_;
  const KeyCheck& check_;
  Document& doc_;
  std::vector<Frame> frames_;
  std::size_t passed_;  // bytes before the next value's start, blanks aside
};

// Finds `target` among the nodes under `node` in document order, counting
// the nodes passed in `index`.
bool find(const Json& node, const Json* target, std::size_t& index) {
  if (&node == target) return true;
  ++index;
  if (node.is_array()) {
    for (const Json& item : node)
      if (find(item, target, index)) return true;
  } else if (node.is_object()) {
    for (const auto& member : *node.get_ptr<const Json::object_t*>())
      if (find(member.second, target, index)) return true;
  }
  return false;
}

}  // namespace

std::string Problem::text() const {
  if (line == 0) return message;
  std::string where = "第 " + number(line) + " 行";
  if (column > 0) where += "第 " + number(column) + " 列";
  return where + "：" + message;
}

std::string too_large(std::size_t cap) {
  return "文件超过 " + size_text(cap) + "，不是本程序的文件（案例和规则文件都小得多）";
}

FileBytes read_file(const std::filesystem::path& file, std::size_t cap) {
  FileBytes read;
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    read.problem = Problem{0, 0,
                           errno == ENOENT   ? "文件不存在"
                           : errno == EACCES ? "没有读取这个文件的权限"
                                             : "无法打开文件"};
    return read;
  }
  constexpr std::size_t kChunk = 64 * 1024;
  for (;;) {
    const std::size_t had = read.bytes.size();
    read.bytes.resize(had + kChunk);
    const ssize_t got = ::read(fd, read.bytes.data() + had, kChunk);
    read.bytes.resize(had + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      read.problem = Problem{0, 0, errno == EISDIR ? "这是一个文件夹，不是文件" : "无法读取文件"};
      break;
    }
    if (got == 0) break;
    if (read.bytes.size() > cap) {
      read.problem = Problem{0, 0, too_large(cap)};
      break;
    }
  }
  ::close(fd);
  if (read.problem) read.bytes = {};
  return read;
}

Problem problem_at(std::string_view bytes, std::size_t offset, std::string message) {
  offset = std::min(offset, bytes.size());
  const std::string_view before = bytes.substr(0, offset);
  const std::size_t line_start = before.rfind('\n') + 1;  // npos + 1 == 0
  const int line = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
  const int column =
      1 + static_cast<int>(
              std::count_if(before.begin() + static_cast<std::ptrdiff_t>(line_start), before.end(),
                            [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
  return {line, column, std::move(message)};
}

std::size_t Document::offset_of(const Json* value) const {
  std::size_t index = 0;
  if (!find(root, value, index) || index >= offsets.size()) return offsets.empty() ? 0 : offsets[0];
  return offsets[index];
}

Document parse(std::string_view bytes, const KeyCheck& check) {
  Document doc;
  if ((doc.problem = encoding_problem(bytes))) return doc;
  Position position{bytes.data(), bytes.data()};
  Builder builder(bytes, position, check, doc);
  Json::sax_parse(CountingIterator(bytes.data(), &position),
                  CountingIterator(bytes.data() + bytes.size(), &position), &builder);
  if (builder.problem) {
    doc.problem = std::move(builder.problem);
    doc.root = nullptr;
    doc.offsets.clear();
  }
  return doc;
}

}  // namespace gongshang::jsonfile
