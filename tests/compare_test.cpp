// The comparison: overlays for the documented cases, the decisions for two-byte units, TAB and
// the mark byte, the order of the captions, long texts, and the routines of the step-by-step
// procedure.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/storage.h"
#include "diff/compare.h"
#include "diff/coverage.h"
#include "diff/reference.h"
#include "recording_labels.h"
#include "test_support.h"

namespace dorvane {
namespace {

using testing::Bytes;
using testing::Padded;
using testing::RecordingLabels;
using testing::Show;

struct OverlayCase {
  const char* name;
  const char* first;
  const char* second;
  const char* first_shown;
  const char* second_shown;
};

// Texts of single-byte units: the step-by-step procedure fixes these overlays completely.
const OverlayCase kSingleByteCases[] = {
    {"shared pair of two stays shown", "abcdef", "abcXef", "   def", "   Xef"},
    {"common run in the middle", "xxabcyy", "zzabcww", "xx   yy", "zz   ww"},
    {"identical texts of three", "abc", "abc", "", ""},
    {"identical texts of two", "ab", "ab", "ab", "ab"},
    {"no run of three in common", "abxcd", "abycd", "abxcd", "abycd"},
    {"case counts", "ABCDEF", "abcdef", "ABCDEF", "abcdef"},
    {"only the first occurrence covers", "abcabcX", "abcY", "   abcX", "   Y"},
    {"empty first text", "", "abc", "", "abc"},
    {"absent second text", "abc", nullptr, "abc", ""},
    {"both empty", "", "", "", ""},
    {"a shorter run's first occurrence covers elsewhere", "abcd", "xbcdyabc", "    ", "x   y   "},
};

// Texts with two-byte units, TAB units and the mark byte 0x14, which the step-by-step overlay
// places wrongly: the expected overlays show every uncovered unit at its own byte offset.
const OverlayCase kUnitCases[] = {
    {"identical double-byte texts", "\xD6\xD0\xCE\xC4\xB1\xBE", "\xD6\xD0\xCE\xC4\xB1\xBE", "", ""},
    {"uncovered two-byte unit stays in its place",
     "ab\xD6\xD0"
     "cdef",
     "abXcdef", "ab\xD6\xD0    ", "abX    "},
    {"two-byte units ahead keep later units in place",
     "\xD6\xD0\xCE\xC4xyz"
     "1",
     "\xD6\xD0\xCE\xC4xyz"
     "2",
     "       1", "       2"},
    {"mark byte covered is not shown",
     "a\x14"
     "bc",
     "a\x14"
     "bc",
     "", ""},
    {"mark byte uncovered is shown",
     "a\x14"
     "b",
     "xyz",
     "a\x14"
     "b",
     "xyz"},
    {"TAB is a unit of a run", "a\tb", "a\tb", "", ""},
    {"TAB uncovered stays in its place", "xa\tbcd", "bcd", "xa\t   ", ""},
    // The lone lead byte ending the first text matches the lead byte of 0xD6 0xD0: the run
    // "ab\xD6" covers only that byte of the second text, and the unit is not shown.
    {"lone lead byte covers half a unit", "ab\xD6",
     "ab\xD6\xD0"
     "c",
     "ab?", "    c"},
    {"uncovered lone lead byte becomes a question mark", "xyz\xD6", "abc", "xyz?", "abc"},
    {"lone lead byte after a covered run", "abc\xB0", "abcd", "   ?", "   d"},
};

void ExpectOverlays(const OverlayCase& c) {
  RecordingLabels labels;
  CompareTexts(c.first, c.second, labels);
  ASSERT_EQ(labels.calls.size(), 2u) << c.name;
  EXPECT_EQ(labels.calls[0].first, OverlayLabel::kFirst) << c.name;
  EXPECT_EQ(labels.calls[1].first, OverlayLabel::kSecond) << c.name;
  EXPECT_EQ(Show(labels.calls[0].second), Show(Padded(c.first_shown))) << c.name;
  EXPECT_EQ(Show(labels.calls[1].second), Show(Padded(c.second_shown))) << c.name;
}

TEST(CompareTextsTest, SingleByteOverlays) {
  for (const OverlayCase& c : kSingleByteCases) ExpectOverlays(c);
}

TEST(CompareTextsTest, StepByStepProcedureGivesTheSameSingleByteOverlays) {
  for (const OverlayCase& c : kSingleByteCases) {
    RecordingLabels labels;
    CompareTextsReference(c.first, c.second, labels);
    ASSERT_EQ(labels.calls.size(), 2u) << c.name;
    EXPECT_EQ(Show(labels.calls[0].second), Show(Padded(c.first_shown))) << c.name;
    EXPECT_EQ(Show(labels.calls[1].second), Show(Padded(c.second_shown))) << c.name;
  }
}

TEST(CompareTextsTest, UnitOverlays) {
  for (const OverlayCase& c : kUnitCases) ExpectOverlays(c);
}

TEST(CompareTextsTest, LongTextsAreComparedWhole) {
  // Two 30000-byte texts that differ only at their ends: the overlays are as long as the texts
  // and only the last bytes stand.
  std::string base;
  for (int i = 0; base.size() < 30000 - 1; ++i)
    base += static_cast<char>('a' + (i * 7 + i / 26) % 26);
  const std::string first = base + "1";
  const std::string second = base + "2";
  RecordingLabels labels;
  CompareTexts(first.c_str(), second.c_str(), labels);
  ASSERT_EQ(labels.calls.size(), 2u);
  EXPECT_EQ(labels.calls[0].second, std::string(29999, ' ') + "1");
  EXPECT_EQ(labels.calls[1].second, std::string(29999, ' ') + "2");
}

TEST(CompareTextsTest, SixteenMegabyteTextsAreComparedWhole) {
  // Random texts over four letters, the second with one byte changed in the middle. A run of
  // 24 letters of such a text stands nowhere else in it, so in the second text every byte but
  // the changed one is covered, and in the first any byte left shown lies near the change
  // (a shorter run can have its first occurrence there). The overlays are as long as the texts.
  constexpr std::size_t kLength = 16 << 20;
  constexpr std::size_t kNear = 24;
  std::mt19937 random(3);
  std::string first(kLength, 'a');
  for (char& c : first) c = static_cast<char>('a' + random() % 4);
  std::string second = first;
  const std::size_t middle = kLength / 2;
  second[middle] = 'x';
  RecordingLabels labels;
  CompareTexts(first.c_str(), second.c_str(), labels);
  ASSERT_EQ(labels.calls.size(), 2u);
  const std::string& overlay1 = labels.calls[0].second;
  const std::string& overlay2 = labels.calls[1].second;
  ASSERT_EQ(overlay1.size(), kLength);
  ASSERT_EQ(overlay2.size(), kLength);
  EXPECT_EQ(overlay2.find_first_not_of(' '), middle);
  EXPECT_EQ(overlay2.find_last_not_of(' '), middle);
  EXPECT_EQ(overlay2[middle], 'x');
  const std::size_t shown_first = overlay1.find_first_not_of(' ');
  if (shown_first != std::string::npos) {
    EXPECT_GE(shown_first + kNear, middle);
    EXPECT_LE(overlay1.find_last_not_of(' '), middle + kNear);
  }
}

TEST(CompareTextsTest, ReleasesEverythingItMade) {
  const std::int64_t before = LiveBlockCount();
  {
    RecordingLabels labels;
    CompareTexts(
        "ab\xD6\xD0"
        "cdef\t",
        "abXcdef\xB0", labels);
    CompareTextsReference(
        "ab\xD6\xD0"
        "cdef\t",
        "abXcdef\xB0", labels);
  }
  EXPECT_EQ(LiveBlockCount(), before);
}

TEST(FirstOccurrenceTest, FindsOnlyAtUnitStarts) {
  struct Case {
    const char* name;
    const char* haystack;
    const char* needle;
    int32_t position;
  } cases[] = {
      {"first of two", "xabab", "ab", 2},
      {"absent", "abc", "abd", -1},
      {"empty needle in a text", "abc", "", 1},
      {"empty needle in the empty text", "", "", -1},
      {"needle longer than haystack", "ab", "abc", -1},
      {"never at a trail byte",
       "\xD6\xD0\xD0"
       "a",
       "\xD0\xD0", -1},
      {"after a two-byte unit",
       "\xD6\xD0\xD0"
       "a",
       "\xD0"
       "a",
       3},
      {"lone lead byte at the end matches itself", "ab\xD6", "\xD6", 3},
      {"case counts", "ABC", "abc", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FirstOccurrence(c.haystack, c.needle), c.position) << c.name;
  }
}

TEST(TextRoutinesTest, HeadBytesAndOverwriteAt) {
  EXPECT_EQ(Bytes(HeadBytes("abcdef", 3).get()), "abc");
  EXPECT_EQ(Bytes(HeadBytes("ab", 5).get()), "ab");
  EXPECT_TRUE(HeadBytes("ab", 0).IsNone());
  EXPECT_TRUE(HeadBytes("", 4).IsNone());
  EXPECT_EQ(Bytes(HeadBytes("\xD6\xD0", 1).get()), "\xD6");  // bytes, not units

  Text target = CopyText("......");
  OverwriteAt("ab", target, 4);
  OverwriteAt("", target, 6);
  OverwriteAt("x", target, 0);
  EXPECT_EQ(Bytes(target.get()), "x...ab");
}

TEST(TextRoutinesTest, CollectMarkPositionsNumbersUnits) {
  struct Case {
    const char* name;
    const char* mask;
    std::vector<int32_t> positions;
  } cases[] = {
      {"empty mask", "", {}},
      {"single bytes",
       "\x14"
       "a\x14",
       {1, 3}},
      {"two-byte unit counts once", "\xD6\xD0\x14", {2}},
      {"lead byte at the end ends the walk", "\x14\xD6", {1}},
  };
  for (const Case& c : cases) {
    IntArray positions(NewArray(10000));
    const int32_t count = CollectMarkPositions(c.mask, positions);
    ASSERT_EQ(count, static_cast<int32_t>(c.positions.size())) << c.name;
    EXPECT_EQ(positions.Count(), count) << c.name;
    for (int32_t l = 1; l <= count; ++l) {
      EXPECT_EQ(positions.At(l), c.positions[static_cast<std::size_t>(l - 1)]) << c.name;
    }
  }
}

using CompareDeathTest = testing::FatalPathTest;

TEST_F(CompareDeathTest, ExhaustedMemoryEndsWithTheFatalReport) {
  // The failure is injected at several depths of the engine; each ends with the report only.
  for (std::int64_t successes : {0, 1, 3, 6, 10}) {
    EXPECT_EXIT(
        {
          RecordingLabels labels;
          InjectAllocationFailure(successes);
          CompareTexts("abcdef\xD6\xD0", "xbcdefg", labels);
          std::fprintf(stderr, "compare returned\n");
          std::_Exit(3);
        },
        ::testing::ExitedWithCode(testing::kFatalExitSeen), "out of memory")
        << successes;
  }
}

}  // namespace
}  // namespace dorvane
