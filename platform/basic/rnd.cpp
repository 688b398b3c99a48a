#include "rnd.h"

#include <atomic>
#include <cstdint>
#include <cstring>

#include "datetime.h"

namespace vb {

namespace {
std::atomic<std::uint32_t> seed{0x50000};
}  // namespace

float Rnd(float number) {
    std::uint32_t x = seed.load();
    if (number < 0) {
        std::uint32_t bits;
        std::memcpy(&bits, &number, sizeof bits);
        x = (bits + (bits >> 24)) & 0xFFFFFF;
    }
    if (number != 0) x = (x * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFF;
    seed.store(x);
    return static_cast<float>(x) / 16777216.0f;
}

void Randomize(double number) {
    std::uint64_t bits;
    std::memcpy(&bits, &number, sizeof bits);
    auto high = static_cast<std::uint32_t>(bits >> 32);
    std::uint32_t mix = ((high & 0xFFFF) ^ (high >> 16)) << 8;
    seed.store((seed.load() & 0xFF0000FF) | (mix & 0x00FFFF00));
}

void Randomize() { Randomize(Timer()); }

}  // namespace vb
