// Texts: NUL-terminated bytes in the ANSI code page, owned by one variable at a time.
// No text (null) and the empty text behave alike in every operation.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>

#include "core/storage.h"

namespace dorvane {

// The literal texts: the empty text at offset 0 and the one-space text at offset 1. They lie
// in constant data for the whole life of the process and release never touches them.
inline constexpr char kLiteralPool[] = {'\0', ' ', '\0'};
inline constexpr const char* kEmptyLiteral = &kLiteralPool[0];
inline constexpr const char* kSpaceLiteral = &kLiteralPool[1];

// An owned text, a literal, or no text. Move-only; the block is released exactly once.
class Text {
 public:
  Text() noexcept = default;
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  Text(Text&& other) noexcept : bytes_(std::exchange(other.bytes_, nullptr)) {}
  // The new value is taken first and the old one released after, so x = f(x) is safe.
  Text& operator=(Text&& other) noexcept {
    if (this != &other) {
      char* old = std::exchange(bytes_, std::exchange(other.bytes_, nullptr));
      ReleaseBlock(old);
    }
    return *this;
  }
  ~Text() { ReleaseBlock(bytes_); }

  // Takes ownership of a terminated block from AllocateBlock (or a literal).
  static Text Adopt(char* block) noexcept {
    Text text;
    text.bytes_ = block;
    return text;
  }
  static Text Literal(const char* literal) noexcept { return Adopt(const_cast<char*>(literal)); }

  // The reference itself: null for no text.
  const char* get() const noexcept { return bytes_; }
  // Never null: no text reads as the empty text.
  const char* c_str() const noexcept { return bytes_ != nullptr ? bytes_ : kEmptyLiteral; }
  // The bytes for writing in place; null for no text and for a literal.
  char* data() noexcept { return IsLiteral(bytes_) ? nullptr : bytes_; }
  bool empty() const noexcept { return bytes_ == nullptr || bytes_[0] == '\0'; }
  bool IsNone() const noexcept { return bytes_ == nullptr; }

  // Gives up ownership; the caller releases the block.
  char* Release() noexcept { return std::exchange(bytes_, nullptr); }

 private:
  char* bytes_ = nullptr;
};

// A lent text: a raw reference or a Text, never kept.
class TextRef {
 public:
  TextRef(const char* bytes) noexcept : bytes_(bytes) {}      // NOLINT(google-explicit-constructor)
  TextRef(const Text& text) noexcept : bytes_(text.get()) {}  // NOLINT(google-explicit-constructor)
  const char* get() const noexcept { return bytes_; }
  const char* c_str() const noexcept { return bytes_ != nullptr ? bytes_ : kEmptyLiteral; }

 private:
  const char* bytes_;
};

// The number of bytes before the terminator; 0 for no text.
int32_t ByteLength(TextRef text);

// A fresh text of the given texts' bytes in order; never no text (an empty result is a fresh
// block of one byte). One allocation: all lengths are measured first.
Text JoinTexts(std::initializer_list<TextRef> texts);
inline Text JoinTexts(TextRef first, TextRef second) {
  return JoinTexts({first, second});
}

// A fresh copy in a block of exactly length + 1 bytes; no text gives no text.
Text CopyText(TextRef text);

// A fresh text of n spaces; no text when n <= 0.
Text BlankText(int32_t n);

// A fresh one-byte text of the low 8 bits of code; no text when that byte is 0.
Text CharText(int32_t code);

// A fresh text of the given bytes (none of them NUL) and a terminator; no text for n <= 0.
Text TextFromBytes(const char* bytes, int32_t n);

}  // namespace dorvane
