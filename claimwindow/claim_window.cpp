#include "claimwindow/claim_window.h"

#include <filesystem>
#include <system_error>

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QSplitter>
#include <QTableWidget>
#include <QToolBar>
#include <QWindow>

#include "casefile/case_file.h"
#include "claimwindow/claim_form.h"
#include "claimwindow/dialogs.h"
#include "claimwindow/placement.h"
#include "claimwindow/report.h"
#include "claimwindow/results_view.h"
#include "engine/evaluation.h"
#include "qstring/utf8.h"

using namespace Qt::StringLiterals;

namespace gongshang::claimwindow {

namespace {

const QString kCaseFilter = u"工伤案例 (*.json)"_s;
// The size the window opens at where the screen has room for it.
constexpr QSize kWantedSize(1200, 760);
constexpr QMargins kUsualFrame(4, 30, 4, 4);

QScrollArea* scrolling(QWidget* inner, QWidget* parent) {
  auto* area = new QScrollArea(parent);
  area->setWidget(inner);
  area->setWidgetResizable(true);
  area->setFrameShape(QFrame::NoFrame);
  // Its controls take the focus, and it scrolls to show the one that has it.
  area->setFocusPolicy(Qt::NoFocus);
  return area;
}

}  // namespace

ClaimWindow::ClaimWindow(Rules rules, QWidget* parent)
    : QMainWindow(parent), rules_(std::move(rules)) {
  setWindowTitle(u"工伤待遇全面计算[*]"_s);
  form_ = new ClaimForm(this);
  results_ = new ResultsView(this);
  form_->setRegions(rules_);

  auto* split = new QSplitter(this);
  // The form scrolls up and down only: its panel is never narrower than the
  // form, whatever the window's width or scale.
  QScrollArea* inputs = scrolling(form_, split);
  inputs->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  inputs->setMinimumWidth(form_->minimumSizeHint().width() +
                          inputs->verticalScrollBar()->sizeHint().width());
  split->addWidget(inputs);
  split->addWidget(scrolling(results_, split));
  split->setStretchFactor(0, 2);
  split->setStretchFactor(1, 5);
  split->setChildrenCollapsible(false);
  setCentralWidget(split);
  buildMenus();
  setTabOrder();

  connect(form_, &ClaimForm::changed, this, &ClaimWindow::recompute);
  connect(form_, &ClaimForm::changed, this, [this] {
    if (!loading_) setWindowModified(true);
  });
  recompute();
}

ClaimWindow::~ClaimWindow() = default;

void ClaimWindow::setTabOrder() {
  // Top to bottom, left to right: the toolbar, the form, then the tables,
  // which are read, not edited, so Tab leaves them (arrows move within).
  QWidgetList order;
  for (QAction* action : toolBar_->actions())
    if (QWidget* button = toolBar_->widgetForAction(action); button && !action->isSeparator())
      order << button;
  order << form_->focusOrder();
  for (QTableWidget* table : results_->findChildren<QTableWidget*>()) {
    table->setTabKeyNavigation(false);
    // Ctrl+Tab leaves a widget that keeps Tab for itself; a table no longer
    // does, but the habit should still work.
    for (const bool next : {true, false}) {
      const QKeySequence keys(next ? Qt::CTRL | Qt::Key_Tab
                                   : Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab);
      auto* shortcut = new QShortcut(keys, table, [this, next] { focusNextPrevChild(next); });
      shortcut->setContext(Qt::WidgetShortcut);
    }
    order << table;
  }
  for (QWidget* button : order)
    if (button->parentWidget() == toolBar_) button->setFocusPolicy(Qt::TabFocus);
  for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void ClaimWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (placed_ || event->spontaneous()) return;
  placed_ = true;
  // The frame is not known before a window manager has framed the window:
  // a usual one (a title bar, thin borders) is allowed for, and the window
  // is placed again with its own at the first expose.
  place(kUsualFrame);
  if (QWindow* handle = windowHandle()) handle->installEventFilter(this);
}

bool ClaimWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == windowHandle() && event->type() == QEvent::Expose) {
    watched->removeEventFilter(this);
    const QMargins frame = windowHandle()->frameMargins();
    if (!frame.isNull() && frame != kUsualFrame) place(frame);
  }
  return QMainWindow::eventFilter(watched, event);
}

