// Owning wrappers for the GDI and painting resources the window uses, so that every object
// made is given back on every path. Each is move-only: a copy would release twice.
#pragma once

#include <windows.h>

#include <utility>

namespace dorvane::app {

// The number of GDI resources (objects, DCs, selections) held through these wrappers right
// now. Wine's GetGuiResources always answers 0, so the tests count here as well.
inline long& HeldGdiResources() {
  static long held = 0;
  return held;
}

namespace gdi_detail {
inline void Took(const void* handle) {
  if (handle != nullptr) ++HeldGdiResources();
}
inline void Gave(const void* handle) {
  if (handle != nullptr) --HeldGdiResources();
}
}  // namespace gdi_detail

// BeginPaint/EndPaint for one WM_PAINT.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) {
    dc_ = BeginPaint(window_, &paint_);
    gdi_detail::Took(dc_);
  }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  PaintDc(PaintDc&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)),
        dc_(std::exchange(other.dc_, nullptr)),
        paint_(other.paint_) {}
  PaintDc& operator=(PaintDc&&) = delete;
  ~PaintDc() {
    if (window_ == nullptr) return;
    gdi_detail::Gave(dc_);
    EndPaint(window_, &paint_);
  }

  HDC dc() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  HDC dc_ = nullptr;
  PAINTSTRUCT paint_{};
};

// GetDC/ReleaseDC, or GetDCEx with a clip region.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) { gdi_detail::Took(dc_); }
  WindowDc(HWND window, HRGN clip, DWORD flags)
      : window_(window), dc_(GetDCEx(window, clip, flags)) {
    gdi_detail::Took(dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  WindowDc(WindowDc&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&&) = delete;
  ~WindowDc() {
    if (dc_ == nullptr) return;
    gdi_detail::Gave(dc_);
    ReleaseDC(window_, dc_);
  }

  HDC dc() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a DC, put back on the way out.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {
    if (previous_ == HGDI_ERROR) previous_ = nullptr;
    gdi_detail::Took(previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  SelectedObject(SelectedObject&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)),
        previous_(std::exchange(other.previous_, nullptr)) {}
  SelectedObject& operator=(SelectedObject&&) = delete;
  ~SelectedObject() {
    if (dc_ == nullptr || previous_ == nullptr) return;
    gdi_detail::Gave(previous_);
    SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A GDI object of our own (font, brush, bitmap, region): DeleteObject when done. A stock object
// may be held too when `owned` is false; it is then never deleted.
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle, bool owned = true) : handle_(handle), owned_(owned) {
    if (owned_) gdi_detail::Took(handle_);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept
      : handle_(std::exchange(other.handle_, nullptr)), owned_(other.owned_) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
      owned_ = other.owned_;
    }
    return *this;
  }
  ~GdiObject() { Reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset() {
    if (handle_ != nullptr && owned_) {
      gdi_detail::Gave(handle_);
      DeleteObject(handle_);
    }
    handle_ = nullptr;
  }

 private:
  Handle handle_ = nullptr;
  bool owned_ = true;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;

// A memory DC compatible with the screen, for measuring and for painting in tests.
class MemoryDc {
 public:
  MemoryDc() : dc_(CreateCompatibleDC(nullptr)) { gdi_detail::Took(dc_); }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  MemoryDc(MemoryDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  MemoryDc& operator=(MemoryDc&&) = delete;
  ~MemoryDc() {
    if (dc_ == nullptr) return;
    gdi_detail::Gave(dc_);
    DeleteDC(dc_);
  }

  HDC dc() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace dorvane::app
