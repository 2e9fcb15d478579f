#include "links/link_opener.h"

#include <string>

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include "links/addresses.h"
#include "qstring/utf8.h"

namespace gongshang::links {

QString homeAddress() {
  return to_qstring(kHomeAddress);
}

QString articleAddress() {
  return to_qstring(std::string(kHomeAddress) + std::string(kArticlePath));
}

void open(const QString& address) {
  // Tolerant parsing: an address the desktop cannot use simply opens nothing.
  QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

}  // namespace gongshang::links
