#pragma once
// The seed of a fuzz test's inputs. Every run reads the same inputs; set
// ORVANTA_FUZZ_SEED=N to give every fuzz test other ones, the same for the
// same N, when looking for new damage in longer runs by hand.
#include <cstdint>
#include <cstdlib>

inline std::uint32_t FuzzSeed(std::uint32_t seed) {
    const char* other = std::getenv("ORVANTA_FUZZ_SEED");
    if (!other || !*other) return seed;
    return seed ^ static_cast<std::uint32_t>(std::strtoul(other, nullptr, 10) * 2654435761u);
}
