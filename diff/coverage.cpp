// The fast comparison engine.
//
// Both texts go into one string  A 1 B 0  (each byte b as b + 2, so the separator 1 and the end
// 0 are unique and smallest) and one suffix array with LCP array is built over it. Runs start at
// unit starts and consist of whole units, so only suffixes at unit starts take part. For a unit
// start p of one text let
//   M(p) = the longest byte length, ending at a unit boundary of the other text, of a run of the
//          other text that stands at p, and
//   L(p) = the longest common prefix of the suffix at p with any suffix at an earlier unit start
//          of the same text.
// A run of the other text first occurs at p exactly when it is a prefix at p that is longer
// than L(p); all such runs are prefixes of the longest, so p covers [p, p + M(p)) when
// M(p) > L(p) and that run holds at least three units. The covered bytes are the union of these
// stretches.
//
// M(p) comes from the nearest unit-start suffixes of the other text on each side in suffix
// order: the LCP with them is the largest, and the aligned length grows with the LCP. The one
// exception is a text ending in a lone lead byte: its suffixes end there with a complete unit,
// so one of them can tie with a longer-aligned neighbour; a stack of the other text's suffixes
// that are whole prefixes of the current one finds the longest. L(p) is the longest previous
// factor (Crochemore and Ilie, 2008) over the unit starts of one text, computed with a stack of
// nearest smaller text positions while the suffix order is walked backwards.
#include <cstring>
#include <limits>

#include "core/block_array.h"
#include "diff/compare.h"
#include "diff/coverage.h"
#include "diff/prefetch.h"
#include "diff/segment.h"
#include "diff/suffix_array.h"

namespace dorvane {
namespace {

constexpr int32_t kInfinite = std::numeric_limits<int32_t>::max();

// Where each global position of the joined string lies.
enum Place : uint8_t {
  kInside = 0,     // a trail byte: neither a unit start nor a boundary
  kUnitStart = 1,  // the first byte of a unit
  kEnd = 2,        // the separator or the end: a boundary that starts no unit
};

class Engine {
 public:
  Engine(const char* a, int32_t a_length, const char* b, int32_t b_length)
      : a_(a), b_(b), la_(a_length), lb_(b_length), n_(a_length + b_length + 2) {}

  Coverage Run() {
    Coverage coverage;
    coverage.first = ByteBuffer::New(la_);
    coverage.second = ByteBuffer::New(lb_);
    if (la_ == 0 || lb_ == 0) {
      Clear(coverage.first);
      Clear(coverage.second);
      return coverage;
    }
    BuildIndex();
    MatchForward();
    MatchBackwardAndDecide();
    // The decided lengths go from suffix order into text order, in the LCP array's place.
    BlockArray<int32_t> by_position = std::move(lcp_);
    for (int32_t r = 0; r < n_; ++r) {
      if (r + kPrefetchDistance < n_) Prefetch(by_position.data() + sa_[r + kPrefetchDistance]);
      by_position[sa_[r]] = match_[r];
    }
    sa_.Reset();
    match_.Reset();
    Sweep(a_, la_, by_position.data(), coverage.first);
    Sweep(b_, lb_, by_position.data() + la_ + 1, coverage.second);
    return coverage;
  }

 private:
  static void Clear(ByteBuffer& flags) {
    if (!flags.IsNone()) std::memset(flags.Data(), 0, static_cast<std::size_t>(flags.Length()));
  }

  // Where the texts lie in the joined string, and what each position is; the passes work on a
  // copy of it and on raw views of the arrays.
  struct Layout {
    int32_t first_length;  // the separator's position
    int32_t end;           // the end's position
    bool lead_bytes;
    const uint8_t* place;

    bool InFirst(int32_t g) const { return g < first_length; }
    // The end of the text that holds g: the global position of its separator or end.
    int32_t TextEnd(int32_t g) const { return InFirst(g) ? first_length : end; }
    // Text index 0 for the first text, 1 for the second, -1 for a position that starts no
    // unit. Without lead bytes every byte starts a unit and the place table is not needed.
    int Side(int32_t g) const {
      if (g == first_length || g == end) return -1;
      if (lead_bytes && place[g] != kUnitStart) return -1;
      return InFirst(g) ? 0 : 1;
    }
    // The longest prefix of a common stretch of length l starting at unit start i that ends at
    // a unit boundary of i's text. Units are at most two bytes, so that is l or l - 1.
    int32_t Aligned(int32_t i, int32_t l) const {
      return (!lead_bytes || place[i + l] != kInside) ? l : l - 1;
    }
  };
  Layout MakeLayout() const { return Layout{la_, n_ - 1, lead_bytes_, place_.data()}; }

