// A label whose lines stand a fixed distance apart, whatever the font's own
// line spacing, so that another control can be laid exactly over one line.
#ifndef GONGSHANG_WINDOW_NOTE_LABEL_H_
#define GONGSHANG_WINDOW_NOTE_LABEL_H_

#include <QLabel>

namespace gongshang {

class NoteLabel : public QLabel {
  Q_OBJECT

 public:
  explicit NoteLabel(int line_pitch, QWidget* parent = nullptr);

  int linePitch() const { return line_pitch_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int line_pitch_;  // pixels from the top of one line to the top of the next
};

}  // namespace gongshang

#endif  // GONGSHANG_WINDOW_NOTE_LABEL_H_
