// The calculator's one window, 计算工伤赔偿金额. All its state lives in its
// controls: it keeps no figures of its own, so Clear can simply build the
// controls afresh.
#ifndef GONGSHANG_WINDOW_CALCULATOR_WINDOW_H_
#define GONGSHANG_WINDOW_CALCULATOR_WINDOW_H_

#include <QWidget>

#include "window/controls.h"

namespace gongshang {

class CalculatorWindow : public QWidget {
  Q_OBJECT

 public:
  explicit CalculatorWindow(QWidget* parent = nullptr);

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void calculateClicked();
  void clearClicked();
  void legalBasisClicked();
  void scrollValueChanged(int value);

 private:
  void load();
  void unload();
  void placeCentred();
  void windowActivated();
  bool linkEvent(QEvent* event);

  Controls controls_;          // built by load, replaced by Clear
  bool link_pressed_ = false;  // the left button went down on the link
  bool framed_ = false;        // centred with its frame since last shown
};

}  // namespace gongshang

#endif  // GONGSHANG_WINDOW_CALCULATOR_WINDOW_H_
