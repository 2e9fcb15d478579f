#include "window/accessibility.h"

#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QString>
#include <QTextDocument>

#include "links/link_opener.h"
#include "qstring/utf8.h"
#include "window/controls.h"
#include "window/layout.h"

using namespace Qt::StringLiterals;

namespace gongshang {

void name_controls(const Controls& controls) {
  // Fields are named after the quantity their label shows, so a label labels
  // the field that bears its text. As the label's buddy the field takes the
  // label's text for its name, and screen readers also learn that the label
  // labels it: that is what they announce for a list, whose own name on
  // Linux is the selected item. No label text holds an "&", so being a buddy
  // gives none of them a mnemonic and none looks any different.
  QHash<QString, QWidget*> fields;
  for (const InputControl& input : controls.inputs) {
    QWidget* field = input.list != nullptr ? static_cast<QWidget*>(input.list) : input.box;
    fields.insert(field->objectName(), field);
  }
  for (QLineEdit* result : controls.results) fields.insert(result->objectName(), result);
  for (QLabel* label : controls.panel->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    if (QWidget* field = fields.value(label->text())) label->setBuddy(field);
  }

  // The panel carries the title, as the window's caption does.
  controls.panel->setAccessibleName(to_qstring(kWindowName));
  controls.scroll_bar->setAccessibleName(u"窗口内容"_s);
  controls.scroll_bar->setAccessibleDescription(u"上下移动窗口内容"_s);

  // Both leave the program for the browser, which a person who cannot see the
  // blue text or guess the button's purpose should hear before pressing.
  controls.home_link->setAccessibleName(u"主页链接："_s + controls.home_link->text());
  controls.home_link->setAccessibleDescription(u"在浏览器中打开网站主页 "_s + links::homeAddress());
  controls.legal_basis->setAccessibleDescription(u"在浏览器中打开法条依据网页 "_s +
                                                 links::articleAddress());
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
