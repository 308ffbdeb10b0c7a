// Array records and byte buffers: layout, counts, the index checks and release.
#include <gtest/gtest.h>

#include <cstring>

#include "core/array.h"
#include "core/storage.h"
#include "test_support.h"

namespace dorvane {
namespace {

using ArrayDeathTest = testing::FatalPathTest;

TEST(ArrayRecordTest, NewArrayHasTheRecordLayout) {
  const ArrayRecord record = NewArray(10000);
  const auto* header = static_cast<const int32_t*>(record.Block());
  EXPECT_EQ(header[0], 1);
  EXPECT_EQ(header[1], 10000);
  EXPECT_EQ(ArrayCount(record), 10000);
  EXPECT_EQ(record.Room(), 10000);
  EXPECT_EQ(ArrayBlockBytes(10000), 8 + sizeof(void*) * 10000);
#if defined(_WIN32) && !defined(_WIN64)
  // In the 32-bit process a text reference takes 4 bytes.
  EXPECT_EQ(ArrayBlockBytes(10000), 40008u);
#endif
  const auto* slots = reinterpret_cast<const unsigned char*>(header + 2);
  for (std::size_t i = 0; i < 10000 * sizeof(ArraySlot); ++i) ASSERT_EQ(slots[i], 0) << i;
}

TEST(ArrayRecordTest, CountIsZeroForNoRecord) {
  const ArrayRecord none;
  EXPECT_EQ(ArrayCount(none), 0);
  const ArrayRecord empty = NewArray(0);
  EXPECT_EQ(ArrayCount(empty), 0);
}

TEST(ArrayRecordTest, LastElementIsReachableAndElementsAreDistinct) {
  IntArray numbers(NewArray(10000));
  numbers.Set(1, 7);
  numbers.Set(10000, -3);
  EXPECT_EQ(numbers.At(1), 7);
  EXPECT_EQ(numbers.At(10000), -3);
  EXPECT_EQ(numbers.At(2), 0);
}

TEST_F(ArrayDeathTest, IndexChecksEndTheProcess) {
  struct Case {
    const char* name;
    int32_t room;  // -1: no record
    int32_t size;  // size set in place, or -1 to keep the room
    int32_t index;
    const char* report;
  } cases[] = {
      {"one past the count", 10000, -1, 10001, "index above the element count"},
      {"zero", 10000, -1, 0, "index below 1"},
      {"minus one", 10000, -1, -1, "index below 1"},
      {"most negative", 10000, -1, INT32_MIN, "index below 1"},
      {"no record, index 1", -1, -1, 1, "index above the element count"},
      {"no record, index 0", -1, -1, 0, "index below 1"},
      {"size cut to 3, index 4", 10000, 3, 4, "index above the element count"},
  };
  for (const Case& c : cases) {
    ArrayRecord record = c.room < 0 ? ArrayRecord() : NewArray(c.room);
    if (c.size >= 0) record.SetSize(c.size);
    EXPECT_EXIT(ArrayElement(record, c.index), ::testing::ExitedWithCode(testing::kFatalExitSeen),
                c.report)
        << c.name;
  }
}

TEST(ArrayRecordTest, SizeSetInPlaceNeverExceedsTheRoom) {
  ArrayRecord record = NewArray(10);
  record.SetSize(3);
  EXPECT_EQ(ArrayCount(record), 3);
  EXPECT_EQ(record.Room(), 10);
  record.SetSize(11);
  EXPECT_EQ(ArrayCount(record), 10);
}

TEST(TextArrayTest, ReleaseFreesEveryTextAndSkipsEmptyElements) {
  const std::int64_t before = LiveBlockCount();
  {
    TextArray texts(NewArray(5));
    texts.Put(1, CopyText("a"));
    texts.Put(3, CopyText("bc"));
    texts.Put(3, CopyText("de"));  // the replaced element is released
    texts.Put(5, Text::Literal(kSpaceLiteral));
    EXPECT_STREQ(texts.At(3), "de");
    EXPECT_EQ(texts.At(2), nullptr);
    EXPECT_EQ(LiveBlockCount(), before + 3);  // the record and two texts
    ReleaseTextArray(texts);
    EXPECT_EQ(LiveBlockCount(), before);
    EXPECT_EQ(texts.Count(), 0);
    ReleaseTextArray(texts);  // no record: nothing happens
  }
  EXPECT_EQ(LiveBlockCount(), before);
}

TEST(ByteBufferTest, LayoutAndConversions) {
  EXPECT_TRUE(TextToBytes("").IsNone());
  EXPECT_TRUE(TextToBytes(nullptr).IsNone());
  const ByteBuffer ab = TextToBytes("ab");
  const auto* header = static_cast<const int32_t*>(ab.Block());
  EXPECT_EQ(header[0], 1);
  EXPECT_EQ(header[1], 2);
  EXPECT_EQ(std::memcmp(ab.Data(), "ab", 2), 0);

  const ByteBuffer none;
  const ByteBuffer c = TextToBytes(
      "\xD6\xD0"
      "c");
  const ByteBuffer joined = ConcatBytes({&ab, &none, &c});
  ASSERT_EQ(joined.Length(), 5);
  EXPECT_EQ(std::memcmp(joined.Data(),
                        "ab\xD6\xD0"
                        "c",
                        5),
            0);
  EXPECT_TRUE(ConcatBytes({&none, &none}).IsNone());
  EXPECT_TRUE(ByteBuffer::New(0).IsNone());
}

}  // namespace
}  // namespace dorvane
