#include "core/grid_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

namespace {

using zolt::GridCell;
using zolt::GridChange;
using zolt::GridGeometry;
using zolt::GridKey;
using zolt::GridRect;
using zolt::GridScroll;

// A grid and its view, as a failure names them.
std::string Text(const GridGeometry& g) {
  std::string text = "widths";
  for (int w : g.colWidths) text += " " + std::to_string(w);
  for (int v : {g.lineWidth, g.rowHeight, g.titleRows, g.rowCount, g.topRow, g.leftOffset,
                g.clientWidth, g.clientHeight}) {
    text += " " + std::to_string(v);
  }
  return text + " (line, height, titles, rows, top, left, client)";
}

// Every small grid: 1 to 3 columns of widths {0, 1, 2, 5} (a third one 0 or 5 wide), lines
// {0, 1, 2}, row heights {0, 1, 3}, 0 to 2 title rows and up to 6 rows, with narrow bars so that
// they matter in small areas.
template <typename F>
void ForEachSmallGrid(F f) {
  const int widths[] = {0, 1, 2, 5};
  for (int cols = 1, combos = 4; cols <= 3; ++cols, combos *= 4) {
    for (int code = 0; code < combos; ++code) {
      GridGeometry g;
      g.colWidths.clear();
      for (int c = 0, k = code; c < cols; ++c, k /= 4) g.colWidths.push_back(widths[k % 4]);
      if (cols == 3 && g.colWidths[2] % 5) continue;
      g.options |= zolt::kGridColSizing;
      g.barWidth = 3;
      g.barHeight = 2;
      for (g.lineWidth = 0; g.lineWidth <= 2; ++g.lineWidth) {
        for (int height : {0, 1, 3}) {
          g.rowHeight = height;
          for (g.titleRows = 0; g.titleRows <= 2; ++g.titleRows) {
            for (g.rowCount = g.titleRows + 1; g.rowCount <= 6; ++g.rowCount) {
              g.topRow = g.row = g.titleRows;
              f(g);
            }
          }
        }
      }
    }
  }
}

// The plain model of where the cells lie: columns side by side from the view's left edge, the
// title rows from the top and then the data rows from the top row, each cell with its right and
// bottom line (a row at least a pixel high).
struct Band {
  GridCell cell;
  GridRect box;
};
std::vector<Band> ModelBands(const GridGeometry& g) {
  std::vector<Band> bands;
  const int pitch = std::max(1, g.rowHeight + g.lineWidth);
  int x = -g.leftOffset;
  for (int c = 0; c < g.ColCount(); ++c) {
    const int right = x + g.colWidths[static_cast<size_t>(c)] + g.lineWidth;
    int y = 0;
    for (int r = 0; r < g.rowCount; ++r) {
      if (r >= g.titleRows && r < g.topRow) continue;
      bands.push_back({{c, r}, {x, y, right, y + pitch}});
      y += pitch;
    }
    x = right;
  }
  return bands;
}

// Rows of a given height that fit wholly below the titles, counted one by one.
int ModelRowsFitting(const GridGeometry& g, int height) {
  int n = 0;
  const int pitch = std::max(1, g.rowHeight + g.lineWidth);
  while (g.titleRows * pitch + (n + 1) * pitch - g.lineWidth <= height) ++n;
  return n;
}

// Every valid top row of a grid in a client area, by the model, with the left offsets 0 and
// the largest.
template <typename F>
void ForEachView(GridGeometry g, int width, int height, F f) {
  g.clientWidth = width;
  g.clientHeight = height;
  const int maxTop = std::max(g.titleRows, g.rowCount - std::max(1, ModelRowsFitting(g, height)));
  for (g.topRow = g.titleRows; g.topRow <= maxTop; ++g.topRow) {
    const int maxLeft = std::max(0, g.ContentWidth() - width);
    for (g.leftOffset = 0; g.leftOffset <= maxLeft; g.leftOffset += std::max(1, maxLeft)) {
      f(g);
    }
  }
}

// Where the model puts a row's band, or -1 for a row scrolled under the titles.
int BandTop(const GridGeometry& g, int row) {
  for (const Band& b : ModelBands(g)) {
    if (b.cell == GridCell{0, row}) return b.box.top;
  }
  return -1;
}

// What each pixel of the client area shows: its cell, its place in it and the cell's state;
// -1 where no cell is.
std::vector<long long> Picture(const GridGeometry& g) {
  std::vector<long long> pixels(static_cast<size_t>(g.clientWidth * g.clientHeight), -1);
  for (const Band& b : ModelBands(g)) {
    const bool current = b.cell.row == g.row;
    const long long state = current + 2 * (current && b.cell.col == g.col);
    for (int y = std::max(0, b.box.top); y < std::min(g.clientHeight, b.box.bottom); ++y) {
      for (int x = std::max(0, b.box.left); x < std::min(g.clientWidth, b.box.right); ++x) {
        pixels[static_cast<size_t>(y * g.clientWidth + x)] =
            (((b.cell.col * 8LL + b.cell.row) * 64 + x - b.box.left) * 64 + y - b.box.top) * 4 +
            state;
      }
    }
  }
  return pixels;
}

// The screen after a change, as the platform makes it: what it showed (in an area the size of
// the new client area, anything new to it invalid), moved and invalidated as the change says,
// then every invalid pixel painted from the new state.
std::vector<long long> Screen(const std::vector<long long>& shown, int shownWidth,
                              const GridGeometry& after, const GridChange& change) {
  const int w = after.clientWidth, h = after.clientHeight;
  std::vector<long long> screen(static_cast<size_t>(w * h), -2);
  std::vector<char> invalid(screen.size(), 1);
  for (int y = 0; y < h && shownWidth; ++y) {
    for (int x = 0; x < std::min(w, shownWidth); ++x) {
      const size_t from = static_cast<size_t>(y * shownWidth + x);
      if (from < shown.size()) {
        screen[static_cast<size_t>(y * w + x)] = shown[from];
        invalid[static_cast<size_t>(y * w + x)] = 0;
      }
    }
  }
  for (const zolt::GridRepaint& r : change.repaints) {
    const GridRect a{std::max(0, r.area.left), std::max(0, r.area.top), std::min(w, r.area.right),
                     std::min(h, r.area.bottom)};
    const std::vector<long long> was = screen;
    const std::vector<char> wasInvalid = invalid;
    for (int y = a.top; y < a.bottom; ++y) {
      for (int x = a.left; x < a.right; ++x) {
        const int sx = x - r.dx, sy = y - r.dy;
        const size_t at = static_cast<size_t>(y * w + x), from = static_cast<size_t>(sy * w + sx);
        const bool moved =
            (r.dx || r.dy) && sx >= a.left && sx < a.right && sy >= a.top && sy < a.bottom;
        screen[at] = moved ? was[from] : screen[at];
        invalid[at] = moved ? wasInvalid[from] : 1;
      }
    }
  }
  const std::vector<long long> truth = Picture(after);
  for (size_t i = 0; i < screen.size(); ++i) {
    if (invalid[i]) screen[i] = truth[i];
  }
  return screen;
}

// In a 9 x 13 client area: the cell at a point is the one whose band holds it (never a row
// scrolled under the titles), and a dirty rectangle's bands draw exactly the cells meeting it,
// which with its blank areas cover each of its pixels once.
TEST(GridGeometry, CellsAtPointsAndDirtyRectanglesFollowThePlainModel) {
  ForEachSmallGrid([](const GridGeometry& grid) {
    ForEachView(grid, 9, 13, [](const GridGeometry& g) {
      const std::vector<Band> bands = ModelBands(g);
      std::vector<int> owner(9 * 13, -1), count(9 * 13, 0);
      auto cover = [&](const GridRect& a, const GridRect& clip, int id) {
        for (int y = std::max(a.top, clip.top); y < std::min(a.bottom, clip.bottom); ++y) {
          for (int x = std::max(a.left, clip.left); x < std::min(a.right, clip.right); ++x) {
            ++count[static_cast<size_t>(y * 9 + x)];
            owner[static_cast<size_t>(y * 9 + x)] = id;
          }
        }
      };
      for (size_t i = 0; i < bands.size(); ++i) cover(bands[i].box, {0, 0, 9, 13}, int(i));
      for (int y = -1; y <= 13; ++y) {
        for (int x = -1; x <= 9; ++x) {
          const bool inside = x >= 0 && y >= 0 && x < 9 && y < 13;
          const size_t at = inside ? static_cast<size_t>(y * 9 + x) : 0;
          ASSERT_LE(count[at], 1) << Text(g);
          const std::optional<GridCell> got = g.CellAt(x, y);
          ASSERT_EQ(got.has_value(), inside && count[at] == 1)
              << Text(g) << " at " << x << "," << y;
          if (!got) continue;
          const Band& b = bands[static_cast<size_t>(owner[at])];
          ASSERT_EQ(*got, b.cell) << Text(g) << " at " << x << "," << y;
          ASSERT_EQ(
              g.CellRect(b.cell.col, b.cell.row),
              (GridRect{b.box.left, b.box.top, b.box.right - g.lineWidth, b.box.top + g.rowHeight}))
              << Text(g);
        }
      }
      for (const GridRect& dirty : {GridRect{0, 0, 9, 13}, {1, 3, 4, 6}, {3, 1, 9, 12}}) {
        count.assign(count.size(), 0);
        const auto zones = g.Bands(dirty);
        for (const Band& m : bands) {
          const zolt::GridBand& band = zones[m.cell.row < g.titleRows ? 0 : 1];
          const GridRect& z = band.zone;
          const bool meets = std::max(m.box.left, z.left) < std::min(m.box.right, z.right) &&
                             std::max(m.box.top, z.top) < std::min(m.box.bottom, z.bottom);
          const bool drawn = !band.Empty() && m.cell.col >= band.firstCol &&
                             m.cell.col <= band.lastCol && m.cell.row >= band.firstRow &&
                             m.cell.row <= band.lastRow;
          // Columns of no width may be drawn between others: they draw nothing.
          ASSERT_EQ(drawn, meets || (drawn && m.box.left == m.box.right)) << Text(g);
          if (meets) cover(m.box, z, 0);
        }
        for (const GridRect& blank : g.BlankAreas(dirty)) cover(blank, dirty, 0);
        for (int y = dirty.top; y < dirty.bottom; ++y) {
          for (int x = dirty.left; x < dirty.right; ++x) {
            ASSERT_EQ(count[static_cast<size_t>(y * 9 + x)], 1)
                << Text(g) << " at " << x << "," << y;
          }
        }
      }
    });
  });
}

TEST(GridGeometry, ScrollBarsAreAFixedPointAndTheVerticalOneEndsAtTheLargestTopRow) {
  ForEachSmallGrid([](GridGeometry g) {
    for (int w : {0, 1, 2, 3, 5, 8, 13, 20}) {
      for (int h = 0; h <= 30; h += 1 + h / 5) {
        g.clientWidth = w;
        g.clientHeight = h;
        g.vertBarShown = g.horzBarShown = false;
        const GridChange change = g.Fit();
        const auto [vert, horz] = *change.bars;
        ASSERT_EQ(g.clientWidth, std::max(0, w - (vert.shown ? 3 : 0))) << Text(g);
        ASSERT_EQ(g.clientHeight, std::max(0, h - (horz.shown ? 2 : 0))) << Text(g);
        const int fitting = ModelRowsFitting(g, g.clientHeight);
        ASSERT_EQ(vert.shown, fitting < g.rowCount - g.titleRows) << Text(g);
        ASSERT_EQ(horz.shown, g.ContentWidth() > g.clientWidth) << Text(g);
        ASSERT_EQ(g.VisibleRows(), fitting);
        if (vert.shown) {
          ASSERT_EQ(vert.max - std::max(vert.page - 1, 0), g.MaxTopRow()) << Text(g);
          ASSERT_TRUE(vert.min == g.titleRows && vert.max == g.rowCount - 1 &&
                      vert.page == fitting && vert.pos == g.topRow)
              << Text(g);
        }
        ASSERT_FALSE(g.Fit().repaints.size()) << Text(g);
      }
    }
  });
}

// Keys, scroll codes, the wheel, clicks and column drags in a seeded order.
TEST(GridGeometry, AnyInputKeepsTheViewInRangeAndTheScreenAsPaintedWhole) {
  std::mt19937 random(34);
  ForEachSmallGrid([&random](GridGeometry g) {
    g.clientWidth = 1 + static_cast<int>(random() % 12);
    g.clientHeight = 1 + static_cast<int>(random() % 20);
    g.Fit();
    for (int step = 0; step < 3; ++step) {
      const GridGeometry before = g;
      const std::vector<long long> shown = Picture(g);
      const unsigned kind = random() % 6, pick = random();
      GridChange change;
      bool move = true;
      switch (kind) {
        case 0:
          change = g.Key(static_cast<GridKey>(pick % 8));
          break;
        case 1:
          change = g.Scroll(pick % 2, static_cast<GridScroll>(pick / 2 % 7),
                            static_cast<int>(pick / 14 % 8));
          move = false;
          break;
        case 2:
          change = g.Wheel(static_cast<int>(pick % 481) - 240, pick / 481 % 4);
          move = false;
          break;
        case 3:  // a move, unless it lands on no data row
          change = g.Click(static_cast<int>(pick % 22) - 1, static_cast<int>(pick / 22 % 32) - 1);
          move = !change.repaints.empty();
          break;
        case 4:
          change =
              g.ResizeColumn(static_cast<int>(pick % g.ColCount()), static_cast<int>(pick / 3 % 7));
          move = false;
          break;
        default:
          change = g.MoveTo(static_cast<int>(pick % g.ColCount()),
                            g.titleRows + static_cast<int>(pick / 3 % (g.rowCount - g.titleRows)));
      }
      SCOPED_TRACE(Text(before) + " input " + std::to_string(kind) + "/" + std::to_string(pick));
      ASSERT_GE(g.topRow, g.titleRows);
      ASSERT_LE(g.topRow, g.MaxTopRow());
      ASSERT_GE(g.leftOffset, 0);
      ASSERT_LE(g.leftOffset, g.MaxLeftOffset());
      if (move) {
        ASSERT_GE(g.row, g.topRow);
        ASSERT_LT(g.row, g.topRow + std::max(1, g.VisibleRows()));
      }
      ASSERT_EQ(Screen(shown, before.clientWidth, g, change), Picture(g));
      // A move that scrolls nothing repaints exactly the old and the new row's bands.
      if (move && !change.topMoved && !change.leftMoved) {
        std::vector<GridRect> want, got;
        for (int r : {before.row, g.row}) {
          const int top = BandTop(g, r);
          if (top >= 0 && top < g.clientHeight && g.clientWidth &&
              (want.empty() || r != before.row)) {
            want.push_back(GridRect{0, top, g.clientWidth, top + g.Pitch()});
          }
        }
        for (const auto& r : change.repaints) got.push_back(r.area);
        ASSERT_EQ(got, want);
      }
    }
  });
}

// The form's pane grid: 3 columns 106 wide, 24-pixel rows under a title row, 1-pixel lines,
// column sizing, 16-pixel bars; fitted into an area of width x height with no bar shown yet.
GridGeometry FormGrid(int rows, int width, int height, int colWidth = 106) {
  GridGeometry g;
  g.colWidths = {colWidth, colWidth, colWidth};
  g.rowCount = rows;
  g.options |= zolt::kGridColSizing;
  g.clientWidth = width;
  g.clientHeight = height;
  g.Fit();
  return g;
}

TEST(GridGeometry, CellsOfTheDefaultAndTheFormGrids) {
  GridGeometry unset;
  unset.clientWidth = 396;
  unset.clientHeight = 296;
  const GridGeometry form = FormGrid(5, 339, 347);
  const struct {
    const GridGeometry& grid;
    int col, row;
    GridRect rect;
  } cases[] = {
      {unset, 0, 0, {0, 0, 64, 24}},       {unset, 1, 1, {65, 25, 129, 49}},
      {unset, 4, 4, {260, 100, 324, 124}}, {form, 0, 0, {0, 0, 106, 24}},
      {form, 1, 0, {107, 0, 213, 24}},     {form, 2, 0, {214, 0, 320, 24}},
      {form, 0, 1, {0, 25, 106, 49}},      {form, 2, 4, {214, 100, 320, 124}},
      {form, 3, 1, {0, 0, 0, 0}},          {form, 0, 5, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "cell " << c.col << "," << c.row);
    EXPECT_EQ(c.grid.CellRect(c.col, c.row), c.rect);
  }
  EXPECT_FALSE(form.CellAt(321, 30));  // right of the last column
  EXPECT_FALSE(form.CellAt(30, 125));  // below the last row
}

TEST(GridGeometry, FormGridShowsEachBarOnlyWhenNeeded) {
  const struct {
    int rows, colWidth;
    bool vert, horz;
  } cases[] = {
      {2, 106, false, false},
      {100, 106, true, false},
      {2, 200, false, true},
      {100, 200, true, true},
      {13, 106, false, false},  // 12 data rows fit in the 347-pixel client
                                // area
      {14, 106, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rows << " rows, columns " << c.colWidth);
    GridGeometry g = FormGrid(c.rows, 339, 347, c.colWidth);
    const auto [vert, horz] = *g.Fit().bars;
    EXPECT_EQ(vert.shown, c.vert);
    EXPECT_EQ(horz.shown, c.horz);
    if (c.vert) {
      EXPECT_EQ(vert.max, c.rows - 1);
      EXPECT_EQ(vert.page, g.VisibleRows());
    }
  }
}

TEST(GridGeometry, KeysMoveTheCurrentRowAndScroll) {
  // 100 data rows, 10 of them shown: the last top row is 91.
  const struct {
    const char* name;
    int col, row, top;
    GridKey key;
    int wantCol, wantRow, wantTop;
  } cases[] = {
      {"down", 0, 1, 1, GridKey::kDown, 0, 2, 1},
      {"down past the bottom edge", 0, 10, 1, GridKey::kDown, 0, 11, 2},
      {"down at the last row", 0, 100, 91, GridKey::kDown, 0, 100, 91},
      {"up at the first row", 0, 1, 1, GridKey::kUp, 0, 1, 1},
      {"up past the top edge", 0, 5, 5, GridKey::kUp, 0, 4, 4},
      {"page down", 0, 1, 1, GridKey::kPageDown, 0, 11, 11},
      {"page down near the end", 0, 95, 91, GridKey::kPageDown, 0, 100, 91},
      {"page up", 0, 50, 45, GridKey::kPageUp, 0, 40, 35},
      {"page up near the start", 0, 5, 1, GridKey::kPageUp, 0, 1, 1},
      {"home", 1, 50, 45, GridKey::kHome, 1, 1, 1},
      {"end", 1, 50, 45, GridKey::kEnd, 1, 100, 91},
      {"right", 0, 50, 45, GridKey::kRight, 1, 50, 45},
      {"left at the first column", 0, 50, 45, GridKey::kLeft, 0, 50, 45},
      {"right at the last column", 2, 50, 45, GridKey::kRight, 2, 50, 45},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    GridGeometry g = FormGrid(101, 396, 11 * 25);
    ASSERT_EQ(g.VisibleRows(), 10);
    g.ScrollTo(c.top, 0);
    g.MoveTo(c.col, c.row);
    ASSERT_EQ(g.topRow, c.top);
    g.Key(c.key);
    EXPECT_EQ(g.col, c.wantCol);
    EXPECT_EQ(g.row, c.wantRow);
    EXPECT_EQ(g.topRow, c.wantTop);
  }
}

TEST(GridGeometry, WheelScrollsBySystemLinesWithoutMovingTheSelection) {
  const struct {
    const char* name;
    unsigned lines;
    int top;
    std::vector<int> deltas;
    int wantTop;
  } cases[] = {
      {"one notch down", 3, 1, {-120}, 4},
      {"one notch up", 3, 20, {120}, 17},
      {"two notches down", 3, 1, {-240}, 7},
      {"half notches add up", 3, 1, {-60, -60}, 4},
      {"a quarter notch is not a row", 3, 1, {-30}, 1},
      {"quarter notches add up", 3, 1, {-30, -30, -30, -30}, 4},
      {"up at the top", 3, 1, {120}, 1},
      {"down at the bottom", 3, 90, {-120}, 91},
      {"five lines a notch", 5, 1, {-120}, 6},
      {"a page a notch", zolt::kWheelPage, 1, {-120}, 11},
      {"no lines a notch", 0, 1, {-120}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    GridGeometry g = FormGrid(101, 396, 11 * 25);
    g.ScrollTo(c.top, 0);
    g.MoveTo(0, c.top + 1);
    for (int delta : c.deltas) g.Wheel(delta, c.lines);
    EXPECT_EQ(g.topRow, c.wantTop);
    EXPECT_EQ(g.row, c.top + 1);
  }
  // Far from either end, every bit of travel is kept: what did not make a row remains.
  std::mt19937 random(34);
  GridGeometry g = FormGrid(1000000, 396, 11 * 25);
  g.ScrollTo(500000, 0);
  long long travel = 0;
  for (int turn = 0; turn < 1000; ++turn) {
    const int delta = static_cast<int>(random() % 601) - 300;
    travel += delta * 3LL;
    g.Wheel(delta, 3);
    ASSERT_EQ((500000LL - g.topRow) * zolt::kWheelDelta + g.wheelRemainder, travel);
    ASSERT_LT(std::abs(g.wheelRemainder), zolt::kWheelDelta);
  }
}

TEST(GridGeometry, ScrollCodesReachEveryRowOfAMillionAndNearIntMax) {
  const int kMax = INT_MAX;
  const struct {
    const char* name;
    int rows;
    GridScroll code;
    int thumb, wantTop;
  } cases[] = {
      {"thumb dragged to 900,000", 1000000, GridScroll::kThumb, 900000, 900000},
      {"thumb just past 65,535", 1000000, GridScroll::kThumb, 65536, 65536},
      {"line down", 1000000, GridScroll::kLineDown, 0, 65537},
      {"page down", 1000000, GridScroll::kPageDown, 0, 65547},
      {"bottom", 1000000, GridScroll::kBottom, 0, 999990},
      {"line down at the bottom", 1000000, GridScroll::kLineDown, 0, 999990},
      {"top", 1000000, GridScroll::kTop, 0, 1},
      {"page up at the top", 1000000, GridScroll::kPageUp, 0, 1},
      {"bottom of INT_MAX rows", kMax, GridScroll::kBottom, 0, kMax - 10},
      {"page down at the bottom of INT_MAX rows", kMax, GridScroll::kPageDown, 0, kMax - 10},
      {"thumb past the end of INT_MAX rows", kMax, GridScroll::kThumb, kMax, kMax - 10},
  };
  GridGeometry g;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (g.rowCount != c.rows) g = FormGrid(c.rows, 396, 11 * 25);
    g.Scroll(true, c.code, c.thumb);
    EXPECT_EQ(g.topRow, c.wantTop);
    const zolt::GridBar vert = (*g.Fit().bars)[0];
    EXPECT_EQ(vert.pos, c.wantTop);
    EXPECT_EQ(vert.max, c.rows - 1);
    EXPECT_EQ(g.CellRect(0, c.wantTop).top, 25);
    EXPECT_EQ(g.CellAt(5, 11 * 25 - 1), (GridCell{0, c.wantTop + 9}));
  }
  // The last row, reached by a key, is the last one drawn.
  g.Key(GridKey::kEnd);
  EXPECT_EQ(g.row, kMax - 1);
  EXPECT_EQ(g.Bands(GridRect{0, 0, 380, 11 * 25})[1].lastRow, kMax - 1);
}

TEST(GridGeometry, MovesScrollTheRowIntoViewAndKeepTheHorizontalScroll) {
  const struct {
    int top, row, wantTop;
  } rows[] = {
      {1, 900000, 899991},  // to the bottom edge
      {899991, 5, 5},       // to the top edge
      {5, 9, 5},            // already shown
      {5, 14, 5},          {5, 15, 6},
  };
  GridGeometry g = FormGrid(1000000, 396, 11 * 25);
  for (const auto& c : rows) {
    SCOPED_TRACE(testing::Message() << "row " << c.row << " from top " << c.top);
    g.ScrollTo(c.top, 0);
    g.MoveTo(g.col, c.row);
    EXPECT_EQ(g.topRow, c.wantTop);
  }
  // Column 0 widened to 400 and the grid scrolled 192 pixels right: column 0 is cut at the left
  // edge, column 1 is wholly in view.
  const struct {
    const char* name;
    int col;
    bool click;  // a click on the row rather than a move
    int row;
  } moves[] = {
      {"a row in view", 0, false, 3},
      {"a row scrolled into view", 0, false, 25},
      {"a click on a row", 0, true, 3},
      {"a row in view, the current column in view", 1, false, 3},
  };
  for (const auto& c : moves) {
    SCOPED_TRACE(c.name);
    GridGeometry h = FormGrid(30, 339, 347);
    h.ResizeColumn(0, 400);
    for (int i = 0; i < c.col; ++i) h.Key(GridKey::kRight);
    h.Scroll(false, GridScroll::kTop, 0);
    for (int i = 0; i < 12; ++i) h.Scroll(false, GridScroll::kLineDown, 0);
    ASSERT_EQ(h.leftOffset, 192);
    if (c.click) {
      h.Click(150, h.CellRect(0, c.row).top + 5);
    } else {
      h.MoveTo(h.col, c.row);
    }
    EXPECT_EQ(h.row, c.row);
    EXPECT_EQ(h.col, c.col);
    EXPECT_EQ(h.leftOffset, 192);
  }
}

TEST(GridGeometry, ClicksAndTitleBoundaryDrags) {
  const struct {
    const char* where;
    int x, y, row;
  } clicks[] = {
      {"first data row", 10, 30, 1},
      {"third column, row 3", 250, 80, 3},
      {"a line", 106, 49, 1},
      {"title row", 50, 10, 2},
      {"below the last row", 50, 200, 2},
      {"right of the last column", 330, 30, 2},
  };
  for (const auto& c : clicks) {
    SCOPED_TRACE(c.where);
    GridGeometry g = FormGrid(5, 339, 347);
    g.MoveTo(0, 2);
    g.Click(c.x, c.y);
    EXPECT_EQ(g.row, c.row);
  }
  const struct {
    const char* name;
    bool sizing;
    int downX, downY, moveX;
    std::vector<int> widths;
    int row;                // the current row afterwards (2 before)
    int middleWidth = 106;  // the middle column's width before the drag
  } drags[] = {
      {"widen the first column", true, 106, 10, 150, {150, 106, 106}, 2},
      {"grab two pixels off the line", true, 104, 10, 60, {62, 106, 106}, 2},
      {"widen the last column past the edge", true, 320, 5, 400, {106, 106, 186}, 2},
      {"narrow below nothing", true, 213, 20, 50, {106, 0, 106}, 2},
      {"sizing switched off", false, 106, 10, 150, {106, 106, 106}, 2},
      {"a boundary in a data row", true, 106, 30, 150, {106, 106, 106}, 1},
      {"a boundary on the first data row's top line", true, 106, 25, 150, {106, 106, 106}, 1},
      // Midway between two boundaries the later one is grabbed: a narrowed column widens again.
      {"widen a 1-pixel column", true, 107, 10, 150, {106, 44, 106}, 2, 1},
      {"widen a 3-pixel column", true, 108, 10, 150, {106, 45, 106}, 2, 3},
      {"widen a 5-pixel column", true, 109, 10, 150, {106, 46, 106}, 2, 5},
  };
  for (const auto& c : drags) {
    SCOPED_TRACE(c.name);
    GridGeometry g = FormGrid(5, 339, 347);
    g.MoveTo(0, 2);
    if (!c.sizing) g.options &= ~zolt::kGridColSizing;
    g.ResizeColumn(1, c.middleWidth);
    if (!g.StartColumnDrag(c.downX, c.downY)) g.Click(c.downX, c.downY);
    g.DragColumn((c.downX + c.moveX) / 2);
    g.DragColumn(c.moveX);
    g.sizingCol = -1;  // the capture released
    g.DragColumn(c.moveX + 30);
    EXPECT_EQ(g.colWidths, c.widths);
    EXPECT_EQ(g.row, c.row);
  }
}

TEST(GridGeometry, PaintingAMillionRowGridDrawsTheShownRowsOnly) {
  // 280 pixels: the title row, 10 whole data rows and part of an 11th.
  GridGeometry g = FormGrid(1000000, 396, 280);
  g.ScrollTo(500000, 0);
  g.MoveTo(0, 500003);
  const auto all = g.Bands(GridRect{0, 0, 380, 280});
  EXPECT_EQ(std::vector<int>({all[0].firstRow, all[0].lastRow, all[1].firstRow, all[1].lastRow,
                              all[1].firstCol, all[1].lastCol}),
            std::vector<int>({0, 0, 500000, 500010, 0, 2}));
  // A dirty strip one pixel high repaints the one row it crosses.
  const auto strip = g.Bands(GridRect{0, 100, 339, 101});
  EXPECT_TRUE(strip[0].Empty());
  EXPECT_EQ(strip[1].firstRow, 500003);
  EXPECT_EQ(strip[1].lastRow, 500003);
  EXPECT_EQ(g.CellState(0, 500003, true), zolt::kGridSelected | zolt::kGridFocused);
  EXPECT_EQ(g.CellState(1, 500003, true), zolt::kGridSelected);
  EXPECT_EQ(g.CellState(0, 500003, false), zolt::kGridSelected);
  EXPECT_EQ(g.CellState(0, 0, true), zolt::kGridTitle);
}

}  // namespace
