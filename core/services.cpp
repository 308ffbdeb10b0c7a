// The exit-callback list and the end steps.
#include "core/services.h"

namespace dorvane {
namespace {

// The tool registers one routine; the bound leaves room for tests and later needs without
// taking storage from the heap, so the list works even when memory is exhausted.
constexpr int kMaxExitCallbacks = 16;

ExitCallback g_callbacks[kMaxExitCallbacks];
int32_t g_callback_count = 0;
ExitCallback g_release_descriptions = nullptr;
ExitCallback g_release_rest = nullptr;
bool g_ending = false;

}  // namespace

void RegisterExitCallback(ExitCallback routine) {
  if (routine == nullptr) return;
  for (int32_t i = 0; i < g_callback_count; ++i) {
    if (g_callbacks[i] == routine) return;
  }
  if (g_callback_count < kMaxExitCallbacks) g_callbacks[g_callback_count++] = routine;
}

void ClearExitCallbacks() {
  g_callback_count = 0;
}

int32_t ExitCallbackCount() {
  return g_callback_count;
}

void SetServiceReleasers(ExitCallback descriptions, ExitCallback rest) {
  g_release_descriptions = descriptions;
  g_release_rest = rest;
}

bool ServicesEnding() {
  return g_ending;
}

namespace {

void RunOnce(ExitCallback& routine) {
  if (ExitCallback taken = routine) {
    routine = nullptr;
    taken();
  }
}

}  // namespace

void EndServices(int32_t /*code*/) {
  g_ending = true;
  RunOnce(g_release_descriptions);
  // A callback may register another; the loop bound follows the count as it stands.
  for (int32_t i = 0; i < g_callback_count; ++i) g_callbacks[i]();
  g_callback_count = 0;
  RunOnce(g_release_rest);
}

}  // namespace dorvane
