// A typed work array in one storage block, for buffers sized to the input (the comparison's
// suffix and match arrays). Move-only; the block is released exactly once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <utility>

#include "core/fatal.h"
#include "core/storage.h"

namespace dorvane {

template <typename T>
class BlockArray {
  static_assert(std::is_trivially_copyable_v<T>, "work arrays hold plain values");

 public:
  BlockArray() noexcept = default;
  explicit BlockArray(std::size_t count) : count_(count) {
    if (count > std::numeric_limits<std::size_t>::max() / sizeof(T)) {
      FatalReport(Failure::kOutOfMemory, std::numeric_limits<std::uint64_t>::max());
    }
    items_ = static_cast<T*>(AllocateBlock(count * sizeof(T)));
  }
  BlockArray(const BlockArray&) = delete;
  BlockArray& operator=(const BlockArray&) = delete;
  BlockArray(BlockArray&& other) noexcept
      : items_(std::exchange(other.items_, nullptr)), count_(std::exchange(other.count_, 0)) {}
  BlockArray& operator=(BlockArray&& other) noexcept {
    if (this != &other) {
      Reset();
      items_ = std::exchange(other.items_, nullptr);
      count_ = std::exchange(other.count_, 0);
    }
    return *this;
  }
  ~BlockArray() { Reset(); }

  void Reset() noexcept {
    ReleaseBlock(items_);
    items_ = nullptr;
    count_ = 0;
  }
  void Fill(const T& value) noexcept {
    for (std::size_t i = 0; i < count_; ++i) items_[i] = value;
  }

  T* data() noexcept { return items_; }
  const T* data() const noexcept { return items_; }
  std::size_t size() const noexcept { return count_; }
  T& operator[](std::size_t i) noexcept { return items_[i]; }
  const T& operator[](std::size_t i) const noexcept { return items_[i]; }

 private:
  T* items_ = nullptr;
  std::size_t count_ = 0;
};

}  // namespace dorvane
