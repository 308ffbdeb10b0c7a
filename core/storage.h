// Storage blocks: every text, byte buffer and array record lives in a block from here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dorvane {

// A block of n bytes, not cleared. Never returns null: when the heap cannot give the block
// (or n cannot be a block at all) the fatal report of exhausted memory ends the process,
// naming n. Sizes are size_t because work buffers are sized to the input.
void* AllocateBlock(std::size_t n);

// Gives a block back. Null and the literals in constant data are left alone.
void ReleaseBlock(const void* block);

// True for a reference into the literal pool (see text.h), which is never released.
bool IsLiteral(const void* block);

// Test hook: the allocation that comes after `successes` more successful ones fails as if the
// heap were exhausted. A negative value switches the injection off.
void InjectAllocationFailure(std::int64_t successes);

// Test hook: the number of blocks given and not yet released.
std::int64_t LiveBlockCount();

// Statistics for the benchmarks: the bytes of the blocks given and not yet released, and the
// most there have been since the last reset.
std::int64_t LiveBlockBytes();
std::int64_t PeakBlockBytes();
void ResetPeakBlockBytes();

}  // namespace dorvane
