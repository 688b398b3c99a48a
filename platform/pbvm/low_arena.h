#pragma once
// Memory below 4 GiB, for every runtime record whose address generated code
// keeps in a 32-bit field: the context, value areas, value records, strings,
// objects, target records, the routine-stack record and the instance table.
#include <cstddef>
#include <cstdint>

namespace pbvm {

using u32 = std::uint32_t;
using u16 = std::uint16_t;

// A zeroed block of `size` bytes; its address fits 32 bits. Throws
// std::bad_alloc when the arena is exhausted.
u32 LowAlloc(std::size_t size);
void LowFree(u32 address);
// True when `address` is the start of a block handed out and not freed.
bool LowIsBlock(u32 address);

// Code stubs below 4 GiB that jump to `target`, for tables whose entries are
// 32-bit routine addresses.
u32 LowTrampoline(const void* target);

template <class T>
T* At(u32 address) {
    return reinterpret_cast<T*>(static_cast<std::uintptr_t>(address));
}
inline u32& Word(u32 address) { return *At<u32>(address); }
inline u16& Half(u32 address) { return *At<u16>(address); }
// The 32-bit address of a low record (or of static data of a program linked
// without position independence).
inline u32 Low(const void* p) { return static_cast<u32>(reinterpret_cast<std::uintptr_t>(p)); }

}  // namespace pbvm
