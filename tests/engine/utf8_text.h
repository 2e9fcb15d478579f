// Field texts as UTF-8, so a failing test prints Chinese rather than '?'.
#ifndef GONGSHANG_TESTS_ENGINE_UTF8_TEXT_H_
#define GONGSHANG_TESTS_ENGINE_UTF8_TEXT_H_

#include <string>
#include <string_view>

namespace gongshang {

inline std::string utf8(std::u16string_view s) {
  std::string out;
  for (char32_t c : s) {  // the engine's texts lie in the basic plane
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace gongshang

#endif  // GONGSHANG_TESTS_ENGINE_UTF8_TEXT_H_
