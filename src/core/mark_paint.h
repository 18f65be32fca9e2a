// Which cells of a pane grid are painted over in the mark colour after the grid's own drawing.
#pragma once

#include <cstdint>

#include "core/mark_array.h"

namespace compare {

// Nothing for a pane without files or on the title row; otherwise column 0 by MarkName,
// column 1 by MarkSize, column 2 by MarkDate of the row's mark (a range error outside marks).
bool PaintsMark(int32_t fileCount, const zolt::MarkArray& marks, int col, int row);

}  // namespace compare
