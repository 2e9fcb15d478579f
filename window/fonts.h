// The window's fonts: "宋体" at three sizes, mapped onto a Song face that this
// machine really has.
#ifndef GONGSHANG_WINDOW_FONTS_H_
#define GONGSHANG_WINDOW_FONTS_H_

#include <string_view>

#include "window/layout.h"

class QFont;

namespace gongshang {

inline constexpr std::string_view kSongFamily = "宋体";

// Teaches Qt which faces stand in for "宋体". Safe to call again.
void install_song_substitutes();

// The font of a role, sized through twips like every other measure.
QFont song_font(FontRole role);

}  // namespace gongshang

#endif  // GONGSHANG_WINDOW_FONTS_H_