  void BuildIndex() {
    BlockArray<uint16_t> joined(static_cast<std::size_t>(n_));
    unsigned seen = 0;  // the bits of all bytes: bit 7 tells whether any lead byte occurs
    for (int32_t i = 0; i < la_; ++i) {
      const auto byte = static_cast<uint8_t>(a_[i]);
      seen |= byte;
      joined[i] = static_cast<uint16_t>(byte + 2);
    }
    joined[la_] = 1;
    for (int32_t i = 0; i < lb_; ++i) {
      const auto byte = static_cast<uint8_t>(b_[i]);
      seen |= byte;
      joined[la_ + 1 + i] = static_cast<uint16_t>(byte + 2);
    }
    joined[n_ - 1] = 0;
    lead_bytes_ = (seen & 0x80) != 0;
    if (lead_bytes_) {
      place_ = BlockArray<uint8_t>(static_cast<std::size_t>(n_));
      Mark(0, a_, la_);
      place_[la_] = kEnd;
      Mark(la_ + 1, b_, lb_);
      place_[n_ - 1] = kEnd;
    }

    sa_ = BlockArray<int32_t>(static_cast<std::size_t>(n_));
    BuildSuffixArray(joined.data(), n_, 258, sa_.data());
    lcp_ = BlockArray<int32_t>(static_cast<std::size_t>(n_));
    // The LCP scratch array becomes the match array once the LCPs are known.
    match_ = BlockArray<int32_t>(static_cast<std::size_t>(n_));
    BuildLcpArray(joined.data(), n_, sa_.data(), lcp_.data(), match_.data());
  }

  void Mark(int32_t offset, const char* text, int32_t length) {
    for (int32_t i = 0; i < length;) {
      place_[offset + i] = kUnitStart;
      if (IsLeadByte(text[i]) && i + 1 < length) {
        place_[offset + i + 1] = kInside;
        i += 2;
      } else {
        i += 1;
      }
    }
  }

  bool EndsInLoneLead(int side) const {
    if (!lead_bytes_) return false;
    const char* text = side == 0 ? a_ : b_;
    const int32_t length = side == 0 ? la_ : lb_;
    int32_t i = 0;
    // Only the parse from the start tells whether the last byte is a lone lead byte.
    while (i < length - 1) i += IsLeadByte(text[i]) ? 2 : 1;
    return i == length - 1 && IsLeadByte(text[i]);
  }

  // M(p) from the nearest other-text unit start before p in suffix order, and from the stack
  // of whole other-text suffixes where that text ends in a lone lead byte; match_ by rank.
  void MatchForward() {
    const bool lone[2] = {EndsInLoneLead(0), EndsInLoneLead(1)};
    const bool any_lone = lone[0] || lone[1];
    BlockArray<int32_t> whole[2];
    int32_t whole_top[2] = {0, 0};
    for (int side = 0; side < 2; ++side) {
      if (lone[side]) whole[side] = BlockArray<int32_t>(static_cast<std::size_t>(side ? lb_ : la_));
    }
    const Layout at = MakeLayout();
    const int32_t n = n_;
    const int32_t* const sa = sa_.data();
    const int32_t* const lcp = lcp_.data();
    int32_t* const match = match_.data();
    int32_t last[2] = {-1, -1};
    int32_t run[2] = {0, 0};
    for (int32_t r = 0; r < n; ++r) {
      const int32_t l = lcp[r];
      if (run[0] > l) run[0] = l;
      if (run[1] > l) run[1] = l;
      if (any_lone) {
        for (int side = 0; side < 2; ++side) {
          // A whole suffix stays a prefix only while every LCP since it is at least its length.
          while (whole_top[side] > 0 && whole[side][whole_top[side] - 1] > l) --whole_top[side];
        }
      }
      const int32_t g = sa[r];
      const int side = at.Side(g);
      match[r] = 0;
      if (side < 0) continue;
      const int other = 1 - side;
      int32_t best = 0;
      if (last[other] >= 0) best = at.Aligned(last[other], run[other]);
      if (lone[other] && whole_top[other] > 0) {
        const int32_t length = whole[other][whole_top[other] - 1];
        if (length > best) best = length;
      }
      match[r] = best;
      last[side] = g;
      run[side] = kInfinite;
      if (lone[side]) {
        whole[side][whole_top[side]] = at.TextEnd(g) - g;
        ++whole_top[side];
      }
    }
  }

