// The comparison behind "Compare(&C)" and the row matching behind a grid's double-click. Both
// match rows by exact file name; sizes and date-times are compared as the texts the grids show.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/cell_table.h"
#include "core/mark_array.h"
#include "core/pane.h"

namespace compare {

// One pane as the comparison sees it: the text its path box shows, its grid and its state,
// whose file count is read and whose marks are written.
struct Pane {
  std::string_view pathText;
  const zolt::CellTable& grid;
  zolt::PaneState state;
};

// Checks the six preconditions in order (both path boxes non-empty, neither grid showing no
// file, both file counts non-zero); when one fails returns false having changed nothing.
// Otherwise clears both mark arrays to their file counts (stale marks would survive otherwise),
// marks left against right, then right against left, and returns true: the grids then need
// repainting. An entry becomes MarkMissing without a namesake, else MarkSize when the size texts
// differ, with MarkDate or-ed in when the date-time texts differ.
bool ComparePanes(const Pane& left, const Pane& right);

// The first row (1 to RowCount - 1) of other whose name equals that of source's row sourceRow,
// or -1 when there is none.
int MatchRow(const zolt::CellTable& source, int sourceRow, const zolt::CellTable& other);

}  // namespace compare
