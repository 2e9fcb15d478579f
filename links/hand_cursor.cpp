#include "links/hand_cursor.h"

#include <QWidget>

namespace gongshang::links {

namespace {

// The one cursor this module ever shows. A null cursor would hide the mouse
// pointer over the link, so the shape is fixed rather than loaded.
constexpr Qt::CursorShape kLinkCursor = Qt::PointingHandCursor;

}  // namespace

void setHandCursor(QWidget* link) {
  if (link == nullptr) return;
  link->setCursor(kLinkCursor);
}

}  // namespace gongshang::links
