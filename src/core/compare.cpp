#include "core/compare.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/errors.h"
#include "core/name_index.h"
#include "core/pane.h"

namespace compare {
namespace {

// What a row's entry becomes against its namesake. The entry was cleared before the pass, so the
// size's assignment and the date-time's or give exactly this.
inline uint8_t Differences(const zolt::CellTable::Reader& own, int row,
                           const zolt::CellTable::Reader& other, int match) {
  uint8_t mark = 0;
  if (!SameBytes(own.Cell(zolt::kColSize, row), other.Cell(zolt::kColSize, match)))
    mark = zolt::MarkSize;
  if (!SameBytes(own.Cell(zolt::kColDateTime, row), other.Cell(zolt::kColDateTime, match))) {
    mark |= zolt::MarkDate;
  }
  return mark;
}

// The entries of marks for a grid's rows 1 to rowCount - 1, checked once for the pass: the
// first `Writable` ones exist; a grid with more rows than entries gets the range error from
// Finish once those are written, as a check per row would raise it.
class PassMarks {
 public:
  PassMarks(zolt::MarkArray& marks, int rowCount)
      : rows_(rowCount - 1),
        writable_(std::max(0, std::min(rows_, marks.Length()))),
        entries_(writable_ > 0 ? &marks.At(0) : nullptr) {}
  int Writable() const { return writable_; }
  uint8_t& operator[](int row) { return entries_[row - 1]; }
  void Finish() const {
    if (rows_ > writable_) throw zolt::RangeError();
  }

 private:
  int rows_;
  int writable_;
  uint8_t* entries_;
};

// Both passes with one index, of the right grid. Pass 1 finds each left row's first namesake on
// the right, and the first left row to find a right row is that row's own first namesake: the
// same two rows compared, so pass 2 gives the right row the mark the left one got. A right row
// whose name an earlier right row has is never found in pass 1; pass 2 looks it up on the left,
// with an index of the left grid made only when there are such rows.
class Passes {
 public:
  Passes(const zolt::CellTable& left, const zolt::CellTable& right)
      : left_(left),
        right_(right),
        index_(right),
        rightMarks_(static_cast<size_t>(std::max(right.RowCount(), 1)), zolt::MarkMissing) {}

  void LeftAgainstRight(zolt::MarkArray& marks) {
    const zolt::CellTable::Reader left(left_), right(right_);
    PassMarks out(marks, left_.RowCount());
    for (int row = 1; row <= out.Writable(); ++row) {
      const int match = index_.FirstRow(left.Cell(zolt::kColName, row));
      if (match < 0) {
        out[row] = zolt::MarkMissing;
        continue;
      }
      const uint8_t mark = Differences(left, row, right, match);
      out[row] = mark;
      // Only the first left row to find it pairs with it; a mark is never MarkMissing.
      uint8_t& pair = rightMarks_[static_cast<size_t>(match)];
      if (pair == zolt::MarkMissing) pair = mark;
    }
    out.Finish();
  }

  void RightAgainstLeft(zolt::MarkArray& marks) {
    if (!index_.LaterRows().empty()) {
      const NameIndex leftIndex(left_);
      const zolt::CellTable::Reader left(left_), right(right_);
      for (const int row : index_.LaterRows()) {
        const int pair = leftIndex.FirstRow(right.Cell(zolt::kColName, row));
        if (pair > 0) rightMarks_[static_cast<size_t>(row)] = Differences(right, row, left, pair);
      }
    }
    PassMarks out(marks, right_.RowCount());
    if (out.Writable() > 0) {
      std::memcpy(&out[1], &rightMarks_[1], static_cast<size_t>(out.Writable()));
    }
    out.Finish();
  }

 private:
  const zolt::CellTable& left_;
  const zolt::CellTable& right_;
  NameIndex index_;
  std::vector<uint8_t> rightMarks_;  // by right row: MarkMissing until a left row pairs with it
};

}  // namespace

bool ComparePanes(const Pane& left, const Pane& right) {
  if (left.pathText.empty() || right.pathText.empty()) return false;
  if (zolt::ShowsNoFile(left.grid) || zolt::ShowsNoFile(right.grid)) return false;
  if (left.state.fileCount == 0 || right.state.fileCount == 0) return false;

  left.state.marks.Reset(left.state.fileCount);
  right.state.marks.Reset(right.state.fileCount);
  Passes passes(left.grid, right.grid);
  passes.LeftAgainstRight(left.state.marks);
  passes.RightAgainstLeft(right.state.marks);
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