void ClaimWindow::place(const QMargins& frame) {
  if (const QScreen* where = screen())
    setGeometry(first_geometry(kWantedSize, minimumSizeHint(), where->availableGeometry(), frame));
}

void ClaimWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(u"文件(&F)"_s);
  QToolBar* bar = toolBar_ = addToolBar(u"常用"_s);
  bar->setObjectName(u"常用"_s);
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  const auto action = [&](const QString& text, QKeySequence keys, auto slot, bool onBar) {
    QAction* a = file->addAction(text, this, slot);
    a->setShortcut(keys);
    if (onBar) bar->addAction(a);
    return a;
  };
  action(u"打开案例(&O)…"_s, QKeySequence::Open, &ClaimWindow::openClicked, true);
  action(u"保存案例(&S)"_s, QKeySequence::Save, &ClaimWindow::saveClicked, true);
  action(u"案例另存为(&A)…"_s, QKeySequence::SaveAs, &ClaimWindow::saveAsClicked, false);
  file->addSeparator();
  bar->addSeparator();
  action(u"导出 PDF(&E)…"_s, QKeySequence(), &ClaimWindow::exportClicked, true);
  action(u"打印(&P)…"_s, QKeySequence::Print, &ClaimWindow::printClicked, true);
  file->addSeparator();
  action(u"退出(&X)"_s, QKeySequence::Quit, &QWidget::close, false);
}

FieldTexts ClaimWindow::texts() const {
  FieldTexts texts;
  for (const FieldRow& row : field_rows())
    texts[index(row.field)] = to_utf8(form_->text(row.field));
  return texts;
}

void ClaimWindow::recompute() {
  if (loading_) return;
  const Evaluation e = evaluate(texts(), rules_);

  // Every unreadable field in effect is marked, not just the first, in the
  // engine's words; a field out of effect (the death section while 工亡 is
  // not ticked) is neither read nor shown.
  form_->showInEffect(e.reading.in_effect);
  form_->clearProblems();
  for (const Problem& problem : e.reading.problems)
    if (auto field = find_field(problem.subject))
      form_->markProblem(*field, to_qstring(problem.words));
  if (e.refusal)
    if (auto field = find_field(e.refusal->subject))
      form_->markProblem(*field, to_qstring(message(*e.refusal)));
  for (const Problem& needed : e.needed)
    if (auto field = find_field(needed.subject))
      form_->markProblem(*field, to_qstring(needed.words), false);
  form_->setRegionStatus(to_qstring(region_status_words(e.reading.values.region)));

  if (e.statement) {
    statement_ = std::make_unique<Statement>(std::move(*e.statement));
    problem_.clear();
    results_->showStatement(*statement_);
    return;
  }
  statement_.reset();
  problem_ = to_qstring(e.why_none());
  results_->showProblem(problem_);
}

QString ClaimWindow::openCase(const QString& path) {
  const Checked<casefile::OpenedCase> opened =
      casefile::open_case_file(QFile::encodeName(path).toStdString(), rules_);
  if (!opened) return to_qstring(message(opened.problem()));
  // Checked in full, so every field takes its text.
  loading_ = true;
  for (const FieldRow& row : field_rows()) {
    form_->setText(row.field, to_qstring(opened->texts[index(row.field)]));
    form_->setNotice(row.field, {});
  }
  for (const Problem& notice : opened->notices)
    if (auto field = find_field(notice.subject)) form_->setNotice(*field, to_qstring(notice.words));
  loading_ = false;
  setCasePath(path);
  recompute();
  setWindowModified(false);
  return {};
}

