// The comparison: marks in each of two texts every byte covered by the first occurrence of a
// run of three or more units of the other text, and hands each text's overlay to its label.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace dorvane {

enum class OverlayLabel { kFirst, kSecond };

// The one window operation the comparison needs: give a label a copy of a caption.
class LabelCaptions {
 public:
  virtual void SetLabelCaption(OverlayLabel label, const Text& caption) = 0;

 protected:
  ~LabelCaptions() = default;
};

// The overlay length: at least 10000 bytes, and the whole text when it is longer.
inline constexpr int32_t kMinimumOverlayBytes = 10000;

// Compares first and second (either may be no text) and sets the caption of the first label to
// the first overlay, then that of the second label to the second overlay. An overlay holds
// spaces except where an uncovered unit of its text stands, at that unit's own byte offset.
void CompareTexts(TextRef first, TextRef second, LabelCaptions& labels);

}  // namespace dorvane
