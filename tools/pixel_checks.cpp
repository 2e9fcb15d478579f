#include "tools/pixel_checks.h"

#include <algorithm>
#include <cstdlib>

#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "qstring/utf8.h"
#include "window/layout.h"

using namespace Qt::StringLiterals;

namespace gongshang {

namespace {

// A text that reaches as high as Chinese characters do and as low as Latin
// descenders go.
const QString kTallText = u"国gjpqy"_s;

// How far a colour lies from another, summed over red, green and blue.
int distance(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
         std::abs(a.blue() - b.blue());
}

// The rows of area that hold ink: pixels well away from the background.
struct Ink {
  int first = -1, last = -1, rows = 0;
};
Ink ink_in(const QImage& picture, const QColor& background, const QRect& area) {
  Ink ink;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (distance(picture.pixelColor(x, y), background) > 96) {
        if (ink.first < 0) ink.first = y;
        ink.last = y;
        ++ink.rows;
        break;
      }
    }
  }
  return ink;
}
Ink ink_in(const QImage& picture, const QColor& background) {
  return ink_in(picture, background, picture.rect());
}

// Text drawn with room to spare all round, at the window's scale: the whole
// glyphs that a control should show.
QImage drawn_freely(const QString& text, const QWidget& writer, QPalette::ColorRole ground,
                    qreal scale) {
  const QFont& font = writer.font();
  const QFontMetrics metrics(font);
  QImage picture(QSize(metrics.horizontalAdvance(text) + 8, 3 * metrics.height()) * scale,
                 QImage::Format_RGB32);
  picture.setDevicePixelRatio(scale);
  picture.fill(writer.palette().color(ground));
  QPainter painter(&picture);
  painter.setFont(font);
  painter.setPen(writer.palette().color(writer.foregroundRole()));
  painter.drawText(4, metrics.height() + metrics.ascent(), text);
  return picture;
}

QString rows_of(const QString& name, const Ink& shown, const Ink& whole) {
  return u"%1: %2 of %3 rows of ink"_s.arg(name).arg(shown.rows).arg(whole.rows);
}

// Every label's characters come from a face that has them, and no label
// cuts off a row of its glyphs. (The note's lines are checked under the link.)
QString labels_fault(QWidget& window, qreal scale) {
  QStringList faults;
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (label->objectName() == to_qstring(kNoteName)) continue;
    const QFontMetrics metrics(label->font());
    for (QChar c : label->text()) {
      if (!metrics.inFont(c)) faults << label->objectName() + u": no glyph for "_s + c;
    }
    const QColor background = label->palette().color(QPalette::Window);
    const Ink shown = ink_in(label->grab().toImage(), background);
    const Ink whole =
        ink_in(drawn_freely(label->text(), *label, QPalette::Window, scale), background);
    if (shown.rows < whole.rows) faults << rows_of(label->objectName(), shown, whole);
  }
  return faults.join(u"; "_s);
}

// A text in a box shows whole, its ink midway between the box's top and
// bottom, give or take a pixel.
QString boxes_fault(QWidget& window, qreal scale) {
  QStringList faults;
  const int frame = qCeil(scale);
  for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
    const QString text = box->text();
    box->setText(kTallText);
    box->setCursorPosition(0);
    const QImage picture = box->grab().toImage();
    box->setText(text);
    box->setCursorPosition(0);

    const QColor background = box->palette().color(QPalette::Base);
    const QRect inside = picture.rect().adjusted(2 * frame, frame, -2 * frame, -frame);
    const Ink shown = ink_in(picture, background, inside);
    const Ink whole = ink_in(drawn_freely(kTallText, *box, QPalette::Base, scale), background);
    if (shown.rows < whole.rows) {
      faults << rows_of(box->objectName(), shown, whole);
    } else if (std::abs(shown.first + shown.last - (picture.height() - 1)) > 2 * frame) {
      faults << u"%1: ink in rows %2 to %3 of %4"_s.arg(box->objectName())
                    .arg(shown.first)
                    .arg(shown.last)
                    .arg(picture.height());
    }
  }
  return faults.join(u"; "_s);
}

// Where the link lies, the window shows ink exactly where the note alone
// does: the blue address drawn over the black one, pixel for pixel. Ink is
// measured against each text's own colour; a few edge pixels differ, as blue
// and black blend differently. Nothing of the note but the address lies
// under the link, which would hide it.
QString link_fault(QWidget& window) {
  auto* link = window.findChild<QLabel*>(to_qstring(kHomeLinkName));
  auto* note = window.findChild<QLabel*>(to_qstring(kNoteName));
  QWidget* panel = link->parentWidget();
  const QRect place = link->geometry();
  const QImage shown = panel->grab(place).toImage();
  link->hide();
  const QImage note_alone = panel->grab(place).toImage();
  link->show();

  const QColor background = link->palette().color(QPalette::Window);
  const auto inked = [&](const QImage& picture, QPoint at, const QWidget* writer) {
    return 2 * distance(picture.pixelColor(at), background) >
           distance(writer->palette().color(QPalette::WindowText), background);
  };
  int ink = 0, differing = 0, black_end = -1, blue_end = -1;  // the last columns of ink
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      const bool black = inked(note_alone, {x, y}, note), blue = inked(shown, {x, y}, link);
      ink += black;
      differing += black != blue;
      if (black) black_end = std::max(black_end, x);
      if (blue) blue_end = std::max(blue_end, x);
    }
  }
  if (ink == 0) return u"no address under the link"_s;
  if (differing * 20 > ink) return u"%1 of %2 pixels of ink differ"_s.arg(differing).arg(ink);
  if (black_end > blue_end + 1)
    return u"the note's ink ends at %1, the address at %2"_s.arg(black_end).arg(blue_end);
  return {};
}

// The window in the middle of the screen's free area: its frame where a
// window manager frames it, else its client area.
QString centring_fault(QWidget& window, bool framed) {
  const QRect screen = window.screen()->availableGeometry();
  if (framed && window.windowHandle()->frameMargins().isNull()) return u"no frame"_s;
  const QRect placed = framed ? window.frameGeometry() : window.geometry();
  // Equal gaps on either side, but for the odd pixel.
  const auto even = [](int before, int after) { return std::abs(before - after) <= 1; };
  if (even(placed.left() - screen.left(), screen.right() - placed.right()) &&
      even(placed.top() - screen.top(), screen.bottom() - placed.bottom()))
    return {};
  return u"at %1,%2 size %3×%4 on a screen of %5×%6"_s.arg(placed.x())
      .arg(placed.y())
      .arg(placed.width())
      .arg(placed.height())
      .arg(screen.width())
      .arg(screen.height());
}

}  // namespace

QList<PixelCheck> check_pixels(QWidget& window, bool framed) {
  const qreal scale = window.devicePixelRatioF();
  return {
      {u"labels show whole glyphs"_s, labels_fault(window, scale)},
      {u"boxes show whole glyphs, midway"_s, boxes_fault(window, scale)},
      {u"the link covers the note's address"_s, link_fault(window)},
      {framed ? u"the window's frame is centred"_s : u"the window is centred"_s,
       centring_fault(window, framed)},
  };
}

}  // namespace gongshang
