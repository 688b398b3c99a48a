#include "low_arena.h"

#include <sys/mman.h>

#include <cstring>
#include <map>
#include <new>
#include <unordered_map>
#include <vector>

namespace pbvm {

namespace {

constexpr std::size_t kArenaSize = 64u << 20;
constexpr std::size_t kCodeSize = 64u << 10;

struct Arena {
    std::uint8_t* base = nullptr;
    std::size_t used = 0;
    std::unordered_map<u32, std::size_t> blocks;             // address -> size
    std::map<std::size_t, std::vector<u32>> freeBySize;       // reusable blocks
    std::uint8_t* code = nullptr;
    std::size_t codeUsed = 0;
};

Arena& arena() {
    static Arena a;
    if (!a.base) {
        void* p = mmap(nullptr, kArenaSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
        if (p == MAP_FAILED) throw std::bad_alloc();
        a.base = static_cast<std::uint8_t*>(p);
        a.used = 16;  // no record at the arena's first address, so 0 stays "none"
    }
    return a;
}

}  // namespace

u32 LowAlloc(std::size_t size) {
    Arena& a = arena();
    std::size_t rounded = (size + 15) & ~std::size_t{15};
    if (rounded == 0) rounded = 16;
    auto it = a.freeBySize.find(rounded);
    u32 address;
    if (it != a.freeBySize.end() && !it->second.empty()) {
        address = it->second.back();
        it->second.pop_back();
    } else {
        if (a.used + rounded > kArenaSize) throw std::bad_alloc();
        address = Low(a.base + a.used);
        a.used += rounded;
    }
    std::memset(At<void>(address), 0, rounded);
    a.blocks[address] = rounded;
    return address;
}

void LowFree(u32 address) {
    Arena& a = arena();
    auto it = a.blocks.find(address);
    if (it == a.blocks.end()) return;
    std::memset(At<void>(address), 0xDD, it->second);
    a.freeBySize[it->second].push_back(address);
    a.blocks.erase(it);
}

bool LowIsBlock(u32 address) { return arena().blocks.count(address) != 0; }

u32 LowTrampoline(const void* target) {
    Arena& a = arena();
    if (!a.code) {
        void* p = mmap(nullptr, kCodeSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
        if (p == MAP_FAILED) throw std::bad_alloc();
        a.code = static_cast<std::uint8_t*>(p);
    }
    if (a.codeUsed + 16 > kCodeSize) throw std::bad_alloc();
    std::uint8_t* stub = a.code + a.codeUsed;
    mprotect(a.code, kCodeSize, PROT_READ | PROT_WRITE);
    // movabs rax, target; jmp rax
    stub[0] = 0x48;
    stub[1] = 0xB8;
    auto t = reinterpret_cast<std::uint64_t>(target);
    std::memcpy(stub + 2, &t, 8);
    stub[10] = 0xFF;
    stub[11] = 0xE0;
    a.codeUsed += 16;
    mprotect(a.code, kCodeSize, PROT_READ | PROT_EXEC);
    return Low(stub);
}

}  // namespace pbvm
