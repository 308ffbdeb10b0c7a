// CompareTexts: coverage by the fast engine, then one overlay per text, first then second.
#include "diff/compare.h"

#include "diff/coverage.h"

namespace dorvane {

void CompareTexts(TextRef first, TextRef second, LabelCaptions& labels) {
  Coverage coverage = ComputeCoverage(first, second);
  {
    const Text overlay = BuildOverlay(first, coverage.first);
    coverage.first = ByteBuffer();
    labels.SetLabelCaption(OverlayLabel::kFirst, overlay);
  }
  const Text overlay = BuildOverlay(second, coverage.second);
  coverage.second = ByteBuffer();
  labels.SetLabelCaption(OverlayLabel::kSecond, overlay);
}

}  // namespace dorvane
