// The main window: its making steps, the handlers and the keys it handles itself.
#include "app/main_window.h"

#include <algorithm>

namespace dorvane::app {
namespace {

constexpr DWORD kMainStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

COLORREF ToColorRef(Rgb colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

DWORD EditStyle(const EditBoxSettings& settings) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  style |= settings.multi_line ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL;
  if (!settings.hide_selection) style |= ES_NOHIDESEL;
  if (settings.scroll_bars) style |= WS_HSCROLL;
  switch (settings.alignment) {
    case HorizontalAlignment::kLeft:
      style |= ES_LEFT;
      break;
    case HorizontalAlignment::kCentre:
      style |= ES_CENTER;
      break;
    case HorizontalAlignment::kRight:
      style |= ES_RIGHT;
      break;
  }
  if (settings.input_mode == InputMode::kReadOnly) style |= ES_READONLY;
  if (settings.input_mode == InputMode::kPassword) style |= ES_PASSWORD;
  if (settings.case_conversion == CaseConversion::kUpper) style |= ES_UPPERCASE;
  if (settings.case_conversion == CaseConversion::kLower) style |= ES_LOWERCASE;
  return style;
}

DWORD ButtonStyle(const ButtonSettings& settings) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | BS_MULTILINE;
  style |= settings.default_button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  switch (settings.horizontal_alignment) {
    case HorizontalAlignment::kLeft:
      style |= BS_LEFT;
      break;
    case HorizontalAlignment::kCentre:
      style |= BS_CENTER;
      break;
    case HorizontalAlignment::kRight:
      style |= BS_RIGHT;
      break;
  }
  switch (settings.vertical_alignment) {
    case VerticalAlignment::kTop:
      style |= BS_TOP;
      break;
    case VerticalAlignment::kCentre:
      style |= BS_VCENTER;
      break;
    case VerticalAlignment::kBottom:
      style |= BS_BOTTOM;
      break;
  }
  return style;
}

// The outer height a single-line box needs: one double-byte character of its font and the
// two 3-D edges.
int MinimumEditHeight(HFONT font) {
  MemoryDc dc;
  if (dc.dc() == nullptr) return 0;
  SelectedObject selected(dc.dc(), font);
  SIZE size{};
  if (!GetTextExtentPoint32A(dc.dc(), "\xB0\xA1", 2, &size)) return 0;
  return static_cast<int>(size.cy) + 2 * GetSystemMetrics(SM_CYEDGE);
}

bool KeyDown(int key) {
  return GetKeyState(key) < 0;
}

}  // namespace

bool MainWindow::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &MainWindow::WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  window_class.lpszClassName = kClassName;
  return RegisterClassExA(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void MainWindow::UnregisterWindowClass(HINSTANCE instance) {
  UnregisterClassA(kClassName, instance);
}

MainWindow::MainWindow(const WindowDescription& description, DestroyedCallback on_destroyed)
    : description_(description), on_destroyed_(on_destroyed), font_(DisplayFont::Choose()) {}

MainWindow* MainWindow::Create(const WindowDescription& description, HINSTANCE instance,
                               DestroyedCallback on_destroyed) {
  auto* main = new MainWindow(description, on_destroyed);

  // 1. The window, not yet visible, centred on the screen.
  int left = description.given_left;
  int top = description.given_top;
  if (description.start_position == StartPosition::kCentred) {
    left = (GetSystemMetrics(SM_CXSCREEN) - description.width) / 2;
    top = (GetSystemMetrics(SM_CYSCREEN) - description.height) / 2;
  }
  HWND window =
      CreateWindowExA(0, kClassName, description.caption, kMainStyle, left, top, description.width,
                      description.height, nullptr, nullptr, instance, main);
  if (window == nullptr) {
    delete main;
    return nullptr;
  }
  main->owned_by_window_ = true;
  RECT outer{};
  GetWindowRect(window, &outer);
  if (outer.right - outer.left != description.width ||
      outer.bottom - outer.top != description.height || outer.left != left || outer.top != top) {
    MoveWindow(window, left, top, description.width, description.height, FALSE);
  }

  // 2. Icons and font.
  main->big_icon_ =
      static_cast<HICON>(LoadImageA(instance, description.icon, IMAGE_ICON,
                                    GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  main->small_icon_ = static_cast<HICON>(LoadImageA(instance, description.icon, IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), 0));
  if (main->big_icon_ != nullptr) {
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(main->big_icon_));
  }
  if (main->small_icon_ != nullptr) {
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(main->small_icon_));
  }
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(main->font_.get()), FALSE);

  // 3.-5. The controls: made, stacked and shown.
  if (!main->MakeControls(instance) || !main->StackControls()) {
    DestroyWindow(window);
    return nullptr;
  }
  main->ShowControls();

  // 6. The created handler.
  Handler handler{};
  if (FindBinding(description.bindings, EventCode::kCreated, &handler)) main->RunHandler(handler);

  // 7. Shown, active, and the focus in the first control of the tab cycle.
  if (description.visible) {
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    HWND focus = GetFocus();
    if (focus == nullptr || !IsChild(window, focus)) main->OnSetFocus();
  }
  return main;
}

