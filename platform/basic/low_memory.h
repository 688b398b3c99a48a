#pragma once
// Memory below 4 GiB, for records whose addresses other code keeps in 32-bit
// fields: the object runtime's context, values and objects, the test
// control's published marker records and control objects. Two kinds:
//  - blocks: any size, 16-byte aligned, zeroed; a freed block is filled with
//    0xDD so that a stale read shows;
//  - records: 8 bytes, 8-byte aligned, zeroed, tagged with a kind, so that an
//    address read back from elsewhere (a window property, a next field) can be
//    checked before it is followed.
// Both come from regions mapped below 4 GiB. A region the kernel places
// anywhere else is given back: the allocation then fails (nullptr) and the
// reason is written to standard error once.
// Every function is safe to call from any thread.
#include <cstddef>
#include <cstdint>

namespace vb::low {

using Address = std::uint32_t;

// True when every byte of [p, p + bytes) has an address that fits 32 bits.
bool FitsIn32Bits(const void* p, std::size_t bytes = 1);
// The 32-bit address of p; throws std::out_of_range when p lies above 4 GiB
// (the address would be cut and point elsewhere).
Address AddressOf(const void* p);
// The pointer for a 32-bit address.
inline void* PointerAt(Address address) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(address)); }

// A zeroed block of `size` bytes, or nullptr when no memory below 4 GiB is left.
void* Allocate(std::size_t size);
// Gives a block back; anything that is not a live block is ignored.
void Free(void* block);
// True when p is the start of a live block.
bool IsBlock(const void* p);

// A zeroed 8-byte record of that kind, or nullptr.
void* AllocateRecord(std::uint8_t kind);
// Gives a record back; addresses that are not live records are ignored.
void FreeRecord(void* record);
// The live record of that kind at this address, or nullptr when the address
// is 0 or not such a record handed out and not given back.
void* LiveRecord(Address address, std::uint8_t kind);
// Number of live records.
std::size_t LiveRecordCount();

// `bytes` of zeroed read/write memory below 4 GiB, mapped for a caller that
// manages it itself (code stubs), or nullptr. Never given back.
void* MapRegion(std::size_t bytes);

// Test hook: while set, every allocation fails as if no low memory were left.
void SimulateExhaustedForTesting(bool exhausted);

}  // namespace vb::low
