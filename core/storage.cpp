// Storage on top of the platform heap, with the literal pool that release never touches.
#include "core/storage.h"

#include <cstdint>

#include "core/fatal.h"
#include "core/platform.h"
#include "core/text.h"

namespace dorvane {
namespace {

std::int64_t g_fail_after = -1;
std::int64_t g_live_blocks = 0;
std::int64_t g_live_bytes = 0;
std::int64_t g_peak_bytes = 0;

// Blocks are bounded so that every length and position inside them stays a 32-bit signed
// integer, as the values promise.
constexpr std::size_t kMaxBlock = static_cast<std::size_t>(INT32_MAX);

}  // namespace

void* AllocateBlock(std::size_t n) {
  if (g_fail_after == 0) {
    g_fail_after = -1;
    FatalReport(Failure::kOutOfMemory, n);
  }
  if (g_fail_after > 0) --g_fail_after;
  void* block = n <= kMaxBlock ? platform::HeapAllocate(n) : nullptr;
  if (block == nullptr) FatalReport(Failure::kOutOfMemory, n);
  ++g_live_blocks;
  g_live_bytes += static_cast<std::int64_t>(platform::HeapBlockSize(block));
  if (g_live_bytes > g_peak_bytes) g_peak_bytes = g_live_bytes;
  return block;
}

void ReleaseBlock(const void* block) {
  if (block == nullptr || IsLiteral(block)) return;
  --g_live_blocks;
  g_live_bytes -= static_cast<std::int64_t>(platform::HeapBlockSize(block));
  platform::HeapRelease(const_cast<void*>(block));
}

bool IsLiteral(const void* block) {
  const auto address = reinterpret_cast<std::uintptr_t>(block);
  const auto pool = reinterpret_cast<std::uintptr_t>(kLiteralPool);
  return address >= pool && address < pool + sizeof kLiteralPool;
}

void InjectAllocationFailure(std::int64_t successes) {
  g_fail_after = successes;
}

std::int64_t LiveBlockCount() {
  return g_live_blocks;
}

std::int64_t LiveBlockBytes() {
  return g_live_bytes;
}

std::int64_t PeakBlockBytes() {
  return g_peak_bytes;
}

void ResetPeakBlockBytes() {
  g_peak_bytes = g_live_bytes;
}

}  // namespace dorvane
