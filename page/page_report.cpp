#include "page/page_report.h"

#include <variant>

#include "engine/claim_statement.h"
#include "report/report.h"
#include "report/report_html.h"

namespace gongshang::page {

std::string report_html(const FieldTexts& texts, const Rules& rules, std::string_view date) {
  if (!field_problems(texts, rules).empty()) return {};
  const StatementOutcome outcome = make_statement(texts, rules);
  const auto* statement = std::get_if<Statement>(&outcome);
  if (!statement) return {};
  return report::report_html(report::make_report(*statement, given_inputs(texts), date));
}

}  // namespace gongshang::page
