// The claim window's inputs, grouped as a person thinks of them: who it is
// about, the region, the injury, wages, time, costs, and the death section
// that opens when 工亡 is ticked. Built once from the field table; every
// control is named after its field, with the field's line of help under it
// (and the meaning of the item chosen, and where a figure is published),
// and every field's text is the text a person typed or picked.
#ifndef GONGSHANG_CLAIMWINDOW_CLAIM_FORM_H_
#define GONGSHANG_CLAIMWINDOW_CLAIM_FORM_H_

#include <array>
#include <string_view>
#include <vector>

#include <QString>
#include <QStringList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QHBoxLayout;
class QLayout;
class QLabel;
class QLineEdit;
class QSpinBox;
class QToolButton;

#include "engine/fields.h"

namespace gongshang {
struct Rules;
}  // namespace gongshang

namespace gongshang::claimwindow {

class ClaimForm : public QWidget {
  Q_OBJECT

 public:
  explicit ClaimForm(QWidget* parent = nullptr);

  // The field's text: a list's item, a box's text as typed, a count's digits,
  // "是"/"否" for a check box.
  //   text(kGrade) -> "七"   text(kSpouse) -> "1"   text(kDeath) -> "否"
  QString text(Field field) const;

  // Puts text into a field, in the form its control shows (the engine's:
  // "5级" is 五). Returns why it cannot, in the engine's words, or "" when
  // it did. Money and dates take any text (unreadable ones are marked).
  //   setText(kGrade, "十一") -> "只能是一、二、…、十之一或留空"
  QString setText(Field field, const QString& text);

  // The regions the 地区 list offers after "" (none): those of rules, which
  // must outlive the form.
  void setRegions(const Rules& rules);

  // The status of the chosen region's figures in lay words, shown beside it.
  void setRegionStatus(const QString& words);

  // Shows the fields that count for the case and hides the others, a group
  // with none of them too (the engine says which: evaluation.h).
  void showInEffect(const std::array<bool, kFieldCount>& in_effect);

  // Marks a field with the reason its text cannot be read, at the field
  // itself; an empty reason clears the mark. Not a fault (`fault` false):
  // the words stand under the field, the control is not marked, as for a
  // needed field left empty ("为空：计算丧葬补助金需要此项").
  void markProblem(Field field, const QString& reason, bool fault = true);
  void clearProblems();
  // Shows a notice under a field, apart from its problem and not in red:
  // what was filled in for the person to check. An empty one hides it.
  void setNotice(Field field, const QString& words);
  // Field names currently marked as faults, in form order.
  QStringList markedFields() const;

  // Every control in the order Tab visits them, hidden ones included: each
  // field's control, a date's 日历 button after it, a figure's 在哪里查 button.
  QWidgetList focusOrder() const;

 protected:
  // Keeps each reason and the region's status as high as its lines.
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  // Any field changed, by typing, picking or opening a case.
  void changed();

 private:
  struct Control {
    const FieldRow* row = nullptr;
    QLineEdit* line = nullptr;  // kMoney, kDate
    QComboBox* list = nullptr;  // kList, kAge, kRegion
    QSpinBox* count = nullptr;
    QCheckBox* check = nullptr;
    QToolButton* pick = nullptr;  // kDate: opens the calendar
    QLabel* help = nullptr;       // under the control: its line, and the item's meaning
    QToolButton* more = nullptr;  // a figure to look up: shows where and which year
    QLabel* lookup = nullptr;     // that text, while `more` is checked
    QLabel* problem = nullptr;    // under the help; hidden when there is none
    QLabel* notice = nullptr;     // under the problem; hidden when there is none
    QFormLayout* form = nullptr;  // the group's, and the rows the field takes in it
    QList<int> rows;              // every row but the three below
    int lookupRow = -1;
    int problemRow = -1;
    int noticeRow = -1;
    bool shown = true;  // in effect
    // The one control that holds the text and carries the field's name.
    QWidget* control() const;
  };

  QGroupBox* buildGroup(int group);
  QLayout* buildControl(Control& field);
  QWidget* buildDateControl(Control& field, QHBoxLayout* row);
  void addHelp(Control& field, QWidget* box);
  void showHelp(const Control& field);
  QLabel* wrappedLabel(const QString& name, QWidget* parent);
  void pickDate(Control& field);
  void fitHeight(QLabel* label);
  static void describe(const Control& field);
  const Control& at(Field field) const { return fields_[index(field)]; }

  std::vector<Control> fields_;  // indexed by Field
  std::array<QGroupBox*, kFieldGroupCount> groups_{};
  const Rules* rules_ = nullptr;
  QLabel* regionStatus_ = nullptr;
};

}  // namespace gongshang::claimwindow

#endif  // GONGSHANG_CLAIMWINDOW_CLAIM_FORM_H_
