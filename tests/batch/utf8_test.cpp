#include "batch/utf8.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace gongshang::batch {
namespace {

struct SequenceCase {
  std::string_view bytes;
  Utf8Sequence expected;
  std::size_t length;  // when valid
};

TEST(Utf8Sequence, TellsGoodSequencesFromForbiddenOnes) {
  const SequenceCase cases[] = {
      {"a", Utf8Sequence::kValid, 1},
      {"\x7F", Utf8Sequence::kValid, 1},
      {"\xC2\x80", Utf8Sequence::kValid, 2},          // U+0080
      {"\xDF\xBF", Utf8Sequence::kValid, 2},          // U+07FF
      {"\xE0\xA0\x80", Utf8Sequence::kValid, 3},      // U+0800
      {"\xE4\xB8\x80", Utf8Sequence::kValid, 3},      // 一
      {"\xED\x9F\xBF", Utf8Sequence::kValid, 3},      // U+D7FF, below the surrogates
      {"\xEE\x80\x80", Utf8Sequence::kValid, 3},      // U+E000, above them
      {"\xEF\xBB\xBF", Utf8Sequence::kValid, 3},      // U+FEFF
      {"\xF0\x90\x80\x80", Utf8Sequence::kValid, 4},  // U+10000
      {"\xF4\x8F\xBF\xBF", Utf8Sequence::kValid, 4},  // U+10FFFF
      {"\x80", Utf8Sequence::kInvalid, 0},            // lone continuation
      {"\xBF", Utf8Sequence::kInvalid, 0},
      {"\xC0\xAF", Utf8Sequence::kInvalid, 0},          // overlong "/"
      {"\xC1\xBF", Utf8Sequence::kInvalid, 0},          // overlong
      {"\xE0\x9F\xBF", Utf8Sequence::kInvalid, 0},      // overlong U+07FF
      {"\xED\xA0\x80", Utf8Sequence::kInvalid, 0},      // U+D800
      {"\xED\xBF\xBF", Utf8Sequence::kInvalid, 0},      // U+DFFF
      {"\xF0\x8F\xBF\xBF", Utf8Sequence::kInvalid, 0},  // overlong U+FFFF
      {"\xF4\x90\x80\x80", Utf8Sequence::kInvalid, 0},  // U+110000
      {"\xF5\x80\x80\x80", Utf8Sequence::kInvalid, 0},
      {"\xFE", Utf8Sequence::kInvalid, 0},
      {"\xFF", Utf8Sequence::kInvalid, 0},
      {"\xC2\x41", Utf8Sequence::kInvalid, 0},  // ASCII where a continuation belongs
      {"\xE4\xB8\x41", Utf8Sequence::kInvalid, 0},
      {"\xF0\x90\x80\xC0", Utf8Sequence::kInvalid, 0},
      {"\xC2", Utf8Sequence::kTruncated, 0},
      {"\xE0", Utf8Sequence::kTruncated, 0},
      {"\xE4\xB8", Utf8Sequence::kTruncated, 0},
      {"\xF0\x90\x80", Utf8Sequence::kTruncated, 0},
      {"\xE0\x80", Utf8Sequence::kInvalid, 0},  // overlong already at the second byte
  };
  for (const auto& c : cases) {
    std::size_t length = 0;
    EXPECT_EQ(utf8_sequence(c.bytes, &length), c.expected) << testing::PrintToString(c.bytes);
    if (c.expected == Utf8Sequence::kValid) {
      EXPECT_EQ(length, c.length);
    }
  }
}

// Every scalar value, encoded by hand, is accepted whole: a slip in any
// length class or at any boundary shows here.
TEST(Utf8Sequence, AcceptsEveryScalarValue) {
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    std::string utf8;
    if (c < 0x80) {
      utf8 = {static_cast<char>(c)};
    } else if (c < 0x800) {
      utf8 = {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    } else if (c < 0x10000) {
      utf8 = {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
              static_cast<char>(0x80 | (c & 0x3F))};
    } else {
      utf8 = {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
              static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
    }
    std::size_t length = 0;
    ASSERT_EQ(utf8_sequence(utf8, &length), Utf8Sequence::kValid)
        << std::hex << static_cast<unsigned long>(c);
    ASSERT_EQ(length, utf8.size()) << std::hex << static_cast<unsigned long>(c);
  }
}

}  // namespace
}  // namespace gongshang::batch
