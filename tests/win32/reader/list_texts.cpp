// Reads a list box of another process as a screen reader does: each item's text through
// LB_GETTEXTLEN and LB_GETTEXT, in UTF-16, written to a file one a line; with a step, only every
// step-th item and the last (under Wine each item costs milliseconds).
// Usage: list_texts <the list box's handle, in decimal> <file> [step]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  HWND list = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(argv[1], nullptr, 10)));
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  const LRESULT step = argc > 3 ? std::strtol(argv[3], nullptr, 10) : 1;
  std::wstring texts;
  const auto read = [&](LRESULT i) {
    // The length may exceed the text's: it can count the text in the list's own encoding.
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length < 0) return false;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got =
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
    if (got < 0 || got > length) return false;
    texts.append(text, 0, static_cast<size_t>(got)) += L'\n';
    return true;
  };
  for (LRESULT i = 0; i < count; i += step) {
    if (!read(i)) return 1;
  }
  if (count > 0 && (count - 1) % step != 0 && !read(count - 1)) return 1;
  FILE* out = std::fopen(argv[2], "wb");
  if (!out) return 1;
  const bool written =
      std::fwrite(texts.data(), sizeof(wchar_t), texts.size(), out) == texts.size();
  return std::fclose(out) == 0 && written ? 0 : 1;
}
