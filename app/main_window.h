// The main window: made from its window description with its six controls, it handles the
// events of the controls, the keys it takes before the focused control, and gives the
// comparison its one window operation, SetLabelCaption.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/control_events.h"
#include "app/display_font.h"
#include "app/gdi.h"
#include "app/label_window.h"
#include "app/window_description.h"
#include "core/text.h"
#include "diff/compare.h"

namespace dorvane::app {

class MainWindow final : public LabelCaptions, public ControlEvents {
 public:
  static constexpr const char* kClassName = "DorvaneMainWindow";
  static bool RegisterWindowClass(HINSTANCE instance);
  static void UnregisterWindowClass(HINSTANCE instance);

  // Called once the window is gone (at WM_NCDESTROY), with its handle.
  using DestroyedCallback = void (*)(HWND window);

  // Runs the making steps and shows the window. Null when the window or one of its controls
  // cannot be made; nothing is left behind then. The object belongs to the window.
  static MainWindow* Create(const WindowDescription& description, HINSTANCE instance,
                            DestroyedCallback on_destroyed);
  // The main window of a window of this class; null for any other window.
  static MainWindow* FromHandle(HWND window);

  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND hwnd() const { return window_; }
  const WindowDescription& description() const { return description_; }
  const DisplayFont& font() const { return font_; }
  // The window of a control, by control number; null for an unknown number.
  HWND Control(std::uint32_t number) const;
  // The description of a control window of this window; null for any other window.
  const ControlDescription* DescriptionOf(HWND control) const;
  TransLabel* Label(OverlayLabel label) const;

  void SetLabelCaption(OverlayLabel label, const Text& caption) override;
  void OnControlEvent(HWND control, EventCode code, POINT at, int modifiers) override;

  // Looks at a message before the control it is addressed to; true when it is consumed.
  bool PreTranslateMessage(const MSG& message);
  void RunHandler(Handler handler);
  // The visible, enabled tab stops, ordered by tab order and then by creation order.
  std::vector<HWND> TabCycle() const;

  // The control operations of the handlers.
  static Text ReadText(HWND control);
  static void SetText(HWND control, TextRef text);
  static void SetVisible(HWND control, bool visible);
  static void SetFocusTo(HWND control);

 private:
  struct ControlSlot {
    const ControlDescription* description;
    HWND window;
    WNDPROC original_procedure;  // edit boxes: the system's procedure under ours
    Brush background;            // edit boxes: the solid brush of the background colour
  };

  MainWindow(const WindowDescription& description, DestroyedCallback on_destroyed);

  bool MakeControls(HINSTANCE instance);
  HWND CreateControl(const ControlDescription& control, HINSTANCE instance);
  bool StackControls();
  void ShowControls();
  ControlSlot* SlotOf(HWND control);
  const ControlSlot* SlotOf(HWND control) const;
  void MoveFocus(bool forward);
  void ClickDefaultButton();
  void OnEditPainted(HWND edit, HRGN region);

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnCommand(WPARAM wparam, LPARAM lparam);
  LRESULT OnControlColourEdit(HDC dc, HWND edit);
  LRESULT OnActivate(WPARAM wparam, LPARAM lparam);
  LRESULT OnSetFocus();
  void OnNcDestroy();

  HWND window_ = nullptr;
  const WindowDescription& description_;
  DestroyedCallback on_destroyed_;
  bool owned_by_window_ = false;
  DisplayFont font_;
  HICON big_icon_ = nullptr;
  HICON small_icon_ = nullptr;
  HWND focus_at_deactivation_ = nullptr;
  std::vector<ControlSlot> controls_;  // description order
};

}  // namespace dorvane::app
