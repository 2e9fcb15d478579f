#include "batch/row_batch.h"

#include <algorithm>
#include <atomic>
#include <optional>
#include <system_error>
#include <thread>
#include <variant>

#include "batch/csv.h"
#include "engine/list_items.h"

namespace gongshang::batch {
namespace {

bool two_cores() {
  static const bool answer = std::thread::hardware_concurrency() > 1;
  return answer;
}

// Reads the list fields as typed ("5级", " 完全护理 ") as their items: the
// engine knows only the items, and would take any other text for no choice,
// dropping a subsidy without a word. The refusal when one names no item.
std::optional<Problem> read_list_items(InputTexts& inputs) {
  std::string_view& grade = inputs[index(Input::kGrade)];
  std::string_view& nursing = inputs[index(Input::kNursing)];
  const auto grade_as_item = grade_item(grade);
  if (!grade_as_item) return Problem{name(Input::kGrade), grade_refusal(grade)};
  const auto nursing_as_item = nursing_item(nursing);
  if (!nursing_as_item) return Problem{name(Input::kNursing), nursing_refusal(nursing)};
  grade = *grade_as_item;
  nursing = *nursing_as_item;
  return std::nullopt;
}

}  // namespace

void RowBatch::add(const CsvRecord& record, std::size_t width, const Columns& columns) {
  const std::size_t count = record.cells.size();
  if (!record.quoted) {
    carried_.append(record.raw);
  } else {
    for (std::size_t i = 0; i < count; ++i) {
      if (i > 0) carried_.push_back(',');
      append_cell(carried_, record.cells[i]);
    }
  }
  if (width > count) carried_.append(width - count, ',');
  carried_ends_.push_back(carried_.size());

  // The claim reads every field, but a row holds only the header's: the
  // others are empty in every row and need no copy.
  if (read_.empty()) {
    if (claim_) {
      for (const FieldRow& row : field_rows())
        if (columns[index(row.field)] != kAbsent) read_.push_back(row.field);
    } else {
      read_.assign(kInputFields.begin(), kInputFields.end());
    }
    for (Field f : read_) read_columns_.push_back(columns[index(f)]);
  }
  for (std::size_t column : read_columns_) {
    if (column < count) texts_.append(record.cells[column]);
    text_ends_.push_back(texts_.size());
  }
}

void RowBatch::compute(std::size_t first, std::size_t last, std::string_view line_end,
                       std::string& out) const {
  const std::size_t per_row = read_.size();
  auto text = [this](std::size_t i) {
    const std::size_t begin = i == 0 ? 0 : text_ends_[i - 1];
    return std::string_view(texts_).substr(begin, text_ends_[i] - begin);
  };
  for (std::size_t row = first; row < last; ++row) {
    const std::size_t carried_begin = row == 0 ? 0 : carried_ends_[row - 1];
    out.append(carried_, carried_begin, carried_ends_[row] - carried_begin);

    if (claim_) {
      FieldViews texts{};
      for (std::size_t f = 0; f < per_row; ++f) texts[index(read_[f])] = text(row * per_row + f);
      claim_->append_row(texts, out);
      out.append(line_end);
      continue;
    }
    InputTexts inputs;
    for (std::size_t f = 0; f < kInputCount; ++f) inputs[f] = text(row * per_row + f);
    // Each thread keeps one working, so that rows reuse its texts' storage.
    thread_local Breakdown working;
    std::optional<Problem> refused = read_list_items(inputs);
    if (!refused) {
      const Checked<ClassicValues> values = classic_values(inputs);
      refused = values ? work_out(*values, working) : values.problem();
    }
    if (!refused) {
      for (const std::string& text : working.texts) {
        out.push_back(',');
        out.append(text);
      }
      out.push_back(',');
    } else {
      out.append(kResultCount + 1, ',');
      append_cell(out, message(*refused));
    }
    out.append(line_end);
  }
}

void RowBatch::write_to(std::string& out, std::string_view line_end) {
  const std::size_t rows = size();
  if (rows == 0) return;
  if (rows < kMinParallelRows || !two_cores()) {
    compute(0, rows, line_end, out);
  } else {
    // Both threads take the next chunk until none is left, so that a core
    // shared with another program slows its thread without holding up the
    // other: fixed halves would wait for the slower one.
    const std::size_t chunks = (rows + kChunkRows - 1) / kChunkRows;
    if (chunk_texts_.size() < chunks) chunk_texts_.resize(chunks);
    std::atomic<std::size_t> next{0};
    auto work = [&] {
      for (std::size_t c; (c = next.fetch_add(1)) < chunks;) {
        chunk_texts_[c].clear();
        compute(c * kChunkRows, std::min(rows, (c + 1) * kChunkRows), line_end, chunk_texts_[c]);
      }
    };
    std::thread helper;
    try {
      helper = std::thread(work);
    } catch (const std::system_error&) {
      // No thread to be had: this one takes every chunk.
    }
    work();
    if (helper.joinable()) helper.join();
    for (std::size_t c = 0; c < chunks; ++c) out.append(chunk_texts_[c]);
  }
  carried_.clear();
  carried_ends_.clear();
  texts_.clear();
  text_ends_.clear();
}

}  // namespace gongshang::batch
