// The window's layout as data: every control with its place and size in
// twips, its kind, text, tab index and font. The window is built from this
// table each time it is created, at start-up and after Clear.
#ifndef GONGSHANG_WINDOW_LAYOUT_H_
#define GONGSHANG_WINDOW_LAYOUT_H_

#include <cstdint>
#include <span>
#include <string_view>

class QRect;
class QString;

namespace gongshang {

enum class ControlKind : std::uint8_t {
  kPanel,      // the content panel; every control below it lies on it
  kScrollBar,  // beside the panel, on the window itself
  kLabel,
  kNote,  // a label whose lines stand a fixed pitch apart
  kLink,  // a label that answers the mouse
  kTextBox,
  kList,
  kButton,
};

enum class FontRole : std::uint8_t { kDefault, kTitle, kHeading };

struct ControlRow {
  std::string_view name;  // UTF-8, as every text of the table
  ControlKind kind;
  std::string_view text;
  int left, top, width, height;  // twips
  int tab_index;
  FontRole font = FontRole::kDefault;
};

// Twips are the layout's unit: 20 to the point, 15 to a device-independent
// pixel. Qt scales pixels for high-DPI screens, so this is the only conversion.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kTwipsPerPoint = 20;

// Nearest pixel; no twips value lies halfway between two pixels.
constexpr int to_pixels(int twips) {
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                    : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}
QRect to_pixels(const ControlRow& row);

// The window's client area.
inline constexpr int kClientWidth = 10365;
inline constexpr int kClientHeight = 7440;

// The note's lines stand this far apart, so that its second line runs exactly
// under the link label placed 240 twips below the note's top.
inline constexpr int kNoteLinePitch = 240;

// Every control in creation order, which is also the stacking order: the
// note first (behind everything), the link last (in front of the note).
std::span<const ControlRow> window_layout();

// The row of one control; the panel's row if the name is unknown.
const ControlRow& control_row(std::string_view name);

// What a control shows when created: the table's text, or for the note and
// the link the texts built around the publisher's address.
QString initial_text(const ControlRow& row);

inline constexpr std::string_view kWindowName = "计算工伤赔偿金额";
inline constexpr std::string_view kPanelName = "大图框";
inline constexpr std::string_view kScrollBarName = "滚动条";
inline constexpr std::string_view kCalculateName = "计算按钮";
inline constexpr std::string_view kClearName = "清空按钮";
inline constexpr std::string_view kLegalBasisName = "法条依据按钮";
inline constexpr std::string_view kHomeLinkName = "主页";
inline constexpr std::string_view kNoteName = "Label57";

}  // namespace gongshang

#endif  // GONGSHANG_WINDOW_LAYOUT_H_
