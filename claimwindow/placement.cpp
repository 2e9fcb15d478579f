#include "claimwindow/placement.h"

#include <algorithm>

#include <QStyle>

namespace gongshang::claimwindow {

QRect first_geometry(QSize wanted, QSize minimum, const QRect& available, const QMargins& frame) {
  const QSize room = available.size().shrunkBy(frame);
  const QSize size = wanted.boundedTo(room).expandedTo(minimum);
  const QRect outer =
      QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size.grownBy(frame), available);
  // Larger than the area (a minimum that cannot fit): the title bar stays on
  // it, so that the window can still be moved.
  QRect placed = outer.marginsRemoved(frame);
  if (outer.top() < available.top()) placed.moveTop(available.top() + frame.top());
  if (outer.left() < available.left()) placed.moveLeft(available.left() + frame.left());
  return placed;
}

QPoint popup_position(const QRect& anchor, QSize popup, const QRect& available) {
  int y = anchor.bottom() + 1;
  if (y + popup.height() > available.bottom() + 1 &&
      anchor.top() - popup.height() >= available.top())
    y = anchor.top() - popup.height();
  const int x =
      std::max(available.left(), std::min(anchor.left(), available.right() + 1 - popup.width()));
  y = std::max(available.top(), std::min(y, available.bottom() + 1 - popup.height()));
  return {x, y};
}

}  // namespace gongshang::claimwindow
