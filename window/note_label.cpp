#include "window/note_label.h"

#include <QPainter>
#include <QStyle>

namespace gongshang {

NoteLabel::NoteLabel(int line_pitch, QWidget* parent) : QLabel(parent), line_pitch_(line_pitch) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void NoteLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QRect area = contentsRect();
  const QStringList lines = text().split(u'\n');
  // Each line is drawn the way QLabel draws a single line, so a label placed
  // one pitch lower with the same text and font covers it glyph for glyph.
  // A CJK font's natural spacing exceeds the pitch; nothing is clipped.
  const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QRect line(area.left(), area.top() + static_cast<int>(i) * line_pitch_, area.width(),
                     line_pitch_);
    style()->drawItemText(&painter, line, flags, palette(), isEnabled(), lines[i],
                          foregroundRole());
  }
}

}  // namespace gongshang
