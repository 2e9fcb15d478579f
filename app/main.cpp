// The calculator starts by showing its one window; closing it ends the program.
#include <QApplication>

#include "window/calculator_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  gongshang::CalculatorWindow window;
  window.show();
  return app.exec();
}
