// Array records and byte buffers.
#include "core/array.h"

#include <cstring>

#include "core/fatal.h"

namespace dorvane {

ArrayRecord ArrayRecord::New(int32_t room) {
  if (room < 0) room = 0;
  const std::size_t bytes = ArrayBlockBytes(room);
  ArrayRecord record;
  record.block_ = AllocateBlock(bytes);
  record.room_ = room;
  std::memset(record.block_, 0, bytes);
  record.Header()[0] = 1;
  record.Header()[1] = room;
  return record;
}

int32_t ArrayRecord::Dimensions() const noexcept {
  return block_ == nullptr ? 0 : Header()[0];
}

void ArrayRecord::SetSize(int32_t size) {
  if (block_ == nullptr) return;
  if (size < 0) size = 0;
  if (size > room_) size = room_;  // the size never exceeds the room
  Header()[1] = size;
}

ArraySlot& ArrayRecord::Element(int32_t index) {
  // The two checks in this order: an index of 0 or below is always "below 1", also for no
  // record. Comparing index itself keeps INT32_MIN from overflowing in index - 1.
  if (index <= 0) FatalReport(Failure::kIndexBelowOne);
  if (index - 1 >= ArrayCount(*this)) FatalReport(Failure::kIndexAboveCount);
  return Slots()[index - 1];
}

const ArraySlot& ArrayRecord::Element(int32_t index) const {
  return const_cast<ArrayRecord*>(this)->Element(index);
}

void ArrayRecord::Reset() noexcept {
  ReleaseBlock(block_);
  block_ = nullptr;
  room_ = 0;
}

int32_t ArrayCount(const ArrayRecord& record) {
  if (record.IsNone()) return 0;
  const auto* header = static_cast<const int32_t*>(record.Block());
  const int32_t d = header[0];
  if (d == 0) return 0;
  int32_t count = 1;
  for (int32_t i = 0; i < d; ++i) count *= header[1 + i];
  return count;
}

void TextArray::Put(int32_t index, Text text) {
  ArraySlot& slot = record_.Element(index);
  Text old = Text::Adopt(reinterpret_cast<char*>(slot));
  slot = reinterpret_cast<ArraySlot>(text.Release());
}

void TextArray::Release() noexcept {
  if (record_.IsNone()) return;
  const int32_t count = ArrayCount(record_);
  for (int32_t i = 1; i <= count; ++i) {
    ReleaseBlock(reinterpret_cast<const void*>(record_.Element(i)));
  }
  record_.Reset();
}

ByteBuffer ByteBuffer::New(int32_t n) {
  ByteBuffer buffer;
  if (n <= 0) return buffer;
  buffer.block_ = AllocateBlock(kArrayHeaderBytes + static_cast<std::size_t>(n));
  auto* header = static_cast<int32_t*>(buffer.block_);
  header[0] = 1;
  header[1] = n;
  return buffer;
}

int32_t ByteBuffer::Length() const noexcept {
  return block_ == nullptr ? 0 : static_cast<const int32_t*>(block_)[1];
}

const unsigned char* ByteBuffer::Data() const noexcept {
  return block_ == nullptr ? nullptr
                           : static_cast<const unsigned char*>(block_) + kArrayHeaderBytes;
}

unsigned char* ByteBuffer::Data() noexcept {
  return block_ == nullptr ? nullptr : static_cast<unsigned char*>(block_) + kArrayHeaderBytes;
}

ByteBuffer TextToBytes(TextRef text) {
  const int32_t n = ByteLength(text);
  ByteBuffer buffer = ByteBuffer::New(n);
  if (n > 0) std::memcpy(buffer.Data(), text.get(), static_cast<std::size_t>(n));
  return buffer;
}

ByteBuffer ConcatBytes(std::initializer_list<const ByteBuffer*> buffers) {
  int32_t total = 0;
  for (const ByteBuffer* buffer : buffers) {
    if (buffer != nullptr) total += buffer->Length();
  }
  ByteBuffer joined = ByteBuffer::New(total);
  unsigned char* out = joined.Data();
  for (const ByteBuffer* buffer : buffers) {
    if (buffer == nullptr || buffer->IsNone()) continue;
    std::memcpy(out, buffer->Data(), static_cast<std::size_t>(buffer->Length()));
    out += buffer->Length();
  }
  return joined;
}

}  // namespace dorvane
