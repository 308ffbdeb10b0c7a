// A test-only build of the tool for the end-to-end runs: the real RunProgram, with ways to put
// texts into the boxes, to close the window or raise a fatal report from inside the loop, and
// a record of when the exit routine ran. Dorvane.exe itself reads no command line.
//   dorvane_probe texts FILE     the two lines of FILE (code page 936) go into the boxes
//   dorvane_probe close LOG      the window is closed from inside the loop
//   dorvane_probe fatal LOG      a fatal report is raised from inside the loop; a watchdog
//                                dismisses its message box
// LOG receives one line each time ProgramExit runs.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/program.h"
#include "app/window_description.h"
#include "core/fatal.h"

namespace {

using dorvane::app::MainWindowHandle;

std::string g_mode;
std::string g_argument;
std::string g_first;
std::string g_second;

void AppendLine(const std::string& path, const std::string& line) {
  if (FILE* log = std::fopen(path.c_str(), "ab")) {
    std::fputs((line + "\n").c_str(), log);
    std::fclose(log);
  }
}

void OnProgramExit() {
  AppendLine(g_argument, std::string("ProgramExit window-exists=") +
                             (MainWindowHandle() != nullptr ? "1" : "0"));
}

BOOL CALLBACK FindMessageBox(HWND window, LPARAM out) {
  char name[16]{};
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, "#32770") != 0) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

DWORD WINAPI DismissMessageBox(void* thread) {
  const DWORD main_thread = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(thread));
  for (int attempt = 0; attempt < 200; ++attempt) {
    Sleep(50);
    HWND found = nullptr;
    EnumThreadWindows(main_thread, &FindMessageBox, reinterpret_cast<LPARAM>(&found));
    if (found != nullptr) {
      PostMessageA(found, WM_COMMAND, IDOK, 0);
      return 0;
    }
  }
  return 1;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (g_mode == "close") {
    PostMessageA(MainWindowHandle(), WM_CLOSE, 0, 0);
  } else if (g_mode == "fatal") {
    AppendLine(g_argument, "fatal report raised");
    const auto thread = reinterpret_cast<void*>(static_cast<UINT_PTR>(GetCurrentThreadId()));
    CloseHandle(CreateThread(nullptr, 0, &DismissMessageBox, thread, 0, nullptr));
    dorvane::FatalReport(dorvane::Failure::kOutOfMemory, 12345);
  }
}

void OnWindowLoaded(HWND main_window) {
  if (g_mode == "texts") {
    SetWindowTextA(GetDlgItem(main_window, static_cast<int>(dorvane::app::kEdit1Number)),
                   g_first.c_str());
    SetWindowTextA(GetDlgItem(main_window, static_cast<int>(dorvane::app::kEdit2Number)),
                   g_second.c_str());
  } else {
    SetTimer(nullptr, 0, 500, &OnTimer);
  }
}

bool ReadTexts(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::string content;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
    content.append(buffer, n);
  std::fclose(file);
  const std::size_t newline = content.find('\n');
  if (newline == std::string::npos) return false;
  g_first = content.substr(0, newline);
  g_second = content.substr(newline + 1);
  while (!g_second.empty() && (g_second.back() == '\n' || g_second.back() == '\r'))
    g_second.pop_back();
  return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 3) return 2;
  g_mode = __argv[1];
  g_argument = __argv[2];
  if (g_mode == "texts") {
    if (!ReadTexts(g_argument)) return 3;
  } else if (g_mode == "close" || g_mode == "fatal") {
    dorvane::app::SetProgramExitObserver(&OnProgramExit);
  } else {
    return 2;
  }
  dorvane::app::SetWindowLoadedObserver(&OnWindowLoaded);
  return dorvane::app::RunProgram();
}
