// Feeds arbitrary UTF-8 texts to the text-to-number rule and holds it to what the calculator
// relies on: no crash, and every value it gives survives the trip through the written forms.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/number_text.h"

using namespace gongshang;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

void check_round_trip(double v) {
  std::string text = double_form(v);
  auto back = read_number(text);
  // A value within a 15-digit rounding of the largest double may not come back.
  if (!back) return check(std::fabs(v) > 1.7976931348623e308);
  check(double_form(*back) == text && (*back == v || std::fabs(*back - v) <= std::fabs(v) * 1e-14));
  float f = static_cast<float>(v);
  if (std::isfinite(f)) {
    // Seven digits land within half a unit of the seventh digit, but need not name the same
    // float again (1.0000001E28 is written 1E+28): only six do.
    auto single_back = read_number(single_form(f));
    check(single_back && std::fabs(*single_back - f) <= std::fabs(f) * 5e-7);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  if (const auto value = read_number(text)) {
    check(std::isfinite(*value));
    check_round_trip(*value);
  }

  // The ASCII reading agrees with the full-width twins an input method types.
  std::string ascii, wide;
  for (std::size_t i = 0; i < size && (data[i] & 0x7F) != 0; ++i) {
    const char c = static_cast<char>(data[i] & 0x7F);
    ascii += c;
    // U+3000 for a blank, U+FF01..U+FF5E for the rest, in UTF-8.
    const unsigned code = c == ' ' ? 0x3000u : 0xFF00u + static_cast<unsigned>(c - 0x20);
    if (c < ' ' || c == 0x7F)
      wide += c;
    else
      wide += {static_cast<char>(0xE0 | code >> 12), static_cast<char>(0x80 | (code >> 6 & 0x3F)),
               static_cast<char>(0x80 | (code & 0x3F))};
  }
  check(read_number(wide) == read_number(ascii));
  return 0;
}
