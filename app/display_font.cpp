// Choosing and measuring the shared font.
#include "app/display_font.h"

#include <cstring>

namespace dorvane::app {
namespace {

// Ideographs from across the GBK range. Some GBK symbols (punctuation, Greek, pinyin) are not
// exactly double even in a font of cells, so only ideographs are asked for.
constexpr const char* kSampleIdeographs[] = {"\xB0\xA1", "\xB6\xD4", "\xC7\xE5", "\xCE\xC4",
                                             "\xD6\xD0", "\xF7\xFE", "\x81\x40", "\xFD\x9B"};

int Advance(HDC dc, const char* bytes, int count) {
  SIZE size{};
  if (!GetTextExtentPoint32A(dc, bytes, count, &size)) return -1;
  return static_cast<int>(size.cx);
}

bool DoubleByteCodePage() {
  CPINFO info{};
  return GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 2;
}

// The faces asked for, in turn, when the default GUI font is not one of cells. NSimSun is the
// fixed-cell face of a Chinese Windows; an empty face lets the font mapper pick any fixed-pitch
// modern face of the character set.
constexpr const char* kFixedFaces[] = {"NSimSun", "WenQuanYi Zen Hei Mono", ""};

}  // namespace

bool MeasureCells(HFONT font, int* cell) {
  MemoryDc dc;
  if (dc.dc() == nullptr || font == nullptr) return false;
  SelectedObject selected(dc.dc(), font);
  const char first = ' ';
  const int advance = Advance(dc.dc(), &first, 1);
  if (advance <= 0) return false;
  for (int code = 0x21; code <= 0x7E; ++code) {
    const char byte = static_cast<char>(code);
    if (Advance(dc.dc(), &byte, 1) != advance) return false;
  }
  if (DoubleByteCodePage()) {
    for (const char* ideograph : kSampleIdeographs) {
      if (Advance(dc.dc(), ideograph, 2) != 2 * advance) return false;
    }
    // A mixed run must be the sum of its cells: no kerning, no overhang.
    const char* mixed = "a\xB0\xA1 b\xD6\xD0";
    if (Advance(dc.dc(), mixed, static_cast<int>(std::strlen(mixed))) != 7 * advance) return false;
  }
  *cell = advance;
  return true;
}

DisplayFont DisplayFont::Choose() {
  auto stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  int cell = 0;
  if (MeasureCells(stock, &cell)) return DisplayFont(Font(stock, false), cell, true, true);

  LOGFONTA stock_face{};
  if (stock == nullptr || GetObjectA(stock, sizeof stock_face, &stock_face) == 0) {
    stock_face.lfHeight = -12;
    stock_face.lfCharSet = DEFAULT_CHARSET;
  }
  for (const char* face : kFixedFaces) {
    LOGFONTA wanted{};
    wanted.lfHeight = stock_face.lfHeight;
    wanted.lfWeight = FW_NORMAL;
    wanted.lfCharSet = stock_face.lfCharSet;
    wanted.lfOutPrecision = OUT_DEFAULT_PRECIS;
    wanted.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    wanted.lfQuality = DEFAULT_QUALITY;
    wanted.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::strncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    Font candidate(CreateFontIndirectA(&wanted));
    if (candidate && MeasureCells(candidate.get(), &cell)) {
      return DisplayFont(std::move(candidate), cell, true, false);
    }
  }
  // No font of cells: the overlay will not stand exactly over the text, but the tool works.
  return DisplayFont(Font(stock, false), 0, false, true);
}

}  // namespace dorvane::app
