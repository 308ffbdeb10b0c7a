// The suffix and LCP arrays against sorting the suffixes directly, on texts whose suffixes
// share long prefixes (repetitions, small alphabets) and force the recursion.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "diff/suffix_array.h"

namespace dorvane {
namespace {

void ExpectSortedLikeDirectSort(std::vector<uint16_t> text, const std::string& name) {
  text.push_back(0);
  const int32_t n = static_cast<int32_t>(text.size());
  std::vector<int32_t> expected(text.size());
  for (int32_t i = 0; i < n; ++i) expected[static_cast<std::size_t>(i)] = i;
  std::sort(expected.begin(), expected.end(), [&](int32_t a, int32_t b) {
    return std::lexicographical_compare(text.begin() + a, text.end(), text.begin() + b, text.end());
  });
  std::vector<uint16_t> work = text;
  std::vector<int32_t> sa(text.size()), lcp(text.size()), scratch(text.size());
  BuildSuffixArray(work.data(), n, 300, sa.data());
  ASSERT_EQ(work, text) << name << ": the text is given back unchanged";
  ASSERT_EQ(sa, expected) << name;
  BuildLcpArray(text.data(), n, sa.data(), lcp.data(), scratch.data());
  EXPECT_EQ(lcp[0], 0) << name;
  for (int32_t r = 1; r < n; ++r) {
    int32_t h = 0;
    const int32_t a = sa[static_cast<std::size_t>(r - 1)], b = sa[static_cast<std::size_t>(r)];
    while (a + h < n && b + h < n &&
           text[static_cast<std::size_t>(a + h)] == text[static_cast<std::size_t>(b + h)]) {
      ++h;
    }
    ASSERT_EQ(lcp[static_cast<std::size_t>(r)], h) << name << " rank " << r;
  }
}

TEST(SuffixArrayTest, MatchesDirectSorting) {
  struct Case {
    const char* name;
    std::string pattern;
    int repeat;
  } cases[] = {
      {"single symbol", "a", 1},
      {"one repeated symbol", "a", 300},
      {"alternation", "ab", 200},
      {"period three with a break", "abcabd", 50},
      {"descending", "zyxwvutsrqponmlkjihgfedcba", 4},
      {"nested repetition", "aabaabaaab", 30},
  };
  for (const Case& c : cases) {
    std::vector<uint16_t> text;
    for (int i = 0; i < c.repeat; ++i) {
      for (char ch : c.pattern) text.push_back(static_cast<uint16_t>(ch));
    }
    ExpectSortedLikeDirectSort(text, c.name);
  }
  std::mt19937 random(5);
  for (int round = 0; round < 300; ++round) {
    const int alphabet = 2 + round % 5;
    std::vector<uint16_t> text(1 + random() % 400);
    for (uint16_t& symbol : text) symbol = static_cast<uint16_t>(1 + random() % alphabet);
    ExpectSortedLikeDirectSort(text, "random " + std::to_string(round));
  }
}

}  // namespace
}  // namespace dorvane
