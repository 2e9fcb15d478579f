// Checks of what the calculator window shows, pixel by pixel, at whatever
// scale it runs: faults that a person sees and no widget property reveals.
#ifndef GONGSHANG_TOOLS_PIXEL_CHECKS_H_
#define GONGSHANG_TOOLS_PIXEL_CHECKS_H_

#include <QList>
#include <QString>

class QWidget;

namespace gongshang {

struct PixelCheck {
  QString name;   // what holds when it passes, e.g. "labels show whole glyphs"
  QString fault;  // empty when it passed, e.g. "Label49: 15 of 16 rows of ink"
};

// Runs every check on window, shown and active, and leaves its texts as it
// found them. framed: a window manager frames the window, so the whole
// frame must be centred, not the client area alone.
QList<PixelCheck> check_pixels(QWidget& window, bool framed);

}  // namespace gongshang

#endif  // GONGSHANG_TOOLS_PIXEL_CHECKS_H_
