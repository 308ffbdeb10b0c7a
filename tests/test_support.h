// Helpers shared by the tests: byte strings written with escapes, and a fatal report that
// prints instead of opening a message box.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/fatal.h"
#include "core/storage.h"
#include "core/text.h"

namespace dorvane::testing {

inline std::string Bytes(const char* text) {
  return text == nullptr ? std::string() : text;
}

// A readable form of a byte string for failure messages: bytes above 0x7E and below 0x20 as \xNN.
inline std::string Show(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    }
  }
  return out;
}

// The fatal report writes its text to standard error, where death tests look for it.
inline void PrintFatalMessage(const char* message) {
  std::fprintf(stderr, "%s\n", message);
  std::fflush(stderr);
}

// The exit code as the parent sees it: all 32 bits on Windows, the low byte elsewhere.
#ifdef _WIN32
inline constexpr int kFatalExitSeen = -1;
#else
inline constexpr int kFatalExitSeen = 255;
#endif

// Death tests of the fatal paths: the report prints instead of waiting for a click, and no
// injected allocation failure outlives its test.
class FatalPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    SetFatalMessageShower(&PrintFatalMessage);
  }
  void TearDown() override {
    SetFatalMessageShower(nullptr);
    InjectAllocationFailure(-1);
  }
};

}  // namespace dorvane::testing
