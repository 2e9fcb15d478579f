// 工伤待遇计算书, the claim as a document to hand to an employer, a
// social-insurance office or an arbitrator: what it says, in what order, as
// a small document of sections, paragraphs, tables and lists. The window's
// PDF and print-out and the web page's print view are all this one document
// written as HTML by report_html.h; none of them says a word of it itself.
#ifndef GONGSHANG_REPORT_REPORT_H_
#define GONGSHANG_REPORT_REPORT_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "engine/claim_statement.h"

namespace gongshang::report {

enum class Emphasis : std::uint8_t { kNone, kBold, kSmall };

// A run of text; a '\n' in it is a line break.
struct Span {
  std::string text;
  Emphasis emphasis = Emphasis::kNone;
};
using Text = std::vector<Span>;

enum class CellKind : std::uint8_t {
  kText,
  kHead,    // a column's title
  kAmount,  // a sum of money: on the right, on one line
};

struct Cell {
  Text text;
  CellKind kind = CellKind::kText;
  int columns = 1;  // how many columns it spans
};

struct Table {
  std::vector<int> widths;  // each column's share of the page's width, in percent
  std::vector<std::vector<Cell>> rows;
};

struct Paragraph {
  Text text;
};

struct List {  // numbered
  std::vector<Text> items;
};

using Block = std::variant<Paragraph, Table, List>;

struct Section {
  std::string heading;  // "一、基本情况"
  std::vector<Block> blocks;
};

struct Report {
  std::string title;      // "工伤待遇计算书"
  std::string date_line;  // "计算日期：2026年12月7日"
  std::vector<Section> sections;
};

// The report of a statement, computed on `date` (as the reader writes it).
// Sections: 一、基本情况 (the statement's inputs two to a row, 姓名 and 单位
// first when given, then the retirement date),
// 二、一次性支付的项目 and 三、按月支付的项目 (each item with its article, amount
// or 未知, payer and working, a monthly one with how long it runs; a total
// row), 四、合计 (the totals, then the statement's notes), 五、地方标准的来源与核对情况
// (when the shipped figures were collected; the region's statute and the
// version relied on, how far it was checked, a user's rules file said as
// such, its notes and sources; the income figure behind 一次性工亡补助金 and
// its year), 六、说明 (for reference only). Amounts carry thousands separators.
// After a death (Statement::death) the item sections are the family's
// benefits, and a section of the worker's own items, each marked "如尚未支付",
// follows them; the sections after it are numbered on.
//   item {一次性伤残就业补助金, fen nullopt} -> a row whose amount is "未知"
//   item {一次性工亡补助金, fen 108376000} -> a row whose amount is "1,083,760.00"
//   income {2023, 60000, user_file} -> "…2023 年 60,000 元，来源：…（用户规则文件）。"
Report make_report(const Statement& statement, std::string_view date);

}  // namespace gongshang::report

#endif  // GONGSHANG_REPORT_REPORT_H_
