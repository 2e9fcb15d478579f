#include "claimwindow/money_text.h"

#include <QByteArray>

#include "engine/number_text.h"

namespace gongshang::claimwindow {

namespace {

// The number rule's own reading of blanks and full-width forms.
bool is_blank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\u3000';
}
char16_t to_ascii(char16_t c) {
  return c >= u'\uFF01' && c <= u'\uFF5E' ? static_cast<char16_t>(c - 0xFEE0) : c;
}

}  // namespace

QString money_problem(const QString& text) {
  QByteArray plain;
  for (QChar qc : text) {
    const char16_t c = to_ascii(qc.unicode());
    if (is_blank(c)) continue;
    if (c > 0x7F)
      plain += '?';  // no digit, no point: only marks the text as unreadable
    else
      plain += static_cast<char>(c);
  }
  if (plain.isEmpty()) return {};
  if (plain.startsWith('-')) return QStringLiteral("不能是负数");

  int digits = 0, points = 0, others = 0;
  for (char c : plain) {
    if (c >= '0' && c <= '9')
      ++digits;
    else if (c == '.')
      ++points;
    else
      ++others;
  }
  if (digits == 0 || points > 1 || others > 0)
    return QStringLiteral("只能填写数字，如 3500 或 12000.5，不带单位或逗号");
  if (!read_number(std::string_view(plain.constData(), plain.size())))
    return QStringLiteral("数目太大，无法计算");
  return {};
}

}  // namespace gongshang::claimwindow
