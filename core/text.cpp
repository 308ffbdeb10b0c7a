// Text operations.
#include "core/text.h"

#include <cstring>

namespace dorvane {

int32_t ByteLength(TextRef text) {
  const char* bytes = text.get();
  return bytes == nullptr ? 0 : static_cast<int32_t>(std::strlen(bytes));
}

Text JoinTexts(std::initializer_list<TextRef> texts) {
  std::size_t total = 1;
  for (TextRef text : texts) total += static_cast<std::size_t>(ByteLength(text));
  auto* block = static_cast<char*>(AllocateBlock(total));
  char* out = block;
  for (TextRef text : texts) {
    const std::size_t n = static_cast<std::size_t>(ByteLength(text));
    if (n != 0) std::memcpy(out, text.get(), n);
    out += n;
  }
  *out = '\0';
  return Text::Adopt(block);
}

Text CopyText(TextRef text) {
  if (text.get() == nullptr) return Text();
  const std::size_t n = static_cast<std::size_t>(ByteLength(text)) + 1;
  auto* block = static_cast<char*>(AllocateBlock(n));
  std::memcpy(block, text.get(), n);
  return Text::Adopt(block);
}

Text BlankText(int32_t n) {
  if (n <= 0) return Text();
  auto* block = static_cast<char*>(AllocateBlock(static_cast<std::size_t>(n) + 1));
  std::memset(block, ' ', static_cast<std::size_t>(n));
  block[n] = '\0';
  return Text::Adopt(block);
}

Text CharText(int32_t code) {
  const auto byte = static_cast<char>(code & 0xFF);
  if (byte == '\0') return Text();
  auto* block = static_cast<char*>(AllocateBlock(2));
  block[0] = byte;
  block[1] = '\0';
  return Text::Adopt(block);
}

Text TextFromBytes(const char* bytes, int32_t n) {
  if (n <= 0) return Text();
  auto* block = static_cast<char*>(AllocateBlock(static_cast<std::size_t>(n) + 1));
  std::memcpy(block, bytes, static_cast<std::size_t>(n));
  block[n] = '\0';
  return Text::Adopt(block);
}

}  // namespace dorvane
