// Cutting a text into its units: a byte of 0x7F or below alone, a byte above 0x7F with the byte
// after it. The unit list holds one text per unit, numbered from 1.
#pragma once

#include <cstdint>

#include "core/array.h"
#include "core/text.h"

namespace dorvane {

// True for a byte that starts a two-byte unit (0x80 to 0xFF).
constexpr bool IsLeadByte(char byte) {
  return static_cast<unsigned char>(byte) > 0x7F;
}

// A copy of text with the separator's byte after every unit. An empty separator stands for one
// space; of a longer separator only the first byte is used. A lone lead byte at the end is
// copied without a separator after it. No text or the empty text gives the empty text.
Text SegmentText(TextRef text, TextRef separator);

// The pieces of text between occurrences of separator (non-empty), found only at unit starts.
// Empty pieces are held as no text; a separator at the very end adds no empty last piece.
TextArray SplitText(TextRef text, TextRef separator);

// Replaces units with the unit list of text and returns its element count. A TAB unit stands
// in the list as two empty elements.
int32_t SplitIntoUnits(TextRef text, TextArray& units);

}  // namespace dorvane
