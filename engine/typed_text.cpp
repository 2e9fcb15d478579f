#include "engine/typed_text.h"

#include <charconv>

#include "engine/number_text.h"

namespace gongshang {

namespace {

bool blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

std::string ascii_form(std::string_view text) {
  std::string buffer;
  return std::string(ascii_form(text, buffer));
}

std::string_view ascii_form(std::string_view text, std::string& buffer) {
  // Most texts hold no full-width form: they come back as they are, trimmed.
  // Full-width forms start with EF BC or EF BD, the ideographic space E3 80.
  bool plain = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) < 0xE3) continue;  // ASCII, mostly
    if (i + 1 < text.size() &&
        ((text[i] == '\xEF' && (text[i + 1] == '\xBC' || text[i + 1] == '\xBD')) ||
         (text[i] == '\xE3' && text[i + 1] == '\x80'))) {
      plain = false;
      break;
    }
  }
  if (plain) return trimmed(text);
  std::string& out = buffer;
  out.clear();
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::string_view rest = text.substr(i);
    // U+FF01..U+FF5E are EF BC 81..EF BD 9E; U+3000 is E3 80 80.
    if (rest.size() >= 3 && rest[0] == '\xEF' && (rest[1] == '\xBC' || rest[1] == '\xBD')) {
      int code = ((rest[1] & 0x3F) << 6) | (rest[2] & 0x3F);
      int ascii = code - 0xF01 + '!';
      if (ascii >= '!' && ascii <= '~') {
        out.push_back(static_cast<char>(ascii));
        i += 2;
        continue;
      }
    } else if (rest.starts_with("\xE3\x80\x80")) {
      out.push_back(' ');
      i += 2;
      continue;
    }
    out.push_back(text[i]);
  }
  return trimmed(out);
}

std::optional<double> read_plain_number(std::string_view text) {
  std::string buffer;
  return read_decimal(ascii_form(text, buffer));
}

std::optional<int> read_count(std::string_view text) {
  std::string buffer;
  std::string_view s = ascii_form(text, buffer);
  int value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (s.empty() || s[0] == '-' || ec != std::errc() || end != s.data() + s.size() ||
      value > kMaxCount) {
    return std::nullopt;
  }
  return value;
}

}  // namespace gongshang