QString ClaimWindow::saveCase(const QString& path) {
  const std::string bytes = casefile::write_case(texts());
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
          static_cast<qint64>(bytes.size()) ||
      !file.commit())
    return u"无法保存到 %1：%2"_s.arg(path, file.errorString());
  setCasePath(path);
  setWindowModified(false);
  return {};
}

QString ClaimWindow::exportPdf(const QString& path) {
  // Compared as files, not names: a link or another spelling is the same case.
  std::error_code error;
  if (!casePath_.isEmpty() &&
      std::filesystem::equivalent(QFile::encodeName(path).toStdString(),
                                  QFile::encodeName(casePath_).toStdString(), error))
    return u"%1 是打开着的案例文件，导出会覆盖它：请换一个文件名"_s.arg(path);
  if (!statement_) return problem_;
  return write_report_pdf(report_html(*statement_, QDate::currentDate()), path);
}

void ClaimWindow::setCasePath(const QString& path) {
  casePath_ = path;
  setWindowFilePath(path);
  setWindowTitle(u"%1[*] — 工伤待遇全面计算"_s.arg(QFileInfo(path).fileName()));
}

bool ClaimWindow::mayDiscardChanges() {
  if (!isWindowModified()) return true;
  const auto answer = QMessageBox::question(
      this, windowTitle(), u"案例已修改，是否先保存？"_s,
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) {
    saveClicked();
    return !isWindowModified();
  }
  return answer == QMessageBox::Discard;
}

void ClaimWindow::closeEvent(QCloseEvent* event) {
  if (mayDiscardChanges())
    event->accept();
  else
    event->ignore();
}

void ClaimWindow::openClicked() {
  if (!mayDiscardChanges()) return;
  const QString path = ask_open_path(this, u"打开案例"_s, kCaseFilter);
  if (path.isEmpty()) return;
  if (const QString why = openCase(path); !why.isEmpty())
    warn(this, u"无法打开案例"_s, why + u"\n\n窗口中的内容没有改变。"_s);
}

void ClaimWindow::saveClicked() {
  if (casePath_.isEmpty()) return saveAsClicked();
  if (const QString why = saveCase(casePath_); !why.isEmpty()) warn(this, u"无法保存案例"_s, why);
}

void ClaimWindow::saveAsClicked() {
  // A new case is offered a name after whom it is about.
  const QString suggested =
      casePath_.isEmpty()
          ? to_qstring(casefile::default_file_name(texts(), casefile::SavedFile::kCase))
          : casePath_;
  const QString path = ask_save_path(this, u"保存案例"_s, suggested, kCaseFilter, u"json"_s);
  if (path.isEmpty()) return;
  if (const QString why = saveCase(path); !why.isEmpty()) warn(this, u"无法保存案例"_s, why);
}

void ClaimWindow::exportClicked() {
  if (!statement_) {
    inform(this, u"导出 PDF"_s, problem_);
    return;
  }
  const QString suggested =
      casePath_.isEmpty()
          ? to_qstring(casefile::default_file_name(texts(), casefile::SavedFile::kReport))
          : QFileInfo(casePath_).completeBaseName() + u".pdf"_s;
  const QString path =
      ask_save_path(this, u"导出 PDF"_s, suggested, u"PDF 文件 (*.pdf)"_s, u"pdf"_s);
  if (path.isEmpty()) return;
  if (const QString why = exportPdf(path); !why.isEmpty()) warn(this, u"无法导出 PDF"_s, why);
}

void ClaimWindow::printClicked() {
  if (!statement_) {
    inform(this, u"打印"_s, problem_);
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(u"工伤待遇计算书"_s);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  print_report(report_html(*statement_, QDate::currentDate()), printer);
}

}  // namespace gongshang::claimwindow
