#include "qstring/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace gongshang {

namespace {

// qtbase holds every text the widgets show; the other modules' catalogues
// are for modules the window does not use.
constexpr char kCatalogue[] = "qtbase_zh_CN";

}  // namespace

void install_qt_translations() {
  QCoreApplication* app = QCoreApplication::instance();
  const QString name = QString::fromLatin1(kCatalogue);
  if (app == nullptr || app->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly) != nullptr)
    return;
  // Owned by the application, so it lives exactly as long as the texts it
  // translates.
  auto* translator = new QTranslator(app);
  translator->setObjectName(name);
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator->load(name, folder)) {
    qWarning("Qt's Chinese texts (%s in %s) are missing; install qt6-translations-l10n", kCatalogue,
             qPrintable(folder));
    return;  // kept, so that the warning is given once
  }
  QCoreApplication::installTranslator(translator);
}

}  // namespace gongshang
