#include "batch/utf8.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace gongshang::batch {
namespace {

// Both sides of each bound: the lead byte's ranges, and the narrower second
// byte after E0, ED, F0 and F4 that keeps out overlong forms, surrogates and
// code points past U+10FFFF. A valid sequence is followed by more text.
TEST(Utf8Sequence, TellsValidFromForbiddenAndCutOff) {
  for (std::string_view bytes : {"\x7F", "\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xED\x9F\xBF",
                                 "\xEF\xBF\xBF", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"}) {
    std::size_t length = 0;
    EXPECT_EQ(utf8_sequence(std::string(bytes) + "a", &length), Utf8Sequence::kValid)
        << testing::PrintToString(bytes);
    EXPECT_EQ(length, bytes.size()) << testing::PrintToString(bytes);
  }
  for (std::string_view bytes :
       {"\x80", "\xC1\xBF", "\xC2\x41", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xE4\xB8\x41",
        "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xF0\x90\x80\xC0"}) {
    std::size_t length = 0;
    EXPECT_EQ(utf8_sequence(bytes, &length), Utf8Sequence::kInvalid)
        << testing::PrintToString(bytes);
  }
  for (std::string_view bytes : {"\xE4\xB8", "\xF0\x90\x80"}) {
    std::size_t length = 0;
    EXPECT_EQ(utf8_sequence(bytes, &length), Utf8Sequence::kTruncated)
        << testing::PrintToString(bytes);
  }
}

}  // namespace
}  // namespace gongshang::batch
