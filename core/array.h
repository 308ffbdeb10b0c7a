// Array records and byte buffers: one block each, laid out as
//   int32 dimension count d | d x int32 size | elements, element 1 first.
// Arrays made here have one dimension; their elements are one pointer wide (4 bytes in the
// 32-bit build) and hold either a text reference or a 32-bit integer. A byte buffer is the same
// record with one dimension and one-byte elements.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "core/storage.h"
#include "core/text.h"

namespace dorvane {

// One element slot: wide enough for a text reference.
using ArraySlot = std::uintptr_t;

// The record's header: dimension count and the one size.
inline constexpr std::size_t kArrayHeaderBytes = 2 * sizeof(int32_t);

// Bytes of the block that NewArray(room) takes.
constexpr std::size_t ArrayBlockBytes(int32_t room) {
  return kArrayHeaderBytes + sizeof(ArraySlot) * static_cast<std::size_t>(room < 0 ? 0 : room);
}

// An owned array record of one dimension, or no record. Move-only.
class ArrayRecord {
 public:
  ArrayRecord() noexcept = default;
  ArrayRecord(const ArrayRecord&) = delete;
  ArrayRecord& operator=(const ArrayRecord&) = delete;
  ArrayRecord(ArrayRecord&& other) noexcept
      : block_(std::exchange(other.block_, nullptr)), room_(std::exchange(other.room_, 0)) {}
  ArrayRecord& operator=(ArrayRecord&& other) noexcept {
    if (this != &other) {
      Reset();
      block_ = std::exchange(other.block_, nullptr);
      room_ = std::exchange(other.room_, 0);
    }
    return *this;
  }
  ~ArrayRecord() { Reset(); }

  // NewArray: size and room both `room`, every element zero.
  static ArrayRecord New(int32_t room);

  bool IsNone() const noexcept { return block_ == nullptr; }
  const void* Block() const noexcept { return block_; }
  int32_t Room() const noexcept { return room_; }
  int32_t Dimensions() const noexcept;

  // Sets the size in place, between 0 and the room; index checks follow the new size.
  void SetSize(int32_t size);

  // The slot numbered index (1-based) after the index checks; a failed check ends the process.
  ArraySlot& Element(int32_t index);
  const ArraySlot& Element(int32_t index) const;

  // Releases the block alone (the elements are the owner's concern).
  void Reset() noexcept;

 private:
  int32_t* Header() const noexcept { return static_cast<int32_t*>(block_); }
  ArraySlot* Slots() const noexcept {
    return reinterpret_cast<ArraySlot*>(static_cast<char*>(block_) + kArrayHeaderBytes);
  }

  void* block_ = nullptr;
  int32_t room_ = 0;
};

inline ArrayRecord NewArray(int32_t room) {
  return ArrayRecord::New(room);
}
// The element count: the product of the sizes; 0 for no record and for d = 0.
int32_t ArrayCount(const ArrayRecord& record);
inline ArraySlot& ArrayElement(ArrayRecord& record, int32_t index) {
  return record.Element(index);
}

// An array record whose elements are texts it owns.
class TextArray {
 public:
  TextArray() noexcept = default;
  explicit TextArray(ArrayRecord record) noexcept : record_(std::move(record)) {}
  TextArray(TextArray&&) noexcept = default;
  TextArray& operator=(TextArray&& other) noexcept {
    if (this != &other) {
      TextArray old(std::move(*this));
      record_ = std::move(other.record_);
    }
    return *this;
  }
  ~TextArray() { Release(); }

  int32_t Count() const { return ArrayCount(record_); }
  const ArrayRecord& Record() const noexcept { return record_; }
  ArrayRecord& Record() noexcept { return record_; }

  // Element index as a lent text (null for an element that holds no text).
  const char* At(int32_t index) const {
    return reinterpret_cast<const char*>(record_.Element(index));
  }
  // Stores a text in element index; the element's previous text is released after.
  void Put(int32_t index, Text text);

  // ReleaseTextArray: every element that holds a text, then the block.
  void Release() noexcept;

 private:
  ArrayRecord record_;
};

inline void ReleaseTextArray(TextArray& array) {
  array.Release();
}

// An array record whose elements are 32-bit signed integers.
class IntArray {
 public:
  IntArray() noexcept = default;
  explicit IntArray(ArrayRecord record) noexcept : record_(std::move(record)) {}

  int32_t Count() const { return ArrayCount(record_); }
  ArrayRecord& Record() noexcept { return record_; }
  int32_t At(int32_t index) const {
    return static_cast<int32_t>(static_cast<uint32_t>(record_.Element(index)));
  }
  void Set(int32_t index, int32_t value) {
    record_.Element(index) = static_cast<ArraySlot>(static_cast<uint32_t>(value));
  }

 private:
  ArrayRecord record_;
};

// An owned byte buffer, or no buffer (zero bytes). Move-only.
class ByteBuffer {
 public:
  ByteBuffer() noexcept = default;
  ByteBuffer(const ByteBuffer&) = delete;
  ByteBuffer& operator=(const ByteBuffer&) = delete;
  ByteBuffer(ByteBuffer&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
  ByteBuffer& operator=(ByteBuffer&& other) noexcept {
    if (this != &other) {
      void* old = std::exchange(block_, std::exchange(other.block_, nullptr));
      ReleaseBlock(old);
    }
    return *this;
  }
  ~ByteBuffer() { ReleaseBlock(block_); }

  // A buffer of n bytes, not cleared; no buffer for n <= 0.
  static ByteBuffer New(int32_t n);

  bool IsNone() const noexcept { return block_ == nullptr; }
  const void* Block() const noexcept { return block_; }
  int32_t Length() const noexcept;
  const unsigned char* Data() const noexcept;
  unsigned char* Data() noexcept;

 private:
  void* block_ = nullptr;
};

// The bytes of a text without its terminator; no buffer for the empty text.
ByteBuffer TextToBytes(TextRef text);
// The bytes of the given buffers in order (each may be none); no buffer when the sum is 0.
ByteBuffer ConcatBytes(std::initializer_list<const ByteBuffer*> buffers);

}  // namespace dorvane
