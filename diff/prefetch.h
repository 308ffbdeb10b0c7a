// A hint to fetch memory that a scan will touch a few steps later, for the scans of the engine
// whose reads and writes jump all over arrays larger than the caches.
#pragma once

#include <cstdint>

namespace dorvane {

// How far ahead the scans prefetch: far enough to hide a memory access, near enough that the
// slot ahead is usually known already.
inline constexpr int32_t kPrefetchDistance = 16;

template <typename T>
inline void Prefetch(const T* address) {
#if defined(__GNUC__)
  __builtin_prefetch(address);
#else
  (void)address;
#endif
}

}  // namespace dorvane