MainWindow* MainWindow::FromHandle(HWND window) {
  if (window == nullptr ||
      GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&WindowProc)) {
    return nullptr;
  }
  return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool MainWindow::MakeControls(HINSTANCE instance) {
  controls_.clear();
  for (const ControlDescription& control : description_.controls) {
    controls_.push_back(ControlSlot{&control, nullptr, nullptr, Brush()});
  }
  // Creation order is the reverse of description order.
  for (auto slot = controls_.rbegin(); slot != controls_.rend(); ++slot) {
    slot->window = CreateControl(*slot->description, instance);
    if (slot->window == nullptr) return false;
  }
  return true;
}

HWND MainWindow::CreateControl(const ControlDescription& control, HINSTANCE instance) {
  ControlSlot* slot = nullptr;
  for (ControlSlot& candidate : controls_) {
    if (candidate.description == &control) slot = &candidate;
  }
  HWND parent = control.parent == 0 ? window_ : Control(control.parent);
  if (slot == nullptr || parent == nullptr) return nullptr;

  HWND made = nullptr;
  int height = control.height;
  switch (control.kind) {
    case ControlKind::kEditBox: {
      const EditBoxSettings& settings = *control.edit_box;
      if (!settings.multi_line) height = std::max(height, MinimumEditHeight(font_.get()));
      slot->background = Brush(CreateSolidBrush(ToColorRef(settings.background_colour)));
      if (!slot->background) return nullptr;
      DWORD style = EditStyle(settings);
      if (control.disabled) style |= WS_DISABLED;
      if (control.tab_stop) style |= WS_TABSTOP;
      made = CreateWindowExA(settings.sunken_border ? WS_EX_CLIENTEDGE : 0, "EDIT", settings.text,
                             style, control.left, control.top, control.width, height, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(control.number)),
                             instance, nullptr);
      break;
    }
    case ControlKind::kButton: {
      DWORD style = ButtonStyle(*control.button);
      if (control.disabled) style |= WS_DISABLED;
      if (control.tab_stop) style |= WS_TABSTOP;
      made = CreateWindowExA(0, "BUTTON", control.button->caption, style, control.left, control.top,
                             control.width, height, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(control.number)),
                             instance, nullptr);
      break;
    }
    case ControlKind::kTransLabel: {
      TransLabel* label = TransLabel::Create(parent, control, instance, this);
      if (label == nullptr) return nullptr;
      label->SetFont(font_.get(), font_.in_cells() ? font_.cell_width() : 0);
      // The edit box beneath: the first one below the label whose rectangle meets it.
      const RECT own{control.left, control.top, control.left + control.width,
                     control.top + control.height};
      for (const ControlSlot& other : controls_) {
        if (other.description->kind != ControlKind::kEditBox || other.window == nullptr) continue;
        const ControlDescription& box = *other.description;
        const RECT box_rect{box.left, box.top, box.left + box.width, box.top + box.height};
        RECT common{};
        if (IntersectRect(&common, &own, &box_rect)) {
          label->SetBeneath(other.window);
          break;
        }
      }
      made = label->hwnd();
      break;
    }
  }
  if (made == nullptr) return nullptr;
  SendMessageA(made, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  if (control.kind == ControlKind::kEditBox) {
    const EditBoxSettings& settings = *control.edit_box;
    SendMessageA(made, EM_LIMITTEXT, static_cast<WPARAM>(settings.maximum_length), 0);
    SendMessageA(made, EM_SETSEL, static_cast<WPARAM>(settings.selection_start),
                 settings.selection_start + settings.selection_length);
    SendMessageA(made, EM_SCROLLCARET, 0, 0);
    // Our procedure goes in front of the system's: it reports double-clicks and, after each
    // paint, draws the label that lies over the box.
    SetWindowLongPtrA(made, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    slot->original_procedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(made, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProc)));
    if (slot->original_procedure == nullptr) {
      DestroyWindow(made);
      return nullptr;
    }
  }
  return made;
}

