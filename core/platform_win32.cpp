// The platform layer on Windows: the process heap, an error message box and ExitProcess.
#include <windows.h>

#include "core/platform.h"

namespace dorvane::platform {

void* HeapAllocate(std::size_t n) noexcept {
  return HeapAlloc(GetProcessHeap(), 0, n == 0 ? 1 : n);
}

void HeapRelease(void* block) noexcept {
  HeapFree(GetProcessHeap(), 0, block);
}

std::size_t HeapBlockSize(const void* block) noexcept {
  return HeapSize(GetProcessHeap(), 0, block);
}

void ShowFatalMessage(const char* message) noexcept {
  // No owner window: the main window stays enabled while the box is open.
  MessageBoxA(nullptr, message, "Dorvane", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

void EndProcess(int code) noexcept {
  ExitProcess(static_cast<UINT>(code));
}

}  // namespace dorvane::platform
