// The cursor setter: shows the pointing hand over a link.
#ifndef GONGSHANG_LINKS_HAND_CURSOR_H_
#define GONGSHANG_LINKS_HAND_CURSOR_H_

class QWidget;

namespace gongshang::links {

// Called on every mouse move over a link. The cursor is set on the link
// itself, so the rest of the window keeps its ordinary cursor without anything
// having to restore it when the mouse leaves. A null link is ignored.
void setHandCursor(QWidget* link);

}  // namespace gongshang::links

#endif  // GONGSHANG_LINKS_HAND_CURSOR_H_
