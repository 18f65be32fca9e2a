#include "core/mark_paint.h"

namespace compare {

bool PaintsMark(int32_t fileCount, const zolt::MarkArray& marks, int col, int row) {
  if (fileCount == 0 || row == 0) return false;
  const uint8_t mark = marks.At(row - 1);
  switch (col) {
    case 0:
      return (mark & zolt::MarkName) != 0;
    case 1:
      return (mark & zolt::MarkSize) != 0;
    case 2:
      return (mark & zolt::MarkDate) != 0;
    default:
      return false;
  }
}

}  // namespace compare
