// The comparison's cost: against listing one folder of the same size (the comparison must stay a
// small fraction of it), and the name index against the plain nested scans (same marks, and the
// factor the index gains).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/compare.h"
#include "core/date_time_format.h"
#include "core/listing.h"
#include "core/mark_array.h"
#include "core/pane.h"
#include "support/fake_os.h"
#include "support/nested_compare.h"

namespace {

using Clock = std::chrono::steady_clock;

// The best of runs timings of work, in milliseconds (the least disturbed by other load).
template <typename Work>
double BestMs(int runs, Work&& work) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return best;
}

std::string Name(int i) {
  char text[32];
  std::snprintf(text, sizeof text, "file%06d.dat", i);
  return text;
}

// Files 0..n-1; on the right side one file in ten differs: in size, in time, or by name (then
// missing on both sides).
void AddFolder(fake::Machine& machine, const std::string& folder, int n, bool right) {
  machine.AddFolder(folder);
  const os::FileTime t = fake::MakeFileTime(2004, 3, 15, 9, 5, 6);
  const os::FileTime later = fake::MakeFileTime(2004, 3, 15, 9, 5, 8);
  for (int i = 0; i < n; ++i) {
    const int kind = right && i % 10 == 0 ? (i / 10) % 3 + 1 : 0;
    machine.AddFile(folder + "\\" + (kind == 3 ? "other" + Name(i) : Name(i)),
                    kind == 1 ? 1000 + i : i, kind == 2 ? later : t);
  }
}

// A grid of n rows where one row in 50 repeats an earlier name and one in 10 differs from the
// other side (seed picks which side's texts).
zolt::CellTable Grid(int n, int seed) {
  zolt::CellTable grid(3, 2);
  compare::WriteTitles(grid);
  for (int i = 0; i < n; ++i) {
    const int r = i + 1;
    const int id = i % 50 == 49 ? i / 2 : i;
    const bool differs = i % 10 == seed;
    grid.SetCell(0, r, differs && i % 3 == 0 ? "x" + Name(id) : Name(id));
    grid.SetCell(1, r, std::to_string(differs && i % 3 == 1 ? id + 7 : id));
    grid.SetCell(2, r, differs && i % 3 == 2 ? "2004/03/15 09:05:08" : "2004/03/15 09:05:06");
  }
  grid.SetRowCount(n + 1);
  return grid;
}

void ComparisonAgainstListing() {
  const int n = 100000;
  fake::Machine machine;
  AddFolder(machine, "C:\\L", n, false);
  AddFolder(machine, "C:\\R", n, true);
  const compare::DateTimeFormat format(machine);
  zolt::CellTable left(3, 2), right(3, 2);
  compare::WriteTitles(left);
  compare::WriteTitles(right);
  int32_t count1 = 0, count2 = 0;
  const double listMs =
      BestMs(3, [&] { count1 = compare::ListFolder(machine, left, "C:\\L\\", format); });
  count2 = compare::ListFolder(machine, right, "C:\\R\\", format);
  zolt::MarkArray marks1, marks2;
  const double compareMs = BestMs(5, [&] {
    compare::ComparePanes(compare::PaneInputs{"C:\\L\\", left, count1, marks1},
                          compare::PaneInputs{"C:\\R\\", right, count2, marks2}, [](int) {});
  });
  long marked = 0;
  for (uint8_t m : marks1.Bytes()) marked += m != 0;
  for (uint8_t m : marks2.Bytes()) marked += m != 0;
  std::printf("comparison %d x %d rows (10%% differing, %ld rows marked): %.2f ms\n", count1,
              count2, marked, compareMs);
  std::printf("ListFolder of one %d-file folder:                   %.2f ms\n", count1, listMs);
  std::printf("ratio comparison / listing: %.3f (target at most 0.1)\n", compareMs / listMs);
}

void IndexedAgainstNested() {
  const int n = 10000;
  const zolt::CellTable left = Grid(n, 0), right = Grid(n, 5);
  zolt::MarkArray marks1, marks2;
  const double indexedMs = BestMs(5, [&] {
    compare::ComparePanes(compare::PaneInputs{"C:\\L\\", left, n, marks1},
                          compare::PaneInputs{"C:\\R\\", right, n, marks2}, [](int) {});
  });
  std::vector<uint8_t> nested1, nested2;
  const double nestedMs = BestMs(1, [&] {
    reference::NestedCompare({"C:\\L\\", &left, n}, {"C:\\R\\", &right, n}, nested1, nested2);
  });
  const bool same = nested1 == marks1.Bytes() && nested2 == marks2.Bytes();
  std::printf("indexed comparison %d x %d: %.2f ms; nested scans: %.2f ms\n", n, n, indexedMs,
              nestedMs);
  std::printf("marks identical: %s; factor gained: %.0f\n", same ? "yes" : "NO",
              nestedMs / indexedMs);
}

}  // namespace

int main() {
  ComparisonAgainstListing();
  IndexedAgainstNested();
  return 0;
}
