// Where the claim window and its popups go on the screen: on it, whatever
// its size and scale factor. Pure geometry, in the screen's logical pixels.
#ifndef GONGSHANG_CLAIMWINDOW_PLACEMENT_H_
#define GONGSHANG_CLAIMWINDOW_PLACEMENT_H_

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace gongshang::claimwindow {

// The window's first geometry (its client area): the wanted size, shrunk so
// that the window with its frame fits the available area, but never below
// minimum; the framed window centred on the area.
//   wanted 1200×760, available 0,0 1366×740, frame 4,24,4,4
//     -> 1200×712 at 83,24 (the frame from 79,0 to 1287,740)
//   wanted 1200×760, available 0,0 800×470 (1600×1000 at scale 2, a panel)
//     -> 800×470 at 0,0 with no frame
QRect first_geometry(QSize wanted, QSize minimum, const QRect& available, const QMargins& frame);

// Where a popup of popup's size opens for a field at anchor (global): under
// it, or above it when there is no room below, moved in so that all of it is
// on the available area where it fits.
//   anchor 100,700 200×30, popup 300×250, available 0,0 1366×740
//     -> 100,450 (above the field: below, it would end at 980)
QPoint popup_position(const QRect& anchor, QSize popup, const QRect& available);

}  // namespace gongshang::claimwindow

#endif  // GONGSHANG_CLAIMWINDOW_PLACEMENT_H_
