// What the window tests share: a fresh calculator window, shown and active,
// ways to reach its controls the way a person or a screen reader would, by
// name, and a stand-in for the browser.
#ifndef GONGSHANG_TESTS_WINDOW_WINDOW_DRIVER_H_
#define GONGSHANG_TESTS_WINDOW_WINDOW_DRIVER_H_

#include <memory>

#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QScreen>
#include <QStringList>
#include <QTest>
#include <QUrl>

#include "window/calculator_window.h"

namespace gongshang::testing {

using namespace Qt::StringLiterals;

// The ten input boxes and the eleven result boxes, in the engine's order;
// the list items, the empty one first; and the worked example, whose inputs
// go into the ten boxes (with grade 五 and nursing 大部分护理).
inline const QStringList kInputBoxes =
    u"本人月均工资 统筹月工资 停薪月数 住院天数 住宿天数 护理天数 医疗费 辅助器具费 交通费 营养费"_s
        .split(u' ');
inline const QStringList kResultBoxes =
    u"伤残补助金 每月伤残津贴 停薪工资 住院伙食补助 住宿费 护理费 计算医疗费 计算辅助器具费 "
    u"计算交通费 计算营养费 合计"_s.split(u' ');
inline const QStringList kGrades = u" 一 二 三 四 五 六 七 八 九 十"_s.split(u' ');
inline const QStringList kNursing = u" 完全护理 大部分护理 部分护理"_s.split(u' ');
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

class WindowDriver {
 public:
  // A new window, shown and active: its lists are filled.
  bool open() {
    window_ = std::make_unique<CalculatorWindow>();
    window_->show();
    return QTest::qWaitForWindowActive(window_.get()) && list(u"工伤等级"_s)->count() > 0;
  }
  void close() { window_.reset(); }

  CalculatorWindow* window() const { return window_.get(); }

  template <typename T = QWidget>
  T* find(const QString& object_name) const {
    return window_->findChild<T*>(object_name);
  }
  QLineEdit* box(const QString& object_name) const { return find<QLineEdit>(object_name); }
  QComboBox* list(const QString& object_name) const { return find<QComboBox>(object_name); }

  QStringList texts(const QStringList& boxes) const {
    QStringList out;
    for (const QString& b : boxes) out << (box(b) ? box(b)->text() : u"<missing>"_s);
    return out;
  }
  QStringList items(const QString& object_name) const {
    QStringList out;
    if (QComboBox* l = list(object_name)) {
      for (int i = 0; i < l->count(); ++i) out << l->itemText(i);
    }
    return out;
  }
  bool centred() const {
    const QRect screen = window_->screen()->availableGeometry();
    return (window_->geometry().center() - screen.center()).manhattanLength() <= 1;
  }

  // Picks an item as a person would, and types each text into its box.
  void choose(const QString& list_name, const QString& item) const {
    QComboBox* l = list(list_name);
    l->setCurrentIndex(l->findText(item));
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
  void click(const QString& object_name) const {
    QTest::mouseClick(find(object_name), Qt::LeftButton);
  }
  // Clear, and wait for the fresh window's activation to fill its lists.
  bool clear() const {
    click(u"清空按钮"_s);
    return QTest::qWaitFor([this] { return list(u"工伤等级"_s)->count() > 0; });
  }

 private:
  std::unique_ptr<CalculatorWindow> window_;
};

}  // namespace gongshang::testing

#endif  // GONGSHANG_TESTS_WINDOW_WINDOW_DRIVER_H_
