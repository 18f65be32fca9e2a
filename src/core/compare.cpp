#include "core/compare.h"

#include "core/name_index.h"
#include "core/pane.h"

namespace compare {
namespace {

// One pass: every row of own against the first namesake in other.
void MarkPass(const zolt::CellTable& own, const zolt::CellTable& other, zolt::MarkArray& marks) {
  const NameIndex index(other);
  for (int row = 1; row < own.RowCount(); ++row) {
    uint8_t& mark = marks.At(row - 1);
    const int match = index.FirstRow(own.Cell(zolt::kColName, row));
    if (match < 0) {
      mark = zolt::MarkMissing;
      continue;
    }
    if (own.Cell(zolt::kColSize, row) != other.Cell(zolt::kColSize, match)) mark = zolt::MarkSize;
    if (own.Cell(zolt::kColDateTime, row) != other.Cell(zolt::kColDateTime, match))
      mark |= zolt::MarkDate;
  }
}

}  // namespace

bool ComparePanes(const Pane& left, const Pane& right) {
  if (left.pathText.empty() || right.pathText.empty()) return false;
  if (zolt::ShowsNoFile(left.grid) || zolt::ShowsNoFile(right.grid)) return false;
  if (left.state.fileCount == 0 || right.state.fileCount == 0) return false;

  left.state.marks.Reset(left.state.fileCount);
  right.state.marks.Reset(right.state.fileCount);
  MarkPass(left.grid, right.grid, left.state.marks);
  MarkPass(right.grid, left.grid, right.state.marks);
  return true;
}

int MatchRow(const zolt::CellTable& source, int sourceRow, const zolt::CellTable& other) {
  const std::string_view name = source.Cell(zolt::kColName, sourceRow);
  for (int row = 1; row < other.RowCount(); ++row) {
    if (other.Cell(zolt::kColName, row) == name) return row;
  }
  return -1;
}

}  // namespace compare
