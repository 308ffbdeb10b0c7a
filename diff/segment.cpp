// Segmentation: the copy loop that writes a separator after every unit, and the split.
#include "diff/segment.h"

#include <cstring>

namespace dorvane {
namespace {

// The segmentation loop. out has room for 2 * L + 1 bytes, which always suffices: every unit
// adds at most one separator and is at least one byte long. Returns the final read position.
int32_t SegmentInto(const char* text, char* out, char separator) {
  int32_t i = 0;
  int32_t j = 0;
  if (text[0] != '\0') {
    do {
      if (IsLeadByte(text[i])) {
        out[j++] = text[i++];
        // A lead byte right before the terminator is a unit by itself: no separator follows.
        if (text[i] == '\0') break;
      }
      out[j++] = text[i];
      out[j++] = separator;
      ++i;
    } while (text[i] != '\0');
  }
  out[j] = '\0';
  return i;
}

}  // namespace

Text SegmentText(TextRef text, TextRef separator) {
  const ByteBuffer separator_bytes =
      TextToBytes(ByteLength(separator) == 0 ? TextRef(kSpaceLiteral) : separator);
  const char separator_byte = static_cast<char>(separator_bytes.Data()[0]);
  const int32_t length = ByteLength(text);
  if (length == 0) return Text::Literal(kEmptyLiteral);
  Text out = BlankText(2 * length);
  SegmentInto(text.get(), out.data(), separator_byte);
  return CopyText(out);
}

TextArray SplitText(TextRef text, TextRef separator) {
  const char* bytes = text.c_str();
  const char* sep = separator.c_str();
  const int32_t length = ByteLength(text);
  const int32_t s = ByteLength(separator);
  // Two passes over the text: the first counts the pieces so that the record is made once.
  int32_t count = 0;
  TextArray pieces;
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) pieces = TextArray(NewArray(count));
    int32_t found = 0;
    int32_t start = 0;
    int32_t p = 0;
    int32_t r = length;
    while (s > 0 && r >= s) {
      if (std::memcmp(bytes + p, sep, static_cast<std::size_t>(s)) == 0) {
        ++found;
        if (pass == 1 && p > start) pieces.Put(found, TextFromBytes(bytes + start, p - start));
        p += s;
        r -= s;
        start = p;
      } else if (IsLeadByte(bytes[p])) {
        if (bytes[p + 1] == '\0') break;
        p += 2;
        r -= 2;
      } else {
        p += 1;
        r -= 1;
      }
    }
    if (start < length) {
      ++found;
      if (pass == 1) pieces.Put(found, TextFromBytes(bytes + start, length - start));
    }
    count = found;
  }
  return pieces;
}

int32_t SplitIntoUnits(TextRef text, TextArray& units) {
  const Text tab = CharText(9);
  TextArray split;
  {
    const Text segmented = SegmentText(text, tab);
    split = SplitText(segmented, tab);
  }
  // The new list is complete before the old one goes.
  units = std::move(split);
  return units.Count();
}

}  // namespace dorvane
