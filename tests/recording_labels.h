// A LabelCaptions that keeps every caption it is given, in order.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "diff/compare.h"

namespace dorvane::testing {

class RecordingLabels final : public LabelCaptions {
 public:
  void SetLabelCaption(OverlayLabel label, const Text& caption) override {
    calls.emplace_back(label, caption.IsNone() ? std::string() : std::string(caption.get()));
  }
  std::vector<std::pair<OverlayLabel, std::string>> calls;
};

// The overlay as expected: the shown part, then spaces up to the overlay length.
inline std::string Padded(const std::string& shown, std::size_t length = 10000) {
  std::string out = shown;
  if (out.size() < length) out.append(length - out.size(), ' ');
  return out;
}

}  // namespace dorvane::testing
