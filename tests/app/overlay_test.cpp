// The labels' drawing: into a memory DC, and on the screen over the edit boxes, where every
// coloured pixel must lie on a glyph pixel of the box beneath, for single-byte and double-byte
// texts, scrolled or not, after the box's own repaints and after a new caption.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/gdi.h"
#include "app/label_window.h"
#include "core/storage.h"
#include "window_fixture.h"

namespace dorvane::app {
namespace {

// A white DIB section as large as a label, to paint the label into.
class MemoryCanvas {
 public:
  MemoryCanvas(int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_ =
        CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < width * height; ++i) bits_[i] = 0xFFFFFF;
  }
  ~MemoryCanvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  HDC dc() const { return dc_; }
  std::uint32_t at(int x, int y) const {
    GdiFlush();
    return bits_[y * width_ + x] & 0xFFFFFF;
  }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

int CountWindows(HWND root) {
  int count = 1;
  for (HWND child = GetWindow(root, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    count += CountWindows(child);
  }
  return count;
}

class OverlayTest : public WindowTest {
 protected:
  TransLabel& first() { return *main_->Label(OverlayLabel::kFirst); }

  // The edit box's area on the screen.
  RECT BoxArea(HWND box) { return ScreenRect(box); }

  void SetBoxes(const char* text1, const char* text2) {
    SetWindowTextA(edit1(), text1);
    SetWindowTextA(edit2(), text2);
    PumpMessages();
  }

  // Compares and checks the two boxes on the screen: returns the number of coloured pixels,
  // and fails for every one that does not lie on a glyph pixel of the box before Compare.
  int CompareAndCheckInk() {
    const RECT area1 = BoxArea(edit1());
    const RECT area2 = BoxArea(edit2());
    const Pixels before1 = CaptureScreen(area1);
    const Pixels before2 = CaptureScreen(area2);
    Compare();
    return CheckInk(before1, CaptureScreen(area1), IsRedInk) +
           CheckInk(before2, CaptureScreen(area2), IsAzureInk);
  }

  static int CheckInk(const Pixels& before, const Pixels& after, bool (*ink)(std::uint32_t)) {
    int count = 0;
    int stray = 0;
    for (int y = 0; y < after.height; ++y) {
      for (int x = 0; x < after.width; ++x) {
        if (!ink(after.at(x, y))) continue;
        ++count;
        // Alignment to the pixel, with the one pixel of play that antialiasing gives.
        bool near_glyph = false;
        for (int dy = -1; dy <= 1 && !near_glyph; ++dy) {
          for (int dx = -1; dx <= 1 && !near_glyph; ++dx) {
            const int nx = x + dx;
            const int ny = y + dy;
            near_glyph = nx >= 0 && ny >= 0 && nx < before.width && ny < before.height &&
                         IsGlyph(before.at(nx, ny));
          }
        }
        if (!near_glyph) ++stray;
      }
    }
    EXPECT_EQ(stray, 0) << "coloured pixels off the glyphs, of " << count;
    return count;
  }

  static int CountInk(const Pixels& pixels) {
    int count = 0;
    for (std::uint32_t pixel : pixels.data) count += IsInk(pixel) ? 1 : 0;
    return count;
  }
};

TEST_F(OverlayTest, FontIsOneOfCells) {
  EXPECT_TRUE(main_->font().in_cells());
  int cell = 0;
  EXPECT_TRUE(MeasureCells(main_->font().get(), &cell));
  EXPECT_EQ(cell, main_->font().cell_width());
  // The default GUI font is kept whenever it is one of cells (SimSun on a Chinese Windows).
  int stock_cell = 0;
  const bool stock_in_cells =
      MeasureCells(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), &stock_cell);
  EXPECT_EQ(main_->font().is_stock(), stock_in_cells);
  // The boxes and the labels draw with the one font.
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(edit1(), WM_GETFONT, 0, 0)), main_->font().get());
}

struct CellCase {
  const char* test_name;
  const char* caption;
};

// Each caption is painted alone; every byte that is not a space must get colour in its own
// cell and nothing else may. An '&' is a character, not a mnemonic marker.
const CellCase kCellCases[] = {
    {"Letters", " a   b"},
    {"Ampersand", "x&y  &&z"},
    {"Ideographs", "\xD6\xD0 z \xCE\xC4"},
    {"Punctuation", "#pid=1;"},
};

