// The comparison behind "Compare(&C)" and the row matching behind a grid's double-click. Both
// match rows by exact file name; sizes and date-times are compared as the texts the grids show.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "core/cell_table.h"
#include "core/mark_array.h"

namespace compare {

// What the comparison reads and writes of one pane.
struct PaneInputs {
  std::string_view pathText;    // the pane's path box
  const zolt::CellTable& grid;  // the pane's grid
  int32_t fileCount;            // the pane's file count
  zolt::MarkArray& marks;       // the pane's marks, written by its pass
};

// Checks the six preconditions in order (both path boxes non-empty, neither grid showing no
// file, both file counts non-zero); when one fails returns false having changed nothing.
// Otherwise clears both mark arrays to their file counts (stale marks would survive otherwise),
// marks left against right and calls repaint(1), marks right against left and calls repaint(2),
// and returns true. An entry becomes MarkMissing without a namesake, else MarkSize when the
// size texts differ, with MarkDate or-ed in when the date-time texts differ.
bool ComparePanes(const PaneInputs& left, const PaneInputs& right,
                  const std::function<void(int pane)>& repaint);

// The first row (1 to RowCount - 1) of other whose name equals that of source's row sourceRow,
// or -1 when there is none.
int MatchRow(const zolt::CellTable& source, int sourceRow, const zolt::CellTable& other);

}  // namespace compare
