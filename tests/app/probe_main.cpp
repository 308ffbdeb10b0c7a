// A test-only build of the tool for the end-to-end runs: the real RunProgram, with ways to put
// texts into the boxes, to close the window or raise a fatal report from inside the loop, and
// a record of when the exit routine ran. Dorvane.exe itself reads no command line.
//   dorvane_probe texts FILE     the two lines of FILE (code page 936) go into the boxes
//   dorvane_probe close LOG      the window is closed from inside the loop
//   dorvane_probe fatal LOG      a fatal report is raised from inside the loop; a watchdog
//                                dismisses its message box
//   dorvane_probe bench OUT      times Compare, click to end of repaint, for texts of 10 KB,
//                                100 KB and 1 MB, and writes the figures to OUT
// LOG receives one line each time ProgramExit runs.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/program.h"
#include "app/window_description.h"
#include "core/fatal.h"
#include "diff/compare.h"

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

// Two related texts of n bytes: the same pseudo-random letters, digits and ideographs, the
// second changed at a few places in every hundred bytes.
void MakeBenchTexts(std::size_t n, std::string* first, std::string* second) {
  std::uint32_t state = 12345;
  auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return (state >> 16) & 0x7FFF;
  };
  first->clear();
  while (first->size() < n) {
    const std::uint32_t r = next() % 64;
    if (r < 4 && first->size() + 2 <= n) {
      first->push_back(static_cast<char>(0xB0 + next() % 0x20));
      first->push_back(static_cast<char>(0xA1 + next() % 0x5E));
    } else {
      first->push_back("abcdefghijklmnopqrstuvwxyz0123456789"[next() % 36]);
    }
  }
  *second = *first;
  for (std::size_t i = 50; i < second->size(); i += 100) {
    if (static_cast<unsigned char>((*second)[i]) < 0x80 &&
        static_cast<unsigned char>((*second)[i - 1]) < 0x80) {
      (*second)[i] = 'X';
    }
  }
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

void DrainMessages() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    dorvane::app::HandleLoopMessage(message);
  }
}

struct NoLabels final : dorvane::LabelCaptions {
  void SetLabelCaption(dorvane::OverlayLabel, const dorvane::Text&) override {}
};

void RunBench(HWND main_window) {
  HWND edit1 = GetDlgItem(main_window, static_cast<int>(dorvane::app::kEdit1Number));
  HWND edit2 = GetDlgItem(main_window, static_cast<int>(dorvane::app::kEdit2Number));
  HWND compare = GetDlgItem(main_window, static_cast<int>(dorvane::app::kButton1Number));
  for (std::size_t n : {std::size_t{10000}, std::size_t{100000}, std::size_t{1000000}}) {
    std::string first, second;
    MakeBenchTexts(n, &first, &second);
    SetWindowTextA(edit1, first.c_str());
    SetWindowTextA(edit2, second.c_str());
    UpdateWindow(main_window);
    DrainMessages();
    LARGE_INTEGER start, engine_done, end;
    NoLabels none;
    QueryPerformanceCounter(&start);
    dorvane::CompareTexts(first.c_str(), second.c_str(), none);
    QueryPerformanceCounter(&engine_done);
    const double engine = Milliseconds(start, engine_done);
    QueryPerformanceCounter(&start);
    SendMessageA(compare, BM_CLICK, 0, 0);
    DrainMessages();
    RedrawWindow(main_window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    QueryPerformanceCounter(&end);
    char line[160];
    std::snprintf(line, sizeof line,
                  "compare %7zu bytes: %8.1f ms from the click to the end of the repaint "
                  "(comparison alone %8.1f ms)",
                  n, Milliseconds(start, end), engine);
    AppendLine(g_argument, line);
    // The labels are hidden again before the next size, as after a press on one.
    SendMessageA(GetDlgItem(main_window, static_cast<int>(dorvane::app::kLabel1Number)),
                 WM_LBUTTONDOWN, 0, 0);
    DrainMessages();
  }
  PostMessageA(main_window, WM_CLOSE, 0, 0);
}

void OnWindowLoaded(HWND main_window) {
  if (g_mode == "bench") {
    RunBench(main_window);
  } else if (g_mode == "texts") {
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
  } else if (g_mode == "bench") {
  } else if (g_mode == "close" || g_mode == "fatal") {
    dorvane::app::SetProgramExitObserver(&OnProgramExit);
  } else {
    return 2;
  }
  dorvane::app::SetWindowLoadedObserver(&OnWindowLoaded);
  return dorvane::app::RunProgram();
}
