#include "report/report_html.h"

#include <variant>

#include "engine/number_text.h"

namespace gongshang::report {

namespace {

// The text as HTML character data or an attribute's value, either quote.
void append_escaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      case '\n':
        out += "<br>";
        break;
      default:
        out += c;
    }
  }
}

void append_text(std::string& out, const Text& text) {
  for (const Span& span : text) {
    switch (span.emphasis) {
      case Emphasis::kNone:
        append_escaped(out, span.text);
        break;
      case Emphasis::kBold:
        out += "<b>";
        append_escaped(out, span.text);
        out += "</b>";
        break;
      case Emphasis::kSmall:
        out += "<small>";
        append_escaped(out, span.text);
        out += "</small>";
        break;
    }
  }
}

void append_cell(std::string& out, const Cell& cell, int width) {
  const char* tag = cell.kind == CellKind::kHead ? "th" : "td";
  out += '<';
  out += tag;
  if (width > 0) out += " width=\"" + plain_form(width) + "%\"";
  if (cell.kind == CellKind::kAmount) out += " class=\"amount\" align=\"right\"";
  if (cell.columns > 1) out += " colspan=\"" + plain_form(cell.columns) + '"';
  out += '>';
  append_text(out, cell.text);
  out += "</";
  out += tag;
  out += '>';
}

// Qt takes a column's width from any of its cells; the first row's are enough.
void append_table(std::string& out, const Table& table) {
  out += "<table class=\"grid\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">";
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    out += "<tr>";
    for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
      const bool sized = r == 0 && c < table.widths.size();
      append_cell(out, table.rows[r][c], sized ? table.widths[c] : 0);
    }
    out += "</tr>";
  }
  out += "</table>\n";
}

void append_block(std::string& out, const Block& block) {
  if (const auto* paragraph = std::get_if<Paragraph>(&block)) {
    out += "<p>";
    append_text(out, paragraph->text);
    out += "</p>\n";
  } else if (const auto* table = std::get_if<Table>(&block)) {
    append_table(out, *table);
  } else {
    out += "<ol>";
    for (const Text& item : std::get<List>(block).items) {
      out += "<li>";
      append_text(out, item);
      out += "</li>";
    }
    out += "</ol>\n";
  }
}

}  // namespace

std::string report_html(const Report& report) {
  std::string out = "<html><body>\n<h2 align=\"center\">";
  append_escaped(out, report.title);
  out += "</h2>\n<p align=\"center\">";
  append_escaped(out, report.date_line);
  out += "</p>\n";
  for (const Section& section : report.sections) {
    out += "<h3>";
    append_escaped(out, section.heading);
    out += "</h3>\n";
    for (const Block& block : section.blocks) append_block(out, block);
  }
  out += "</body></html>\n";
  return out;
}

}  // namespace gongshang::report