class CellTest : public OverlayTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(CellTest, PaintsOnlyTheCellsOfItsCharacters) {
  const std::string caption = kCellCases[GetParam()].caption;
  main_->SetLabelCaption(OverlayLabel::kFirst, CopyText(caption.c_str()));
  RECT client{};
  GetClientRect(first().hwnd(), &client);
  MemoryCanvas canvas(client.right, client.bottom);
  first().Paint(canvas.dc(), client);
  const TransLabel::Layout layout = first().ComputeLayout(client);
  const int cell = main_->font().cell_width();
  ASSERT_GT(cell, 0);
  std::vector<int> ink(caption.size() + 1, 0);
  int outside = 0;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (!IsRedInk(canvas.at(x, y))) continue;
      const int at = (x - layout.origin_x) / cell;
      if (x < layout.origin_x || at >= static_cast<int>(caption.size()) ||
          caption[static_cast<std::size_t>(at)] == ' ') {
        ++outside;
      } else {
        ++ink[static_cast<std::size_t>(at)];
      }
    }
  }
  EXPECT_EQ(outside, 0);
  for (std::size_t at = 0; at < caption.size(); ++at) {
    if (caption[at] == ' ') continue;
    // A two-byte character may leave one of its two cells blank; the pair must have colour.
    const bool lead = static_cast<unsigned char>(caption[at]) > 0x7F;
    if (lead) {
      EXPECT_GT(ink[at] + ink[at + 1], 0) << "byte " << at;
      ++at;
    } else {
      EXPECT_GT(ink[at], 0) << "byte " << at;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Overlay, CellTest, ::testing::Range<std::size_t>(0, std::size(kCellCases)),
                         [](const auto& param_info) {
                           return kCellCases[param_info.param].test_name;
                         });

TEST_F(OverlayTest, EmptyCaptionPaintsNothing) {
  RECT client{};
  GetClientRect(first().hwnd(), &client);
  MemoryCanvas canvas(client.right, client.bottom);
  first().Paint(canvas.dc(), client);
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) ASSERT_EQ(canvas.at(x, y), 0xFFFFFFu);
  }
}

TEST_F(OverlayTest, PrintClientPaintsLikePaint) {
  main_->SetLabelCaption(OverlayLabel::kFirst, CopyText("abc"));
  RECT client{};
  GetClientRect(first().hwnd(), &client);
  MemoryCanvas canvas(client.right, client.bottom);
  SendMessageA(first().hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  int red = 0;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) red += IsRedInk(canvas.at(x, y)) ? 1 : 0;
  }
  EXPECT_GT(red, 0);
}

// A caption of a megabyte is drawn only as far as the label can show it.
TEST_F(OverlayTest, DrawsOnlyWhatCanBeSeen) {
  Text caption = BlankText(1 << 20);
  caption.data()[(1 << 20) - 1] = 'z';
  main_->SetLabelCaption(OverlayLabel::kFirst, caption);
  RECT client{};
  GetClientRect(first().hwnd(), &client);
  const TransLabel::Layout layout = first().ComputeLayout(client);
  const TransLabel::Slice slice = first().VisibleSlice(layout);
  EXPECT_EQ(slice.start, 0);
  EXPECT_LE(slice.end - slice.start, client.right / main_->font().cell_width() + 2);
}

TEST_F(OverlayTest, SampleTextsColourOnlyGlyphs) {
  EXPECT_GT(CompareAndCheckInk(), 50);
}

struct TextPairCase {
  const char* test_name;
  const char* first;
  const char* second;
};

// Pairs with two-byte characters (code page 936 bytes): 中文 (Chinese), 对比 (compare), 测试
// (test), 测验 (quiz), 你好世界 (hello world).
const TextPairCase kTextPairCases[] = {
    {"IdeographsDiffer",
     "\xD6\xD0\xCE\xC4"
     "abc\xB6\xD4\xB1\xC8\xB2\xE2\xCA\xD4xyz",
     "\xD6\xD0\xCE\xC4"
     "abd\xB6\xD4\xB1\xC8\xB2\xE2\xD1\xE9xyz"},
    {"MixedWidths", "id=12345&name=\xC4\xE3\xBA\xC3\xCA\xC0\xBD\xE7&page=7",
     "id=12945&name=\xC4\xE3\xBA\xC3\xCA\xC0\xBD\xE7&page=8"},
    {"AllIdeographs", "\xC4\xE3\xBA\xC3\xCA\xC0\xBD\xE7\xD6\xD0\xCE\xC4",
     "\xC4\xE3\xBA\xC3\xB6\xD4\xB1\xC8\xD6\xD0\xCE\xC4"},
};

