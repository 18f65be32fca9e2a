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
    const int match = index.FirstRow(own.Cell(kColName, row));
    if (match < 0) {
      mark = zolt::MarkMissing;
      continue;
    }
    if (own.Cell(kColSize, row) != other.Cell(kColSize, match)) mark = zolt::MarkSize;
    if (own.Cell(kColDateTime, row) != other.Cell(kColDateTime, match)) mark |= zolt::MarkDate;
  }
}

}  // namespace

bool ComparePanes(const PaneInputs& left, const PaneInputs& right,
                  const std::function<void(int pane)>& repaint) {
  if (left.pathText.empty() || right.pathText.empty()) return false;
  if (ShowsNoFile(left.grid) || ShowsNoFile(right.grid)) return false;
  if (left.fileCount == 0 || right.fileCount == 0) return false;

  left.marks.Reset(left.fileCount);
  right.marks.Reset(right.fileCount);
  MarkPass(left.grid, right.grid, left.marks);
  if (repaint) repaint(1);
  MarkPass(right.grid, left.grid, right.marks);
  if (repaint) repaint(2);
  return true;
}

int MatchRow(const zolt::CellTable& source, int sourceRow, const zolt::CellTable& other) {
  const std::string_view name = source.Cell(kColName, sourceRow);
  for (int row = 1; row < other.RowCount(); ++row) {
    if (other.Cell(kColName, row) == name) return row;
  }
  return -1;
}

}  // namespace compare
