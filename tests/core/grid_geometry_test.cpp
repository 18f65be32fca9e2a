#include "core/grid_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <sstream>
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
// then every invalid pixel (-2, which no picture holds) painted from the new state.
std::vector<long long> Screen(const std::vector<long long>& shown, int shownWidth,
                              const GridGeometry& after, const GridChange& change) {
  const int w = after.clientWidth, h = after.clientHeight;
  std::vector<long long> screen(static_cast<size_t>(w * h), -2);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < std::min(w, shownWidth) && y * shownWidth + x < int(shown.size()); ++x) {
      screen[static_cast<size_t>(y * w + x)] = shown[static_cast<size_t>(y * shownWidth + x)];
    }
  }
  for (const zolt::GridRepaint& r : change.repaints) {
    const GridRect a{std::max(0, r.area.left), std::max(0, r.area.top), std::min(w, r.area.right),
                     std::min(h, r.area.bottom)};
    const std::vector<long long> was = screen;
    for (int y = a.top; y < a.bottom; ++y) {
      for (int x = a.left; x < a.right; ++x) {
        const int sx = x - r.dx, sy = y - r.dy;
        const bool moved =
            (r.dx || r.dy) && sx >= a.left && sx < a.right && sy >= a.top && sy < a.bottom;
        screen[static_cast<size_t>(y * w + x)] = moved ? was[static_cast<size_t>(sy * w + sx)] : -2;
      }
    }
  }
  const std::vector<long long> truth = Picture(after);
  for (size_t i = 0; i < screen.size(); ++i) screen[i] = screen[i] == -2 ? truth[i] : screen[i];
  return screen;
}

// The form's pane grid: 3 columns 106 wide, 24-pixel rows under a title row, 1-pixel lines,
// column sizing, 16-pixel bars; fitted into an area of width x height with no bar shown yet.
GridGeometry FormGrid(int rows, int width, int height, int colWidth) {
  GridGeometry g;
  g.colWidths = {colWidth, colWidth, colWidth};
  g.rowCount = rows;
  g.options |= zolt::kGridColSizing;
  g.clientWidth = width;
  g.clientHeight = height;
  g.Fit();
  return g;
}

