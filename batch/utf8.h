// UTF-8 checks for the batch tool. Cells go to the engine and back out as
// they were read, so the checker rejects what the Unicode standard forbids
// (overlong forms, surrogates, code points past U+10FFFF): no malformed byte
// is carried through into the output unnoticed.
#ifndef GONGSHANG_BATCH_UTF8_H_
#define GONGSHANG_BATCH_UTF8_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace gongshang::batch {

// Longest UTF-8 sequence of one code point.
inline constexpr std::size_t kMaxUtf8SequenceLength = 4;

// What utf8_sequence() found at the start of its bytes.
enum class Utf8Sequence {
  kValid,      // a well-formed sequence of *length bytes
  kTruncated,  // well-formed so far, but the bytes end before it does
  kInvalid,    // no well-formed sequence can start with these bytes
};

// Checks the one sequence at the start of bytes (at least one byte).
//   "a"            -> kValid, 1       "\xE4\xB8\x80" (一) -> kValid, 3
//   "\xE4\xB8"     -> kTruncated      "\xC0\xAF" (overlong "/") -> kInvalid
//   "\xED\xA0\x80" (a surrogate) -> kInvalid
//   "\xF4\x90\x80\x80" (past U+10FFFF) -> kInvalid
//   "\x80" (a lone continuation byte)  -> kInvalid
Utf8Sequence utf8_sequence(std::string_view bytes, std::size_t* length);

}  // namespace gongshang::batch

#endif  // GONGSHANG_BATCH_UTF8_H_
