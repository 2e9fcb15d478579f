// The cursor setter: shows the pointing hand over a link.
#ifndef GONGSHANG_LINKS_HAND_CURSOR_H_
#define GONGSHANG_LINKS_HAND_CURSOR_H_

class QWidget;

namespace 光标变手 {

// Called on every mouse move over a link. The cursor is set on the link
// itself, so the rest of the window keeps its ordinary cursor without anything
// having to restore it when the mouse leaves.
void setHandCursor(QWidget* link);

}  // namespace 光标变手

#endif  // GONGSHANG_LINKS_HAND_CURSOR_H_
