// dump_texts RULES_FILE < cases.csv: every text the engine derives from each
// case, for comparing two builds of it line by line: each cell read as a
// number (leniently and strictly) and written back, the classic results with
// their workings, and the claim with its workings. The batch tool writes the
// amounts only; the windows and the page show these too.
#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "batch/csv.h"
#include "batch/io.h"
#include "engine/claim.h"
#include "engine/compensation.h"
#include "engine/explanation.h"
#include "engine/number_text.h"
#include "engine/typed_text.h"
#include "regions/rules_file.h"

// emscripten's own standard input fails under node 20: the node build reads
// node's.
#ifdef __EMSCRIPTEN__
#include "web/node_io.h"
using StandardInput = gongshang::web::NodeSource;
using StandardOutput = gongshang::web::NodeSink;
#else
using StandardInput = gongshang::batch::FdSource;
using StandardOutput = gongshang::batch::FdSink;
#endif

namespace {

using namespace gongshang;

void dump_cell(std::string_view cell, std::string& out) {
  const auto lenient = read_number(cell);
  out += lenient ? double_form(*lenient) + "|" + single_form(static_cast<float>(*lenient)) : "-";
  const MoneyReading money = read_money(cell, 1e7);
  out += money.value ? "|" + plain_form(*money.value) + "|" + money_text(*money.value)
                     : "|-" + money.problem;
  const auto count = read_count(cell, 999);
  out += count ? "|" + std::to_string(*count) + "\n" : "|-\n";
}

void dump_case(const InputTexts& classic, const ClaimTexts& claim, const Rules& rules,
               std::string& out) {
  const Working w = work_out(classic);
  if (const auto* r = std::get_if<Refusal>(&w)) {
    out += "refused " + std::string(r->field) + " " + r->message + "\n";
    return;
  }
  const Breakdown& b = std::get<Breakdown>(w);
  const Explanations why = explain(b);
  for (std::size_t i = 0; i < kResultCount; ++i) out += b.texts[i] + "\t" + why[i] + "\n";
  std::string buffer;
  const std::string_view name = ascii_form(claim[index(ClaimInput::kRegion)], buffer);
  const Region* region = name.empty() ? nullptr : rules.find(name);
  if (!name.empty() && !region) {
    out += unknown_region(name).message + "\n";
    return;
  }
  const ClaimOutcome c = work_out_claim(b, claim, region, rules);
  if (const auto* r = std::get_if<Refusal>(&c)) {
    out += "claim refused " + std::string(r->field) + " " + r->message + "\n";
    return;
  }
  out += "retirement " + std::get<Claim>(c).retirement + "\n";
  for (const ClaimLine& l : std::get<Claim>(c).lines) {
    out += (l.present ? "+ " : "- ") + l.text + "\t" + l.working + "\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const regions::Loaded loaded = regions::load_rules_file(argv[1]);
  if (const auto* e = std::get_if<regions::LoadError>(&loaded)) {
    std::fprintf(stderr, "%s\n", e->text().c_str());
    return 2;
  }
  const Rules& rules = std::get<Rules>(loaded);
  StandardInput source(0, "标准输入");
  batch::CsvReader reader(source);
  batch::CsvRecord record;
  if (reader.next(record) != batch::CsvReader::Status::kRecord) return 2;
  const std::vector<std::string> header(record.cells.begin(), record.cells.end());
  std::string out;
  while (reader.next(record) == batch::CsvReader::Status::kRecord) {
    InputTexts classic{};
    ClaimTexts claim{};
    for (std::size_t i = 0; i < record.cells.size() && i < header.size(); ++i) {
      for (std::size_t f = 0; f < kInputCount; ++f) {
        if (header[i] == kInputNames[f]) classic[f] = record.cells[i];
      }
      for (std::size_t f = 0; f < kClaimInputCount; ++f) {
        if (header[i] == kClaimInputNames[f]) claim[f] = record.cells[i];
      }
      dump_cell(record.cells[i], out);
    }
    dump_case(classic, claim, rules, out);
    if (out.size() >= batch::kReadBlockSize) {
      StandardOutput(1).write(out);
      out.clear();
    }
  }
  StandardOutput(1).write(out);
  return 0;
}
