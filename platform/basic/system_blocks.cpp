#include "system_blocks.h"

#include <sys/mman.h>

#include <new>

namespace vb {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kHeapOnly = true;
#else
constexpr bool kHeapOnly = false;
#endif

// Below this a block comes from the heap: the system hands out whole pages.
constexpr std::size_t kSmallestSystemBlock = 64 * 1024;

bool fromSystem(std::size_t bytes) { return !kHeapOnly && bytes >= kSmallestSystemBlock; }

}  // namespace

void* AllocateSystemBlock(std::size_t bytes) {
    if (!fromSystem(bytes)) return ::operator new(bytes == 0 ? 1 : bytes);
    void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) throw std::bad_alloc();
    return block;
}

void FreeSystemBlock(void* block, std::size_t bytes) noexcept {
    if (!block) return;
    if (!fromSystem(bytes)) {
        ::operator delete(block);
        return;
    }
    munmap(block, bytes);
}

}  // namespace vb
