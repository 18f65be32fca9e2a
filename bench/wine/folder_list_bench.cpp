// A folder list in a shown window enters a folder of 50,000 subfolders and leaves it again for
// its parent, which holds that one subfolder, each by a double-click as a user makes it and
// painted at once; measured side by side in one run with a bare search loop over the same folder,
// round after round in turn. Also the process's memory per folder item while the list shows
// them, beyond the names themselves and beyond what a bare search of the folder leaves held.
// Usage: folder_list_bench parent\big   (big holds exactly 50,000 subfolders and parent nothing
// else; scripts/bench makes them natively)
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "win32/folderctl/directory_list_box.h"
#include "win32/os/os_win32.h"
#include "win32/ui/fonts.h"

namespace {

constexpr int kFolders = 50000;
constexpr int kRounds = 5;

// The least any list of subfolders must do: the folder list's own search, touching each entry.
int BareSearch(const std::string& folder, size_t* nameBytes) {
  WIN32_FIND_DATAA data;
  HANDLE search =
      FindFirstFileExA((folder + "\\*.*").c_str(), FindExInfoBasic, &data,
                       FindExSearchLimitToDirectories, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int folders = 0;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.cFileName[0] != '.') {
      ++folders;
      if (nameBytes) *nameBytes += std::strlen(data.cFileName);
    }
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return folders;
}

// Double-clicks an item, as the mouse would, and paints what follows.
void DoubleClick(HWND list, int item) {
  RECT rc{};
  SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rc));
  const LPARAM at = MAKELPARAM(rc.left + 30, (rc.top + rc.bottom) / 2);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
  SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
  UpdateWindow(GetParent(list));
}

template <typename F>
double Ms(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The process's committed private memory (Wine leaves PrivateUsage at zero; this is the same).
double PrivateBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PagefileUsage);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: folder_list_bench parent\\big\n");
    return 2;
  }
  const std::string big = argv[1];
  const std::string parent = big.substr(0, big.find_last_of('\\'));
  size_t nameBytes = 0;
  if (BareSearch(big, &nameBytes) != kFolders) {
    std::printf("%s does not hold %d subfolders\n", big.c_str(), kFolders);
    return 1;
  }

  // A window of ours, as the Browse dialog is: the list's notifications come back to it.
  ui::Window frame;
  ui::Window::RegisterClass("FolderListBench", nullptr, GetSysColorBrush(COLOR_BTNFACE));
  frame.Create("FolderListBench", "folder list bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
               nullptr, 0, 0, 380, 340);
  ShowWindow(frame.Handle(), SW_SHOWNOACTIVATE);
  // As in the Browse dialog: its size and its 16-pixel font.
  const ui::Font font =
      ui::CreateFormFont(L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF", 16, SHIFTJIS_CHARSET);
  SetCurrentDirectoryA(parent.c_str());  // where the list starts
  folderctl::TDirectoryListBox list(os::RealOs());
  list.CreateIn(frame.Handle(), 1, 24, 88, 233, 209);
  SendMessageA(list.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
  list.Fill();
  UpdateWindow(frame.Handle());
  if (list.CurrentFolder() != parent) {
    std::printf("the list shows %s, not %s\n", list.CurrentFolder().c_str(), parent.c_str());
    return 1;
  }

  // The parent's one subfolder follows the parent's item, which stays where it is inside big.
  const int bigItem = list.State().CurrentIndex() + 1;
  // The process's memory at the parent, then once a bare search has been over big (the platform
  // keeps the listing of the folder searched last), then with the list inside big.
  const double before = PrivateBytes();
  BareSearch(big, nullptr);
  const double searched = PrivateBytes();
  std::vector<double> enterMs, leaveMs, bareMs;
  double inBig = 0;
  for (int r = 0; r < kRounds; ++r) {
    enterMs.push_back(Ms([&] { DoubleClick(list.Handle(), bigItem); }));
    if (r == 0) inBig = PrivateBytes();
    const int items = static_cast<int>(SendMessageA(list.Handle(), LB_GETCOUNT, 0, 0));
    if (list.CurrentFolder() != big || items != bigItem + 1 + kFolders) {
      std::printf("entering showed %s with %d items\n", list.CurrentFolder().c_str(), items);
      return 1;
    }
    leaveMs.push_back(Ms([&] { DoubleClick(list.Handle(), bigItem - 1); }));
    if (list.CurrentFolder() != parent) {
      std::printf("leaving showed %s\n", list.CurrentFolder().c_str());
      return 1;
    }
    bareMs.push_back(Ms([&] { BareSearch(big, nullptr); }));
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  const double enter = Median(enterMs), leave = Median(leaveMs), bare = Median(bareMs);
  const double names = static_cast<double>(nameBytes);
  const double perItem = (inBig - searched - names) / kFolders;
  // Said by the exe itself, so a report cannot name another build than the one measured.
  std::printf("Wine, %s build, folder list over a real folder of %d subfolders (median of %d)\n",
              sizeof(void*) == 4 ? "32-bit (i686)" : "64-bit (x86_64)", kFolders, kRounds);
  std::printf("  bare search loop: %.1f ms\n", bare);
  std::printf(
      "  enter by double-click, painted: %.1f ms; ratio to the bare loop %.2f"
      " (target <= 1.6) %s\n",
      enter, enter / bare, enter / bare <= 1.6 ? "MET" : "MISSED");
  std::printf(
      "  leave for the parent (one subfolder): %.1f ms; ratio to the bare loop %.3f"
      " (target <= 0.1) %s\n",
      leave, leave / bare, leave / bare <= 0.1 ? "MET" : "MISSED");
  std::printf(
      "  private memory %.1f MB at the parent, %.1f MB after a bare search of big,"
      " %.1f MB with the list inside big\n",
      before / 1e6, searched / 1e6, inBig / 1e6);
  std::printf(
      "  the list holds %.0f bytes per item beyond its name's %.1f (target <= about 100)"
      " %s; with what the platform's search keeps, %.0f\n",
      perItem, names / kFolders, perItem <= 100 ? "MET" : "MISSED",
      (inBig - before - names) / kFolders);
  return 0;
}
