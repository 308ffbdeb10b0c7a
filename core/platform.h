// The few services of the operating system that the value layer needs: raw heap blocks,
// the text of a fatal report shown to the user, and the end of the process.
#pragma once

#include <cstddef>

namespace dorvane::platform {

// A block of n bytes from the process heap, or nullptr when the heap cannot give it.
void* HeapAllocate(std::size_t n) noexcept;
void HeapRelease(void* block) noexcept;
// The usable size of a block from HeapAllocate, for the storage statistics.
std::size_t HeapBlockSize(const void* block) noexcept;

// Shows the text of a fatal report: a modal error message box without owner window on
// Windows, a line on standard error elsewhere. Returns once the user has seen it.
void ShowFatalMessage(const char* message) noexcept;

// Ends the process at once with the given exit code; no static destructors run.
[[noreturn]] void EndProcess(int code) noexcept;

}  // namespace dorvane::platform
