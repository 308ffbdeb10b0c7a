// SA-IS: classify suffixes as S or L, sort the LMS substrings by induced sorting, name them,
// sort the reduced string recursively, and induce the whole order from the sorted LMS suffixes.
//
// Each symbol carries its suffix's type in its lowest bit (symbol << 1 | 1 for S), so that the
// induced-sorting scans, whose reads jump all over the text, fetch both with one load; the
// scans also prefetch the symbol they will need a few steps ahead.
#include "diff/suffix_array.h"

#include "core/block_array.h"
#include "diff/prefetch.h"

namespace dorvane {
namespace {

// Replaces every symbol by symbol << 1 | (1 if its suffix is S-type). The last is S-type.
template <typename Symbol>
void PackTypes(Symbol* s, int32_t n) {
  s[n - 1] = static_cast<Symbol>(s[n - 1] << 1 | 1);
  for (int32_t i = n - 2; i >= 0; --i) {
    const Symbol next = static_cast<Symbol>(s[i + 1] >> 1);
    const bool s_type = s[i] < next || (s[i] == next && (s[i + 1] & 1) != 0);
    s[i] = static_cast<Symbol>(s[i] << 1 | (s_type ? 1 : 0));
  }
}

template <typename Symbol>
class Sais {
 public:
  // s holds packed symbols (see PackTypes).
  Sais(const Symbol* s, int32_t n, int32_t k, int32_t* sa)
      : s_(s),
        n_(n),
        k_(k),
        sa_(sa),
        count_(static_cast<std::size_t>(k)),
        bucket_(static_cast<std::size_t>(k)) {
    // The symbol counts are taken once; every bucket layout below is derived from them.
    count_.Fill(0);
    for (int32_t i = 0; i < n_; ++i) ++count_[Sym(i)];
  }

