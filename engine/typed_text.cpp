#include "engine/typed_text.h"

#include <algorithm>
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

MoneyReading read_money(std::string_view text, double max) {
  MoneyReading r;
  std::string buffer;
  const std::string_view s = ascii_form(text, buffer);
  if (s.empty()) return r;
  // Before the point: digits, or groups of three after a first of one to
  // three; after it: digits only.
  const std::size_t point = s.find('.');
  const std::string_view whole = s.substr(0, point);
  const std::string_view fraction = point == s.npos ? std::string_view() : s.substr(point + 1);
  const auto digits = [](std::string_view part) {
    for (char c : part)
      if (c < '0' || c > '9') return false;
    return true;
  };
  bool ok = digits(fraction) && (whole.size() + fraction.size() > 0);
  if (ok && whole.find(',') != whole.npos) {
    std::size_t first = whole.find(',');
    ok = first >= 1 && first <= 3 && (whole.size() - first) % 4 == 0;
    for (std::size_t at = first; ok && at < whole.size(); at += 4) ok = whole[at] == ',';
  }
  if (ok) {
    for (char c : whole) {
      if (c == ',') continue;
      if (c < '0' || c > '9') ok = false;
      r.plain.push_back(c);
    }
  }
  if (!ok) {
    r.plain.clear();
    r.problem = kMoneyForm;
    return r;
  }
  if (r.plain.empty()) r.plain = "0";
  if (!fraction.empty()) r.plain.append(".").append(fraction);
  // Digits and a point only: the number rule reads them exactly as written.
  const std::optional<double> value = read_decimal(r.plain);
  if (!value || !(*value <= max)) {
    r.plain.clear();
    r.problem = "不能超过 " + double_form(max) + "，多半是输入错误";
    return r;
  }
  r.value = *value;
  return r;
}

std::optional<int> read_count(std::string_view text, int max) {
  std::string buffer;
  std::string_view s = ascii_form(text, buffer);
  int value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (s.empty() || s[0] == '-' || ec != std::errc() || end != s.data() + s.size() || value > max) {
    return std::nullopt;
  }
  return value;
}

namespace {

// The length of the UTF-8 sequence at the start of s and its code point, or
// 0 when it is not one (overlong forms and surrogates included).
std::size_t utf8_at(std::string_view s, char32_t& code) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(0);
  std::size_t n = lead < 0x80                   ? 1
                  : lead >= 0xC2 && lead < 0xE0 ? 2
                  : lead >= 0xE0 && lead < 0xF0 ? 3
                  : lead >= 0xF0 && lead < 0xF5 ? 4
                                                : 0;
  if (n == 0 || n > s.size()) return 0;
  code = n == 1 ? lead : lead & (0x7F >> n);
  for (std::size_t i = 1; i < n; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < least[n] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return n;
}

// Controls, the line and paragraph separators, and Unicode's
// Default_Ignorable_Code_Point set (DerivedCoreProperties.txt): what a
// display draws as nothing, or uses to reorder or join what is around it.
bool invisible(char32_t c) {
  struct Range {
    char32_t first, last;
  };
  static constexpr Range kInvisible[] = {
      {0x0000, 0x001F}, {0x007F, 0x009F},   {0x00AD, 0x00AD},   {0x034F, 0x034F},  {0x061C, 0x061C},
      {0x115F, 0x1160}, {0x17B4, 0x17B5},   {0x180B, 0x180F},   {0x200B, 0x200F},  {0x2028, 0x202E},
      {0x2060, 0x206F}, {0x3164, 0x3164},   {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},  {0xFFA0, 0xFFA0},
      {0xFFF0, 0xFFFB}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF}};
  for (const Range& r : kInvisible) {
    if (c < r.first) return false;
    if (c <= r.last) return true;
  }
  return false;
}

// Blanks of every width but the ASCII controls, which invisible() holds.
bool blank_of_any_width(char32_t c) {
  return c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F ||
         c == 0x205F || c == 0x3000;
}

void append_hex(std::string& out, unsigned value, int digits) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += kDigits[(value >> shift) & 0xF];
}

}  // namespace

std::size_t valid_utf8_prefix(std::string_view text) {
  std::size_t valid = 0;
  while (valid < text.size()) {
    if (static_cast<unsigned char>(text[valid]) < 0x80) {
      ++valid;
      continue;
    }
    char32_t code = 0;
    const std::size_t n = utf8_at(text.substr(valid), code);
    if (n == 0) break;
    valid += n;
  }
  return valid;
}

std::string visible(std::string_view text, std::size_t limit) {
  std::string out;
  out.reserve(std::min(text.size(), kVisibleBytes + 16));
  while (!text.empty()) {
    if (out.size() >= limit) {
      out += "…";
      break;
    }
    char32_t code = 0;
    std::size_t n = utf8_at(text, code);
    if (n == 0) {
      out += "\\x";
      append_hex(out, static_cast<unsigned char>(text[0]), 2);
      n = 1;
    } else if (invisible(code)) {
      out += code > 0xFFFF ? "\\U" : "\\u";
      append_hex(out, code, code > 0xFFFF ? 8 : 4);
    } else {
      out.append(text.substr(0, n));
    }
    text.remove_prefix(n);
  }
  return out;
}

std::string_view trimmed_name(std::string_view text) {
  const auto blank_at = [&text](std::size_t at, std::size_t& n) {
    char32_t code = 0;
    n = utf8_at(text.substr(at), code);
    return n > 0 && (blank_of_any_width(code) || code == '\t' || code == '\r' || code == '\n');
  };
  std::size_t n = 0;
  while (!text.empty() && blank_at(0, n)) text.remove_prefix(n);
  // Blanks are one byte (ASCII) or end in 0x80..0xBF: step back to a lead byte.
  for (bool more = true; more && !text.empty();) {
    std::size_t at = text.size() - 1;
    while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) --at;
    more = blank_at(at, n) && at + n == text.size();
    if (more) text.remove_suffix(n);
  }
  return text;
}

std::size_t character_count(std::string_view text) {
  std::size_t count = 0;
  while (!text.empty()) {
    char32_t code = 0;
    const std::size_t n = utf8_at(text, code);
    text.remove_prefix(n == 0 ? 1 : n);
    ++count;
  }
  return count;
}

std::string file_name_part(std::string_view text, std::size_t max_chars) {
  constexpr std::string_view kNever = "/\\:*?\"<>|";
  text = trimmed_name(text);
  std::string out;
  std::size_t count = 0;
  while (!text.empty() && count < max_chars) {
    char32_t code = 0;
    const std::size_t n = utf8_at(text, code);
    if (n > 0 && !invisible(code) &&
        (code > 0x7F || kNever.find(static_cast<char>(code)) == std::string_view::npos)) {
      out.append(text.substr(0, n));
      ++count;
    }
    text.remove_prefix(n == 0 ? 1 : n);
  }
  const auto edge = [](char c) { return c == ' ' || c == '.'; };
  while (!out.empty() && edge(out.back())) out.pop_back();
  std::size_t front = 0;
  while (front < out.size() && edge(out[front])) ++front;
  return std::string(trimmed_name(std::string_view(out).substr(front)));
}

std::size_t first_unclear(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    char32_t code = 0;
    const std::size_t n = utf8_at(text.substr(at), code);
    if (n == 0 || invisible(code) || blank_of_any_width(code)) return at;
    at += n;
  }
  return std::string_view::npos;
}

}  // namespace gongshang
