// The comparison of arbitrary grids against the plain nested scans it must agree with.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/compare.h"
#include "fuzz_input.h"
#include "support/near_texts.h"
#include "support/nested_compare.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// Either few distinct short names, sizes and times, so namesakes, duplicates and equal rows are
// common; or near misses: names from a family a byte away from one long name, sizes a digit
// apart, date-time texts a field apart.
zolt::CellTable RandomGrid(fuzz::Input& in, int rows, const std::vector<std::string>& family) {
  const reference::Pick pick = [&in](uint32_t n) { return in.Number(n); };
  zolt::CellTable grid(3, rows + 1);
  for (int r = 1; r <= rows; ++r) {
    if (!family.empty()) {
      grid.SetCell(0, r, family[in.Byte() % family.size()]);
      grid.SetCell(1, r, reference::NearText("4294967295", pick));
      grid.SetCell(2, r, reference::NearDateTime(pick));
      continue;
    }
    grid.SetCell(0, r, std::string(in.Byte() % 4, static_cast<char>('a' + in.Byte() % 3)));
    grid.SetCell(1, r, std::to_string(in.Byte() % 3));
    grid.SetCell(2, r, std::to_string(in.Byte() % 3));
  }
  return grid;
}

// The definition: for each row the first namesake by a scan of the other grid.
std::vector<uint8_t> NestedPass(const zolt::CellTable& from, const zolt::CellTable& in) {
  std::vector<uint8_t> marks(static_cast<size_t>(from.RowCount() - 1), 0);
  reference::NestedPass(from, in, marks);
  return marks;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  const int leftRows = 1 + static_cast<int>(in.Number(40));
  const int rightRows = 1 + static_cast<int>(in.Number(40));
  std::vector<std::string> family;
  if (in.Byte() % 2) {
    const std::string base = in.Text(64);
    const reference::Pick pick = [&in](uint32_t n) { return in.Number(n); };
    for (int k = 0; k < 6; ++k) family.push_back(reference::NearText(base, pick));
  }
  zolt::CellTable left = RandomGrid(in, leftRows, family);
  zolt::CellTable right = RandomGrid(in, rightRows, family);
  zolt::MarkArray leftMarks, rightMarks;
  leftMarks.Reset(leftRows);
  rightMarks.Reset(rightRows);
  leftMarks.At(0) = 255;  // stale marks must not survive a comparison
  int32_t leftCount = leftRows, rightCount = rightRows;
  const bool ran = compare::ComparePanes({"L", left, {leftCount, leftMarks}},
                                         {"R", right, {rightCount, rightMarks}});
  // A grid of one row with an empty name reads as a pane with no file: nothing may change then.
  const bool shownEmpty =
      (leftRows == 1 && left.Cell(0, 1).empty()) || (rightRows == 1 && right.Cell(0, 1).empty());
  if (shownEmpty) {
    if (ran || leftMarks.At(0) != 255) Fail("a pane showing no file compared");
    return 0;
  }
  if (!ran) Fail("two loaded panes always compare");
  if (leftMarks.Bytes() != NestedPass(left, right)) Fail("left marks differ from the scans");
  if (rightMarks.Bytes() != NestedPass(right, left)) Fail("right marks differ from the scans");
  for (const auto* marks : {&leftMarks, &rightMarks}) {
    for (uint8_t m : marks->Bytes()) {
      if (m != 0 && m != 2 && m != 4 && m != 6 && m != 255) Fail("a mark outside 0, 2, 4, 6, 255");
    }
  }
  for (int r = 1; r <= leftRows; ++r) {
    const int j = compare::MatchRow(left, r, right);
    const bool missing = leftMarks.At(r - 1) == zolt::MarkMissing;
    if ((j < 0) != missing) Fail("row matching disagrees with the missing mark");
    if (j >= 0 && right.Cell(0, j) != left.Cell(0, r)) Fail("a matched row with another name");
  }
  return 0;
}