  void Run() {
    // Locals: a store through sa_ could change the int32_t members as far as the compiler knows.
    const int32_t n = n_;
    const bool prefetch = prefetch_;
    if (n == 1) {
      sa_[0] = 0;
      return;
    }
    // Stage 1: LMS positions at the ends of their buckets, then induce to sort LMS substrings.
    for (int32_t i = 0; i < n; ++i) sa_[i] = -1;
    BucketEnds();
    for (int32_t i = 1; i < n; ++i) {
      const int32_t lms = IsLms(i);
      int32_t& slot = bucket_[Sym(i)];
      slot -= lms;
      *(lms != 0 ? sa_ + slot : &sink_) = i;
    }
    InduceL();
    InduceS();

    // Compact the sorted LMS substrings into the first n1 slots.
    int32_t n1 = 0;
    for (int32_t i = 0; i < n; ++i) {
      if (prefetch && i + kPrefetchDistance < n) {
        const int32_t ahead = sa_[i + kPrefetchDistance];
        if (ahead > 0) Prefetch(s_ + ahead - 1);
      }
      const int32_t pos = sa_[i];
      sa_[n1] = pos;
      n1 += IsLms(pos);
    }
    // Name them: equal LMS substrings (equal symbols and types) get equal names. No two LMS
    // positions are adjacent, so slot n1 + pos / 2 is unique for each.
    for (int32_t i = n1; i < n; ++i) sa_[i] = -1;
    int32_t name = 0;
    int32_t prev = -1;
    for (int32_t i = 0; i < n1; ++i) {
      if (prefetch && i + kPrefetchDistance < n1) Prefetch(s_ + sa_[i + kPrefetchDistance]);
      const int32_t pos = sa_[i];
      bool differs = false;
      for (int32_t d = 0; d < n; ++d) {
        if (prev == -1 || s_[pos + d] != s_[prev + d]) {
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
    for (int32_t i = n - 1, j = n - 1; i >= n1; --i) {
      if (sa_[i] >= 0) sa_[j--] = sa_[i];
    }

    // Stage 2: sort the reduced string, recursively while names repeat.
    int32_t* sa1 = sa_;
    int32_t* s1 = sa_ + n - n1;
    if (name < n1) {
      PackTypes(s1, n1);
      Sais<int32_t>(s1, n1, name, sa1).Run();
    } else {
      for (int32_t i = 0; i < n1; ++i) sa1[s1[i]] = i;
    }

    // Stage 3: put the LMS suffixes in sorted order at their bucket ends and induce the rest.
    BucketEnds();
    for (int32_t i = 1, j = 0; i < n; ++i) {
      // j stays below n1 until the last LMS position, so the spare write lands in s1 as well.
      s1[j < n1 ? j : n1 - 1] = i;
      j += IsLms(i);
    }
    for (int32_t i = 0; i < n1; ++i) {
      if (prefetch && i + kPrefetchDistance < n1) Prefetch(s1 + sa1[i + kPrefetchDistance]);
      sa1[i] = s1[sa1[i]];
    }
    for (int32_t i = n1; i < n; ++i) sa_[i] = -1;
    for (int32_t i = n1 - 1; i >= 0; --i) {
      if (prefetch && i >= kPrefetchDistance) Prefetch(s_ + sa_[i - kPrefetchDistance]);
      const int32_t j = sa_[i];
      sa_[i] = -1;
      sa_[--bucket_[Sym(j)]] = j;
    }
    InduceL();
    InduceS();
  }

 private:
  int32_t Sym(int32_t i) const { return static_cast<int32_t>(s_[i] >> 1); }
  // Branch-free: i = 0 compares the first symbol with itself and so is never LMS.
  int32_t IsLms(int32_t i) const {
    const int32_t before = i - (i > 0 ? 1 : 0);
    return static_cast<int32_t>(s_[i] & 1 & ~s_[before]);
  }

  void BucketStarts() {
    int32_t sum = 0;
    for (int32_t c = 0; c < k_; ++c) {
      bucket_[c] = sum;
      sum += count_[c];
    }
  }
  void BucketEnds() {
    int32_t sum = 0;
    for (int32_t c = 0; c < k_; ++c) {
      sum += count_[c];
      bucket_[c] = sum;
    }
  }
  // The two scans are written without branches on the suffix types, which follow no pattern
  // the processor could predict: a suffix that goes nowhere is written to a spare slot. The
  // members are copied into locals first, since a store through sa_ could otherwise change
  // them as far as the compiler knows.
  void InduceL() {
    BucketStarts();
    const Symbol* const s = s_;
    int32_t* const sa = sa_;
    int32_t* const bucket = bucket_.data();
    const int32_t n = n_;
    const int32_t ahead_limit = prefetch_ ? n - kPrefetchDistance : 0;
    int32_t sink = 0;
    for (int32_t i = 0; i < n; ++i) {
      if (i < ahead_limit) {
        const int32_t ahead = sa[i + kPrefetchDistance];
        if (ahead > 0) Prefetch(s + ahead - 1);
      }
      const int32_t j = sa[i] - 1;
      const bool valid = j >= 0;
      const Symbol v = s[valid ? j : 0];
      const bool l_type = valid && (v & 1) == 0;
      int32_t& slot = bucket[v >> 1];
      int32_t* target = l_type ? sa + slot : &sink;
      *target = j;
      slot += l_type ? 1 : 0;
    }
  }
  void InduceS() {
    BucketEnds();
    const Symbol* const s = s_;
    int32_t* const sa = sa_;
    int32_t* const bucket = bucket_.data();
    const int32_t ahead_limit = prefetch_ ? kPrefetchDistance : n_;
    int32_t sink = 0;
    for (int32_t i = n_ - 1; i >= 0; --i) {
      if (i >= ahead_limit) {
        const int32_t ahead = sa[i - kPrefetchDistance];
        if (ahead > 0) Prefetch(s + ahead - 1);
      }
      const int32_t j = sa[i] - 1;
      const bool valid = j >= 0;
      const Symbol v = s[valid ? j : 0];
      const bool s_type = valid && (v & 1) != 0;
      int32_t& slot = bucket[v >> 1];
      slot -= s_type ? 1 : 0;
      int32_t* target = s_type ? sa + slot : &sink;
      *target = j;
    }
  }

  const Symbol* s_;
  int32_t n_;
  int32_t k_;
  int32_t* sa_;
  BlockArray<int32_t> count_;
  BlockArray<int32_t> bucket_;
  int32_t sink_ = 0;
  // Below this size the arrays stay in the caches and prefetching only costs instructions.
  bool prefetch_ = n_ > (1 << 16);
};

}  // namespace

void BuildSuffixArray(uint16_t* text, int32_t n, int32_t alphabet, int32_t* sa) {
  PackTypes(text, n);
  Sais<uint16_t>(text, n, alphabet, sa).Run();
  for (int32_t i = 0; i < n; ++i) text[i] = static_cast<uint16_t>(text[i] >> 1);
}

void BuildLcpArray(const uint16_t* text, int32_t n, const int32_t* sa, int32_t* lcp, int32_t* phi) {
  // phi[i] is the suffix just before suffix i in sorted order. Walking the text from left to
  // right, the LCP of suffix i with phi[i] is at least that of suffix i - 1 less one, so h
  // falls by at most one per step; the lengths found in text order (kept in phi's place) are
  // then put into sorted order.
  // All three loops jump around memory; on arrays larger than the caches each prefetches what
  // it will touch a few steps on.
  const int32_t ahead_limit = n > (1 << 16) ? n - kPrefetchDistance : 0;
  phi[sa[0]] = -1;
  for (int32_t r = 1; r < n; ++r) {
    if (r < ahead_limit) Prefetch(phi + sa[r + kPrefetchDistance]);
    phi[sa[r]] = sa[r - 1];
  }
  int32_t h = 0;
  for (int32_t i = 0; i < n; ++i) {
    if (i < ahead_limit) {
      const int32_t ahead = phi[i + kPrefetchDistance];
      if (ahead >= 0) Prefetch(text + ahead);
    }
    const int32_t j = phi[i];
    if (j < 0) {
      h = 0;
      phi[i] = 0;
      continue;
    }
    // The unique 0 at the end stops every comparison before it could run past the text.
    while (text[i + h] == text[j + h]) ++h;
    phi[i] = h;
    if (h > 0) --h;
  }
  for (int32_t r = 0; r < n; ++r) {
    if (r < ahead_limit) Prefetch(phi + sa[r + kPrefetchDistance]);
    lcp[r] = phi[sa[r]];
  }
}

}  // namespace dorvane
