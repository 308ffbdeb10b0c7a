// Segmentation and the unit list: the separator after every unit, and the split at TAB.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/storage.h"
#include "diff/segment.h"
#include "test_support.h"

namespace dorvane {
namespace {

using testing::Bytes;
using testing::Show;

struct UnitCase {
  const char* name;
  const char* text;
  const char* segmented;
  std::vector<std::string> units;  // "" stands for an empty element (no text)
};

const UnitCase kUnitCases[] = {
    {"three one-byte units", "abc", "a\tb\tc\t", {"a", "b", "c"}},
    {"two-byte unit in the middle",
     "a\xD6\xD0"
     "b",
     "a\t\xD6\xD0\tb\t",
     {"a", "\xD6\xD0", "b"}},
    {"empty text", "", "", {}},
    {"TAB unit is two empty elements", "a\tb", "a\t\t\tb\t", {"a", "", "", "b"}},
    {"lone TAB", "\t", "\t\t", {"", ""}},
    {"TAB last", "a\t", "a\t\t\t", {"a", "", ""}},
    {"lone lead byte last", "ab\xD6", "a\tb\t\xD6", {"a", "b", "\xD6"}},
    {"lone lead byte alone", "\xD6", "\xD6", {"\xD6"}},
    {"TAB as second byte", "\xD6\t", "\xD6\t\t", {"\xD6\t"}},
    {"0x80 is a lead byte",
     "\x80"
     "a",
     "\x80"
     "a\t",
     {"\x80"
      "a"}},
    {"0xFF is a lead byte",
     "\xFF\xFF"
     "a",
     "\xFF\xFF\ta\t",
     {"\xFF\xFF", "a"}},
    {"lead byte before lead byte", "\xB0\xB0\xB0", "\xB0\xB0\t\xB0", {"\xB0\xB0", "\xB0"}},
    // Only one-byte units: the segmented text fills its 2 x L + 1 buffer exactly.
    {"five one-byte units", "vwxyz", "v\tw\tx\ty\tz\t", {"v", "w", "x", "y", "z"}},
};

TEST(SegmentationTest, SegmentsAndSplitsEveryCase) {
  for (const UnitCase& c : kUnitCases) {
    const Text segmented = SegmentText(c.text, "\t");
    EXPECT_EQ(Show(Bytes(segmented.get())), Show(c.segmented)) << c.name;

    TextArray units(NewArray(10000));
    const int32_t count = SplitIntoUnits(c.text, units);
    ASSERT_EQ(count, static_cast<int32_t>(c.units.size())) << c.name;
    ASSERT_EQ(units.Count(), count) << c.name;
    EXPECT_EQ(units.Record().Dimensions(), 1) << c.name;
    for (int32_t k = 1; k <= count; ++k) {
      const std::string& expected = c.units[static_cast<std::size_t>(k - 1)];
      if (expected.empty()) {
        EXPECT_EQ(units.At(k), nullptr) << c.name << " element " << k;
      } else {
        EXPECT_EQ(Show(Bytes(units.At(k))), Show(expected)) << c.name << " element " << k;
      }
    }
  }
}

TEST(SegmentationTest, AbsentTextIsTheEmptyText) {
  EXPECT_EQ(Bytes(SegmentText(nullptr, "\t").get()), "");
  TextArray units(NewArray(3));
  EXPECT_EQ(SplitIntoUnits(nullptr, units), 0);
  EXPECT_EQ(units.Record().Dimensions(), 1);
}

TEST(SegmentationTest, SeparatorChoices) {
  struct Case {
    const char* name;
    const char* separator;
    const char* segmented;
  } cases[] = {
      {"empty separator is a space", "", "a b "},
      {"absent separator is a space", nullptr, "a b "},
      {"longer separator uses its first byte", "-+", "a-b-"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Bytes(SegmentText("ab", c.separator).get()), c.segmented) << c.name;
  }
}

TEST(SplitTextTest, PiecesBetweenSeparators) {
  struct Case {
    const char* name;
    const char* text;
    const char* separator;
    std::vector<std::string> pieces;
  } cases[] = {
      {"separator first gives an empty first piece", ",a", ",", {"", "a"}},
      {"two separators give an empty piece between", "a,,b", ",", {"a", "", "b"}},
      {"separator last adds nothing", "a,", ",", {"a"}},
      {"empty text", "", ",", {}},
      {"second byte of a unit never matches", "\xD6,a,b", ",", {"\xD6,a", "b"}},
      {"two-byte separator", "a--b--", "--", {"a", "b"}},
      {"lone lead byte ends the search", "a,\xD6", ",", {"a", "\xD6"}},
  };
  for (const Case& c : cases) {
    const TextArray pieces = SplitText(c.text, c.separator);
    ASSERT_EQ(pieces.Count(), static_cast<int32_t>(c.pieces.size())) << c.name;
    for (int32_t k = 1; k <= pieces.Count(); ++k) {
      EXPECT_EQ(Show(Bytes(pieces.At(k))), Show(c.pieces[static_cast<std::size_t>(k - 1)]))
          << c.name << " piece " << k;
    }
  }
}

TEST(SplitIntoUnitsTest, ReplacesTheCallersListWithoutLeaking) {
  const std::int64_t before = LiveBlockCount();
  {
    TextArray units(NewArray(10000));
    EXPECT_EQ(units.Count(), 10000);
    EXPECT_EQ(SplitIntoUnits("ab\xD6\xD0", units), 3);
    EXPECT_EQ(SplitIntoUnits("xyz", units), 3);
    EXPECT_STREQ(units.At(3), "z");
    EXPECT_EQ(LiveBlockCount(), before + 4);  // the record and its three texts
  }
  EXPECT_EQ(LiveBlockCount(), before);
}

}  // namespace
}  // namespace dorvane
