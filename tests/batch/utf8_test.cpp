#include "batch/utf8.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace gongshang::batch {
namespace {

// Each just past a bound that the exhaustive test below accepts up to.
TEST(Utf8Sequence, RefusesForbiddenAndCutOffSequences) {
  for (std::string_view bytes : {
           "\x80", "\xBF",                          // lone continuations
           "\xC0\xAF", "\xC1\xBF", "\xE0\x9F\xBF",  // overlong
           "\xE0\x80", "\xF0\x8F\xBF\xBF",          // overlong, seen at the second byte
           "\xED\xA0\x80", "\xED\xBF\xBF",          // surrogates
           "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xFE", "\xFF",  // past U+10FFFF
           "\xC2\x41", "\xE4\xB8\x41", "\xF0\x90\x80\xC0",  // no continuation where one belongs
       }) {
    std::size_t length = 0;
    EXPECT_EQ(utf8_sequence(bytes, &length), Utf8Sequence::kInvalid)
        << testing::PrintToString(bytes);
  }
  for (std::string_view bytes : {"\xC2", "\xE0", "\xE4\xB8", "\xF0\x90\x80"}) {
    std::size_t length = 0;
    EXPECT_EQ(utf8_sequence(bytes, &length), Utf8Sequence::kTruncated)
        << testing::PrintToString(bytes);
  }
}

// Every scalar value, encoded by hand and followed by more text, is accepted
// with its own length: a slip in any length class or at any bound shows here.
TEST(Utf8Sequence, AcceptsEveryScalarValue) {
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::size_t size = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    std::string utf8(size, '\0');
    for (std::size_t i = size - 1; i > 0; --i)
      utf8[i] = static_cast<char>(0x80 | (c >> 6 * (size - 1 - i) & 0x3F));
    constexpr unsigned char kLead[] = {0, 0x00, 0xC0, 0xE0, 0xF0};
    utf8[0] = static_cast<char>(kLead[size] | c >> 6 * (size - 1));
    std::size_t length = 0;
    ASSERT_EQ(utf8_sequence(utf8 + "a", &length), Utf8Sequence::kValid)
        << std::hex << static_cast<unsigned long>(c);
    ASSERT_EQ(length, size) << std::hex << static_cast<unsigned long>(c);
  }
}

}  // namespace
}  // namespace gongshang::batch
