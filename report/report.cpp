#include "report/report.h"

#include "engine/claim.h"
#include "engine/number_text.h"
#include "engine/region_rules.h"

namespace gongshang::report {

namespace {

// An amount as the report prints it: 1,397,540.00.
std::string amount(long long fen) {
  return with_separators(yuan_text(fen));
}

Span bold(std::string text) {
  return {std::move(text), Emphasis::kBold};
}

Span plain(std::string text) {
  return {std::move(text)};
}

template <typename... Parts>
std::string cat(const Parts&... parts) {
  std::string out;
  (out.append(parts), ...);
  return out;
}

// The inputs two to a row, the last row filled out with empty cells.
Table inputs_table(const std::vector<std::pair<std::string_view, std::string>>& inputs) {
  Table table{{22, 28, 22, 28}, {}};
  for (std::size_t i = 0; i < inputs.size(); i += 2) {
    std::vector<Cell> row;
    for (std::size_t j = i; j < i + 2; ++j) {
      row.push_back({j < inputs.size() ? Text{plain(std::string(inputs[j].first))} : Text{}});
      row.push_back({j < inputs.size() ? Text{plain(inputs[j].second)} : Text{}});
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

using Part = StatementPart;

// The article under the item's name: the working needs the width more. A
// monthly item says how long it runs in a column of its own; a dead
// worker's own item is marked as owed only if unpaid.
Table items_table(const Statement& statement, Part part, const StatementTotal& total) {
  const bool monthly = part == Part::kMonthly;
  Table table{monthly ? std::vector<int>{21, 14, 10, 37, 18} : std::vector<int>{23, 14, 12, 51},
              {}};
  std::vector<Cell>& head = table.rows.emplace_back();
  for (const char* title : {"项目（依据）", "金额（元）", "支付方", "计算过程"})
    head.push_back({{plain(title)}, CellKind::kHead});
  if (monthly) head.push_back({{plain("发放期限")}, CellKind::kHead});
  for (const StatementItem& item : statement.items) {
    if (part_of(item) != part) continue;
    Text name{plain(item.name)};
    if (item.if_unpaid) name.push_back(bold(cat("（", kIfUnpaid, "）")));
    if (!item.article.empty()) {
      name.push_back(plain("\n"));
      name.push_back({item.article, Emphasis::kSmall});
    }
    std::vector<Cell>& row = table.rows.emplace_back(
        std::vector<Cell>{{std::move(name)},
                          {{plain(item.fen ? amount(*item.fen) : "未知")}, CellKind::kAmount},
                          {{plain(std::string(payer_text(item.payer)))}},
                          {{plain(item.working)}}});
    if (monthly) row.push_back({{plain(item.duration)}});
  }
  table.rows.push_back({{{bold(monthly                   ? std::string("每月合计")
                               : part == Part::kIfUnpaid ? cat("合计（", kIfUnpaid, "）")
                                                         : std::string("一次性合计"))}},
                        {{bold(amount(total.fen))}, CellKind::kAmount},
                        {{plain(cat("其中基金支付 ", amount(total.fund_fen), " 元，用人单位支付 ",
                                    amount(total.employer_fen), " 元"))},
                         CellKind::kText,
                         monthly ? 3 : 2}});
  return table;
}

// A user's rules file claims a status; the report says it is only claimed.
Paragraph region_paragraph(const Region& r) {
  const std::string_view status = status_text(r.status);
  return {{bold(r.name),
           plain(cat("：", r.statute, " ", r.articles,
                     r.effective.empty() ? "" : cat("（所依据的版本：", r.effective, "）"),
                     "\n核对情况：")),
           bold(r.user_file ? cat("用户规则文件，自称", status) : std::string(status)),
           plain(cat("。", r.user_file ? "这些数字不是随程序发布的核对结果，请自行核实。"
                                       : status_explanation(r.status)))}};
}

Section sources_section(const Statement& s, std::string heading) {
  Section section{std::move(heading), {}};
  if (!s.rules_collected.empty()) {
    section.blocks.push_back(
        Paragraph{{plain("随程序发布的地区标准和全国城镇居民人均可支配收入，资料收集于 "),
                   bold(s.rules_collected), plain("；此后当地公布的新标准、新数字请自行核对。")}});
  }
  if (s.typed_figures) {
    section.blocks.push_back(Paragraph{
        {plain("未选地区：一次性工伤医疗补助金、一次性伤残就业补助金按使用者自行填写的标准计算，"
               "请与当地规定核对。")}});
  } else if (s.region) {
    section.blocks.push_back(region_paragraph(*s.region));
    if (!s.region->notes.empty())
      section.blocks.push_back(Paragraph{{plain(cat("说明：", s.region->notes))}});
    if (!s.region->sources.empty()) {
      section.blocks.push_back(Paragraph{{plain("资料来源：")}});
      List list;
      for (const std::string& source : s.region->sources) list.items.push_back({plain(source)});
      section.blocks.push_back(std::move(list));
    }
  } else {
    section.blocks.push_back(Paragraph{{plain("未使用地方规定的数字。")}});
  }
  if (const IncomeYear* i = s.income) {
    Text text{plain(cat("一次性工亡补助金所用全国城镇居民人均可支配收入：", plain_form(i->year),
                        " 年 ", with_separators(plain_form(i->yuan)), " 元，来源：", i->source,
                        i->user_file ? "（用户规则文件）" : ""))};
    if (!i->confirmed)
      text.insert(text.end(), {plain("（"), bold("未经确认"), plain("，请核实）")});
    text.push_back(plain("。"));
    section.blocks.push_back(Paragraph{std::move(text)});
  }
  return section;
}

}  // namespace

Report make_report(const Statement& s, std::string_view date) {
  Report report{"工伤待遇计算书", cat("计算日期：", date), {}};
  // A death's statement has a section more: the worker's own items.
  static constexpr std::string_view kNumbers[] = {"一", "二", "三", "四", "五", "六", "七"};
  const auto heading = [&report](std::string_view title) {
    return cat(kNumbers[report.sections.size()], "、", title);
  };
  const std::string_view family = s.death ? "工亡待遇：" : "";
  Section& basics =
      report.sections.emplace_back(Section{heading("基本情况"), {inputs_table(s.inputs)}});
  if (!s.retirement.empty())
    basics.blocks.push_back(Paragraph{{plain(cat("法定退休日期：", s.retirement))}});
  report.sections.push_back(
      {heading(cat(family, "一次性支付的项目")), {items_table(s, Part::kOnce, s.once)}});
  report.sections.push_back(
      {heading(cat(family, "按月支付的项目")), {items_table(s, Part::kMonthly, s.monthly)}});
  if (s.death) {
    report.sections.push_back({heading(cat("职工本人的项目（", kIfUnpaid, "）")),
                               {items_table(s, Part::kIfUnpaid, s.if_unpaid)}});
  }
  Section& totals = report.sections.emplace_back(Section{
      heading("合计"),
      {Paragraph{{plain(cat(family, "一次性支付合计 ")), bold(amount(s.once.fen)),
                  plain(" 元；按月支付合计每月 "), bold(amount(s.monthly.fen)), plain(" 元。")}}}});
  if (s.death) {
    totals.blocks.push_back(Paragraph{{plain(cat("职工本人的项目（", kIfUnpaid, "）合计 ")),
                                       bold(amount(s.if_unpaid.fen)), plain(" 元。")}});
  }
  for (const std::string& note : s.notes) totals.blocks.push_back(Paragraph{{plain(note)}});
  report.sections.push_back(sources_section(s, heading("地方标准的来源与核对情况")));
  report.sections.push_back(
      {heading("说明"),
       {Paragraph{
           {plain("本计算书依据《工伤保险条例》（2010 年修订）和上列地方规定，按填写的情况计算，"),
            bold("仅供参考"),
            plain("。各项待遇以社会保险经办机构的核定和劳动仲裁机构、人民法院的裁决为准；"
                  "统计数据和地方标准请以当地最新公布的为准。")}}}});
  return report;
}

}  // namespace gongshang::report
