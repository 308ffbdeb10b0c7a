// Start-up and the message loop in-process: the loop-entered flag and the quit message.
#include "app/program.h"

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/window_description.h"
#include "core/fatal.h"
#include "core/services.h"

namespace dorvane::app {
namespace {

bool QuitMessageQueued() {
  MSG message{};
  return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

TEST(ProgramTest, WindowDestroyedBeforeTheLoopPostsNoQuit) {
  InitialiseServices();
  LoadWindow(kMainWindowNumber);
  HWND window = MainWindowHandle();
  ASSERT_NE(window, nullptr);
  DestroyWindow(window);
  EXPECT_FALSE(ToolWindowExists());
  EXPECT_FALSE(QuitMessageQueued());
  // No window of the tool: the loop returns at once instead of waiting for a quit message.
  RunMessageLoop();
  EXPECT_FALSE(QuitMessageQueued());
}

TEST(ProgramTest, WindowDestroyedInTheLoopPostsQuitZero) {
  InitialiseServices();
  LoadWindow(kMainWindowNumber);
  HWND window = MainWindowHandle();
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);
  RunMessageLoop();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(ToolWindowExists());
}

int g_exit_runs = 0;
bool g_window_at_exit = true;

TEST(ProgramTest, ProgramExitRunsOnceAtTheEnd) {
  SetProgramExitObserver([] {
    ++g_exit_runs;
    g_window_at_exit = ToolWindowExists();
  });
  InitialiseServices();
  RegisterExitCallback(&ProgramExit);
  RegisterExitCallback(&ProgramExit);
  EXPECT_EQ(ExitCallbackCount(), 1);
  LoadWindow(kMainWindowNumber);
  PostMessageA(MainWindowHandle(), WM_CLOSE, 0, 0);
  RunMessageLoop();
  EXPECT_EQ(g_exit_runs, 0);
  EndServices(0);
  EXPECT_EQ(g_exit_runs, 1);
  EXPECT_FALSE(g_window_at_exit);
}

void ShowNothing(const char*) {}

// A start window that cannot be found ends the process through the fatal report, with -1.
TEST(ProgramDeathTest, UnknownWindowNumberIsFatal) {
  EXPECT_EXIT(
      {
        SetFatalMessageShower(&ShowNothing);
        InitialiseServices();
        LoadWindow(0x52010002);
      },
      ::testing::ExitedWithCode(-1), "");
}

}  // namespace
}  // namespace dorvane::app
