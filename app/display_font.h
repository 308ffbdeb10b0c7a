// The one font of the edit boxes and the labels: the default GUI font when it lays text out in
// half-width and full-width cells, otherwise a fixed-pitch font of the same height that does.
#pragma once

#include <windows.h>

#include "app/gdi.h"

namespace dorvane::app {

// Measures a font: true when every printable single-byte character has one advance and, in a
// double-byte code page, every sampled ideograph exactly twice that. *cell gets the advance.
bool MeasureCells(HFONT font, int* cell);

class DisplayFont {
 public:
  // Never fails: when no font of cells can be had, the default GUI font is used as it is.
  static DisplayFont Choose();

  DisplayFont(DisplayFont&&) noexcept = default;
  DisplayFont& operator=(DisplayFont&&) noexcept = default;

  HFONT get() const { return font_.get(); }
  // The advance of one single-byte character; meaningful when in_cells().
  int cell_width() const { return cell_width_; }
  bool in_cells() const { return in_cells_; }
  // True when the stock default GUI font itself is used.
  bool is_stock() const { return is_stock_; }

 private:
  DisplayFont(Font font, int cell_width, bool in_cells, bool is_stock)
      : font_(std::move(font)), cell_width_(cell_width), in_cells_(in_cells), is_stock_(is_stock) {}

  Font font_;
  int cell_width_;
  bool in_cells_;
  bool is_stock_;
};

}  // namespace dorvane::app
