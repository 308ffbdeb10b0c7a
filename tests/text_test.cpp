// Texts: lengths, joins, copies, blanks and one-byte texts, with their ownership rules.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/storage.h"
#include "core/text.h"
#include "test_support.h"

namespace dorvane {
namespace {

using testing::Bytes;

TEST(ByteLengthTest, CountsBytesBeforeTheTerminator) {
  struct Case {
    const char* name;
    const char* text;
    int32_t length;
  } cases[] = {
      {"no text", nullptr, 0},
      {"empty text", "", 0},
      {"ascii", "abc", 3},
      {"two-byte unit counts two", "a\xD6\xD0", 3},
      {"lone lead byte", "ab\xD6", 3},
  };
  for (const Case& c : cases) EXPECT_EQ(ByteLength(c.text), c.length) << c.name;
}

TEST(JoinTextsTest, JoinsInOrderAndAlwaysGivesAFreshBlock) {
  struct Case {
    const char* name;
    const char* first;
    const char* second;
    const char* joined;
  } cases[] = {
      {"two empty texts", "", "", ""},
      {"no text and text", nullptr, "ab", "ab"},
      {"text and no text", "ab", nullptr, "ab"},
      {"both absent", nullptr, nullptr, ""},
      {"plain join", "ab", "cd", "abcd"},
      {"bytes above 0x7F kept", "\xD6", "\xD0", "\xD6\xD0"},
  };
  for (const Case& c : cases) {
    const Text joined = JoinTexts(c.first, c.second);
    ASSERT_FALSE(joined.IsNone()) << c.name;
    EXPECT_FALSE(IsLiteral(joined.get())) << c.name;
    EXPECT_NE(joined.get(), c.first) << c.name;
    EXPECT_NE(joined.get(), c.second) << c.name;
    EXPECT_EQ(Bytes(joined.get()), c.joined) << c.name;
  }
  const Text three = JoinTexts({"a", nullptr, "bc", ""});
  EXPECT_EQ(Bytes(three.get()), "abc");
}

TEST(CopyTextTest, CopiesIntoAFreshBlock) {
  EXPECT_TRUE(CopyText(nullptr).IsNone());
  const Text empty = CopyText(kEmptyLiteral);
  ASSERT_FALSE(empty.IsNone());
  EXPECT_NE(empty.get(), kEmptyLiteral);
  EXPECT_STREQ(empty.get(), "");
  const char source[] = "x\xB0\xA1y";
  const Text copy = CopyText(source);
  EXPECT_NE(copy.get(), source);
  EXPECT_STREQ(copy.get(), source);
}

TEST(BlankTextTest, MakesSpacesOrNoText) {
  EXPECT_TRUE(BlankText(0).IsNone());
  EXPECT_TRUE(BlankText(-5).IsNone());
  EXPECT_EQ(Bytes(BlankText(3).get()), "   ");
  const Text wide = BlankText(10000);
  ASSERT_EQ(ByteLength(wide), 10000);
  EXPECT_EQ(std::string(wide.get()).find_first_not_of(' '), std::string::npos);
}

TEST(CharTextTest, TakesTheLowByte) {
  struct Case {
    const char* name;
    int32_t code;
    const char* text;  // nullptr: no text
  } cases[] = {
      {"zero", 0, nullptr},
      {"tab", 9, "\t"},
      {"mark byte", 20, "\x14"},
      {"265 wraps to tab", 265, "\t"},
      {"256 wraps to zero", 256, nullptr},
      {"high byte", 0xD6, "\xD6"},
  };
  for (const Case& c : cases) {
    const Text text = CharText(c.code);
    if (c.text == nullptr) {
      EXPECT_TRUE(text.IsNone()) << c.name;
    } else {
      EXPECT_EQ(Bytes(text.get()), c.text) << c.name;
    }
  }
}

TEST(TextOwnershipTest, EveryBlockIsReleasedOnceAndLiteralsNever) {
  const std::int64_t before = LiveBlockCount();
  {
    Text a = CopyText("abc");
    Text b = std::move(a);
    EXPECT_TRUE(a.IsNone());  // NOLINT(bugprone-use-after-move): moved-from is no text
    b = JoinTexts(b, "d");    // the new value is built from the old one, then the old goes
    EXPECT_STREQ(b.get(), "abcd");
    Text literal = Text::Literal(kSpaceLiteral);
    EXPECT_TRUE(IsLiteral(literal.get()));
    EXPECT_EQ(literal.data(), nullptr);  // a literal is never written
    EXPECT_EQ(LiveBlockCount(), before + 1);
  }
  EXPECT_EQ(LiveBlockCount(), before);
  ReleaseBlock(nullptr);
  ReleaseBlock(kEmptyLiteral);
  ReleaseBlock(kSpaceLiteral);
  EXPECT_EQ(LiveBlockCount(), before);
  EXPECT_STREQ(kSpaceLiteral, " ");
  EXPECT_STREQ(kEmptyLiteral, "");
}

}  // namespace
}  // namespace dorvane
