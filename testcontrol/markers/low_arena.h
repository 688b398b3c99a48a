#pragma once
// Memory below 4 GiB for records that other code holds in 32-bit fields: the
// marker nodes and pending slot records, and the control objects whose
// addresses are published. Two kinds of block:
//  - records: 8 bytes, zeroed, tracked one by one so that an address read
//    back from elsewhere (a window property, a next field) can be checked
//    before it is followed;
//  - objects: any size, for whole control objects.
// Blocks come from regions mapped at low addresses; when no such region can
// be had, allocation returns nullptr and the caller publishes nothing.
// All functions are safe to call from any thread.
#include <cstddef>
#include <cstdint>

namespace zevote {

// True when p's address fits a 32-bit field exactly.
inline bool FitsIn32Bits(const void* p) {
    return reinterpret_cast<std::uintptr_t>(p) <= 0xFFFFFFFFu;
}

// What a record holds, so that an address is only followed into a record of
// the kind the reader expects.
enum class RecordKind : std::uint8_t { MarkerNode = 1, PendingSlot = 2 };

// An 8-byte zeroed record, or nullptr when none is left below 4 GiB.
void* AllocateLowRecord(RecordKind kind);
// Returns a record; addresses that are not live records are ignored.
void FreeLowRecord(void* record);
// The live record of that kind at this 32-bit address, or nullptr when the
// address is 0 or not such a record that this allocator handed out and has
// not taken back.
void* LiveLowRecord(std::uint32_t address, RecordKind kind);
// Number of live records (for checks that nothing leaks).
std::size_t LiveLowRecordCount();

// A block of `size` bytes (16-byte aligned) below 4 GiB, or nullptr.
void* AllocateLowObject(std::size_t size);
void FreeLowObject(void* block);
// True when the block came from AllocateLowObject.
bool IsLowObject(const void* block);

// Test hook: while set, every allocation fails as if the low region were
// exhausted.
void SimulateLowArenaExhaustedForTesting(bool exhausted);

}  // namespace zevote
