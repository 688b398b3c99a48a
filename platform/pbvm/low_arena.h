#pragma once
// Memory below 4 GiB, for every runtime record whose address generated code
// keeps in a 32-bit field: the context, value areas, value records, strings,
// objects, target records, the routine-stack record and the instance table.
// The blocks come from the platform's low memory (vb::low).
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace pbvm {

using u32 = std::uint32_t;
using u16 = std::uint16_t;

// A zeroed block of `size` bytes; its address fits 32 bits. Throws
// std::bad_alloc when no memory below 4 GiB is left.
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

// A field of T at any address, read and written byte-wise: the context keeps
// 32-bit fields at offsets that are not multiples of 4.
template <class T>
class Unaligned {
public:
    explicit Unaligned(u32 address) : address_(address) {}
    operator T() const {
        T v;
        std::memcpy(&v, At<const void>(address_), sizeof v);
        return v;
    }
    Unaligned& operator=(T v) {
        std::memcpy(At<void>(address_), &v, sizeof v);
        return *this;
    }
    Unaligned& operator=(const Unaligned& other) { return *this = static_cast<T>(other); }
    Unaligned& operator+=(T d) { return *this = static_cast<T>(*this + d); }
    Unaligned& operator-=(T d) { return *this = static_cast<T>(*this - d); }

private:
    u32 address_;
};

inline Unaligned<u32> Word(u32 address) { return Unaligned<u32>(address); }
inline Unaligned<u16> Half(u32 address) { return Unaligned<u16>(address); }

// The 32-bit address of a low record (or of static data of a program linked
// without position independence). Throws std::out_of_range for an address
// above 4 GiB, which a 32-bit field cannot hold.
u32 Low(const void* p);

}  // namespace pbvm
