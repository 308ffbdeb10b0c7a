// The transparent label's window class, its drawing and its refresh.
#include "app/label_window.h"

#include <algorithm>
#include <vector>

#include "app/gdi.h"

namespace dorvane::app {
namespace {

COLORREF ToColorRef(Rgb colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

bool IsLeadByte(char byte) {
  return static_cast<unsigned char>(byte) > 0x7F;
}

// The length of the unit that starts at bytes[at]: a lead byte takes the byte after it unless
// that is the end.
int UnitLength(const char* bytes, int at, int length) {
  return IsLeadByte(bytes[at]) && at + 1 < length ? 2 : 1;
}

UINT DrawFormat(const LabelSettings& settings) {
  // DT_NOPREFIX: an '&' of the text is a character like any other, not a mnemonic marker that
  // would vanish and shift everything after it by one cell.
  UINT format = DT_NOCLIP | DT_NOPREFIX;
  switch (settings.horizontal_alignment) {
    case HorizontalAlignment::kLeft:
      format |= DT_LEFT;
      break;
    case HorizontalAlignment::kCentre:
      format |= DT_CENTER;
      break;
    case HorizontalAlignment::kRight:
      format |= DT_RIGHT;
      break;
  }
  if (settings.word_wrap) return format | DT_WORDBREAK | DT_VCENTER;
  format |= DT_SINGLELINE;
  switch (settings.vertical_alignment) {
    case VerticalAlignment::kTop:
      return format | DT_TOP;
    case VerticalAlignment::kCentre:
      return format | DT_VCENTER;
    case VerticalAlignment::kBottom:
      return format | DT_BOTTOM;
  }
  return format;
}

// The byte offset of character `characters` of an edit box. The system counts an ANSI box's
// characters in bytes on some systems and in UTF-16 units on others (Wine keeps the text as
// UTF-16); the box's line length tells which.
int BytesBeforeCharacter(HWND box, int characters) {
  const int length = GetWindowTextLengthA(box);
  if (length <= 0) return 0;
  Text text = BlankText(length);
  const int read = GetWindowTextA(box, text.data(), length + 1);
  const auto line_characters = static_cast<int>(SendMessageA(box, EM_LINELENGTH, 0, 0));
  if (line_characters == read) return std::min(characters, read);
  const char* bytes = text.c_str();
  int at = 0;
  for (int counted = 0; counted < characters && at < read; ++counted) {
    at += UnitLength(bytes, at, read);
  }
  return at;
}

int FontHeight(HFONT font) {
  MemoryDc dc;
  if (dc.dc() == nullptr) return 0;
  SelectedObject selected(dc.dc(), font);
  TEXTMETRICA metrics{};
  if (!GetTextMetricsA(dc.dc(), &metrics)) return 0;
  return static_cast<int>(metrics.tmHeight);
}

// SaveDC/RestoreDC around a paint that changes the clip region of a DC it was lent.
class SavedDc {
 public:
  explicit SavedDc(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  SavedDc(const SavedDc&) = delete;
  SavedDc& operator=(const SavedDc&) = delete;
  ~SavedDc() {
    if (saved_ != 0) RestoreDC(dc_, saved_);
  }

 private:
  HDC dc_;
  int saved_;
};

// Without cells the place of a byte cannot be told without measuring everything before it; the
// start of the caption is drawn then, as much as could ever fit into a label.
constexpr int kUnmeasuredDrawLimit = 4096;

}  // namespace

int MouseModifiers(WPARAM mouse_keys) {
  int modifiers = 0;
  if ((mouse_keys & MK_CONTROL) != 0) modifiers |= static_cast<int>(Modifier::kCtrl);
  if ((mouse_keys & MK_SHIFT) != 0) modifiers |= static_cast<int>(Modifier::kShift);
  if (GetKeyState(VK_MENU) < 0) modifiers |= static_cast<int>(Modifier::kAlt);
  return modifiers;
}

bool TransLabel::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = &TransLabel::WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window_class.hbrBackground = nullptr;  // never erases: what lies beneath shows through
  window_class.lpszClassName = kClassName;
  return RegisterClassExA(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void TransLabel::UnregisterWindowClass(HINSTANCE instance) {
  UnregisterClassA(kClassName, instance);
}

TransLabel::TransLabel(const ControlDescription& description, ControlEvents* events)
    : description_(description),
      events_(events),
      colour_(ToColorRef(description.label->text_colour)) {}

TransLabel* TransLabel::Create(HWND parent, const ControlDescription& description,
                               HINSTANCE instance, ControlEvents* events) {
  if (description.label == nullptr) return nullptr;
  auto* label = new TransLabel(description, events);
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (description.disabled) style |= WS_DISABLED;
  if (description.tab_stop) style |= WS_TABSTOP;
  // The window takes the object over only once it exists; a creation that fails part-way
  // detaches it at WM_NCDESTROY and it is deleted here.
  HWND window = CreateWindowExA(
      WS_EX_TRANSPARENT, kClassName, description.label->caption, style, description.left,
      description.top, description.width, description.height, parent,
      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(description.number)), instance, label);
  if (window == nullptr) {
    delete label;
    return nullptr;
  }
  label->owned_by_window_ = true;
  label->caption_ = CopyText(description.label->caption);
  return label;
}

TransLabel* TransLabel::FromHandle(HWND window) {
  if (window == nullptr ||
      GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&WindowProc)) {
    return nullptr;
  }
  return reinterpret_cast<TransLabel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void TransLabel::SetFont(HFONT font, int cell_width) {
  font_ = font;
  cell_width_ = cell_width;
  line_height_ = FontHeight(font);
}

void TransLabel::SetCaption(TextRef caption) {
  caption_ = CopyText(caption);
  SetWindowTextA(window_, caption_.c_str());
  Refresh();
}

void TransLabel::Refresh() {
  // A hidden label has nothing on the screen to wipe out or to draw; it is drawn when shown.
  // Skipping it here spares two repaints of a box that may hold a megabyte of text.
  if (!IsWindowVisible(window_)) return;
  in_step_with_box_ = false;
  // The ancestor: up through the parents while the window is a child with a parent.
  HWND ancestor = window_;
  while ((GetWindowLongA(ancestor, GWL_STYLE) & WS_POPUP) == 0 && GetParent(ancestor) != nullptr) {
    ancestor = GetParent(ancestor);
  }
  RECT label_screen{};
  GetClientRect(window_, &label_screen);
  MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&label_screen), 2);
  if (ancestor != window_) {
    RECT in_ancestor = label_screen;
    MapWindowPoints(nullptr, ancestor, reinterpret_cast<POINT*>(&in_ancestor), 2);
    InvalidateRect(ancestor, &in_ancestor, TRUE);
    UpdateWindow(ancestor);

    // The visible descendants, top of the stacking order first, each child's own descendants
    // before the child; redrawn from the bottom up where they meet the label.
    std::vector<HWND> descendants;
    struct Lister {
      static void Add(HWND parent, std::vector<HWND>& out) {
        for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
          if (!IsWindowVisible(child)) continue;
          Add(child, out);
          out.push_back(child);
        }
      }
    };
    Lister::Add(ancestor, descendants);
    for (auto it = descendants.rbegin(); it != descendants.rend(); ++it) {
      RECT window_screen{};
      GetWindowRect(*it, &window_screen);
      RECT common{};
      if (!IntersectRect(&common, &window_screen, &label_screen)) continue;
      MapWindowPoints(nullptr, *it, reinterpret_cast<POINT*>(&common), 2);
      RedrawWindow(*it, &common, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ERASENOW | RDW_UPDATENOW);
    }
  }
  InvalidateRect(window_, nullptr, FALSE);
}

