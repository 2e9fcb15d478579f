// The claim's items as they update while the user types: one table of the
// one-time amounts and one of the monthly amounts (item, amount, who pays,
// the working, the article; for a monthly one how long it runs), each closed
// by its total, and above them a
// line that says why nothing can be shown when an input cannot be read.
#ifndef GONGSHANG_CLAIMWINDOW_RESULTS_VIEW_H_
#define GONGSHANG_CLAIMWINDOW_RESULTS_VIEW_H_

#include <QWidget>

#include "engine/claim_statement.h"

class QLabel;
class QTableWidget;

namespace gongshang::claimwindow {

class ResultsView : public QWidget {
  Q_OBJECT

 public:
  explicit ResultsView(QWidget* parent = nullptr);

  // Shows every item of the statement, its totals and its notes; after a
  // death the worker's own items apart, each marked kIfUnpaid.
  void showStatement(const Statement& statement);

  // Empties both tables and says why, e.g. "请先改正标红的栏目：医疗费".
  void showProblem(const QString& why);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Titles the tables as a death's two parts, or as a living worker's.
  void setDeath(bool death);

  QLabel* notice_;
  QLabel* retirement_;
  QLabel* notes_;
  QTableWidget* once_;
  QTableWidget* monthly_;
  // After a death: the family's benefits above, the worker's own items
  // still owed if unpaid here.
  QLabel* onceTitle_;
  QLabel* monthlyTitle_;
  QLabel* unpaidTitle_;
  QTableWidget* unpaid_;
};

}  // namespace gongshang::claimwindow

#endif  // GONGSHANG_CLAIMWINDOW_RESULTS_VIEW_H_
