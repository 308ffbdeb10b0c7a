// The transparent label: a child window of our own class that draws its caption, in its own
// colour, over the edit box beneath it and nothing else, so that the box shows through.
#pragma once

#include <windows.h>

#include "app/control_events.h"
#include "app/window_description.h"
#include "core/text.h"

namespace dorvane::app {

class TransLabel {
 public:
  static constexpr const char* kClassName = "DorvaneTransLabel";
  static bool RegisterWindowClass(HINSTANCE instance);
  static void UnregisterWindowClass(HINSTANCE instance);

  // Makes the label window, not yet visible. The object belongs to the window and is deleted
  // when the window is destroyed. Null when the window cannot be made.
  static TransLabel* Create(HWND parent, const ControlDescription& description, HINSTANCE instance,
                            ControlEvents* events);
  // The label of a window of this class; null for any other window.
  static TransLabel* FromHandle(HWND window);

  TransLabel(const TransLabel&) = delete;
  TransLabel& operator=(const TransLabel&) = delete;

  HWND hwnd() const { return window_; }
  const Text& caption() const { return caption_; }
  COLORREF colour() const { return colour_; }

  // The font to draw with and, when it lays text out in cells, the width of one cell.
  void SetFont(HFONT font, int cell_width);
  // The edit box this label lies over: the label draws in step with its text and only inside
  // its text area. Without one the caption starts at the label's left edge.
  void SetBeneath(HWND edit_box) { beneath_ = edit_box; }
  HWND beneath() const { return beneath_; }

  // Keeps a copy of caption as caption and window text, then refreshes.
  void SetCaption(TextRef caption);

  // The refresh after a change: the area beneath is repainted first, which wipes out the old
  // caption, and the label is drawn over it after.
  void Refresh();

  // Draws the caption into dc, whose origin is the label's client origin; client is the
  // label's client rectangle. Only the bytes that can be seen are measured and drawn.
  void Paint(HDC dc, const RECT& client) const;

  // Called by the edit box beneath after it has painted region (in its own client
  // coordinates): draws the caption over exactly that region.
  void DrawOverBeneath(HRGN box_region);

  // Where byte 0 of the caption stands and which rectangle may be drawn, in label
  // coordinates. Public for tests.
  struct Layout {
    int origin_x;   // left edge of the caption's first byte
    RECT line;      // the rectangle of the text line (its top and height)
    RECT clip;      // the part of the label where characters may appear
    bool in_cells;  // positions follow from cells; otherwise from the caption's start
  };
  Layout ComputeLayout(const RECT& client) const;

  // The bytes of the caption drawn for a layout, [start, end), and the left edge of start.
  struct Slice {
    int start;
    int end;
    int x;
  };
  Slice VisibleSlice(const Layout& layout) const;

 private:
  TransLabel(const ControlDescription& description, ControlEvents* events);

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnPaint();
  LRESULT OnPrintClient(HDC dc);
  LRESULT OnLeftButtonDown(WPARAM wparam, LPARAM lparam);
  void OnNcDestroy();

  void PaintLayout(HDC dc, const Layout& layout) const;
  void DrawCaption(HDC dc, const Layout& layout, int offset_x, int offset_y) const;

  HWND window_ = nullptr;
  const ControlDescription& description_;
  ControlEvents* events_;
  HWND beneath_ = nullptr;
  HFONT font_ = nullptr;
  int cell_width_ = 0;
  int line_height_ = 0;
  bool owned_by_window_ = false;
  // True while the screen shows exactly the caption drawn over a fresh repaint of the box.
  bool in_step_with_box_ = false;
  COLORREF colour_;
  Text caption_;
};

}  // namespace dorvane::app
