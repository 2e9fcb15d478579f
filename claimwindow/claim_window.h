// gongshang-claim's window, 工伤待遇全面计算: the inputs on the left, every
// item of the claim on the right, recomputed as the user types; a case can be
// saved, opened, printed and exported as PDF.
#ifndef GONGSHANG_CLAIMWINDOW_CLAIM_WINDOW_H_
#define GONGSHANG_CLAIMWINDOW_CLAIM_WINDOW_H_

#include <memory>

#include <QMainWindow>
#include <QString>

class QToolBar;

#include "engine/claim_statement.h"
#include "engine/fields.h"
#include "engine/region_rules.h"

namespace gongshang::claimwindow {

class ClaimForm;
class ResultsView;

class ClaimWindow : public QMainWindow {
  Q_OBJECT

 public:
  // The regions offered are those of rules; its income table serves the
  // death lump sum.
  explicit ClaimWindow(Rules rules, QWidget* parent = nullptr);
  ~ClaimWindow() override;

  // Opens a case file. Returns "" or why it was refused; a refused file
  // changes nothing in the window.
  QString openCase(const QString& path);
  // Saves the case as it stands. Returns "" or why it could not.
  QString saveCase(const QString& path);
  // Writes the report of the case as it stands. Returns "" or why there is
  // none: a field that cannot be read, a refusal, a file that cannot be written.
  QString exportPdf(const QString& path);

  // The form's texts as they stand, and the claim they give (nullptr while a
  // field is marked or the calculation refuses).
  FieldTexts texts() const;
  const Statement* statement() const { return statement_.get(); }
  // What is wrong while there is no statement, e.g. "请先改正标红的栏目：医疗费".
  const QString& problem() const { return problem_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  // The first time: sized to the screen's available area and centred on it.
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void recompute();
  void openClicked();
  void saveClicked();
  void saveAsClicked();
  void exportClicked();
  void printClicked();

 private:
  void buildMenus();
  void setTabOrder();
  void place(const QMargins& frame);
  void setCasePath(const QString& path);
  bool mayDiscardChanges();

  Rules rules_;
  ClaimForm* form_;
  ResultsView* results_;
  QToolBar* toolBar_ = nullptr;
  std::unique_ptr<Statement> statement_;
  QString problem_;
  QString casePath_;
  bool loading_ = false;
  bool placed_ = false;
};

}  // namespace gongshang::claimwindow

#endif  // GONGSHANG_CLAIMWINDOW_CLAIM_WINDOW_H_
