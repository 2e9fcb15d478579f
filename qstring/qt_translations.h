// Qt's own texts in Simplified Chinese: the text boxes' and the scroll bar's
// context menus and the refusal box's button, which would otherwise be in
// English in a window that is Chinese throughout.
#ifndef GONGSHANG_QSTRING_QT_TRANSLATIONS_H_
#define GONGSHANG_QSTRING_QT_TRANSLATIONS_H_

namespace gongshang {

// Installs Qt's Simplified Chinese catalogue (Debian's qt6-translations-l10n)
// in the running application, whatever the desktop's language: the window
// speaks Chinese only. Safe to call again; without the catalogue Qt's texts
// stay English and a warning says why.
//   QMessageBox's OK button -> "确定"   QLineEdit's "&Copy" -> "复制(&C)"
void install_qt_translations();

}  // namespace gongshang

#endif  // GONGSHANG_QSTRING_QT_TRANSLATIONS_H_
