// SA-IS: classify suffixes as S or L, sort the LMS substrings by induced sorting, name them,
// sort the reduced string recursively, and induce the whole order from the sorted LMS suffixes.
#include "diff/suffix_array.h"

#include "core/block_array.h"

namespace dorvane {
namespace {

enum : uint8_t { kL = 0, kS = 1 };

template <typename Symbol>
class Sais {
 public:
  Sais(const Symbol* s, int32_t n, int32_t k, int32_t* sa)
      : s_(s),
        n_(n),
        k_(k),
        sa_(sa),
        type_(static_cast<std::size_t>(n)),
        bucket_(static_cast<std::size_t>(k)) {}

  void Run() {
    if (n_ == 1) {
      sa_[0] = 0;
      return;
    }
    Classify();
    // Stage 1: LMS positions at the ends of their buckets, then induce to sort LMS substrings.
    for (int32_t i = 0; i < n_; ++i) sa_[i] = -1;
    BucketEnds();
    for (int32_t i = 1; i < n_; ++i) {
      if (IsLms(i)) sa_[--bucket_[s_[i]]] = i;
    }
    InduceL();
    InduceS();

    // Compact the sorted LMS substrings into the first n1 slots.
    int32_t n1 = 0;
    for (int32_t i = 0; i < n_; ++i) {
      if (IsLms(sa_[i])) sa_[n1++] = sa_[i];
    }
    // Name them: equal LMS substrings get equal names. No two LMS positions are adjacent, so
    // slot n1 + pos / 2 is unique for each.
    for (int32_t i = n1; i < n_; ++i) sa_[i] = -1;
    int32_t name = 0;
    int32_t prev = -1;
    for (int32_t i = 0; i < n1; ++i) {
      const int32_t pos = sa_[i];
      bool differs = false;
      for (int32_t d = 0; d < n_; ++d) {
        if (prev == -1 || s_[pos + d] != s_[prev + d] || type_[pos + d] != type_[prev + d]) {
          differs = true;
          break;
        }
        if (d > 0 && (IsLms(pos + d) || IsLms(prev + d))) break;
      }
      if (differs) {
        ++name;
        prev = pos;
      }
      sa_[n1 + pos / 2] = name - 1;
    }
    for (int32_t i = n_ - 1, j = n_ - 1; i >= n1; --i) {
      if (sa_[i] >= 0) sa_[j--] = sa_[i];
    }

    // Stage 2: sort the reduced string, recursively while names repeat.
    int32_t* sa1 = sa_;
    int32_t* s1 = sa_ + n_ - n1;
    if (name < n1) {
      Sais<int32_t>(s1, n1, name, sa1).Run();
    } else {
      for (int32_t i = 0; i < n1; ++i) sa1[s1[i]] = i;
    }

    // Stage 3: put the LMS suffixes in sorted order at their bucket ends and induce the rest.
    BucketEnds();
    for (int32_t i = 1, j = 0; i < n_; ++i) {
      if (IsLms(i)) s1[j++] = i;
    }
    for (int32_t i = 0; i < n1; ++i) sa1[i] = s1[sa1[i]];
    for (int32_t i = n1; i < n_; ++i) sa_[i] = -1;
    for (int32_t i = n1 - 1; i >= 0; --i) {
      const int32_t j = sa_[i];
      sa_[i] = -1;
      sa_[--bucket_[s_[j]]] = j;
    }
    InduceL();
    InduceS();
  }

 private:
  void Classify() {
    type_[static_cast<std::size_t>(n_ - 1)] = kS;
    for (int32_t i = n_ - 2; i >= 0; --i) {
      type_[i] = (s_[i] < s_[i + 1] || (s_[i] == s_[i + 1] && type_[i + 1] == kS)) ? kS : kL;
    }
  }
  bool IsLms(int32_t i) const { return i > 0 && type_[i] == kS && type_[i - 1] == kL; }

  void BucketCounts() {
    bucket_.Fill(0);
    for (int32_t i = 0; i < n_; ++i) ++bucket_[s_[i]];
  }
  void BucketStarts() {
    BucketCounts();
    int32_t sum = 0;
    for (int32_t c = 0; c < k_; ++c) {
      const int32_t count = bucket_[c];
      bucket_[c] = sum;
      sum += count;
    }
  }
  void BucketEnds() {
    BucketCounts();
    int32_t sum = 0;
    for (int32_t c = 0; c < k_; ++c) {
      sum += bucket_[c];
      bucket_[c] = sum;
    }
  }
  void InduceL() {
    BucketStarts();
    for (int32_t i = 0; i < n_; ++i) {
      const int32_t j = sa_[i] - 1;
      if (j >= 0 && type_[j] == kL) sa_[bucket_[s_[j]]++] = j;
    }
  }
  void InduceS() {
    BucketEnds();
    for (int32_t i = n_ - 1; i >= 0; --i) {
      const int32_t j = sa_[i] - 1;
      if (j >= 0 && type_[j] == kS) sa_[--bucket_[s_[j]]] = j;
    }
  }

  const Symbol* s_;
  int32_t n_;
  int32_t k_;
  int32_t* sa_;
  BlockArray<uint8_t> type_;
  BlockArray<int32_t> bucket_;
};

}  // namespace

void BuildSuffixArray(const uint16_t* text, int32_t n, int32_t alphabet, int32_t* sa) {
  Sais<uint16_t>(text, n, alphabet, sa).Run();
}

void BuildLcpArray(const uint16_t* text, int32_t n, const int32_t* sa, int32_t* lcp,
                   int32_t* rank) {
  for (int32_t r = 0; r < n; ++r) rank[sa[r]] = r;
  // Kasai, Lee, Arimura, Arikawa and Park (2001): the LCP of suffix i+1 with its predecessor is
  // at least that of suffix i less one, so h falls by at most one per step.
  int32_t h = 0;
  lcp[0] = 0;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t r = rank[i];
    if (r == 0) {
      h = 0;
      continue;
    }
    const int32_t j = sa[r - 1];
    while (i + h < n && j + h < n && text[i + h] == text[j + h]) ++h;
    lcp[r] = h;
    if (h > 0) --h;
  }
}

}  // namespace dorvane
