// Paint and scroll cost of a string grid of 1,000,000 rows against one of 100, measured side by
// side in one run: both grids get the same sequence of scrolls, keys, wheel notches, thumb drags
// and full repaints, each painted at once, in alternating order, round after round.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/pane.h"
#include "win32/ui/string_grid.h"

namespace {

const int kRounds = 15;

void Fill(ui::StringGrid& grid, int rows) {
  grid.SetColCount(3);
  grid.SetDefaultColWidth(106);
  grid.SetDefaultRowHeight(24);
  grid.SetTitleRows(1);
  grid.SetOptions(ui::kGridTitleVertLine | ui::kGridTitleHorzLine | ui::kGridVertLine |
                  ui::kGridHorzLine | ui::kGridColSizing);
  grid.EditCells([rows](zolt::CellTable& cells) {
    zolt::WriteTitles(cells);
    char text[64];
    for (int r = 1; r < rows; ++r) {
      std::snprintf(text, sizeof text, "file%07d.txt", r);
      cells.SetCell(0, r, text);
      std::snprintf(text, sizeof text, "%d", r * 37 % 1000000);
      cells.SetCell(1, r, text);
      std::snprintf(text, sizeof text, "2024/%02d/%02d %02d:%02d:%02d", r % 12 + 1, r % 28 + 1,
                    r % 24, r % 60, r % 60);
      cells.SetCell(2, r, text);
    }
    cells.SetRowCount(rows);
  });
}

void Send(const ui::StringGrid& grid, UINT message, WPARAM wParam, LPARAM lParam = 0) {
  SendMessageA(grid.Handle(), message, wParam, lParam);
  UpdateWindow(grid.Handle());  // paint now, inside the measurement
}

void DragThumb(const ui::StringGrid& grid, double fraction) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(grid.Handle(), SB_VERT, &si);
  const int pos =
      si.nMin + static_cast<int>((si.nMax - si.nMin - static_cast<int>(si.nPage)) * fraction);
  SCROLLINFO track{sizeof track, SIF_POS, 0, 0, 0, pos, 0};
  SetScrollInfo(grid.Handle(), SB_VERT, &track, FALSE);
  Send(grid, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, pos & 0xFFFF));
  Send(grid, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, pos & 0xFFFF));
}

// One round of what a user does; every step really moves both grids (the 100-row grid has
// about 86 top rows to move through).
double Round(ui::StringGrid& grid) {
  const auto start = std::chrono::steady_clock::now();
  Send(grid, WM_VSCROLL, SB_TOP);
  for (int i = 0; i < 30; ++i) Send(grid, WM_VSCROLL, SB_LINEDOWN);
  for (int i = 0; i < 3; ++i) Send(grid, WM_VSCROLL, SB_PAGEDOWN);
  DragThumb(grid, 0.9);
  DragThumb(grid, 0.5);
  for (int i = 0; i < 2; ++i) Send(grid, WM_VSCROLL, SB_PAGEUP);
  for (int i = 0; i < 5; ++i) Send(grid, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA));
  for (int i = 0; i < 20; ++i) Send(grid, WM_KEYDOWN, VK_DOWN);
  Send(grid, WM_KEYDOWN, VK_NEXT);
  grid.SetRow(grid.RowCount() - 1);
  UpdateWindow(grid.Handle());
  grid.SetRow(1);
  UpdateWindow(grid.Handle());
  for (int i = 0; i < 5; ++i) {
    RedrawWindow(grid.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "GridBench";
  RegisterClassA(&wc);
  HWND frame = CreateWindowExA(0, "GridBench", "grid bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               0, 0, 720, 440, nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(frame, SW_SHOWNOACTIVATE);

  // Filled as a pane is loaded: into grids that are already shown.
  ui::StringGrid big, small;
  big.CreateIn(frame, 1, 1, 41, 343, 351);
  small.CreateIn(frame, 2, 350, 41, 343, 351);
  const auto fillStart = std::chrono::steady_clock::now();
  Fill(big, 1000000);
  const double fillMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - fillStart)
          .count();
  Fill(small, 100);
  UpdateWindow(frame);
  Round(big);  // warm up both: fonts, caches, the first blits
  Round(small);

  std::vector<double> bigMs, smallMs;
  for (int r = 0; r < kRounds; ++r) {
    if (r % 2) {
      bigMs.push_back(Round(big));
      smallMs.push_back(Round(small));
    } else {
      smallMs.push_back(Round(small));
      bigMs.push_back(Round(big));
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  const double b = Median(bigMs), s = Median(smallMs);
  std::printf("fill 1,000,000 rows (3 cells each) into a shown grid: %.0f ms\n", fillMs);
  std::printf(
      "paint+scroll 1,000,000 rows: %.1f ms; 100 rows: %.1f ms; ratio %.2f (target <= 1.2)"
      " [median of %d rounds]\n",
      b, s, b / s, kRounds);
  DestroyWindow(frame);
  return 0;
}
