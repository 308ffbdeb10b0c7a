// The entry of Dorvane.exe: the C runtime has done the process start-up; the tool takes over.
#include <windows.h>

#include "app/program.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*command_line*/,
                   int /*show*/) {
  return dorvane::app::RunProgram();
}