bool MainWindow::StackControls() {
  HWND previous = nullptr;
  for (const ControlSlot& slot : controls_) {
    const HWND after = previous == nullptr ? HWND_TOP : previous;
    if (!SetWindowPos(slot.window, after, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE)) {
      return false;
    }
    previous = slot.window;
  }
  return true;
}

void MainWindow::ShowControls() {
  for (const ControlSlot& slot : controls_) {
    if (slot.description->visible) ShowWindow(slot.window, SW_SHOWNA);
  }
}

HWND MainWindow::Control(std::uint32_t number) const {
  for (const ControlSlot& slot : controls_) {
    if (slot.description->number == number) return slot.window;
  }
  return nullptr;
}

MainWindow::ControlSlot* MainWindow::SlotOf(HWND control) {
  if (control == nullptr) return nullptr;
  for (ControlSlot& slot : controls_) {
    if (slot.window == control) return &slot;
  }
  return nullptr;
}

const MainWindow::ControlSlot* MainWindow::SlotOf(HWND control) const {
  return const_cast<MainWindow*>(this)->SlotOf(control);
}

const ControlDescription* MainWindow::DescriptionOf(HWND control) const {
  const ControlSlot* slot = SlotOf(control);
  return slot != nullptr ? slot->description : nullptr;
}

TransLabel* MainWindow::Label(OverlayLabel label) const {
  return TransLabel::FromHandle(
      Control(label == OverlayLabel::kFirst ? kLabel1Number : kLabel2Number));
}

void MainWindow::SetLabelCaption(OverlayLabel label, const Text& caption) {
  if (TransLabel* target = Label(label)) target->SetCaption(caption);
}

void MainWindow::OnControlEvent(HWND control, EventCode code, POINT /*at*/, int /*modifiers*/) {
  const ControlDescription* description = DescriptionOf(control);
  Handler handler{};
  if (description != nullptr && FindBinding(description->bindings, code, &handler)) {
    RunHandler(handler);
  }
}

Text MainWindow::ReadText(HWND control) {
  const int length = GetWindowTextLengthA(control);
  if (length <= 0) return Text();
  // The length is an upper bound for double-byte text; the text is cut to what was read.
  Text buffer = BlankText(length);
  const int read = GetWindowTextA(control, buffer.data(), length + 1);
  if (read <= 0) return Text();
  if (read == length) return buffer;
  return TextFromBytes(buffer.c_str(), read);
}

void MainWindow::SetText(HWND control, TextRef text) {
  SetWindowTextA(control, text.c_str());
}

void MainWindow::SetVisible(HWND control, bool visible) {
  ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
}

void MainWindow::SetFocusTo(HWND control) {
  SetFocus(control);
}

