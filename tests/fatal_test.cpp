// The fatal report and the end steps: what the user is told, the exit code, and which exit
// callbacks run.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/fatal.h"
#include "core/services.h"
#include "core/storage.h"
#include "core/text.h"
#include "test_support.h"

namespace dorvane {
namespace {

// Were it called, the process would end with 42 instead of the fatal report's code.
void ExitWith42() {
  std::_Exit(42);
}

int g_order[8];
int g_order_count = 0;
void First() {
  g_order[g_order_count++] = 1;
}
void Second() {
  g_order[g_order_count++] = 2;
}
void ReleaseDescriptions() {
  g_order[g_order_count++] = 10;
}
void ReleaseRest() {
  g_order[g_order_count++] = 20;
}

using FatalDeathTest = testing::FatalPathTest;

TEST(FormatFailureTest, NamesEachFailure) {
  struct Case {
    const char* name;
    Failure failure;
    std::uint64_t bytes;
    const char* expected_part;
  } cases[] = {
      {"below one", Failure::kIndexBelowOne, 0, "index below 1"},
      {"above count", Failure::kIndexAboveCount, 0, "above the element count"},
      {"memory names the bytes", Failure::kOutOfMemory, 40008, "40008 bytes"},
      {"descriptions", Failure::kUnreadableWindowDescriptions, 0, "window descriptions"},
      {"start window", Failure::kStartWindowNotLoadable, 0, "start window"},
  };
  for (const Case& c : cases) {
    char text[160];
    FormatFailure(c.failure, c.bytes, text, sizeof text);
    EXPECT_NE(std::strstr(text, c.expected_part), nullptr) << c.name << ": " << text;
  }
}

TEST_F(FatalDeathTest, ExhaustedMemoryNamesTheBytesAndSkipsExitCallbacks) {
  EXPECT_EXIT(
      {
        RegisterExitCallback(&ExitWith42);
        InjectAllocationFailure(0);
        const Text text = BlankText(9999);  // asks for 10000 bytes
        std::fprintf(stderr, "returned %p\n", static_cast<const void*>(text.get()));
      },
      ::testing::ExitedWithCode(testing::kFatalExitSeen), "out of memory .10000 bytes");
}

TEST_F(FatalDeathTest, NoExitCallbackRunsAfterAFatalReport) {
  EXPECT_EXIT(
      {
        RegisterExitCallback(&ExitWith42);
        FatalReport(Failure::kStartWindowNotLoadable);
      },
      ::testing::ExitedWithCode(testing::kFatalExitSeen), "start window");
}

TEST_F(FatalDeathTest, AnUnsatisfiableSizeIsExhaustedMemory) {
  EXPECT_EXIT(AllocateBlock(static_cast<std::size_t>(INT32_MAX) + 1),
              ::testing::ExitedWithCode(testing::kFatalExitSeen), "2147483648 bytes");
}

TEST(EndServicesTest, ReleasesDescriptionsThenCallsEachRoutineOnceInOrderThenTheRest) {
  ClearExitCallbacks();
  g_order_count = 0;
  SetServiceReleasers(&ReleaseDescriptions, &ReleaseRest);
  RegisterExitCallback(&First);
  RegisterExitCallback(&Second);
  RegisterExitCallback(&First);  // already there: no second entry
  EXPECT_EQ(ExitCallbackCount(), 2);
  EndServices(0);
  ASSERT_EQ(g_order_count, 4);
  EXPECT_EQ(g_order[0], 10);
  EXPECT_EQ(g_order[1], 1);
  EXPECT_EQ(g_order[2], 2);
  EXPECT_EQ(g_order[3], 20);
  EXPECT_EQ(ExitCallbackCount(), 0);
  EXPECT_TRUE(ServicesEnding());
  EndServices(0);  // the list is empty and the releasers have run: nothing happens again
  EXPECT_EQ(g_order_count, 4);
}

}  // namespace
}  // namespace dorvane
