// RAII for GDI objects and for every selection into a device context: a selection that is never
// restored leaks the object that was selected in, and deleting a selected object fails silently.
#pragma once

#include <windows.h>

namespace ui {

template <typename Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle handle = nullptr) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset(other.handle_);
      other.handle_ = nullptr;
    }
    return *this;
  }
  void Reset(Handle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }
  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  Handle handle_;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;

// Selects an object into a DC and puts the previous one back at scope end.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelect() {
    if (previous_) SelectObject(dc_, previous_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Saves the DC's whole state (colours, clip region, modes) and restores it at scope end.
class ScopedDcState {
 public:
  explicit ScopedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~ScopedDcState() { RestoreDC(dc_, saved_); }
  ScopedDcState(const ScopedDcState&) = delete;
  ScopedDcState& operator=(const ScopedDcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// A window's DC from GetDC, released at scope end (nullptr: the screen).
class ScopedWindowDc {
 public:
  explicit ScopedWindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~ScopedWindowDc() { ReleaseDC(hwnd_, dc_); }
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// A memory DC of its own, deleted at scope end.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
  ~MemoryDc() { DeleteDC(dc_); }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// A memory DC with one bitmap selected in. Released in the reverse order of acquisition: the
// bitmap goes back out of the DC before the DC is deleted.
class BitmapDc {
 public:
  BitmapDc(HDC compatible, HBITMAP bitmap) : dc_(compatible), select_(dc_.Get(), bitmap) {}
  HDC Get() const { return dc_.Get(); }

 private:
  MemoryDc dc_;
  ScopedSelect select_;
};

// A memory DC compatible with the screen, with a bitmap of its own selected in: the target of
// double-buffered painting and of the tests' renderings.
class MemoryCanvas {
 public:
  MemoryCanvas(int width, int height)
      : bitmap_(CreateCompatibleBitmap(ScopedWindowDc(nullptr).Get(), width, height)),
        dc_(ScopedWindowDc(nullptr).Get(), bitmap_.Get()) {}
  HDC Dc() const { return dc_.Get(); }
  COLORREF Pixel(int x, int y) const { return GetPixel(dc_.Get(), x, y); }

 private:
  Bitmap bitmap_;  // outlives its selection into dc_
  BitmapDc dc_;
};

}  // namespace ui
