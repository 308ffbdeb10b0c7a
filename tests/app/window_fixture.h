// The fixture of the window tests: the services and the main window made as at start-up, a
// message pump that goes through the loop's own pre-translation, and screen pixels.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/program.h"
#include "app/window_description.h"

namespace dorvane::app {

// Handles every queued message the way the message loop does.
inline void PumpMessages() {
  MSG message{};
  for (int round = 0; round < 4; ++round) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;
      HandleLoopMessage(message);
    }
    Sleep(10);
  }
}

// A rectangle of the screen as 0x00RRGGBB pixels, read through a DIB section.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> data;
  std::uint32_t at(int x, int y) const { return data[static_cast<std::size_t>(y) * width + x]; }
};

inline Pixels CaptureScreen(const RECT& area) {
  Pixels pixels;
  pixels.width = area.right - area.left;
  pixels.height = area.bottom - area.top;
  pixels.data.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, pixels.width, pixels.height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  const auto* source = static_cast<const std::uint32_t*>(bits);
  for (std::size_t i = 0; i < pixels.data.size(); ++i) pixels.data[i] = source[i] & 0xFFFFFF;
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

inline int Red(std::uint32_t pixel) {
  return static_cast<int>((pixel >> 16) & 0xFF);
}
inline int Green(std::uint32_t pixel) {
  return static_cast<int>((pixel >> 8) & 0xFF);
}
inline int Blue(std::uint32_t pixel) {
  return static_cast<int>(pixel & 0xFF);
}

// A pixel of a label's colour: red for the first label, azure (more blue than red) for the
// second; antialiased edges count as long as the hue is clear.
inline bool IsRedInk(std::uint32_t p) {
  return Red(p) - std::max(Green(p), Blue(p)) > 60;
}
inline bool IsAzureInk(std::uint32_t p) {
  return Blue(p) - Red(p) > 60;
}
inline bool IsInk(std::uint32_t p) {
  return IsRedInk(p) || IsAzureInk(p);
}
// A pixel of the box's black text, antialiased edges included.
inline bool IsGlyph(std::uint32_t p) {
  return Red(p) + Green(p) + Blue(p) < 3 * 235;
}

inline RECT ScreenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

inline std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int read = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(read > 0 ? read : 0));
  return text;
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitialiseServices();
    LoadWindow(kMainWindowNumber);
    main_ = MainWindow::FromHandle(MainWindowHandle());
    ASSERT_NE(main_, nullptr);
    PumpMessages();
  }
  void TearDown() override {
    if (HWND window = MainWindowHandle()) DestroyWindow(window);
    PumpMessages();
  }

  HWND Control(std::uint32_t number) const { return main_->Control(number); }
  HWND edit1() const { return Control(kEdit1Number); }
  HWND edit2() const { return Control(kEdit2Number); }
  HWND label1() const { return Control(kLabel1Number); }
  HWND label2() const { return Control(kLabel2Number); }
  HWND button1() const { return Control(kButton1Number); }
  HWND button2() const { return Control(kButton2Number); }

  void Compare() {
    SendMessageA(button1(), BM_CLICK, 0, 0);
    PumpMessages();
  }

  // Posts a key to the focused control and lets the loop's pre-translation see it, with the
  // given modifier keys held in the thread's key state.
  void PressKey(WPARAM key, bool shift = false, bool ctrl = false) {
    BYTE state[256]{};
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    state[VK_MENU] = 0;
    SetKeyboardState(state);
    HWND target = GetFocus() != nullptr ? GetFocus() : main_->hwnd();
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PumpMessages();
    state[VK_SHIFT] = 0;
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
  }

  MainWindow* main_ = nullptr;
};

}  // namespace dorvane::app
