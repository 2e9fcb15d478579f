#include "claimwindow/dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace gongshang::claimwindow {

namespace {

constexpr QChar kWordJoiner(0x2060);
// Longer values (a path, say) may wrap: held whole they would widen the box
// beyond the screen.
constexpr qsizetype kLongestWhole = 24;

const QLocale& chinese() {
  static const QLocale locale(QLocale::Chinese, QLocale::China);
  return locale;
}

// Qt's file dialog shows file types from an untranslated text ("Folder") and
// dates in the system's locale ("7 Dec" under C); these two columns are
// given in Chinese here.
class ChineseColumns : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (files == nullptr || role != Qt::DisplayRole || index.column() < 2)
      return QIdentityProxyModel::data(index, role);
    const QModelIndex file = mapToSource(index);
    if (index.column() == 3)
      return chinese().toString(files->lastModified(file), QLocale::ShortFormat);
    if (files->isDir(file)) return u"文件夹"_s;
    const QString suffix = files->fileInfo(file).suffix();
    return suffix.isEmpty() ? u"文件"_s : u"%1 文件"_s.arg(suffix);
  }
};

void make_chinese(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setLocale(chinese());
  dialog.setProxyModel(new ChineseColumns(&dialog));
}

QString joined(QStringView value) {
  if (value.size() > kLongestWhole) return value.toString();
  QString out;
  for (qsizetype i = 0; i < value.size(); ++i) {
    // A surrogate pair is one character: no joiner inside it.
    if (i > 0 && !value[i].isLowSurrogate()) out += kWordJoiner;
    out += value[i];
  }
  return out;
}

void show_box(QWidget* parent, QMessageBox::Icon icon, const QString& title,
              const QString& message) {
  QMessageBox box(icon, title, keep_values_whole(message), QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace

QString ask_open_path(QWidget* parent, const QString& title, const QString& filter) {
  QFileDialog dialog(parent, title, {}, filter);
  make_chinese(dialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString ask_save_path(QWidget* parent, const QString& title, const QString& suggested,
                      const QString& filter, const QString& suffix) {
  QFileDialog dialog(parent, title, suggested, filter);
  make_chinese(dialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QString path = dialog.selectedFiles().value(0);
  return path.isEmpty() ? path : with_suffix(path, suffix);
}

QString with_suffix(const QString& path, const QString& suffix) {
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  return path.endsWith(u'.') ? path + suffix : path + u'.' + suffix;
}

QString keep_values_whole(const QString& message) {
  QStringList lines = message.split(u'\n');
  for (QString& line : lines) {
    QString out;
    qsizetype from = 0;
    // Every 「…」 as a whole, brackets included.
    for (qsizetype open = line.indexOf(u'「'); open >= 0; open = line.indexOf(u'「', from)) {
      const qsizetype close = line.indexOf(u'」', open);
      if (close < 0) break;
      out += QStringView(line).sliced(from, open - from);
      out += joined(QStringView(line).sliced(open, close + 1 - open));
      from = close + 1;
    }
    QString rest = line.sliced(from);
    const qsizetype colon = rest.lastIndexOf(u'：');
    if (colon >= 0) rest = rest.left(colon + 1) + joined(QStringView(rest).sliced(colon + 1));
    line = out + rest;
  }
  return lines.join(u'\n');
}

void warn(QWidget* parent, const QString& title, const QString& message) {
  show_box(parent, QMessageBox::Warning, title, message);
}

void inform(QWidget* parent, const QString& title, const QString& message) {
  show_box(parent, QMessageBox::Information, title, message);
}

}  // namespace gongshang::claimwindow
