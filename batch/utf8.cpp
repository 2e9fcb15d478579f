#include "batch/utf8.h"

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

}  // namespace gongshang::batch
