#include "low_arena.h"

#include <sys/mman.h>

#include <cstring>
#include <map>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace zevote {

namespace {

constexpr std::size_t kRegionBytes = 1u << 20;
constexpr std::size_t kRecordBytes = 8;
constexpr std::size_t kObjectAlign = 16;
constexpr std::uintptr_t k4GiB = std::uintptr_t{1} << 32;

bool EndsBelow4GiB(const void* p, std::size_t bytes) {
    return reinterpret_cast<std::uintptr_t>(p) + bytes <= k4GiB;
}

// Maps `bytes` of zeroed memory that ends below 4 GiB, or returns nullptr.
void* MapLowRegion(std::size_t bytes) {
    constexpr int kFlags = MAP_PRIVATE | MAP_ANONYMOUS;
#ifdef MAP_32BIT
    if (void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, kFlags | MAP_32BIT, -1, 0); p != MAP_FAILED) {
        if (EndsBelow4GiB(p, bytes)) return p;
        munmap(p, bytes);
    }
#endif
    // Where there is no 32-bit mapping flag, ask for low addresses as hints.
    for (std::uintptr_t hint = 0x10000000; hint + bytes <= k4GiB; hint += 0x10000000) {
        void* p = mmap(reinterpret_cast<void*>(hint), bytes, PROT_READ | PROT_WRITE, kFlags, -1, 0);
        if (p == MAP_FAILED) continue;
        if (EndsBelow4GiB(p, bytes)) return p;
        munmap(p, bytes);
    }
    return nullptr;
}

class Arena {
public:
    void* AllocateRecord(RecordKind kind) {
        std::lock_guard lock(mutex_);
        if (exhausted_) return nullptr;
        void* p = nullptr;
        if (!freeRecords_.empty()) {
            p = freeRecords_.back();
            freeRecords_.pop_back();
        } else {
            p = Carve(kRecordBytes);
        }
        if (!p) return nullptr;
        std::memset(p, 0, kRecordBytes);
        liveRecords_[Address(p)] = kind;
        return p;
    }

    void FreeRecord(void* p) {
        std::lock_guard lock(mutex_);
        if (!p || !FitsIn32Bits(p) || liveRecords_.erase(Address(p)) == 0) return;
        freeRecords_.push_back(p);
    }

    void* LiveRecord(std::uint32_t address, RecordKind kind) {
        std::lock_guard lock(mutex_);
        auto it = liveRecords_.find(address);
        if (it == liveRecords_.end() || it->second != kind) return nullptr;
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(address));
    }

    std::size_t LiveRecordCount() {
        std::lock_guard lock(mutex_);
        return liveRecords_.size();
    }

    void* AllocateObject(std::size_t size) {
        const std::size_t rounded = RoundUp(size == 0 ? 1 : size);
        std::lock_guard lock(mutex_);
        if (exhausted_) return nullptr;
        void* p = nullptr;
        if (auto it = freeObjects_.find(rounded); it != freeObjects_.end() && !it->second.empty()) {
            p = it->second.back();
            it->second.pop_back();
        } else {
            p = rounded <= kRegionBytes / 4 ? Carve(rounded) : MapLowRegion(rounded);
        }
        if (!p) return nullptr;
        std::memset(p, 0, rounded);
        liveObjects_[reinterpret_cast<std::uintptr_t>(p)] = rounded;
        return p;
    }

    void FreeObject(void* p) {
        std::lock_guard lock(mutex_);
        auto it = liveObjects_.find(reinterpret_cast<std::uintptr_t>(p));
        if (it == liveObjects_.end()) return;
        freeObjects_[it->second].push_back(p);
        liveObjects_.erase(it);
    }

    bool IsObject(const void* p) {
        std::lock_guard lock(mutex_);
        return liveObjects_.count(reinterpret_cast<std::uintptr_t>(p)) != 0;
    }

    void SetExhausted(bool exhausted) {
        std::lock_guard lock(mutex_);
        exhausted_ = exhausted;
    }

private:
    static std::uint32_t Address(const void* p) {
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p));
    }
    static std::size_t RoundUp(std::size_t n) { return (n + kObjectAlign - 1) / kObjectAlign * kObjectAlign; }

    // Takes `bytes` from the current region, mapping a new one when it is
    // used up. Records are 8 bytes and objects multiples of 16, so objects
    // are realigned after records.
    void* Carve(std::size_t bytes) {
        if (exhausted_) return nullptr;
        const std::size_t align = bytes == kRecordBytes ? kRecordBytes : kObjectAlign;
        used_ = (used_ + align - 1) / align * align;
        if (!region_ || used_ + bytes > kRegionBytes) {
            region_ = static_cast<char*>(MapLowRegion(kRegionBytes));
            used_ = 0;
            if (!region_) return nullptr;
        }
        void* p = region_ + used_;
        used_ += bytes;
        return p;
    }

    std::mutex mutex_;
    char* region_ = nullptr;
    std::size_t used_ = 0;
    bool exhausted_ = false;
    std::unordered_map<std::uint32_t, RecordKind> liveRecords_;
    std::vector<void*> freeRecords_;
    std::unordered_map<std::uintptr_t, std::size_t> liveObjects_;
    std::map<std::size_t, std::vector<void*>> freeObjects_;
};

Arena& TheArena() {
    static Arena* arena = new Arena;  // lives to the end of the process: records outlive their users
    return *arena;
}

}  // namespace

void* AllocateLowRecord(RecordKind kind) { return TheArena().AllocateRecord(kind); }
void FreeLowRecord(void* record) { TheArena().FreeRecord(record); }
void* LiveLowRecord(std::uint32_t address, RecordKind kind) { return TheArena().LiveRecord(address, kind); }
std::size_t LiveLowRecordCount() { return TheArena().LiveRecordCount(); }
void* AllocateLowObject(std::size_t size) { return TheArena().AllocateObject(size); }
void FreeLowObject(void* block) { TheArena().FreeObject(block); }
bool IsLowObject(const void* block) { return TheArena().IsObject(block); }
void SimulateLowArenaExhaustedForTesting(bool exhausted) { TheArena().SetExhausted(exhausted); }

}  // namespace zevote
