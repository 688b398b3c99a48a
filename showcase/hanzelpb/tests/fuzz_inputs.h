#pragma once
// Damaged copies of the real files the runtime reads, for the readers' fuzz
// tests: seeded, so every run reads the same inputs.
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "fuzz_seed.h"

namespace hanzel::fuzz {

using Bytes = std::vector<std::uint8_t>;

std::filesystem::path BinDir();     // the built programs and their files
std::filesystem::path SourceDir();  // the sources of pbhanzel
Bytes ReadFile(const std::filesystem::path& path);

class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : random_(FuzzSeed(seed)) {}

    // `original` with one to four damages: bytes changed, removed, repeated
    // or inserted, numbers made huge, out of range or no numbers at all, the
    // end cut off. Positions in `hot` (when given) are damaged more often.
    Bytes Mutate(const Bytes& original, const std::vector<std::size_t>& hot = {});
    std::string Mutate(const std::string& original);

    std::size_t Below(std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

private:
    std::size_t position(const Bytes& data, const std::vector<std::size_t>& hot);
    std::mt19937 random_;
};

}  // namespace hanzel::fuzz
