// The fast engine against the step-by-step procedure on many seeded random texts, at the level
// of coverage. Faults seeded into a straightforward engine show that the comparison catches
// the mistakes an engine is likely to make.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "diff/coverage.h"
#include "diff/reference.h"
#include "diff/segment.h"
#include "test_support.h"

namespace dorvane {
namespace {

using testing::Show;
using Engine = Coverage (*)(TextRef, TextRef);

struct TextClass {
  const char* name;
  const char* alphabet;  // the bytes texts are drawn from
  int min_length;
  int max_length;
  int cases;
  bool related;  // the second text is an edited copy of the first
};

std::string RandomText(std::mt19937& random, const std::string& alphabet, int length) {
  std::string text;
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  for (int i = 0; i < length; ++i) text += alphabet[pick(random)];
  return text;
}

// A copy with a few bytes replaced, inserted or removed.
std::string Edited(std::mt19937& random, const std::string& alphabet, std::string text) {
  std::uniform_int_distribution<int> edits(0, 4);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  for (int e = edits(random); e > 0; --e) {
    std::uniform_int_distribution<std::size_t> at(0, text.size());
    const std::size_t p = at(random);
    switch (random() % 3) {
      case 0:
        if (p < text.size()) text[p] = alphabet[pick(random)];
        break;
      case 1:
        text.insert(p, 1, alphabet[pick(random)]);
        break;
      default:
        if (p < text.size()) text.erase(p, 1);
        break;
    }
  }
  return text;
}

std::string Flags(const ByteBuffer& flags, int32_t length) {
  std::string out;
  for (int32_t i = 0; i < length; ++i) out += flags.Data()[i] != 0 ? '#' : '.';
  return out;
}

// Runs `cases` random pairs through both engines and returns a description of the first pair on
// which they disagree, or "" when they never do.
std::string FindMismatch(Engine engine, Engine reference, const TextClass& c, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> length(c.min_length, c.max_length);
  const std::string alphabet = c.alphabet;
  for (int i = 0; i < c.cases; ++i) {
    const std::string first = RandomText(random, alphabet, length(random));
    const std::string second =
        c.related ? Edited(random, alphabet, first) : RandomText(random, alphabet, length(random));
    const Coverage got = engine(first.c_str(), second.c_str());
    const Coverage want = reference(first.c_str(), second.c_str());
    const int32_t l1 = static_cast<int32_t>(first.size());
    const int32_t l2 = static_cast<int32_t>(second.size());
    const std::string got1 = Flags(got.first, l1), want1 = Flags(want.first, l1);
    const std::string got2 = Flags(got.second, l2), want2 = Flags(want.second, l2);
    if (got1 != want1 || got2 != want2) {
      return "case " + std::to_string(i) + ": \"" + Show(first) + "\" / \"" + Show(second) +
             "\"\n  got  " + got1 + " / " + got2 + "\n  want " + want1 + " / " + want2;
    }
  }
  return "";
}

// Small texts over small alphabets, so that runs repeat and meet often: 200 000 pairs in all.
const TextClass kClasses[] = {
    {"TwoLetters", "ab", 0, 11, 50000, false},
    {"LettersAndTab", "ab\t", 0, 11, 50000, false},
    {"TwoByteUnitsAndLoneLeadBytes", "ab\xB0\xA1", 0, 12, 50000, false},
    {"MarkByteAnd0x80And0xFF", "a\x14\x80\xFF", 0, 11, 50000, false},
    // Longer related texts: a few thousand pairs up to a few hundred bytes.
    {"RelatedLetters", "abcd", 20, 100, 1500, true},
    {"RelatedDoubleByte", "ab\xD6\xD0\xB0", 20, 100, 1000, true},
    {"LongRelatedLetters", "abcdefgh", 150, 300, 60, true},
    {"UnrelatedLetters", "abc", 40, 200, 200, false},
};

Coverage ReferenceExtending(TextRef first, TextRef second) {
  return ReferenceCoverage(first, second, RunBuilding::kExtending);
}
Coverage ReferenceAfresh(TextRef first, TextRef second) {
  return ReferenceCoverage(first, second, RunBuilding::kAfresh);
}

class DifferentialTest : public ::testing::TestWithParam<TextClass> {};

TEST_P(DifferentialTest, FastEngineMatchesTheProcedure) {
  const TextClass& c = GetParam();
  // A fixed seed per class (FNV-1a of its name), the same on every platform and run.
  unsigned seed = 2166136261u;
  for (const char* p = c.name; *p != '\0'; ++p)
    seed = (seed ^ static_cast<unsigned char>(*p)) * 16777619u;
  EXPECT_EQ(FindMismatch(&ComputeCoverage, &ReferenceExtending, c, seed), "");
}

TEST(ReferenceTest, BuildingRunsByExtendingGivesTheProcedureItself) {
  const TextClass probe = {"mixed", "ab\t\x14\xB0\xA1", 0, 14, 5000, false};
  EXPECT_EQ(FindMismatch(&ReferenceExtending, &ReferenceAfresh, probe, 11), "");
}

INSTANTIATE_TEST_SUITE_P(Classes, DifferentialTest, ::testing::ValuesIn(kClasses),
                         [](const ::testing::TestParamInfo<TextClass>& param_info) {
                           return std::string(param_info.param.name);
                         });

// A straightforward engine over byte offsets, into which one fault at a time can be seeded.
enum class Fault { kNone, kMatchAtTrailBytes, kLongestRunOnly, kLoneLeadIsOwnCharacter };

std::vector<int32_t> UnitStarts(const std::string& text) {
  std::vector<int32_t> starts;
  for (int32_t i = 0; i < static_cast<int32_t>(text.size());) {
    starts.push_back(i);
    i += IsLeadByte(text[static_cast<std::size_t>(i)]) && i + 1 < static_cast<int32_t>(text.size())
             ? 2
             : 1;
  }
  starts.push_back(static_cast<int32_t>(text.size()));
  return starts;
}

// The first place in haystack where needle stands, or -1.
int32_t Find(const std::string& haystack, const std::string& needle, Fault fault) {
  const std::vector<int32_t> starts = UnitStarts(haystack);
  const int32_t h = static_cast<int32_t>(haystack.size());
  const int32_t n = static_cast<int32_t>(needle.size());
  for (int32_t p = 0; p + n <= h; ++p) {
    const bool unit_start = std::find(starts.begin(), starts.end(), p) != starts.end();
    if (!unit_start && fault != Fault::kMatchAtTrailBytes) continue;
    if (haystack.compare(static_cast<std::size_t>(p), static_cast<std::size_t>(n), needle) != 0) {
      continue;
    }
    // A needle that ends in a lone lead byte matches only where the haystack's unit there is a
    // lone lead byte too, when that fault is seeded.
    if (fault == Fault::kLoneLeadIsOwnCharacter && n > 0 && IsLeadByte(needle.back()) &&
        std::find(starts.begin(), starts.end(), p + n) == starts.end()) {
      continue;
    }
    return p;
  }
  return -1;
}

void CoverWithRuns(const std::string& text, const std::string& other, ByteBuffer& covered,
                   Fault fault) {
  const std::vector<int32_t> starts = UnitStarts(text);
  const int32_t units = static_cast<int32_t>(starts.size()) - 1;
  for (int32_t k = 0; k < units; ++k) {
    for (int32_t j = units - k; j >= kMinimumRunUnits; --j) {
      const std::string run = text.substr(static_cast<std::size_t>(starts[k]),
                                          static_cast<std::size_t>(starts[k + j] - starts[k]));
      const int32_t d = Find(other, run, fault);
      if (d < 0) continue;
      std::memset(covered.Data() + d, 1, run.size());
      if (fault == Fault::kLongestRunOnly) break;
    }
  }
}

template <Fault fault>
Coverage Straightforward(TextRef first, TextRef second) {
  const std::string a = first.c_str();
  const std::string b = second.c_str();
  Coverage coverage{ByteBuffer::New(static_cast<int32_t>(a.size())),
                    ByteBuffer::New(static_cast<int32_t>(b.size()))};
  if (!a.empty()) std::memset(coverage.first.Data(), 0, a.size());
  if (!b.empty()) std::memset(coverage.second.Data(), 0, b.size());
  CoverWithRuns(a, b, coverage.second, fault);
  CoverWithRuns(b, a, coverage.first, fault);
  return coverage;
}

TEST(SeededFaultTest, EachFaultIsCaught) {
  const TextClass probe = {"two-byte units and lone lead bytes", "ab\xB0\xA1", 0, 12, 20000, false};
  // Without a fault the straightforward engine agrees, so each catch below is the fault's.
  EXPECT_EQ(FindMismatch(&Straightforward<Fault::kNone>, &ReferenceExtending, probe, 7), "");
  struct Case {
    const char* name;
    Engine engine;
  } cases[] = {
      {"a match starting at a trail byte", &Straightforward<Fault::kMatchAtTrailBytes>},
      {"only the longest run at a place", &Straightforward<Fault::kLongestRunOnly>},
      {"a lone lead byte as a character of its own",
       &Straightforward<Fault::kLoneLeadIsOwnCharacter>},
  };
  for (const Case& c : cases) {
    EXPECT_NE(FindMismatch(c.engine, &ReferenceExtending, probe, 7), "") << c.name;
  }
}

}  // namespace
}  // namespace dorvane
