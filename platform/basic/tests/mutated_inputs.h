#pragma once
// Damaged copies of real inputs for the readers' fuzz tests: each copy is a
// sample changed by a few random edits (bytes flipped, replaced, inserted,
// removed or repeated, pieces of other samples spliced in, words of the
// format and very long numbers put in). The sequence depends on the seed
// alone, so a failing input can be made again from its seed and number.
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_seed.h"

class MutatedInputs {
public:
    // `samples`: the real inputs (at least one); `words`: pieces that mean
    // something to the reader (control words, keywords, separators).
    MutatedInputs(std::vector<std::string> samples, std::vector<std::string> words, std::uint32_t seed)
        : samples_(std::move(samples)), words_(std::move(words)), random_(FuzzSeed(seed)) {
        words_.insert(words_.end(), {"0", "-", "9", "99999999999999999999", "-2147483649", "4294967296",
                                     "1e308", "1e-400", std::string(1, '\0'), "\xff", "\xc3", "\xe2\x80"});
    }

    std::string Next() {
        std::string s = samples_[Below(samples_.size())];
        const std::size_t edits = 1 + Below(6);
        for (std::size_t k = 0; k < edits; ++k) Edit(s);
        return s;
    }

private:
    std::size_t Below(std::size_t n) {
        return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }
    char AnyByte() { return static_cast<char>(Below(256)); }

    void Edit(std::string& s) {
        const std::size_t at = Below(s.size() + 1);
        switch (Below(9)) {
        case 0:  // flip one bit
            if (!s.empty()) s[Below(s.size())] ^= static_cast<char>(1u << Below(8));
            break;
        case 1:  // replace a byte
            if (!s.empty()) s[Below(s.size())] = AnyByte();
            break;
        case 2:  // insert random bytes
            for (std::size_t n = 1 + Below(4); n > 0; --n) s.insert(at, 1, AnyByte());
            break;
        case 3:  // remove a piece
            s.erase(at, 1 + Below(16));
            break;
        case 4: {  // repeat a piece
            const std::string piece = s.substr(at, 1 + Below(32));
            for (std::size_t n = 1 + Below(8); n > 0; --n) s.insert(at, piece);
            break;
        }
        case 5: {  // splice in a piece of another sample
            const std::string& other = samples_[Below(samples_.size())];
            const std::size_t from = Below(other.size() + 1);
            s.insert(at, other.substr(from, 1 + Below(64)));
            break;
        }
        case 6:  // cut the end off
            s.resize(at);
            break;
        case 7:  // swap two bytes
            if (s.size() > 1) std::swap(s[Below(s.size())], s[Below(s.size())]);
            break;
        default:  // a word of the format
            s.insert(at, words_[Below(words_.size())]);
            break;
        }
    }

    std::vector<std::string> samples_;
    std::vector<std::string> words_;
    std::mt19937 random_;
};
