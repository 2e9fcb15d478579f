#include "link_opener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include "addresses.h"

namespace 超级链接 {

namespace {

QString toQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString homeAddress() {
  return toQString(kHomeAddress);
}

QString articleAddress() {
  return toQString(kHomeAddress) + toQString(kArticlePath);
}

void open(const QString& address) {
  // Tolerant parsing: an address the desktop cannot use simply opens nothing.
  QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

}  // namespace 超级链接
