#include "claimwindow/results_view.h"

#include <algorithm>
#include <array>

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "engine/number_text.h"
#include "qstring/utf8.h"

using namespace Qt::StringLiterals;

namespace gongshang::claimwindow {

namespace {

// 发放期限 is the monthly table's alone: how long each monthly item runs.
enum Column { kItem, kAmount, kPayer, kWorking, kArticle, kDuration, kColumnCount };

// An amount as the report prints it: 1,397,540.00.
QString amount(long long fen) {
  return to_qstring(with_separators(yuan_text(fen)));
}

// The table shows every row without a scroll bar of its own: the panel
// around it scrolls, so both tables read as one statement.
void fit_height(QTableWidget* table, bool measure_rows = true) {
  if (measure_rows) table->resizeRowsToContents();
  int height = table->horizontalHeader()->height() + 2 * table->frameWidth();
  for (int row = 0; row < table->rowCount(); ++row) height += table->rowHeight(row);
  table->setFixedHeight(height);
}

QTableWidget* make_table(const QString& name, bool monthly, QWidget* parent) {
  auto* table = new QTableWidget(0, kColumnCount, parent);
  table->setObjectName(name);
  table->setAccessibleName(name);
  table->setHorizontalHeaderLabels(
      {u"项目"_s, u"金额（元）"_s, u"支付方"_s, u"计算过程"_s, u"依据"_s, u"发放期限"_s});
  table->setColumnHidden(kDuration, !monthly);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setWordWrap(true);
  table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QHeaderView* header = table->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setSectionResizeMode(kWorking, QHeaderView::Stretch);
  header->setSectionResizeMode(kArticle, QHeaderView::Interactive);
  header->resizeSection(kArticle, 160);
  header->setSectionResizeMode(kDuration, QHeaderView::Interactive);
  header->resizeSection(kDuration, 160);
  QObject::connect(header, &QHeaderView::sectionResized, table, [table] { fit_height(table); });
  return table;
}

// Puts text into a cell, touching only what changed: a keystroke changes a
// few cells, and only their rows are measured again. Returns whether it did.
bool put(QTableWidget* table, int row, int column, const QString& text, bool bold = false) {
  QTableWidgetItem* item = table->item(row, column);
  if (item == nullptr) {
    item = new QTableWidgetItem;
    item->setTextAlignment(column == kAmount ? Qt::AlignRight | Qt::AlignTop
                                             : Qt::AlignLeft | Qt::AlignTop);
    table->setItem(row, column, item);
  }
  bool changed = false;
  if (item->font().bold() != bold) {
    QFont font = item->font();
    font.setBold(bold);
    item->setFont(font);
    changed = true;
  }
  if (item->text() != text) {
    item->setText(text);
    changed = true;
  }
  return changed;
}

QString payer_words(Payer payer) {
  return to_qstring(payer_text(payer));
}

using Part = StatementPart;

// Returns whether a text of the item, amount or payer column changed.
bool fill(QTableWidget* table, const Statement& statement, Part part, const StatementTotal& total) {
  const bool monthly = part == Part::kMonthly;
  const QString unpaid = to_qstring(kIfUnpaid);
  int rows = 0;
  for (const StatementItem& item : statement.items) rows += part_of(item) == part ? 1 : 0;
  const int before = table->rowCount();
  table->setRowCount(rows + 1);
  int row = 0;
  bool resized = before != rows + 1;
  bool narrow = resized;
  const auto row_of = [&](const std::array<QString, kColumnCount>& texts, bool bold) {
    bool changed = false;
    for (int column = 0; column < kColumnCount; ++column) {
      if (!put(table, row, column, texts[column], bold)) continue;
      changed = true;
      narrow = narrow || column <= kPayer;
    }
    if (changed) {
      table->resizeRowToContents(row);
      resized = true;
    }
    ++row;
  };
  for (const StatementItem& item : statement.items) {
    if (part_of(item) != part) continue;
    row_of(
        // The mark on a line of its own keeps the item column, which the
        // three tables share, narrow.
        {item.if_unpaid ? u"%1\n（%2）"_s.arg(to_qstring(item.name), unpaid)
                        : to_qstring(item.name),
         item.fen ? amount(*item.fen) : u"未知"_s, payer_words(item.payer),
         to_qstring(item.working), to_qstring(item.article), to_qstring(item.duration)},
        false);
  }
  row_of({monthly                   ? u"每月合计"_s
          : part == Part::kIfUnpaid ? u"合计（%1）"_s.arg(unpaid)
                                    : u"一次性合计"_s,
          amount(total.fen),
          u"基金 %1\n用人单位 %2"_s.arg(amount(total.fund_fen), amount(total.employer_fen)),
          QString(), QString(), QString()},
         true);
  if (resized) fit_height(table, false);
  return narrow;
}

}  // namespace

ResultsView::ResultsView(QWidget* parent) : QWidget(parent) {
  notice_ = new QLabel(this);
  notice_->setObjectName(u"提示"_s);
  notice_->setWordWrap(true);
  notice_->setStyleSheet(u"color: #b71c1c;"_s);
  retirement_ = new QLabel(this);
  retirement_->setObjectName(u"退休日期"_s);
  notes_ = new QLabel(this);
  notes_->setObjectName(u"说明"_s);
  notes_->setWordWrap(true);
  once_ = make_table(u"一次性待遇"_s, false, this);
  monthly_ = make_table(u"按月待遇"_s, true, this);
  unpaid_ = make_table(u"本人尚未支付的项目"_s, false, this);

  onceTitle_ = new QLabel(this);
  onceTitle_->setBuddy(once_);
  monthlyTitle_ = new QLabel(this);
  monthlyTitle_->setBuddy(monthly_);
  unpaidTitle_ = new QLabel(u"<b>职工本人的项目（%1）</b>"_s.arg(to_qstring(kIfUnpaid)), this);
  unpaidTitle_->setBuddy(unpaid_);
  setDeath(false);

  auto* column = new QVBoxLayout(this);
  column->addWidget(notice_);
  column->addWidget(retirement_);
  column->addWidget(onceTitle_);
  column->addWidget(once_);
  column->addWidget(monthlyTitle_);
  column->addWidget(monthly_);
  column->addWidget(unpaidTitle_);
  column->addWidget(unpaid_);
  column->addWidget(notes_);
  column->addStretch();
  notice_->hide();
  retirement_->hide();
  notes_->hide();
}

void ResultsView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Wrapped workings take as many lines as the new width needs.
  fit_height(once_);
  fit_height(monthly_);
  fit_height(unpaid_);
}