TransLabel::Layout TransLabel::ComputeLayout(const RECT& client) const {
  Layout layout{client.left, client, client, cell_width_ > 0};
  if (beneath_ == nullptr) return layout;
  RECT format{};
  SendMessageA(beneath_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  POINT box_origin{0, 0};
  MapWindowPoints(beneath_, window_, &box_origin, 1);
  OffsetRect(&format, box_origin.x, box_origin.y);

  // The box's first visible character and where it stands: the label keeps in step with the
  // box's horizontal scroll, so that after a paste of a long text the colour still stands
  // over the characters that are shown.
  const auto first = static_cast<int>(SendMessageA(beneath_, EM_GETFIRSTVISIBLELINE, 0, 0));
  int first_x = format.left;
  int top = format.top;
  // An unscrolled single-line box starts its text at its formatting rectangle. Only a scrolled
  // one is asked where its first visible character stands: Wine measures the whole line for
  // that, some 80 ms for a megabyte of text.
  if (first > 0) {
    const LRESULT position = SendMessageA(beneath_, EM_POSFROMCHAR, static_cast<WPARAM>(first), 0);
    if (position != -1) {
      first_x = static_cast<short>(LOWORD(position)) + box_origin.x;
      top = static_cast<short>(HIWORD(position)) + box_origin.y;
    }
  }
  const int before = first > 0 ? BytesBeforeCharacter(beneath_, first) : 0;
  layout.origin_x = first_x - before * cell_width_;
  const int height = line_height_ > 0 ? line_height_ : static_cast<int>(format.bottom - format.top);
  layout.line = RECT{client.left, top, client.right, top + height};
  if (!IntersectRect(&layout.clip, &format, &client)) SetRectEmpty(&layout.clip);
  return layout;
}

TransLabel::Slice TransLabel::VisibleSlice(const Layout& layout) const {
  const char* bytes = caption_.c_str();
  const int length = ByteLength(caption_);
  if (!layout.in_cells) return Slice{0, std::min(length, kUnmeasuredDrawLimit), layout.origin_x};
  // Only the bytes whose cells meet the clip are measured and drawn: a caption of megabytes
  // costs no more to paint than a short one, past the walk to the first visible unit.
  const int clip_left = static_cast<int>(layout.clip.left);
  const int clip_right = static_cast<int>(layout.clip.right);
  const int first_visible = std::max(0, (clip_left - layout.origin_x) / cell_width_);
  int start = 0;
  while (start < length) {
    const int unit = UnitLength(bytes, start, length);
    if (start + unit > first_visible) break;
    start += unit;
  }
  const int x = layout.origin_x + start * cell_width_;
  int end = start;
  while (end < length && x + (end - start) * cell_width_ < clip_right) {
    end += UnitLength(bytes, end, length);
  }
  return Slice{start, end, x};
}

void TransLabel::DrawCaption(HDC dc, const Layout& layout, int offset_x, int offset_y) const {
  const Slice slice = VisibleSlice(layout);
  if (slice.end <= slice.start) return;
  const LONG right = std::max(layout.clip.right, static_cast<LONG>(slice.x + 1));
  RECT area{slice.x + offset_x, layout.line.top + offset_y, right + offset_x,
            layout.line.bottom + offset_y};
  DrawTextA(dc, caption_.c_str() + slice.start, slice.end - slice.start, &area,
            DrawFormat(*description_.label));
}

void TransLabel::Paint(HDC dc, const RECT& client) const {
  if (caption_.empty()) return;
  PaintLayout(dc, ComputeLayout(client));
}

void TransLabel::PaintLayout(HDC dc, const Layout& layout) const {
  if (caption_.empty() || IsRectEmpty(&layout.clip)) return;
  HFONT font = font_ != nullptr ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SavedDc saved(dc);
  SelectedObject selected(dc, font);
  IntersectClipRect(dc, layout.clip.left, layout.clip.top, layout.clip.right, layout.clip.bottom);
  SetBkMode(dc, TRANSPARENT);
  int shift = 0;
  switch (description_.label->effect) {
    case LabelEffect::kNone:
      break;
    case LabelEffect::kWhiteShadow:
      SetTextColor(dc, RGB(255, 255, 255));
      DrawCaption(dc, layout, 1, 1);
      break;
    case LabelEffect::kRaised:
      SetTextColor(dc, RGB(255, 255, 255));
      DrawCaption(dc, layout, 0, 0);
      shift = 1;
      break;
    case LabelEffect::kBlackShadow:
      SetTextColor(dc, RGB(0, 0, 0));
      DrawCaption(dc, layout, 2, 2);
      break;
  }
  SetTextColor(dc, colour_);
  DrawCaption(dc, layout, shift, shift);
}

void TransLabel::DrawOverBeneath(HRGN box_region) {
  if (!IsWindowVisible(window_) || beneath_ == nullptr) return;
  Region region(CreateRectRgn(0, 0, 0, 0));
  if (!region || CombineRgn(region.get(), box_region, nullptr, RGN_COPY) == ERROR) return;
  POINT box_origin{0, 0};
  MapWindowPoints(beneath_, window_, &box_origin, 1);
  OffsetRgn(region.get(), box_origin.x, box_origin.y);
  RECT client{};
  GetClientRect(window_, &client);
  const Layout layout = ComputeLayout(client);
  if (!caption_.empty()) {
    WindowDc dc(window_);
    if (dc.dc() == nullptr) return;
    SelectClipRgn(dc.dc(), region.get());
    PaintLayout(dc.dc(), layout);
  }
  // When the box has repainted all of the label's drawing area, the label on the screen is
  // exactly its caption over a fresh box; a later paint of the label alone has nothing to do.
  Region area(CreateRectRgnIndirect(&layout.clip));
  if (area && CombineRgn(area.get(), area.get(), region.get(), RGN_DIFF) == NULLREGION) {
    in_step_with_box_ = true;
  }
}

LRESULT TransLabel::OnPaint() {
  if (beneath_ != nullptr) {
    // Under Wine the box beneath paints over a transparent sibling that lies above it, and
    // drawing antialiased text over itself thickens it. So the label never draws on its own:
    // it has the box repaint the area, and the box draws the label over it when done. When
    // the box has just done so for the whole label, there is nothing left to do.
    RECT area{};
    {
      PaintDc paint(window_);
      area = paint.area();
    }
    if (!IsRectEmpty(&area) && !in_step_with_box_) {
      MapWindowPoints(window_, beneath_, reinterpret_cast<POINT*>(&area), 2);
      RedrawWindow(beneath_, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return 0;
  }
  PaintDc paint(window_);
  RECT client{};
  GetClientRect(window_, &client);
  if (paint.dc() != nullptr) Paint(paint.dc(), client);
  return 0;
}

LRESULT TransLabel::OnPrintClient(HDC dc) {
  RECT client{};
  GetClientRect(window_, &client);
  Paint(dc, client);
  return 0;
}

LRESULT TransLabel::OnLeftButtonDown(WPARAM wparam, LPARAM lparam) {
  if (events_ != nullptr) {
    const POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
    events_->OnControlEvent(window_, EventCode::kPress, at, MouseModifiers(wparam));
  }
  return 0;
}

void TransLabel::OnNcDestroy() {
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  window_ = nullptr;
  if (owned_by_window_) delete this;
}

LRESULT CALLBACK TransLabel::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
    auto* label = static_cast<TransLabel*>(create->lpCreateParams);
    label->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(label));
  }
  auto* label = reinterpret_cast<TransLabel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (label == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  switch (message) {
    case WM_PAINT:
      return label->OnPaint();
    case WM_PRINTCLIENT:
      return label->OnPrintClient(reinterpret_cast<HDC>(wparam));
    case WM_LBUTTONDOWN:
      return label->OnLeftButtonDown(wparam, lparam);
    case WM_SHOWWINDOW:
      // Shown or hidden, what is on the screen no longer follows from the last drawing.
      label->in_step_with_box_ = false;
      return DefWindowProcA(window, message, wparam, lparam);
    case WM_NCDESTROY: {
      const LRESULT result = DefWindowProcA(window, message, wparam, lparam);
      label->OnNcDestroy();
      return result;
    }
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace dorvane::app
