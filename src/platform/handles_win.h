#pragma once
// RAII over the Win32 handles the program owns: each acquire is paired with its
// release here, so every way out of a handler, an exception included, frees it.

#include <utility>

#include "platform/unique_handle.h"
#include "platform/sdk_win.h"

namespace orvane {

struct DeleteGdiObject {
  void operator()(HGDIOBJ h) const noexcept { ::DeleteObject(h); }
};
struct DeleteDC {
  void operator()(HDC h) const noexcept { ::DeleteDC(h); }
};
struct DestroyMenuHandle {
  void operator()(HMENU h) const noexcept { ::DestroyMenu(h); }
};
struct CloseKernelHandle {
  void operator()(HANDLE h) const noexcept { ::CloseHandle(h); }
};
struct CloseFindHandle {
  void operator()(HANDLE h) const noexcept { ::FindClose(h); }
};
struct FreeGlobal {
  void operator()(HGLOBAL h) const noexcept { ::GlobalFree(h); }
};
struct DestroyIconHandle {
  void operator()(HICON h) const noexcept { ::DestroyIcon(h); }
};
// Kernel handles that say "none" with INVALID_HANDLE_VALUE, as files do.
struct InvalidHandleValue {
  static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
};

using UniqueFont = unique_handle<HFONT, DeleteGdiObject>;
using UniqueBrush = unique_handle<HBRUSH, DeleteGdiObject>;
using UniqueBitmap = unique_handle<HBITMAP, DeleteGdiObject>;
// A DC the program created: a memory DC, a printer's DC or information context.
using UniqueDC = unique_handle<HDC, DeleteDC>;
using UniqueMenu = unique_handle<HMENU, DestroyMenuHandle>;
using UniqueFile = unique_handle<HANDLE, CloseKernelHandle, InvalidHandleValue>;
using UniqueKernelHandle =
    unique_handle<HANDLE, CloseKernelHandle>;  // processes and the like: null is none
using UniqueFindHandle = unique_handle<HANDLE, CloseFindHandle, InvalidHandleValue>;
using UniqueGlobal = unique_handle<HGLOBAL, FreeGlobal>;
using UniqueIcon = unique_handle<HICON, DestroyIconHandle>;

// GetDC (the client area) or GetWindowDC (the whole window, for the
// non-client area) / ReleaseDC: the release needs the window, so it is kept
// with the DC.
enum class DcArea { Client, Whole };
template <DcArea Area>
class ReleasedDC {
 public:
  explicit ReleasedDC(HWND hwnd) noexcept
      : hwnd_(hwnd), dc_(Area == DcArea::Client ? ::GetDC(hwnd) : ::GetWindowDC(hwnd)) {}
  ReleasedDC(const ReleasedDC&) = delete;
  ReleasedDC& operator=(const ReleasedDC&) = delete;
  ~ReleasedDC() {
    if (dc_) ::ReleaseDC(hwnd_, dc_);
  }
  [[nodiscard]] HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND hwnd_;
  HDC dc_;
};
using WindowDC = ReleasedDC<DcArea::Client>;
using WholeWindowDC = ReleasedDC<DcArea::Whole>;

// BeginPaint / EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) noexcept : hwnd_(hwnd) { ::BeginPaint(hwnd, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { ::EndPaint(hwnd_, &ps_); }
  [[nodiscard]] HDC dc() const noexcept { return ps_.hdc; }
  [[nodiscard]] const RECT& area() const noexcept { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
};

// SelectObject that puts the previous object back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) noexcept
      : dc_(dc), previous_(::SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A top-down DIB section: rows from the top, its pixels readable as drawn.
// `bits` is null when the bitmap could not be made.
inline UniqueBitmap TopDownDib(HDC dc, int width, int height, WORD bitCount, void*& bits) noexcept {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bitCount;
  info.bmiHeader.biCompression = BI_RGB;
  bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) bits = nullptr;
  return bitmap;
}

}  // namespace orvane
