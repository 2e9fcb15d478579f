// What the window tests share: a fresh window, its controls reached by name
// as a person or a screen reader would, and a stand-in for the browser.
#ifndef GONGSHANG_TESTS_WINDOW_WINDOW_DRIVER_H_
#define GONGSHANG_TESTS_WINDOW_WINDOW_DRIVER_H_

#include <functional>
#include <memory>

#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QUrl>

#include "engine/fields.h"
#include "engine/results.h"
#include "qstring/utf8.h"
#include "window/calculator_window.h"

namespace gongshang::testing {

using namespace Qt::StringLiterals;

// The controls bear the engine's field names, shown by the label beside each.
template <typename Rows, typename Name>
QStringList names(const Rows& rows, Name name) {
  QStringList out;
  for (const auto& row : rows) out << to_qstring(std::invoke(name, row));
  return out;
}
inline const QStringList kInputs = names(kInputNames, std::identity());
inline const QStringList kInputBoxes = kInputs.mid(2);  // after the two lists
inline const QStringList kResultBoxes = names(kResults, &ResultRow::name);

// The worked example: grade 五, nursing 大部分护理 and these ten texts.
inline const QStringList kWorkedInputs = u"3500 4000 6 30 10 30 12000.5 800 300 1000"_s.split(u' ');
inline const QStringList kWorkedResults =
    u"63000 2450 21000 1500 800 1931.03451153328 12000.5 800 300 1000 104781.534511533"_s.split(
        u' ');

// While it lives, stands in for the browser: records every address handed to
// the desktop, and no browser starts.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  UrlCatcher() { QDesktopServices::setUrlHandler(u"http"_s, this, "open"); }
  ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(u"http"_s); }

  QStringList opened;

 public slots:
  void open(const QUrl& url) { opened << url.toString(QUrl::FullyEncoded); }
};

// Each test function gets a fresh window, shown and active: its lists filled.
class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = std::make_unique<CalculatorWindow>();
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()) && filled());
  }
  void cleanup() { window_.reset(); }

 protected:
  CalculatorWindow* window() const { return window_.get(); }
  template <typename T = QWidget>
  T* find(const QString& name) const {
    return window_->findChild<T*>(name);
  }
  QLineEdit* box(const QString& name) const { return find<QLineEdit>(name); }
  QComboBox* list(const QString& name) const { return find<QComboBox>(name); }

  QStringList texts(const QStringList& boxes) const {
    QStringList out;
    for (const QString& b : boxes) out << box(b)->text();
    return out;
  }

  // Picks an item as a person would, and types each text into its box.
  void choose(const QString& list_name, const QString& item) const {
    list(list_name)->setCurrentIndex(list(list_name)->findText(item));
  }
  void type(const QStringList& boxes, const QStringList& texts) const {
    for (qsizetype i = 0; i < boxes.size(); ++i) {
      box(boxes[i])->clear();
      QTest::keyClicks(box(boxes[i]), texts[i]);
    }
  }
  void enterWorkedExample() const {
    choose(u"工伤等级"_s, u"五"_s);
    choose(u"护理级别"_s, u"大部分护理"_s);
    type(kInputBoxes, kWorkedInputs);
  }
  void click(const QString& name) const { QTest::mouseClick(find(name), Qt::LeftButton); }
  void calculate() const { click(u"计算按钮"_s); }
  // Clear, and wait for the fresh window's activation to fill its lists.
  bool clear() const {
    click(u"清空按钮"_s);
    return QTest::qWaitFor([this] { return filled(); });
  }

 private:
  bool filled() const { return list(u"工伤等级"_s)->count() > 0; }

  std::unique_ptr<CalculatorWindow> window_;
};

}  // namespace gongshang::testing

#endif  // GONGSHANG_TESTS_WINDOW_WINDOW_DRIVER_H_
