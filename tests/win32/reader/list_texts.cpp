// Reads a list box of another process as a screen reader does, each item's text through
// LB_GETTEXTLEN and LB_GETTEXT in UTF-16, and writes the texts to a file one a line ("?" for an
// item it cannot read): every step-th item and the last, since under Wine each costs milliseconds.
// Usage: list_texts <the list box's handle, in decimal> <step> <file>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const HWND list =
      reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(argv[1], nullptr, 10)));
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0), step = std::atoi(argv[2]);
  std::wstring texts;
  for (LRESULT i = 0; i < count; i = i == count - 1 ? count : std::min(i + step, count - 1)) {
    // The length may exceed the text's: it can count the text in the list's own encoding.
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    wchar_t text[1024] = L"";  // more than a name can have
    const LRESULT got =
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    texts +=
        (got < 0 || got > length ? L"?" : std::wstring(text, static_cast<size_t>(got))) + L'\n';
  }
  FILE* out = std::fopen(argv[3], "wb");
  if (!out) return 1;
  std::fwrite(texts.data(), sizeof(wchar_t), texts.size(), out);
  return std::fclose(out);
}
