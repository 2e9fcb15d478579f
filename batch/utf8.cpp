#include "utf8.h"

namespace gongshang::batch {
namespace {

bool is_continuation(unsigned char b) {
  return (b & 0xC0) == 0x80;
}

}  // namespace

Utf8Sequence utf8_sequence(std::string_view bytes, std::size_t* length) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  const unsigned char lead = p[0];
  if (lead < 0x80) {
    *length = 1;
    return Utf8Sequence::kValid;
  }
  // The range of the second byte is where overlong forms, surrogates and
  // code points past U+10FFFF are told apart from good sequences.
  std::size_t need;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    need = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    need = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    need = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return Utf8Sequence::kInvalid;
  }
  for (std::size_t i = 1; i < need; ++i) {
    if (i >= n) return Utf8Sequence::kTruncated;
    const unsigned char b = p[i];
    if (i == 1 ? (b < low || b > high) : !is_continuation(b)) return Utf8Sequence::kInvalid;
  }
  *length = need;
  return Utf8Sequence::kValid;
}

std::size_t utf8_to_utf16(std::string_view utf8, char16_t* out) {
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* end = p + utf8.size();
  char16_t* o = out;
  while (p < end) {
    const unsigned char b = *p;
    if (b < 0x80) {
      *o++ = b;
      ++p;
    } else if (b < 0xE0) {
      *o++ = static_cast<char16_t>(((b & 0x1Fu) << 6) | (p[1] & 0x3Fu));
      p += 2;
    } else if (b < 0xF0) {
      *o++ = static_cast<char16_t>(((b & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu));
      p += 3;
    } else {
      const char32_t c =
          ((b & 0x07u) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6) | (p[3] & 0x3Fu);
      *o++ = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      *o++ = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
      p += 4;
    }
  }
  return static_cast<std::size_t>(o - out);
}

void append_utf8(std::u16string_view utf16, std::string& out) {
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    if (c >= 0xD800 && c <= 0xDFFF) {
      const bool paired =
          c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF;
      if (paired) {
        c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
      } else {
        c = 0xFFFD;
      }
    }
    if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    }
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::string to_utf8(std::u16string_view utf16) {
  std::string out;
  append_utf8(utf16, out);
  return out;
}

}  // namespace gongshang::batch