  // Completes M(p) from the nearest other-text unit start after p in suffix order, and keeps
  // it only where the run of M(p) first occurs at p: where M(p) exceeds L(p), the longest
  // common prefix with an earlier unit start of the same text. L(p) comes from a stack of ranks
  // whose text positions increase (nearest smaller positions); an entry is decided when a
  // smaller position arrives, or at the end. An entry's LCP with the one beneath it is kept in
  // lcp_ at its rank, which the walk has passed by then.
  void MatchBackwardAndDecide() {
    BlockArray<int32_t> stack(static_cast<std::size_t>(n_));
    int32_t* bottom[2] = {stack.data(), stack.data() + la_};
    int32_t top[2] = {0, 0};
    // gap[s]: the LCP of the current rank with the last unit start of text s walked past, which
    // is both the other text's match for M(p) and the own text's step for L(p).
    int32_t gap[2] = {kInfinite, kInfinite};
    int32_t last[2] = {-1, -1};
    const Layout at = MakeLayout();
    const int32_t* const sa = sa_.data();
    int32_t* const lcp = lcp_.data();
    int32_t* const match = match_.data();
    auto pop_while_after = [&](int side, int32_t position, int32_t l) {
      while (top[side] > 0) {
        const int32_t rank = bottom[side][top[side] - 1];
        if (sa[rank] < position) break;
        --top[side];
        const int32_t below = lcp[rank];
        if (match[rank] <= (below > l ? below : l)) match[rank] = 0;
        if (l > below) l = below;
      }
      return l;
    };
    for (int32_t r = n_ - 1; r >= 0; --r) {
      const int32_t l_here = lcp[r];
      const int32_t g = sa[r];
      const int side = at.Side(g);
      if (side >= 0) {
        const int other = 1 - side;
        if (last[other] >= 0) {
          const int32_t aligned = at.Aligned(last[other], gap[other]);
          if (aligned > match[r]) match[r] = aligned;
        }
        last[side] = g;
        int32_t l = gap[side] == kInfinite ? 0 : gap[side];
        l = pop_while_after(side, g, l);
        // With nothing beneath, no smaller position lies in this direction.
        lcp[r] = top[side] > 0 ? l : 0;
        bottom[side][top[side]] = r;
        ++top[side];
        gap[side] = kInfinite;
      }
      if (gap[0] > l_here) gap[0] = l_here;
      if (gap[1] > l_here) gap[1] = l_here;
    }
    pop_while_after(0, -1, 0);
    pop_while_after(1, -1, 0);
  }

  // Flags the union of the stretches [p, p + M(p)) that hold at least three units of the text.
  static void Sweep(const char* text, int32_t length, const int32_t* match, ByteBuffer& flags) {
    unsigned char* out = flags.Data();
    int32_t reach = 0;
    for (int32_t i = 0; i < length; ++i) {
      const int32_t m = match[i];
      if (m > 0 && i + m > reach) {
        // More bytes than the first two units of p: the run reaches a third unit.
        const int32_t first = IsLeadByte(text[i]) && i + 1 < length ? 2 : 1;
        const int32_t j = i + first;
        const int32_t second = j >= length ? 0 : (IsLeadByte(text[j]) && j + 1 < length ? 2 : 1);
        if (second > 0 && m > first + second) reach = i + m;
      }
      out[i] = i < reach ? 1 : 0;
    }
  }

  const char* a_;
  const char* b_;
  int32_t la_;
  int32_t lb_;
  int32_t n_;
  bool lead_bytes_ = false;
  BlockArray<uint8_t> place_;
  BlockArray<int32_t> sa_;
  BlockArray<int32_t> lcp_;
  BlockArray<int32_t> match_;
};

}  // namespace

Coverage ComputeCoverage(TextRef first, TextRef second) {
  return Engine(first.c_str(), ByteLength(first), second.c_str(), ByteLength(second)).Run();
}

Text BuildOverlay(TextRef text, const ByteBuffer& covered) {
  const int32_t length = ByteLength(text);
  Text overlay = BlankText(length > kMinimumOverlayBytes ? length : kMinimumOverlayBytes);
  char* out = overlay.data();
  const char* in = text.c_str();
  const unsigned char* flags = covered.Data();
  for (int32_t i = 0; i < length;) {
    const bool pair = IsLeadByte(in[i]) && i + 1 < length;
    if (pair) {
      if (flags[i] == 0 && flags[i + 1] == 0) {
        out[i] = in[i];
        out[i + 1] = in[i + 1];
      }
      i += 2;
    } else {
      // A lone lead byte would pair with the space after it into another character.
      if (flags[i] == 0) out[i] = IsLeadByte(in[i]) ? '?' : in[i];
      i += 1;
    }
  }
  return overlay;
}

}  // namespace dorvane