void ResultsView::setDeath(bool death) {
  onceTitle_->setText(death ? u"<b>工亡待遇：一次性支付</b>"_s : u"<b>一次性支付</b>"_s);
  monthlyTitle_->setText(death ? u"<b>工亡待遇：按月支付</b>"_s : u"<b>按月支付</b>"_s);
  unpaidTitle_->setVisible(death);
  unpaid_->setVisible(death);
}

void ResultsView::showStatement(const Statement& statement) {
  notice_->hide();
  retirement_->setText(u"法定退休日期：%1"_s.arg(to_qstring(statement.retirement)));
  retirement_->setVisible(!statement.retirement.empty());
  QStringList notes;
  for (const std::string& note : statement.notes) notes << to_qstring(note);
  const QString noteText = notes.join(u'\n');
  if (notes_->text() != noteText) notes_->setText(noteText);
  notes_->setVisible(!notes.isEmpty());
  setDeath(statement.death);
  const bool once = fill(once_, statement, Part::kOnce, statement.once);
  const bool unpaid = fill(unpaid_, statement, Part::kIfUnpaid, statement.if_unpaid);
  if (!fill(monthly_, statement, Part::kMonthly, statement.monthly) && !once && !unpaid) return;
  // The same widths in both tables, so that they read as one; set only when
  // they change, since every change measures the rows again.
  for (int column : {kItem, kAmount, kPayer}) {
    int width = 0;
    for (QAbstractItemView* table : {once_, monthly_, unpaid_})
      width = std::max({width, table->sizeHintForColumn(column),
                        once_->horizontalHeader()->sectionSizeHint(column)});
    for (QTableWidget* table : {once_, monthly_, unpaid_})
      if (table->columnWidth(column) != width) table->setColumnWidth(column, width);
  }
}

void ResultsView::showProblem(const QString& why) {
  notice_->setText(why);
  notice_->show();
  retirement_->hide();
  notes_->hide();
  setDeath(false);
  once_->setRowCount(0);
  monthly_->setRowCount(0);
  unpaid_->setRowCount(0);
  fit_height(once_);
  fit_height(monthly_);
}

}  // namespace gongshang::claimwindow
