// What the claim window tests share: a window with the shipped regions, and
// fields filled as a person fills them.
#ifndef GONGSHANG_TESTS_CLAIMWINDOW_WINDOW_DRIVER_H_
#define GONGSHANG_TESTS_CLAIMWINDOW_WINDOW_DRIVER_H_

#include <memory>
#include <utility>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QSpinBox>
#include <QTest>

#include "claimwindow/claim_window.h"
#include "regions/rules_file.h"

namespace gongshang::claimwindow {

using namespace Qt::StringLiterals;

// Field name, then the text typed or the item picked; "是" ticks a box.
using Typing = QList<std::pair<QString, QString>>;

inline std::unique_ptr<ClaimWindow> new_window() {
  auto window = std::make_unique<ClaimWindow>(
      std::get<Rules>(regions::load_rules_file(GONGSHANG_RULES_FILE)));
  window->show();
  return window;
}

// Types as a person does: ASCII from the keyboard, everything else committed
// by the input method, one character at a time.
inline void type(QWidget* field, const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClicks(field, QString(c));
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(QString(c));
      QApplication::sendEvent(field, &commit);
    }
  }
}

inline void fill(ClaimWindow& window, const Typing& typing) {
  for (const auto& [name, text] : typing) {
    QWidget* field = window.findChild<QWidget*>(name);
    QVERIFY2(field != nullptr, qPrintable(name));
    if (auto* list = qobject_cast<QComboBox*>(field)) {
      const int at = list->findText(text) >= 0 ? list->findText(text) : list->findData(text);
      QVERIFY2(at >= 0, qPrintable(name + u": "_s + text));
      list->setCurrentIndex(at);
    } else if (auto* box = qobject_cast<QCheckBox*>(field)) {
      if (box->isChecked() != (text == u"是"_s)) box->click();
    } else {
      if (auto* count = qobject_cast<QSpinBox*>(field)) count->selectAll();
      type(field, text);
    }
  }
}

}  // namespace gongshang::claimwindow

#endif  // GONGSHANG_TESTS_CLAIMWINDOW_WINDOW_DRIVER_H_