// Applies a word of a script, with its numbers, to a grid: what the window must then do, and
// what a query found added to said. The grid: "form ROWS WIDTH HEIGHT COLWIDTH" (the form's pane
// grid) or "unset WIDTH HEIGHT". Input: "top T" and "left L" scroll to, "to C R" moves, "key K",
// "scroll K T" and "hscroll K T" (a code with its thumb), "wheel DELTA LINES" ("page": a page a
// notch), "click X Y", "press X Y" (a column drag, or else a click), "drag X", "release", "width C
// W", "fixed" (no sizing). Queries: "view" (col,row,top,left), "rect C R", "at X Y", "bars" (the
// vertical and horizontal shown, the vertical's max, page and pos), "widths", "band L T R B" (the
// title and data rows and the columns it draws), "state C R FOCUSED".
GridChange Apply(GridGeometry& g, const std::string& word, std::istream& in, std::string& said) {
  static const std::vector<std::string> names = {"Up",   "Down",   "Left", "Right",  "Prior",
                                                 "Next", "Home",   "End",  "LineUp", "LineDown",
                                                 "PgUp", "PgDown", "Top",  "Bottom", "Thumb"};
  const auto num = [&in]() -> int {
    std::string t;
    in >> t;
    const auto name = std::find(names.begin(), names.end(), t);
    if (name != names.end()) return static_cast<int>(name - names.begin()) % 8;
    return t == "page" ? static_cast<int>(zolt::kWheelPage) : t == "max" ? INT_MAX : std::stoi(t);
  };
  const auto say = [&said](std::initializer_list<long long> values) {
    std::string text;
    for (long long v : values) text += (text.empty() ? "" : ",") + std::to_string(v);
    said += (said.empty() ? "" : " ") + (text.empty() ? "none" : text);
    return GridChange{};
  };
  const bool bare =
      word == "release" || word == "fixed" || word == "view" || word == "bars" || word == "widths";
  const int a = bare ? 0 : num();
  if (word == "form") {
    const int w = num(), h = num();
    g = FormGrid(a, w, h, num());
  } else if (word == "unset") {
    g.clientHeight = num();
    g.clientWidth = a;
  } else if (word == "top" || word == "left") {
    return g.ScrollTo(word == "top" ? a : g.topRow, word == "left" ? a : g.leftOffset);
  } else if (word == "to") {
    return g.MoveTo(a, num());
  } else if (word == "key") {
    return g.Key(static_cast<GridKey>(a));
  } else if (word == "scroll" || word == "hscroll") {
    return g.Scroll(word == "scroll", static_cast<GridScroll>(a), num());
  } else if (word == "wheel") {
    return g.Wheel(a, static_cast<unsigned>(num()));
  } else if (word == "click" || word == "press") {
    const int y = num();
    if (word == "click" || !g.StartColumnDrag(a, y)) return g.Click(a, y);
  } else if (word == "drag") {
    return g.DragColumn(a);
  } else if (word == "release") {
    g.sizingCol = -1;
  } else if (word == "width") {
    return g.ResizeColumn(a, num());
  } else if (word == "fixed") {
    g.options &= ~zolt::kGridColSizing;
  } else if (word == "view") {
    return say({g.col, g.row, g.topRow, g.leftOffset});
  } else if (word == "rect") {
    const GridRect r = g.CellRect(a, num());
    return say({r.left, r.top, r.right, r.bottom});
  } else if (word == "at") {
    const std::optional<GridCell> cell = g.CellAt(a, num());
    return cell ? say({cell->col, cell->row}) : say({});
  } else if (word == "bars") {
    const auto [vert, horz] = *g.Fit().bars;
    return say({vert.shown, horz.shown, vert.max, vert.page, vert.pos});
  } else if (word == "widths") {
    return say({g.colWidths[0], g.colWidths[1], g.colWidths[2]});
  } else if (word == "band") {
    const int top = num(), right = num();
    const auto [titles, data] = g.Bands(GridRect{a, top, right, num()});
    return say({titles.firstRow, titles.lastRow, data.firstRow, data.lastRow, data.firstCol,
                data.lastCol});
  } else if (word == "state") {
    const int row = num();
    return say({g.CellState(a, row, num() != 0)});
  } else {
    said += " no such word: " + word;
  }
  return {};
}

