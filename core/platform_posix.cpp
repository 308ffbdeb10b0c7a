// The platform layer on systems other than Windows: the C heap and standard error.
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "core/platform.h"

namespace dorvane::platform {

void* HeapAllocate(std::size_t n) noexcept {
  return std::malloc(n == 0 ? 1 : n);
}

void HeapRelease(void* block) noexcept {
  std::free(block);
}

std::size_t HeapBlockSize(const void* block) noexcept {
  return malloc_usable_size(const_cast<void*>(block));
}

void ShowFatalMessage(const char* message) noexcept {
  std::fprintf(stderr, "Dorvane: %s\n", message);
  std::fflush(stderr);
}

void EndProcess(int code) noexcept {
  std::fflush(stdout);
  // _exit: a fatal report must not run static destructors or atexit handlers.
  _exit(code);
}

}  // namespace dorvane::platform
