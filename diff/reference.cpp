// The step-by-step comparison and the text routines only it uses.
#include "diff/reference.h"

#include <cstring>

#include "diff/segment.h"

namespace dorvane {
namespace {

constexpr char kMarkByte = 0x14;

// A mask of `length` mark bytes, joined one byte at a time. The masks are as long as their
// texts: runs are only ever found inside the text, and the mask is cut to its length anyway.
Text MarkBytes(int32_t length) {
  const Text mark = CharText(kMarkByte);
  Text mask;
  for (int32_t i = 0; i < length; ++i) mask = JoinTexts(mask, mark);
  return mask;
}

// Marks the first occurrence of one run in haystack: its bytes go into mask, and its place is
// flagged as covered.
void MarkRun(const Text& run, TextRef haystack, Text& mask, ByteBuffer& covered) {
  const int32_t d = FirstOccurrence(haystack, run);
  if (d == -1) return;
  OverwriteAt(run, mask, d - 1);
  std::memset(covered.Data() + (d - 1), 1, static_cast<std::size_t>(ByteLength(run)));
}

// Every run of kMinimumRunUnits or more units of `units` is searched in haystack. Since a run
// is only ever found where the haystack holds its very bytes, the order of the writes does not
// matter, and both ways of building the runs give the same mask.
void MarkRuns(const TextArray& units, int32_t count, TextRef haystack, Text& mask,
              ByteBuffer& covered, RunBuilding building) {
  if (building == RunBuilding::kAfresh) {
    for (int32_t j = kMinimumRunUnits; j <= count; ++j) {
      for (int32_t k = 1; k <= count - j + 1; ++k) {
        Text run;
        for (int32_t u = k; u < k + j; ++u) run = JoinTexts(run, units.At(u));
        MarkRun(run, haystack, mask, covered);
      }
    }
    return;
  }
  for (int32_t k = 1; k <= count - kMinimumRunUnits + 1; ++k) {
    Text run;
    for (int32_t u = k; u <= count; ++u) {
      run = JoinTexts(run, units.At(u));
      if (u - k + 1 >= kMinimumRunUnits) MarkRun(run, haystack, mask, covered);
    }
  }
}

struct Marked {
  TextArray units1;
  TextArray units2;
  int32_t n1 = 0;
  int32_t n2 = 0;
  Text mask1;
  Text mask2;
  Coverage coverage;
};

Marked MarkBoth(TextRef first, TextRef second, RunBuilding building) {
  Marked m;
  m.n1 = UnitsForComparison(first, m.units1);
  m.n2 = UnitsForComparison(second, m.units2);
  m.mask1 = MarkBytes(ByteLength(first));
  m.mask2 = MarkBytes(ByteLength(second));
  m.coverage.first = ByteBuffer::New(ByteLength(first));
  m.coverage.second = ByteBuffer::New(ByteLength(second));
  if (!m.coverage.first.IsNone()) {
    std::memset(m.coverage.first.Data(), 0, static_cast<std::size_t>(ByteLength(first)));
  }
  if (!m.coverage.second.IsNone()) {
    std::memset(m.coverage.second.Data(), 0, static_cast<std::size_t>(ByteLength(second)));
  }
  // The runs of each text are searched in the other input text, never in a mask.
  MarkRuns(m.units1, m.n1, second, m.mask2, m.coverage.second, building);
  MarkRuns(m.units2, m.n2, first, m.mask1, m.coverage.first, building);
  m.mask1 = HeadBytes(m.mask1, ByteLength(first));
  m.mask2 = HeadBytes(m.mask2, ByteLength(second));
  return m;
}

// The overlay by unit numbers: unit p of the list at byte offset p - 1. Numbers beyond the
// unit list, and units that would not fit, are left out.
Text LiteralOverlay(TextRef text, const Text& mask, const TextArray& units, int32_t count) {
  const int32_t length = ByteLength(text);
  const int32_t overlay_length = length > 10000 ? length : 10000;
  Text overlay = BlankText(overlay_length);
  IntArray positions(NewArray(overlay_length + 1));
  const int32_t c = CollectMarkPositions(mask, positions);
  for (int32_t l = 1; l <= c; ++l) {
    const int32_t p = positions.At(l);
    if (p > count) continue;
    const char* unit = units.At(p);
    if (p - 1 + ByteLength(unit) <= overlay_length) OverwriteAt(unit, overlay, p - 1);
  }
  return overlay;
}

}  // namespace

int32_t FirstOccurrence(TextRef haystack, TextRef needle) {
  const int32_t needle_length = ByteLength(needle);
  const int32_t haystack_length = ByteLength(haystack);
  if (needle_length == 0) return haystack_length != 0 ? 1 : -1;
  const char* h = haystack.get();
  int32_t candidate = 0;
  int32_t r = haystack_length;
  while (r >= needle_length) {
    if (std::memcmp(h + candidate, needle.get(), static_cast<std::size_t>(needle_length)) == 0) {
      return candidate + 1;
    }
    if (IsLeadByte(h[candidate])) {
      if (h[candidate + 1] == '\0') return -1;
      candidate += 2;
      r -= 2;
    } else {
      candidate += 1;
      r -= 1;
    }
  }
  return -1;
}

Text HeadBytes(TextRef text, int32_t n) {
  const int32_t length = ByteLength(text);
  const int32_t take = n < length ? n : length;
  if (take <= 0) return Text();
  return TextFromBytes(text.get(), take);
}

void OverwriteAt(TextRef source, Text& target, int32_t offset) {
  const int32_t n = ByteLength(source);
  if (n == 0) return;
  std::memcpy(target.data() + offset, source.get(), static_cast<std::size_t>(n));
}

int32_t CollectMarkPositions(TextRef mask, IntArray& positions) {
  positions.Record().SetSize(0);
  const char* m = mask.c_str();
  int32_t counter = 0;
  int32_t size = 0;
  for (int32_t i = 0; m[i] != '\0';) {
    ++counter;
    if (IsLeadByte(m[i])) {
      // A lead byte at the very end ends the walk without reading past the terminator.
      if (m[i + 1] == '\0') break;
      i += 2;
      continue;
    }
    if (m[i] == kMarkByte) {
      positions.Record().SetSize(++size);
      positions.Set(size, counter);
    }
    ++i;
  }
  return size;
}

int32_t UnitsForComparison(TextRef text, TextArray& units) {
  TextArray split(NewArray(10000));
  const int32_t pieces = SplitIntoUnits(text, split);
  // Every unit but a TAB unit is a non-empty element; a TAB unit is a pair of empty ones.
  int32_t count = 0;
  for (int32_t k = 1; k <= pieces; ++k) {
    if (split.At(k) == nullptr) ++k;
    ++count;
  }
  TextArray merged(NewArray(count));
  const Text tab = CharText(9);
  for (int32_t k = 1, u = 1; k <= pieces; ++k, ++u) {
    if (split.At(k) == nullptr) {
      merged.Put(u, CopyText(tab));
      ++k;
    } else {
      merged.Put(u, CopyText(split.At(k)));
    }
  }
  units = std::move(merged);
  return count;
}

Coverage ReferenceCoverage(TextRef first, TextRef second, RunBuilding building) {
  return std::move(MarkBoth(first, second, building).coverage);
}

void CompareTextsReference(TextRef first, TextRef second, LabelCaptions& labels,
                           RunBuilding building) {
  Marked m = MarkBoth(first, second, building);
  labels.SetLabelCaption(OverlayLabel::kFirst, LiteralOverlay(first, m.mask1, m.units1, m.n1));
  labels.SetLabelCaption(OverlayLabel::kSecond, LiteralOverlay(second, m.mask2, m.units2, m.n2));
}

}  // namespace dorvane
