// Texts between the engine (UTF-8) and Qt, converted once at the boundary.
#ifndef GONGSHANG_CLAIMWINDOW_QT_TEXT_H_
#define GONGSHANG_CLAIMWINDOW_QT_TEXT_H_

#include <string>
#include <string_view>

#include <QString>

namespace gongshang::claimwindow {

//   "工伤等级" -> u"工伤等级"
inline QString to_qstring(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

//   u"３５００" -> "３５００" in UTF-8
inline std::string to_utf8(const QString& text) {
  return text.toStdString();
}

}  // namespace gongshang::claimwindow

#endif  // GONGSHANG_CLAIMWINDOW_QT_TEXT_H_
