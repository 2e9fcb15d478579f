// dump_texts RULES_FILE < cases.csv: every text of each case's claim, for comparing two builds of
// the engine line by line: the retirement date, each item with its working, the notes. The batch
// tool writes the amounts only; the page shows these too.
#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "batch/csv.h"
#include "batch/io.h"
#include "engine/claim.h"
#include "engine/evaluation.h"
#include "regions/rules_file.h"

// emscripten's own standard input fails under node 20: the node build reads node's.
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

void dump_case(const FieldViews& fields, const Rules& rules, std::string& out) {
  const Evaluation e = evaluate(fields, rules);
  if (const Problem* p = e.first_problem()) {
    out += "claim refused " + message(*p) + "\n";
    return;
  }
  out += "retirement " + e.statement->retirement + "\n";
  for (const StatementItem& item : e.statement->items) {
    out += item.name + " " + (item.fen ? yuan_text(*item.fen) : "?") + "\t" + item.working + "\n";
  }
  for (const std::string& note : e.statement->notes) out += note + "\n";
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
    FieldViews fields{};
    for (std::size_t i = 0; i < record.cells.size() && i < header.size(); ++i) {
      if (const auto f = find_field(header[i])) fields[index(*f)] = record.cells[i];
    }
    dump_case(fields, rules, out);
    if (out.size() >= batch::kReadBlockSize) {
      StandardOutput(1).write(out);
      out.clear();
    }
  }
  StandardOutput(1).write(out);
  return 0;
}
