#include "window/scrolling.h"

#include <algorithm>
#include <cstdint>

#include "engine/number_text.h"

namespace gongshang {

int scroll_maximum(float panel_height) {
  const double quotient = static_cast<double>(panel_height) / kScrollStep;
  const std::optional<std::int16_t> rounded = round_to_int16(quotient);
  if (!rounded) {
    // Beyond the 16-bit range: a panel too tall scrolls as far as the offset
    // allows; anything else (not a number, hugely negative) does not scroll.
    return quotient > 0 ? kMaxScrollValue : 0;
  }
  return std::clamp<int>(*rounded, 0, kMaxScrollValue);
}

float panel_top(int value) {
  const auto held = static_cast<std::int16_t>(std::clamp(value, 0, kMaxScrollValue));
  const auto offset = static_cast<std::int16_t>(held * -kScrollStep);
  return static_cast<float>(offset);
}

}  // namespace gongshang
