#pragma once
// Large blocks of memory taken straight from the system and given back to it
// as soon as they are freed. A store of many rows frees all its blocks at
// once when it closes; had they come from the heap, they would stay in the
// process as free heap space wherever later allocations sit above them.
// Small blocks come from the heap as usual, and so does everything in a
// build checked by AddressSanitizer, which watches the heap only.
#include <cstddef>
#include <memory>

namespace vb {

// `bytes` bytes, not initialised; std::bad_alloc when there is no memory.
void* AllocateSystemBlock(std::size_t bytes);
// Frees a block of `bytes` bytes from AllocateSystemBlock.
void FreeSystemBlock(void* block, std::size_t bytes) noexcept;

class SystemBlockDeleter {
public:
    SystemBlockDeleter() = default;
    explicit SystemBlockDeleter(std::size_t bytes) : bytes_(bytes) {}
    void operator()(void* block) const noexcept { FreeSystemBlock(block, bytes_); }

private:
    std::size_t bytes_ = 0;
};

template <class T>
using SystemBlock = std::unique_ptr<T[], SystemBlockDeleter>;

// Room for `count` values of a trivial type T, not initialised.
template <class T>
SystemBlock<T> NewSystemBlock(std::size_t count) {
    const std::size_t bytes = count * sizeof(T);
    return SystemBlock<T>(static_cast<T*>(AllocateSystemBlock(bytes)), SystemBlockDeleter(bytes));
}

}  // namespace vb
