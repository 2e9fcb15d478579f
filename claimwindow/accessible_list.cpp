#include "claimwindow/accessible_list.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace gongshang::claimwindow {

namespace {

// Qt's combo box interface with one change: the name is the widget's
// accessible name where it has one (Qt's gives the chosen item, as it still
// does here for a list without one). The rest (the popup list as the only
// child of a list that cannot be typed in, the open action) is as Qt's.
// Qt asks for a widget's interface while it is being built, before a name
// is given, so every list gets this one and the name is looked up when read.
class NamedList : public QAccessibleWidget {
 public:
  explicit NamedList(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

  QString text(QAccessible::Text t) const override {
    QString shown;
    if (t == QAccessible::Value || (t == QAccessible::Name && list()->accessibleName().isEmpty()))
      shown = list()->currentText();
    else if (t == QAccessible::Accelerator)
      shown = QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText);
    return shown.isEmpty() ? QAccessibleWidget::text(t) : shown;
  }

  int childCount() const override { return list()->isEditable() ? 2 : 1; }
  QAccessibleInterface* child(int index) const override {
    if (index == 0) return QAccessible::queryAccessibleInterface(list()->view());
    if (index == 1 && list()->isEditable())
      return QAccessible::queryAccessibleInterface(list()->lineEdit());
    return nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child->object() == list()->view()) return 0;
    if (list()->isEditable() && child->object() == list()->lineEdit()) return 1;
    return -1;
  }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
  void doAction(const QString& action) override {
    if (action != showMenuAction() && action != pressAction()) return;
    if (list()->view()->isVisible())
      list()->hidePopup();
    else
      list()->showPopup();
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QComboBox* list() const { return static_cast<QComboBox*>(object()); }
};

QAccessibleInterface* named_list_factory(const QString& class_name, QObject* object) {
  if (class_name != u"QComboBox"_s) return nullptr;
  auto* list = qobject_cast<QComboBox*>(object);
  return list ? new NamedList(list) : nullptr;
}

}  // namespace

void name_lists_by_their_field() {
  static const bool installed = [] {
    QAccessible::installFactory(named_list_factory);
    return true;
  }();
  (void)installed;
}

}  // namespace gongshang::claimwindow
