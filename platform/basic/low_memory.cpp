#include "low_memory.h"

#include <sys/mman.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <stdexcept>
#include <unordered_map>
#include <vector>

// Under AddressSanitizer, memory not handed out is poisoned, and the regions
// are scanned for pointers to the heap like the program's own data: objects
// in low memory hold heap memory of their own.
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#include <sanitizer/lsan_interface.h>
#define LOW_POISON(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define LOW_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#define LOW_SCANNED(p, n) __lsan_register_root_region((p), (n))
#else
#define LOW_POISON(p, n) ((void)(p), (void)(n))
#define LOW_UNPOISON(p, n) ((void)(p), (void)(n))
#define LOW_SCANNED(p, n) ((void)(p), (void)(n))
#endif

namespace vb::low {

namespace {

constexpr std::uintptr_t k4GiB = std::uintptr_t{1} << 32;
constexpr std::size_t kRegionBytes = 1u << 20;
constexpr std::size_t kRecordBytes = 8;
constexpr std::size_t kBlockAlign = 16;
constexpr unsigned char kFreedByte = 0xDD;

bool EndsBelow4GiB(const void* p, std::size_t bytes) {
    const auto start = reinterpret_cast<std::uintptr_t>(p);
    return start < k4GiB && bytes <= k4GiB - start;
}

// Said once, so that a program that cannot have low memory shows why.
void ReportPlacement(std::size_t bytes, const void* where) {
    static std::once_flag once;
    std::call_once(once, [&] {
        std::fprintf(stderr,
                     "low memory: no region of %zu bytes could be mapped below 4 GiB%s%" PRIxPTR "\n", bytes,
                     where ? "; the kernel placed it at 0x" : "", reinterpret_cast<std::uintptr_t>(where));
    });
}

void* Scanned(void* region, std::size_t bytes) {
    LOW_SCANNED(region, bytes);
    return region;
}

void* MapLow(std::size_t bytes) {
    constexpr int kFlags = MAP_PRIVATE | MAP_ANONYMOUS;
    void* misplaced = nullptr;
#ifdef MAP_32BIT
    if (void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, kFlags | MAP_32BIT, -1, 0); p != MAP_FAILED) {
        if (EndsBelow4GiB(p, bytes)) return Scanned(p, bytes);
        misplaced = p;
        munmap(p, bytes);
    }
#endif
    // Where there is no 32-bit mapping flag, or it found no room, low
    // addresses are asked for as hints; the kernel may place the region
    // elsewhere, and then it is given back.
    for (std::uintptr_t hint = 0x10000000; hint + bytes <= k4GiB; hint += 0x10000000) {
        void* p = mmap(reinterpret_cast<void*>(hint), bytes, PROT_READ | PROT_WRITE, kFlags, -1, 0);
        if (p == MAP_FAILED) continue;
        if (EndsBelow4GiB(p, bytes)) return Scanned(p, bytes);
        misplaced = p;
        munmap(p, bytes);
    }
    ReportPlacement(bytes, misplaced);
    return nullptr;
}

class Arena {
public:
    void* AllocateBlock(std::size_t size) {
        const std::size_t rounded = RoundUp(size == 0 ? 1 : size, kBlockAlign);
        std::lock_guard lock(mutex_);
        if (exhausted_) return nullptr;
        void* p = nullptr;
        if (auto it = freeBlocks_.find(rounded); it != freeBlocks_.end() && !it->second.empty()) {
            p = it->second.back();
            it->second.pop_back();
        } else {
            p = rounded <= kRegionBytes / 4 ? Carve(rounded, kBlockAlign) : MapLow(rounded);
        }
        if (!p) return nullptr;
        LOW_UNPOISON(p, rounded);
        std::memset(p, 0, rounded);
        liveBlocks_[reinterpret_cast<std::uintptr_t>(p)] = rounded;
        return p;
    }

    void FreeBlock(void* p) {
        std::lock_guard lock(mutex_);
        auto it = liveBlocks_.find(reinterpret_cast<std::uintptr_t>(p));
        if (it == liveBlocks_.end()) return;
        std::memset(p, kFreedByte, it->second);
        LOW_POISON(p, it->second);
        freeBlocks_[it->second].push_back(p);
        liveBlocks_.erase(it);
    }