void MainWindow::RunHandler(Handler handler) {
  HWND edit1 = Control(kEdit1Number);
  HWND edit2 = Control(kEdit2Number);
  HWND label1 = Control(kLabel1Number);
  HWND label2 = Control(kLabel2Number);
  switch (handler) {
    case Handler::kCreated:
      SetVisible(label1, false);
      SetVisible(label2, false);
      break;
    case Handler::kClear:
      SetText(edit1, kEmptyLiteral);
      SetText(edit2, kEmptyLiteral);
      break;
    case Handler::kDoubleClickEdit1:
      SetText(edit1, kEmptyLiteral);
      break;
    case Handler::kDoubleClickEdit2:
      SetText(edit2, kEmptyLiteral);
      break;
    case Handler::kPressLabel1:
      SetVisible(label1, false);
      SetVisible(label2, false);
      SetFocusTo(edit1);
      break;
    case Handler::kPressLabel2:
      SetVisible(label1, false);
      SetVisible(label2, false);
      SetFocusTo(edit2);
      break;
    case Handler::kCompare: {
      Text first = ReadText(edit1);
      Text second = ReadText(edit2);
      CompareTexts(first, second, *this);
      first = Text();
      second = Text();
      SetVisible(label1, true);
      SetVisible(label2, true);
      break;
    }
  }
}

std::vector<HWND> MainWindow::TabCycle() const {
  std::vector<const ControlSlot*> stops;
  for (auto slot = controls_.rbegin(); slot != controls_.rend(); ++slot) {
    if (slot->description->tab_stop && IsWindowVisible(slot->window) &&
        IsWindowEnabled(slot->window)) {
      stops.push_back(&*slot);
    }
  }
  std::stable_sort(stops.begin(), stops.end(), [](const ControlSlot* a, const ControlSlot* b) {
    return a->description->tab_order < b->description->tab_order;
  });
  std::vector<HWND> cycle;
  for (const ControlSlot* slot : stops) cycle.push_back(slot->window);
  return cycle;
}

void MainWindow::MoveFocus(bool forward) {
  const std::vector<HWND> cycle = TabCycle();
  if (cycle.empty()) return;
  const auto current = std::find(cycle.begin(), cycle.end(), GetFocus());
  std::size_t next = forward ? 0 : cycle.size() - 1;
  if (current != cycle.end()) {
    const auto at = static_cast<std::size_t>(current - cycle.begin());
    next = forward ? (at + 1) % cycle.size() : (at + cycle.size() - 1) % cycle.size();
  }
  SetFocusTo(cycle[next]);
}

void MainWindow::ClickDefaultButton() {
  auto is_default = [](const ControlSlot& slot) {
    return slot.description->kind == ControlKind::kButton &&
           slot.description->button->default_button && IsWindowEnabled(slot.window);
  };
  const ControlSlot* focused = SlotOf(GetFocus());
  if (focused != nullptr && is_default(*focused)) {
    SendMessageA(focused->window, BM_CLICK, 0, 0);
    return;
  }
  for (const ControlSlot& slot : controls_) {
    if (is_default(slot)) {
      SendMessageA(slot.window, BM_CLICK, 0, 0);
      return;
    }
  }
}

bool MainWindow::PreTranslateMessage(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  const bool ctrl = KeyDown(VK_CONTROL);
  const bool shift = KeyDown(VK_SHIFT);
  const bool alt = KeyDown(VK_MENU);
  switch (message.wParam) {
    case VK_TAB:
      if (ctrl || alt) return false;
      MoveFocus(!shift);
      return true;
    case VK_ESCAPE:
      if (ctrl || alt || shift || !description_.escape_closes) return false;
      SendMessageA(window_, WM_CLOSE, 0, 0);
      return true;
    case VK_RETURN:
      if (ctrl || alt || shift || description_.enter_moves_focus) return false;
      // The window takes Enter: a single-line box would only beep at it.
      ClickDefaultButton();
      return true;
    default:
      return false;
  }
}

void MainWindow::OnEditPainted(HWND edit, HRGN region) {
  for (const ControlSlot& slot : controls_) {
    if (slot.description->kind != ControlKind::kTransLabel) continue;
    TransLabel* label = TransLabel::FromHandle(slot.window);
    if (label != nullptr && label->beneath() == edit) label->DrawOverBeneath(region);
  }
}

