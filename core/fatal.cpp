// The fatal report.
#include "core/fatal.h"

#include <cstdio>

#include "core/platform.h"
#include "core/services.h"

namespace dorvane {
namespace {

FatalMessageShower g_shower = nullptr;

}  // namespace

void FormatFailure(Failure failure, std::uint64_t bytes_asked, char* out, std::size_t out_size) {
  if (out == nullptr || out_size == 0) return;
  switch (failure) {
    case Failure::kIndexBelowOne:
      std::snprintf(out, out_size, "Fatal error: array index below 1.");
      break;
    case Failure::kIndexAboveCount:
      std::snprintf(out, out_size, "Fatal error: array index above the element count.");
      break;
    case Failure::kOutOfMemory:
      std::snprintf(out, out_size, "Fatal error: out of memory (%llu bytes asked for).",
                    static_cast<unsigned long long>(bytes_asked));
      break;
    case Failure::kUnreadableWindowDescriptions:
      std::snprintf(out, out_size, "Fatal error: the window descriptions cannot be read.");
      break;
    case Failure::kStartWindowNotLoadable:
      std::snprintf(out, out_size, "Fatal error: the start window cannot be loaded.");
      break;
  }
}

void SetFatalMessageShower(FatalMessageShower shower) {
  g_shower = shower;
}

void FatalReport(Failure failure, std::uint64_t bytes_asked) {
  // The text is formatted into a fixed buffer: the report must work when the heap is gone.
  char message[160];
  FormatFailure(failure, bytes_asked, message, sizeof message);
  if (g_shower != nullptr) {
    g_shower(message);
  } else {
    platform::ShowFatalMessage(message);
  }
  ClearExitCallbacks();
  EndServices(kFatalExitCode);
  platform::EndProcess(kFatalExitCode);
}

}  // namespace dorvane
