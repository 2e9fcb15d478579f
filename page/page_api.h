// What the web page asks of the engine, as JSON texts in and out: the page
// gathers the fields' texts and shows the answers; the engine decides every
// item, payer, exclusion, limit and reading of a number. The same calls run
// natively (for tests) and in the browser, where web/page_main.cpp exports
// them to JavaScript.
#ifndef GONGSHANG_PAGE_PAGE_API_H_
#define GONGSHANG_PAGE_PAGE_API_H_

#include <string>
#include <string_view>
#include <variant>

#include "engine/fields.h"
#include "engine/region_rules.h"

namespace gongshang::page {

// The form the page builds: groups in order, each with its help and its
// fields (name, kind, the line of help, where to look a figure up, largest
// value, the items of a list as value, label and what the item means), and
// the regions of the rules.
//   {"groups": [{"title": "当事人", "help": "可以不填……", "fields": [{"name": "姓名",
//     "kind": "text", "help": "工伤职工的姓名……"}, …]}, {"title": "地区", "help": "",
//     "fields": [{"name": "地区", "kind": "region", "help": "…",
//     "items": [["", "（其他地区，自行填写标准）", ""], ["北京", "北京", ""], …]}, …]}, …]}
std::string form_json(const Rules& rules);

// The fields' texts of a JSON object keyed by field name ({"工伤等级": "七"});
// other keys and values that are not texts are left out, bad JSON gives
// empty texts.
FieldTexts texts_of_json(std::string_view json);

// Everything the page shows for one state of the form:
//   "problems": [{"field", "reason"}]  every field to mark, in form order
//   "message": why there is no statement ("" with one)
//   "first_problem": the first of them in the engine's words, as --pdf says it
//   "needed": [{"field", "reason"}]  fields an item needs, left empty: its
//     words under the field, no mark ("为空：计算丧葬补助金需要此项")
//   "hidden": [names]  fields out of effect (the death section without 工亡)
//   "region_status": the chosen region's status in words
//   "statement": null, or its items (amount "78,000.00", as shown, or null
//     for unknown; a monthly one's "duration": how long it runs), totals by
//     payer, retirement date, notes, the inputs as given, the region's
//     statute, status, notes and sources, and the income figure; after a
//     death ("death" true) the worker's own items "if_unpaid", totalled apart.
std::string statement_json(const FieldTexts& texts, const Rules& rules);

// The page's print view: the same 工伤待遇计算书 the window prints (the HTML
// of report/report_html.h), dated `date` as the page writes it
// ("2026年12月7日"); "" while a field is to be mended or the statement is
// refused (statement_json then says why).
//   {工伤等级 "七", 本人月均工资 "6000", …} -> "<html><body>…工伤待遇计算书…"
//   {本人月均工资 "3500元"} -> ""
std::string report_html(const FieldTexts& texts, const Rules& rules, std::string_view date);

// The shipped rules with a user's rules file merged in (its regions and
// years marked as the user's), or the message naming what is wrong in it.
//   name "my.json", "{" -> "my.json 第 1 行：……"
std::variant<Rules, std::string> with_user_rules(const Rules& shipped, std::string_view name,
                                                 std::string_view json);

// A case file as the page opens it, with the window's refusals:
//   {"problem": "", "texts": {"工伤等级": "七", …}, "notices": [{"field", "words"}]}
//   {"problem": "「工伤等级」只能是……：十一"}
// A notice is what was filled in for the person to check, shown at its field.
std::string open_case_json(std::string_view bytes, const Rules& rules);

// The case file's bytes for the texts, as the window saves them.
std::string save_case(const FieldTexts& texts);

// gongshang-batch --claim over a UTF-8 CSV text in memory, with these rules.
struct BatchRun {
  int status = 0;   // as the batch tool exits
  std::string out;  // the result CSV, UTF-8 without a byte-order mark
  std::string err;  // what it would say on standard error
};
BatchRun run_batch(std::string_view csv, const Rules& rules);

}  // namespace gongshang::page

#endif  // GONGSHANG_PAGE_PAGE_API_H_
