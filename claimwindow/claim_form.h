// The claim window's inputs, grouped as a person thinks of them: the injury,
// wages, time, costs, and the death section that opens when 工亡 is ticked.
// Built once from the field table; every control is named after its field,
// and every field's text is the text a person typed or picked.
#ifndef GONGSHANG_CLAIMWINDOW_CLAIM_FORM_H_
#define GONGSHANG_CLAIMWINDOW_CLAIM_FORM_H_

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

namespace gongshang {
struct FieldRow;
struct Rules;
}  // namespace gongshang

namespace gongshang::claimwindow {

class ClaimForm : public QWidget {
  Q_OBJECT

 public:
  explicit ClaimForm(QWidget* parent = nullptr);

  // The field's text: a list's item, a box's text as typed, a count's digits,
  // "是"/"否" for a check box; "" for a name no field has.
  //   text("工伤等级") -> "七"   text("配偶") -> "1"   text("工亡") -> "否"
  QString text(std::string_view name) const;

  // Puts text into a field. Returns why it cannot, or "" when it did: a list
  // takes only its items, a count only 0..max in digits, a check box "是",
  // "否" or "". Money and dates take any text (unreadable ones are marked).
  //   setText("工伤等级", "十一") -> "只能是一、二、…、十之一或留空"
  QString setText(std::string_view name, const QString& text);
  // The reason setText would give, without changing anything: the case
  // file's rule for what a control holds (casefile/case_file.h).
  QString problemWith(std::string_view name, const QString& text) const;

  // The regions the 地区 list offers after "" (none): those of rules, which
  // must outlive the form.
  void setRegions(const Rules& rules);

  // The status of the chosen region's figures in lay words, shown beside it.
  void setRegionStatus(const QString& words);

  // Marks a field with the reason its text cannot be read, at the field
  // itself; an empty reason clears the mark.
  void markProblem(std::string_view name, const QString& reason);
  void clearProblems();
  // Field names currently marked, in form order.
  QStringList markedFields() const;

  // Every control in the order Tab visits them, hidden ones included: each
  // field's control, a date's 日历 button after it.
  QWidgetList focusOrder() const;

 protected:
  // Keeps each reason and the region's status as high as its lines.
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  // Any field changed, by typing, picking or opening a case.
  void changed();

 private:
  struct Field {
    const FieldRow* row = nullptr;
    QLineEdit* line = nullptr;  // kMoney, kDate
    QComboBox* list = nullptr;  // kList, kAge, kRegion
    QSpinBox* count = nullptr;
    QCheckBox* check = nullptr;
    QToolButton* pick = nullptr;  // kDate: opens the calendar
    QLabel* problem = nullptr;    // under the control; hidden when there is none
    // The one control that holds the text and carries the field's name.
    QWidget* control() const;
  };

  QGroupBox* buildGroup(int group);
  QLayout* buildControl(Field& field);
  QWidget* buildDateControl(Field& field, QHBoxLayout* row);
  void pickDate(Field& field);
  void showDeathSection(bool shown);
  void fitHeight(QLabel* label);
  const Field* find(std::string_view name) const;

  std::vector<Field> fields_;
  const Rules* rules_ = nullptr;
  QFormLayout* deathForm_ = nullptr;  // the group that holds 工亡
  QList<int> deathRows_;              // its rows that open with 工亡
  QLabel* regionStatus_ = nullptr;
  QGroupBox* typedRule_ = nullptr;
};

}  // namespace gongshang::claimwindow

#endif  // GONGSHANG_CLAIMWINDOW_CLAIM_FORM_H_
