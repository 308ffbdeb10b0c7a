// Fuzz target: the fast engine must give the step-by-step procedure's coverage, and the
// comparison must hand over two overlays of the right length, for any two texts.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "diff/compare.h"
#include "diff/coverage.h"
#include "diff/reference.h"

namespace {

class CheckingLabels final : public dorvane::LabelCaptions {
 public:
  void SetLabelCaption(dorvane::OverlayLabel, const dorvane::Text& caption) override {
    lengths[calls++] = dorvane::ByteLength(caption);
  }
  int calls = 0;
  int32_t lengths[2] = {0, 0};
};

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

// The input is the two texts separated by a NUL byte; further NUL bytes are dropped.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string texts[2];
  int which = 0;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      which = 1;
    } else {
      texts[which] += static_cast<char>(data[i]);
    }
  }
  // The step-by-step procedure is far slower than linear; keep it to small texts.
  if (texts[0].size() > 48 || texts[1].size() > 48) return 0;
  const dorvane::Coverage fast = dorvane::ComputeCoverage(texts[0].c_str(), texts[1].c_str());
  const dorvane::Coverage slow = dorvane::ReferenceCoverage(texts[0].c_str(), texts[1].c_str());
  Check(fast.first.Length() == slow.first.Length() && fast.second.Length() == slow.second.Length());
  if (!fast.first.IsNone()) {
    Check(std::memcmp(fast.first.Data(), slow.first.Data(), texts[0].size()) == 0);
  }
  if (!fast.second.IsNone()) {
    Check(std::memcmp(fast.second.Data(), slow.second.Data(), texts[1].size()) == 0);
  }
  CheckingLabels labels;
  dorvane::CompareTexts(texts[0].c_str(), texts[1].c_str(), labels);
  Check(labels.calls == 2 && labels.lengths[0] == 10000 && labels.lengths[1] == 10000);
  return 0;
}
