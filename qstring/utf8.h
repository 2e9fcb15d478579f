// The one crossing between Qt's UTF-16 QString and the UTF-8 text that the
// engine, the tables and the links keep. Every Qt program of the project
// converts here and nowhere else.
#ifndef GONGSHANG_QSTRING_UTF8_H_
#define GONGSHANG_QSTRING_UTF8_H_

#include <string>
#include <string_view>

#include <QByteArray>
#include <QString>

namespace gongshang {

// UTF-8 -> QString. An invalid byte becomes U+FFFD, as Qt reads it.
//   "工伤等级" -> u"工伤等级"   "" -> empty   "\xFF" -> u"\uFFFD"
inline QString to_qstring(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// QString -> UTF-8. A lone surrogate (which typing cannot produce) becomes
// U+FFFD.
//   u"五" -> "五"   u"3500" -> "3500"
inline std::string to_utf8(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

}  // namespace gongshang

#endif  // GONGSHANG_QSTRING_UTF8_H_
