#include "window/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QString>
#include <QStringList>

#include "qstring/utf8.h"

namespace gongshang {

namespace {

// Song (Ming) faces in order of preference: the Windows faces where they are
// installed, then the free ones Debian packages. Qt has no notion of a GB2312
// character set, so choosing faces that cover Simplified Chinese stands in
// for it.
const char* const kSongFaces[] = {"SimSun", "NSimSun", "Noto Serif CJK SC", "AR PL UMing CN"};

// Point sizes times ten, so that 10.5 pt stays exact.
int decipoints(FontRole role) {
  switch (role) {
    case FontRole::kTitle:
      return 120;
    case FontRole::kHeading:
      return 105;
    case FontRole::kDefault:
      break;
  }
  return 90;
}

}  // namespace

void install_song_substitutes() {
  const QString song = to_qstring(kSongFamily);
  if (!QFont::substitutes(song).isEmpty()) return;

  QStringList faces;
  for (const char* face : kSongFaces) faces << QString::fromLatin1(face);
  // Last resort: any face that covers Simplified Chinese, so the labels never
  // show empty boxes on a machine with none of the faces above.
  const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
  for (const QString& family : chinese) {
    if (!faces.contains(family) && family != song) {
      faces << family;
      break;
    }
  }
  QFont::insertSubstitutions(song, faces);
}

QFont song_font(FontRole role) {
  QFont font(to_qstring(kSongFamily));
  // A size in pixels rather than points keeps the glyphs in step with the
  // layout on every platform, macOS' 72-dpi points included: 9 pt is 180
  // twips, which makes a full-width character exactly 12 pixels wide.
  font.setPixelSize(to_pixels(decipoints(role) * kTwipsPerPoint / 10));
  font.setWeight(role == FontRole::kDefault ? QFont::Normal : QFont::Bold);
  return font;
}

}  // namespace gongshang
