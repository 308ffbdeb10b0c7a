// Start-up and end of the process: the services, the main window, the message loop with its
// pre-translation, and the end steps.
#pragma once

#include <windows.h>

#include <cstdint>

namespace dorvane::app {

// The whole life of the tool, from the services to the end steps after the message loop.
// Returns the exit code the quit message carried.
int RunProgram();

// Readies the window descriptions (the storage and the fatal report need nothing more).
void InitialiseServices();
// The tool's own initialisation and exit routine; both do nothing.
void ProgramInit();
void ProgramExit();
// Makes the window of this number from its description; a fatal report when it cannot.
void LoadWindow(std::uint32_t number);
// Takes and dispatches messages until the quit message; returns at once when no window of the
// tool exists.
void RunMessageLoop();
// One message of the loop: offered for pre-translation to the window it is addressed to and
// its parents up to the main window, then translated and dispatched unless consumed.
void HandleLoopMessage(const MSG& message);

// The main window made by LoadWindow, while it exists.
HWND MainWindowHandle();
// True while some window of the tool exists.
bool ToolWindowExists();

// Test hook: a routine that ProgramExit calls, so that a test can see when and how often the
// exit routine ran. Null (the default) for none.
void SetProgramExitObserver(void (*observer)());

// Test hook: a routine that RunProgram calls once the main window is made, before the loop.
void SetWindowLoadedObserver(void (*observer)(HWND main_window));

}  // namespace dorvane::app