    bool IsBlock(const void* p) {
        std::lock_guard lock(mutex_);
        return liveBlocks_.count(reinterpret_cast<std::uintptr_t>(p)) != 0;
    }

    void* AllocateRecord(std::uint8_t kind) {
        std::lock_guard lock(mutex_);
        if (exhausted_) return nullptr;
        void* p = nullptr;
        if (!freeRecords_.empty()) {
            p = freeRecords_.back();
            freeRecords_.pop_back();
        } else {
            p = Carve(kRecordBytes, kRecordBytes);
        }
        if (!p) return nullptr;
        LOW_UNPOISON(p, kRecordBytes);
        std::memset(p, 0, kRecordBytes);
        liveRecords_[Low(p)] = kind;
        return p;
    }

    void FreeRecord(void* p) {
        std::lock_guard lock(mutex_);
        if (!p || !FitsIn32Bits(p) || liveRecords_.erase(Low(p)) == 0) return;
        LOW_POISON(p, kRecordBytes);
        freeRecords_.push_back(p);
    }

    void* LiveRecord(Address address, std::uint8_t kind) {
        std::lock_guard lock(mutex_);
        auto it = liveRecords_.find(address);
        if (it == liveRecords_.end() || it->second != kind) return nullptr;
        return PointerAt(address);
    }

    std::size_t LiveRecordCount() {
        std::lock_guard lock(mutex_);
        return liveRecords_.size();
    }

    void SetExhausted(bool exhausted) {
        std::lock_guard lock(mutex_);
        exhausted_ = exhausted;
    }

private:
    static Address Low(const void* p) { return static_cast<Address>(reinterpret_cast<std::uintptr_t>(p)); }
    static std::size_t RoundUp(std::size_t n, std::size_t align) { return (n + align - 1) / align * align; }

    // Takes `bytes` from the current region, mapping a new one when it is
    // used up. Records take 8 bytes and blocks multiples of 16, so a block
    // after a record starts at the next 16-byte boundary.
    void* Carve(std::size_t bytes, std::size_t align) {
        used_ = RoundUp(used_, align);
        if (!region_ || used_ + bytes > kRegionBytes) {
            region_ = static_cast<char*>(MapLow(kRegionBytes));
            // Nothing at a region's first address, so that no block or
            // record starts right where another mapping ends.
            used_ = kBlockAlign;
            if (!region_) return nullptr;
            LOW_POISON(region_, kRegionBytes);
        }
        void* p = region_ + used_;
        used_ += bytes;
        return p;
    }

    std::mutex mutex_;
    char* region_ = nullptr;
    std::size_t used_ = 0;
    bool exhausted_ = false;
    std::unordered_map<std::uintptr_t, std::size_t> liveBlocks_;
    std::map<std::size_t, std::vector<void*>> freeBlocks_;
    std::unordered_map<Address, std::uint8_t> liveRecords_;
    std::vector<void*> freeRecords_;
};

// Lives to the end of the process: blocks and records outlive their users,
// and code that runs at exit may still give them back.
Arena& TheArena() {
    static Arena* arena = new Arena;
    return *arena;
}

}  // namespace

bool FitsIn32Bits(const void* p, std::size_t bytes) { return EndsBelow4GiB(p, bytes == 0 ? 1 : bytes); }

Address AddressOf(const void* p) {
    if (!FitsIn32Bits(p)) throw std::out_of_range("an address above 4 GiB does not fit a 32-bit field");
    return static_cast<Address>(reinterpret_cast<std::uintptr_t>(p));
}

void* Allocate(std::size_t size) { return TheArena().AllocateBlock(size); }
void Free(void* block) { TheArena().FreeBlock(block); }
bool IsBlock(const void* p) { return TheArena().IsBlock(p); }
void* AllocateRecord(std::uint8_t kind) { return TheArena().AllocateRecord(kind); }
void FreeRecord(void* record) { TheArena().FreeRecord(record); }
void* LiveRecord(Address address, std::uint8_t kind) { return TheArena().LiveRecord(address, kind); }
std::size_t LiveRecordCount() { return TheArena().LiveRecordCount(); }
void* MapRegion(std::size_t bytes) { return MapLow(bytes); }
void SimulateExhaustedForTesting(bool exhausted) { TheArena().SetExhausted(exhausted); }

}  // namespace vb::low
