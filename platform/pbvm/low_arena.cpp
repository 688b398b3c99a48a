#include "low_arena.h"

#include <cstring>
#include <mutex>
#include <new>

#include <sys/mman.h>

#include "low_memory.h"

namespace pbvm {

namespace {

constexpr std::size_t kCodeSize = 64u << 10;
constexpr std::size_t kStubSize = 16;

}  // namespace

u32 LowAlloc(std::size_t size) {
    void* p = vb::low::Allocate(size);
    if (!p) throw std::bad_alloc();
    return Low(p);
}

void LowFree(u32 address) {
    if (address) vb::low::Free(vb::low::PointerAt(address));
}

bool LowIsBlock(u32 address) { return address && vb::low::IsBlock(vb::low::PointerAt(address)); }

u32 Low(const void* p) { return vb::low::AddressOf(p); }

u32 LowTrampoline(const void* target) {
    static std::mutex mutex;
    static std::uint8_t* code = nullptr;
    static std::size_t used = 0;
    std::lock_guard lock(mutex);
    if (!code) {
        code = static_cast<std::uint8_t*>(vb::low::MapRegion(kCodeSize));
        if (!code) throw std::bad_alloc();
        mprotect(code, kCodeSize, PROT_READ | PROT_EXEC);
    }
    if (used + kStubSize > kCodeSize) throw std::bad_alloc();
    std::uint8_t* stub = code + used;
    mprotect(code, kCodeSize, PROT_READ | PROT_WRITE);
    // movabs rax, target; jmp rax
    stub[0] = 0x48;
    stub[1] = 0xB8;
    const auto t = reinterpret_cast<std::uint64_t>(target);
    std::memcpy(stub + 2, &t, 8);
    stub[10] = 0xFF;
    stub[11] = 0xE0;
    used += kStubSize;
    mprotect(code, kCodeSize, PROT_READ | PROT_EXEC);
    return Low(stub);
}

}  // namespace pbvm
