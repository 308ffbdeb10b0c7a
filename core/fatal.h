// The fatal report: the one way the tool fails. It tells the user what went wrong and ends the
// process with exit code -1 without running any exit callback.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dorvane {

enum class Failure {
  kIndexBelowOne,
  kIndexAboveCount,
  kOutOfMemory,
  kUnreadableWindowDescriptions,
  kStartWindowNotLoadable,
};

// The exit code of a process ended by a fatal report (all 32 bits set).
inline constexpr int kFatalExitCode = -1;

// Writes the report's text for a failure into out (always terminated, cut to out_size).
// bytes_asked is named for kOutOfMemory only.
void FormatFailure(Failure failure, std::uint64_t bytes_asked, char* out, std::size_t out_size);

// Shows the report, empties the exit-callback list without calling it, runs EndServices(-1)
// and ends the process with kFatalExitCode.
[[noreturn]] void FatalReport(Failure failure, std::uint64_t bytes_asked = 0);

// Replaces the way the report is shown (the message box); tests use this so that nothing
// waits for a click. nullptr restores the platform's own.
using FatalMessageShower = void (*)(const char* message);
void SetFatalMessageShower(FatalMessageShower shower);

}  // namespace dorvane
