// The claim window's file dialogs and message boxes, in Chinese whatever the
// desktop's language: Qt's own dialog (a native one speaks the desktop's
// language) with its file types and dates in Chinese, which Qt's
// translations leave out; and messages whose values do not break in two.
#ifndef GONGSHANG_CLAIMWINDOW_DIALOGS_H_
#define GONGSHANG_CLAIMWINDOW_DIALOGS_H_

#include <QString>

class QWidget;

namespace gongshang::claimwindow {

// The path to open, or "" when the user cancels.
QString ask_open_path(QWidget* parent, const QString& title, const QString& filter);

// The path to save to, with ".suffix" added when the typed name has none;
// "" when the user cancels.
//   typed "winexport", suffix "pdf" -> ".../winexport.pdf"
QString ask_save_path(QWidget* parent, const QString& title, const QString& suggested,
                      const QString& filter, const QString& suffix);

// path with ".suffix" added when its file name has no suffix.
//   ("/tmp/winexport", "pdf") -> "/tmp/winexport.pdf"
//   ("/tmp/a.PDF", "pdf") -> unchanged   ("/tmp/v1.2/report", "pdf") -> "/tmp/v1.2/report.pdf"
QString with_suffix(const QString& path, const QString& suffix);

// message with each value it quotes kept on one line where a line holds it:
// the text after the last "：" of a line and every 「…」, with word joiners
// (U+2060, invisible) between their characters. Chinese may break between
// any two characters, so 十一 could otherwise end a line with 十.
//   "「工伤等级」只能是一至十：十一" -> the same text with U+2060 between the
//   characters of 「工伤等级」 and between 十 and 一
QString keep_values_whole(const QString& message);

// A warning or a notice, its text passed through keep_values_whole.
void warn(QWidget* parent, const QString& title, const QString& message);
void inform(QWidget* parent, const QString& title, const QString& message);

}  // namespace gongshang::claimwindow

#endif  // GONGSHANG_CLAIMWINDOW_DIALOGS_H_
