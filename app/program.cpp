// Start-up, the message loop and the end of the process.
#include "app/program.h"

#include <vector>

#include "app/label_window.h"
#include "app/main_window.h"
#include "app/window_description.h"
#include "core/fatal.h"
#include "core/services.h"

namespace dorvane::app {
namespace {

bool g_loop_entered = false;
bool g_descriptions_ready = false;
bool g_classes_registered = false;
int g_quit_code = 0;
void (*g_exit_observer)() = nullptr;
void (*g_loaded_observer)(HWND) = nullptr;
// The windows LoadWindow made; the tool has one, the main window.
std::vector<HWND> g_tool_windows;

HINSTANCE Instance() {
  return GetModuleHandleA(nullptr);
}

void ReleaseDescriptions() {
  g_descriptions_ready = false;
}

void ReleaseServices() {
  if (g_classes_registered) {
    TransLabel::UnregisterWindowClass(Instance());
    MainWindow::UnregisterWindowClass(Instance());
    g_classes_registered = false;
  }
}

void OnToolWindowDestroyed(HWND window) {
  std::erase(g_tool_windows, window);
  if (g_loop_entered && !ToolWindowExists()) PostQuitMessage(0);
}

}  // namespace

void InitialiseServices() {
  if (!WindowDescriptionsReadable()) FatalReport(Failure::kUnreadableWindowDescriptions);
  g_descriptions_ready = true;
  SetServiceReleasers(&ReleaseDescriptions, &ReleaseServices);
}

void ProgramInit() {}

void ProgramExit() {
  if (g_exit_observer != nullptr) g_exit_observer();
}

void SetProgramExitObserver(void (*observer)()) {
  g_exit_observer = observer;
}

void SetWindowLoadedObserver(void (*observer)(HWND main_window)) {
  g_loaded_observer = observer;
}

void LoadWindow(std::uint32_t number) {
  const WindowDescription* description =
      g_descriptions_ready ? FindWindowDescription(number) : nullptr;
  if (description == nullptr) FatalReport(Failure::kStartWindowNotLoadable);
  if (!g_classes_registered) {
    if (!MainWindow::RegisterWindowClass(Instance()) ||
        !TransLabel::RegisterWindowClass(Instance())) {
      FatalReport(Failure::kStartWindowNotLoadable);
    }
    g_classes_registered = true;
  }
  MainWindow* main = MainWindow::Create(*description, Instance(), &OnToolWindowDestroyed);
  if (main == nullptr) FatalReport(Failure::kStartWindowNotLoadable);
  g_tool_windows.push_back(main->hwnd());
}

HWND MainWindowHandle() {
  for (HWND window : g_tool_windows) {
    if (IsWindow(window)) return window;
  }
  return nullptr;
}

bool ToolWindowExists() {
  return MainWindowHandle() != nullptr;
}

void HandleLoopMessage(const MSG& message) {
  for (HWND window = message.hwnd; window != nullptr; window = GetParent(window)) {
    if (MainWindow* main = MainWindow::FromHandle(window)) {
      if (main->PreTranslateMessage(message)) return;
      break;  // the main window is the last one asked
    }
    if ((GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0) break;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

void RunMessageLoop() {
  g_loop_entered = true;
  if (!ToolWindowExists()) return;
  MSG message{};
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      g_quit_code = static_cast<int>(message.wParam);
      return;
    }
    if (got == -1) return;
    HandleLoopMessage(message);
  }
}

int RunProgram() {
  InitialiseServices();
  ProgramInit();
  RegisterExitCallback(&ProgramExit);
  LoadWindow(kMainWindowNumber);
  if (g_loaded_observer != nullptr) g_loaded_observer(MainWindowHandle());
  RunMessageLoop();
  EndServices(g_quit_code);
  return g_quit_code;
}

}  // namespace dorvane::app