LRESULT MainWindow::OnCommand(WPARAM wparam, LPARAM lparam) {
  auto control = reinterpret_cast<HWND>(lparam);
  const ControlDescription* description = DescriptionOf(control);
  if (description != nullptr && description->kind == ControlKind::kButton &&
      HIWORD(wparam) == BN_CLICKED) {
    OnControlEvent(control, EventCode::kClick, POINT{0, 0}, 0);
  }
  return 0;
}

LRESULT MainWindow::OnControlColourEdit(HDC dc, HWND edit) {
  const ControlSlot* slot = SlotOf(edit);
  if (slot == nullptr || slot->description->kind != ControlKind::kEditBox) {
    return DefWindowProcA(window_, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(edit));
  }
  SetTextColor(dc, ToColorRef(slot->description->edit_box->text_colour));
  SetBkColor(dc, ToColorRef(slot->description->edit_box->background_colour));
  return reinterpret_cast<LRESULT>(slot->background.get());
}

LRESULT MainWindow::OnActivate(WPARAM wparam, LPARAM lparam) {
  if (LOWORD(wparam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window_, focus)) focus_at_deactivation_ = focus;
    return 0;
  }
  if (HIWORD(wparam) != 0) return DefWindowProcA(window_, WM_ACTIVATE, wparam, lparam);
  OnSetFocus();
  return 0;
}

LRESULT MainWindow::OnSetFocus() {
  HWND target = focus_at_deactivation_;
  if (target == nullptr || !IsWindow(target) || !IsWindowVisible(target) ||
      !IsWindowEnabled(target)) {
    const std::vector<HWND> cycle = TabCycle();
    target = cycle.empty() ? nullptr : cycle.front();
  }
  if (target != nullptr) SetFocusTo(target);
  return 0;
}

void MainWindow::OnNcDestroy() {
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  const HWND gone = window_;
  window_ = nullptr;
  if (big_icon_ != nullptr) DestroyIcon(big_icon_);
  if (small_icon_ != nullptr) DestroyIcon(small_icon_);
  big_icon_ = small_icon_ = nullptr;
  const DestroyedCallback on_destroyed = on_destroyed_;
  if (owned_by_window_) delete this;
  if (on_destroyed != nullptr) on_destroyed(gone);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
    auto* main = static_cast<MainWindow*>(create->lpCreateParams);
    main->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(main));
  }
  auto* main = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (main == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  switch (message) {
    case WM_COMMAND:
      return main->OnCommand(wparam, lparam);
    case WM_CTLCOLOREDIT:
      return main->OnControlColourEdit(reinterpret_cast<HDC>(wparam),
                                       reinterpret_cast<HWND>(lparam));
    case WM_ACTIVATE:
      return main->OnActivate(wparam, lparam);
    case WM_SETFOCUS:
      return main->OnSetFocus();
    case WM_NCDESTROY: {
      const LRESULT result = DefWindowProcA(window, message, wparam, lparam);
      main->OnNcDestroy();
      return result;
    }
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

LRESULT CALLBACK MainWindow::EditProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* main = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  ControlSlot* slot = main != nullptr ? main->SlotOf(window) : nullptr;
  if (slot == nullptr || slot->original_procedure == nullptr) {
    return DefWindowProcA(window, message, wparam, lparam);
  }
  const WNDPROC original = slot->original_procedure;
  switch (message) {
    case WM_PAINT: {
      // The region the box is about to paint: the label is drawn over exactly that, once.
      Region update(CreateRectRgn(0, 0, 0, 0));
      const int kind = update ? GetUpdateRgn(window, update.get(), FALSE) : ERROR;
      const LRESULT result = CallWindowProcA(original, window, message, wparam, lparam);
      if (kind != ERROR && kind != NULLREGION) main->OnEditPainted(window, update.get());
      return result;
    }
    case WM_LBUTTONDBLCLK: {
      const LRESULT result = CallWindowProcA(original, window, message, wparam, lparam);
      const POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
      main->OnControlEvent(window, EventCode::kDoubleClick, at, MouseModifiers(wparam));
      return result;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      return CallWindowProcA(original, window, message, wparam, lparam);
    default:
      return CallWindowProcA(original, window, message, wparam, lparam);
  }
}

}  // namespace dorvane::app
