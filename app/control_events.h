// How a control of the main window reports one of its events to the window that handles it.
#pragma once

#include <windows.h>

#include "app/window_description.h"

namespace dorvane::app {

// The modifier state handed to press and double-click handlers: 1 Ctrl, 2 Shift, 4 Alt.
enum class Modifier : int { kNone = 0, kCtrl = 1, kShift = 2, kAlt = 4 };

// The modifiers of a mouse message, from its wParam and the Alt key's state.
int MouseModifiers(WPARAM mouse_keys);

class ControlEvents {
 public:
  // at: the pointer in the control's client coordinates; modifiers: or-ed Modifier values.
  virtual void OnControlEvent(HWND control, EventCode code, POINT at, int modifiers) = 0;

 protected:
  ~ControlEvents() = default;
};

}  // namespace dorvane::app