std::string RunScript(const std::string& script) {
  std::istringstream in(script);
  std::string said;
  GridGeometry g;
  for (std::string word; in >> word;) Apply(g, word, in, said);
  return said;
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

// Keys, scroll codes, the wheel, clicks, moves, column resizes and drags in a seeded order.
TEST(GridGeometry, AnyInputKeepsTheViewInRangeAndTheScreenAsPaintedWhole) {
  std::mt19937 random(34);
  ForEachSmallGrid([&random](GridGeometry g) {
    g.clientWidth = 1 + static_cast<int>(random() % 12);
    g.clientHeight = 1 + static_cast<int>(random() % 20);
    g.Fit();
    for (int step = 0; step < 3; ++step) {
      const GridGeometry before = g;
      const std::vector<long long> shown = Picture(g);
      // A word of input and its numbers, each in the range given.
      const struct {
        const char* word;
        int lo1, hi1, lo2, hi2;
      } inputs[] = {
          {"key", 0, 7, 0, -1},      {"scroll", 0, 6, 0, 7},
          {"hscroll", 0, 6, 0, 7},   {"wheel", -240, 240, 0, 3},
          {"click", -1, 20, -1, 30}, {"width", 0, g.ColCount() - 1, 0, 6},
          {"press", -1, 20, -1, 5},  {"drag", -1, 20, 0, -1},
          {"release", 0, -1, 0, -1}, {"to", 0, g.ColCount() - 1, g.titleRows, g.rowCount - 1}};
      const auto& input = inputs[random() % std::size(inputs)];
      std::string script = input.word;
      for (const auto& [lo, hi] : {std::pair{input.lo1, input.hi1}, {input.lo2, input.hi2}}) {
        if (lo <= hi)
          script += " " + std::to_string(lo + static_cast<int>(random() % (hi - lo + 1)));
      }
      std::istringstream in(script);
      std::string word, said;
      in >> word;
      const GridChange change = Apply(g, word, in, said);
      // A move, unless a click or press lands on no data row (or starts a column drag).
      const bool move = word == "key" || word == "to" ||
                        ((word == "click" || word == "press") && !change.repaints.empty());
      SCOPED_TRACE(Text(before) + " then " + script);
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

// The rows of the window tests these replace, with their numbers, and the extremes: a million rows
// and near INT_MAX, thumb positions past 65,535.
TEST(GridGeometry, ScriptsOfInputOnTheDefaultAndTheFormGrids) {
  const std::string kForm = "form 5 339 347 106 ", kList = "form 101 396 275 106 ";
  const std::string kMillion = "form 1000000 396 275 106 ";
  const struct {
    std::string script, said;
  } cases[] = {
      // cells, and the bars shown only when needed (12 data rows fit in 347 pixels)
      {"unset 396 296 rect 0 0 rect 1 1 rect 4 4", "0,0,64,24 65,25,129,49 260,100,324,124"},
      {kForm + "rect 0 0 rect 1 0 rect 2 0 rect 0 1 rect 2 4",
       "0,0,106,24 107,0,213,24 214,0,320,24 0,25,106,49 214,100,320,124"},
      {kForm + "rect 3 1 rect 0 5 at 321 30 at 30 125", "0,0,0,0 0,0,0,0 none none"},
      {"form 2 339 347 106 bars form 100 339 347 106 bars", "0,0,0,1,0 1,0,99,12,1"},
      {"form 2 339 347 200 bars form 100 339 347 200 bars", "0,1,0,1,0 1,1,99,12,1"},
      {"form 13 339 347 106 bars form 14 339 347 106 bars", "0,0,0,1,0 1,0,13,12,1"},
      // keys, 10 of 100 data rows shown: the last top row is 91
      {kList + "top 1 to 0 1 key Down view top 1 to 0 10 key Down view", "0,2,1,0 0,11,2,0"},
      {kList + "top 91 to 0 100 key Down view top 1 to 0 1 key Up view", "0,100,91,0 0,1,1,0"},
      {kList + "top 5 to 0 5 key Up view top 1 to 0 1 key Next view", "0,4,4,0 0,11,11,0"},
      {kList + "top 91 to 0 95 key Next view top 45 to 0 50 key Prior view",
       "0,100,91,0 0,40,35,0"},
      {kList + "top 1 to 0 5 key Prior view top 45 to 1 50 key Home view", "0,1,1,0 1,1,1,0"},
      {kList + "top 45 to 1 50 key End view top 45 to 0 50 key Right view", "1,100,91,0 1,50,45,0"},
      {kList + "top 45 to 0 50 key Left view top 45 to 2 50 key Right view", "0,50,45,0 2,50,45,0"},
      // the wheel: notches and parts of notches by the lines a notch, the selection kept
      {kList + "to 0 2 wheel -120 3 view top 20 to 0 21 wheel 120 3 view", "0,2,4,0 0,21,17,0"},
      {kList + "to 0 2 wheel -240 3 view top 1 wheel -60 3 wheel -60 3 view", "0,2,7,0 0,2,4,0"},
      {kList + "to 0 2 wheel -30 3 view wheel -30 3 wheel -30 3 wheel -30 3 view",
       "0,2,1,0 0,2,4,0"},
      {kList + "to 0 2 wheel 120 3 view top 90 to 0 91 wheel -120 3 view", "0,2,1,0 0,91,91,0"},
      {kList + "to 0 2 wheel -120 5 view top 1 wheel -120 page view top 1 wheel -120 0 view",
       "0,2,6,0 0,2,11,0 0,2,1,0"},
      // scroll codes and the thumb over a million rows and INT_MAX rows
      {kMillion + "scroll Thumb 900000 bars at 5 274 scroll Thumb 65536 bars",
       "1,0,999999,10,900000 0,900009 1,0,999999,10,65536"},
      {kMillion + "scroll Thumb 65536 scroll LineDown 0 view scroll PgDown 0 view",
       "0,1,65537,0 0,1,65547,0"},
      {kMillion + "scroll Bottom 0 view scroll LineDown 0 view scroll Top 0 scroll PgUp 0 bars",
       "0,1,999990,0 0,1,999990,0 1,0,999999,10,1"},
      {"form max 396 275 106 scroll Bottom 0 view scroll PgDown 0 scroll Thumb max bars at 5 274",
       "0,1,2147483637,0 1,0,2147483646,10,2147483637 0,2147483646"},
      {"form max 396 275 106 key End view band 0 0 380 275",
       "0,2147483646,2147483637,0 0,0,2147483637,2147483646,0,2"},
      // moves bring their row into view and keep the horizontal scroll (16 pixels a line)
      {kMillion + "to 0 900000 view to 0 5 view top 5 to 0 9 view to 0 14 view to 0 15 view",
       "0,900000,899991,0 0,5,5,0 0,9,5,0 0,14,5,0 0,15,6,0"},
      {"form 30 339 347 106 width 0 400 hscroll LineDown 0 hscroll LineDown 0 view", "0,1,1,32"},
      {"form 30 339 347 106 width 0 400 hscroll Thumb 192 to 0 3 view to 0 25 view",
       "0,3,1,192 0,25,14,192"},
      {"form 30 339 347 106 width 0 400 hscroll Thumb 192 click 150 80 view", "0,3,1,192"},
      {"form 30 339 347 106 width 0 400 key Right hscroll Thumb 192 to 1 3 view", "1,3,1,192"},
      // clicks: on a row, a line, the titles, below the rows, right of the columns
      {kForm + "to 0 2 click 10 30 view to 0 2 click 250 80 view to 0 2 click 106 49 view",
       "0,1,1,0 0,3,1,0 0,1,1,0"},
      {kForm + "to 0 2 click 50 10 view click 50 200 view click 330 30 view",
       "0,2,1,0 0,2,1,0 0,2,1,0"},
      // title boundaries dragged, and the drag ended by the release
      {kForm + "to 0 2 press 106 10 drag 128 drag 150 release drag 180 widths view",
       "150,106,106 0,2,1,0"},
      {kForm + "press 104 10 drag 82 drag 60 release drag 90 widths", "62,106,106"},
      {kForm + "press 320 5 drag 360 drag 400 release drag 430 widths", "106,106,186"},
      {kForm + "press 213 20 drag 131 drag 50 release drag 80 widths", "106,0,106"},
      {kForm + "to 0 2 fixed press 106 10 drag 128 drag 150 widths view", "106,106,106 0,2,1,0"},
      {kForm + "to 0 2 press 106 30 drag 150 widths view to 0 2 press 106 25 drag 150 widths view",
       "106,106,106 0,1,1,0 106,106,106 0,1,1,0"},
      // midway between two boundaries the later one is grabbed: a narrowed column widens again
      {kForm + "width 1 1 press 107 10 drag 128 drag 150 widths", "106,44,106"},
      {kForm + "width 1 3 press 108 10 drag 129 drag 150 widths", "106,45,106"},
      {kForm + "width 1 5 press 109 10 drag 129 drag 150 widths", "106,46,106"},
      // painting a million-row grid: the title row, 10 whole rows and part of an 11th; a strip
      // one pixel high draws the one row it crosses; the states of the cells
      {"form 1000000 396 280 106 top 500000 to 0 500003 band 0 0 380 280 band 0 100 339 101",
       "0,0,500000,500010,0,2 1,0,500003,500003,0,2"},
      {"form 1000000 396 280 106 to 0 3 state 0 3 1 state 1 3 1 state 0 3 0 state 0 0 1",
       "3 1 1 4"},
  };
  for (const auto& c : cases) EXPECT_EQ(RunScript(c.script), c.said) << c.script;
  // Far from either end, every bit of wheel travel is kept: what did not make a row remains.
  std::mt19937 random(34);
  GridGeometry g = FormGrid(1000000, 396, 11 * 25, 106);
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

}  // namespace
