// Coverage: one flag per byte of a text, set where the byte lies inside the first occurrence of
// a run of three or more units of the other text. Both engines produce it; the overlay is built
// from it.
#pragma once

#include <cstdint>

#include "core/array.h"
#include "core/text.h"

namespace dorvane {

// Runs shorter than this many units cover nothing.
inline constexpr int32_t kMinimumRunUnits = 3;

// Flag bytes, 1 for covered and 0 for not, one per byte of each text; no buffer for an empty
// text.
struct Coverage {
  ByteBuffer first;
  ByteBuffer second;
};

// The fast engine: a suffix array over both texts, near-linear time and linear memory.
Coverage ComputeCoverage(TextRef first, TextRef second);

// The overlay of a text: max(kMinimumOverlayBytes, length) bytes of spaces in which every unit
// with no covered byte stands at its own byte offset. An uncovered lone lead byte at the end
// stands as '?', so that it cannot pair with the space after it into another character.
Text BuildOverlay(TextRef text, const ByteBuffer& covered);

}  // namespace dorvane