class TextPairTest : public OverlayTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(TextPairTest, ColourOnlyGlyphs) {
  const TextPairCase& pair = kTextPairCases[GetParam()];
  SetBoxes(pair.first, pair.second);
  EXPECT_GT(CompareAndCheckInk(), 10);
}

INSTANTIATE_TEST_SUITE_P(Overlay, TextPairTest,
                         ::testing::Range<std::size_t>(0, std::size(kTextPairCases)),
                         [](const auto& param_info) {
                           return kTextPairCases[param_info.param].test_name;
                         });

// After a long text the box shows its end; the colour follows the box's scroll.
TEST_F(OverlayTest, FollowsTheScrollOfALongText) {
  std::string first(400, 'q');
  std::string second(400, 'q');
  for (int i = 0; i < 400; i += 7) first[static_cast<std::size_t>(i)] = 'a';
  first += "tail-ONE-end";
  second += "tail-TWO-end";
  SetBoxes(first.c_str(), second.c_str());
  for (HWND box : {edit1(), edit2()}) {
    SendMessageA(box, EM_SETSEL, static_cast<WPARAM>(first.size()),
                 static_cast<LPARAM>(first.size()));
    SendMessageA(box, EM_SCROLLCARET, 0, 0);
  }
  PumpMessages();
  ASSERT_GT(SendMessageA(edit1(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_GT(CompareAndCheckInk(), 10);
}

TEST_F(OverlayTest, SurvivesTheBoxRepaintWithoutThickening) {
  Compare();
  const RECT area = BoxArea(edit1());
  const Pixels shown = CaptureScreen(area);
  const int ink = CountInk(shown);
  ASSERT_GT(ink, 0);
  for (int round = 0; round < 3; ++round) {
    InvalidateRect(edit1(), nullptr, TRUE);
    UpdateWindow(edit1());
    PumpMessages();
  }
  const Pixels again = CaptureScreen(area);
  EXPECT_EQ(again.data, shown.data);
}

TEST_F(OverlayTest, NewCaptionWipesTheOld) {
  Compare();
  const RECT area = BoxArea(edit1());
  ASSERT_GT(CountInk(CaptureScreen(area)), 0);
  main_->SetLabelCaption(OverlayLabel::kFirst, BlankText(10000));
  PumpMessages();
  EXPECT_EQ(CountInk(CaptureScreen(area)), 0);
}

TEST_F(OverlayTest, HidingLeavesNoColour) {
  const RECT area1 = BoxArea(edit1());
  const RECT area2 = BoxArea(edit2());
  const Pixels plain1 = CaptureScreen(area1);
  Compare();
  ASSERT_GT(CountInk(CaptureScreen(area1)), 0);
  SendMessageA(label2(), WM_LBUTTONDOWN, 0, 0);
  SetFocus(edit1());
  PumpMessages();
  EXPECT_EQ(CountInk(CaptureScreen(area1)), 0);
  EXPECT_EQ(CountInk(CaptureScreen(area2)), 0);
  (void)plain1;
}

TEST_F(OverlayTest, ThousandComparesLeaveGuiResourcesAsTheyWere) {
  Compare();
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  const auto blocks = LiveBlockCount();
  // The window's own: two edit-box brushes at least.
  const long held = HeldGdiResources();
  EXPECT_GE(held, 2);
  const int windows = CountWindows(main_->hwnd());
  for (int i = 0; i < 1000; ++i) {
    SendMessageA(button1(), BM_CLICK, 0, 0);
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) HandleLoopMessage(message);
  }
  PumpMessages();
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user);
  EXPECT_EQ(LiveBlockCount(), blocks);
  EXPECT_EQ(HeldGdiResources(), held);
  EXPECT_EQ(CountWindows(main_->hwnd()), windows);
}

}  // namespace
}  // namespace dorvane::app
