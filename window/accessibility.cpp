#include "window/accessibility.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QString>
#include <QTextDocument>

#include "links/link_opener.h"
#include "qstring/utf8.h"
#include "window/layout.h"

using namespace Qt::StringLiterals;

namespace gongshang {

namespace {

template <typename T>
T* find(const QWidget* window, std::string_view name) {
  return window->findChild<T*>(to_qstring(name));
}

}  // namespace

void name_controls(QWidget* window) {
  // Fields are named after the quantity their label shows, so a label labels
  // the field that bears its text. As the label's buddy the field takes the
  // label's text for its name, and screen readers also learn that the label
  // labels it: that is what they announce for a list, whose own name on
  // Linux is the selected item. No label text holds an "&", so being a buddy
  // gives none of them a mnemonic and none looks any different.
  for (QLabel* label : window->findChildren<QLabel*>()) {
    QWidget* field = window->findChild<QWidget*>(label->text());
    if (qobject_cast<QLineEdit*>(field) != nullptr || qobject_cast<QComboBox*>(field) != nullptr)
      label->setBuddy(field);
  }

  // The panel carries the title, as the window's caption does.
  if (auto* panel = find<QWidget>(window, kPanelName))
    panel->setAccessibleName(to_qstring(kWindowName));
  if (auto* bar = find<QScrollBar>(window, kScrollBarName)) {
    bar->setAccessibleName(u"窗口内容"_s);
    bar->setAccessibleDescription(u"上下移动窗口内容"_s);
  }

  // Both leave the program for the browser, which a person who cannot see the
  // blue text or guess the button's purpose should hear before pressing.
  if (auto* link = find<QLabel>(window, kHomeLinkName)) {
    link->setAccessibleName(u"主页链接："_s + link->text());
    link->setAccessibleDescription(u"在浏览器中打开网站主页 "_s + links::homeAddress());
  }
  if (auto* button = find<QWidget>(window, kLegalBasisName))
    button->setAccessibleDescription(u"在浏览器中打开法条依据网页 "_s + links::articleAddress());
}

void set_explanation(QWidget* field, const QString& text) {
  // As plain text the tooltip keeps the explanation's own lines, each of a
  // readable length; as rich text Qt would wrap them again and break a
  // formula mid-way. Only a text Qt could take for markup is escaped.
  field->setToolTip(Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text) : text);
  // Left without one, a screen reader would be handed the tooltip's markup.
  field->setAccessibleDescription(text);
}

}  // namespace gongshang
