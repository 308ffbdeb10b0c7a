// Fuzz target: segmentation and the unit list for any text. The units joined again give the
// text back (each pair of empty elements standing for a TAB unit), the segmented text is the
// text with a TAB after every unit but a lone lead byte at the end, and nothing leaks.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/storage.h"
#include "diff/segment.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] != 0) text += static_cast<char>(data[i]);
  }
  const std::int64_t live = dorvane::LiveBlockCount();
  {
    std::string expected;
    int32_t units = 0;
    int32_t tabs = 0;
    for (size_t i = 0; i < text.size();) {
      const bool pair = dorvane::IsLeadByte(text[i]) && i + 1 < text.size();
      const size_t width = pair ? 2 : 1;
      expected.append(text, i, width);
      ++units;
      if (!pair && text[i] == '\t') ++tabs;
      const bool lone_last = !pair && dorvane::IsLeadByte(text[i]);
      if (!lone_last) expected += '\t';
      i += width;
    }
    const dorvane::Text segmented = dorvane::SegmentText(text.c_str(), "\t");
    Check(expected == segmented.c_str());

    dorvane::TextArray list(dorvane::NewArray(4));
    const int32_t count = dorvane::SplitIntoUnits(text.c_str(), list);
    Check(count == units + tabs);
    std::string joined;
    for (int32_t k = 1; k <= count; ++k) {
      const char* element = list.At(k);
      if (element == nullptr) {
        Check(k < count && list.At(k + 1) == nullptr);
        joined += '\t';
        ++k;
      } else {
        joined += element;
      }
    }
    Check(joined == text);
  }
  Check(dorvane::LiveBlockCount() == live);
  return 0;
}
