// The scroll rule: how far the panel can scroll and where a scroll value puts
// it. Kept apart from the window so the 16-bit limits can be checked alone.
#ifndef GONGSHANG_WINDOW_SCROLLING_H_
#define GONGSHANG_WINDOW_SCROLLING_H_

namespace gongshang {

// Twips of panel movement per unit of scroll value.
inline constexpr int kScrollStep = 500;

// The offset value × −500 is a signed 16-bit number: 65 × 500 = 32500 is the
// last that fits. The panel of the layout needs only 15.
inline constexpr int kMaxScrollValue = 65;

// The scroll maximum for a panel of this height in twips: the height over 500,
// rounded half to even into 16 bits, and then kept within 0..kMaxScrollValue
// so that no value the scroll bar can reach overflows the offset.
//   7452 -> 15   7250 -> 14   7750 -> 16   40000 -> 65
int scroll_maximum(float panel_height);

// The panel's Top in twips for a scroll value: value × −500 in 16-bit
// arithmetic. Values beyond 0..kMaxScrollValue are held at the nearer end.
//   0 -> 0   1 -> -500   15 -> -7500
float panel_top(int value);

}  // namespace gongshang

#endif  // GONGSHANG_WINDOW_SCROLLING_H_
