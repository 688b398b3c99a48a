#include "fuzz_inputs.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace hanzel::fuzz {

namespace fs = std::filesystem;

fs::path BinDir() {
    const char* bin = std::getenv("ORVANTA_BIN_DIR");
    return fs::path(bin ? bin : "bin");
}

fs::path SourceDir() { return fs::path(HANZEL_SOURCE_DIR); }

Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

namespace {

// Texts that readers of numbers, escapes and structure trip over.
const char* const kPieces[] = {
    "99999999999999999999", "-99999999999999999999", "1e999", "-1e999", "4294967296", "2147483648", "-2147483649",
    "65536", "-32769", "zz", "-", "0x10", "1.5.3", "nan", "inf", "", "\\'", "\\'zz", "\\u99999", "\\u-1",
    "\\fs", "\\fs-", "{", "}", "{{{{{{{{", "((((((((", ")", "\"", "\\\"", "=", " = ", "\n", "\r\n", "\t", "\\",
    "#", ":", "'", ";", "[", "]", "pwd=", "-", "*", "/", "0", "00000000000000000000001",
};

}  // namespace

std::size_t Mutator::position(const Bytes& data, const std::vector<std::size_t>& hot) {
    if (!hot.empty() && Below(2) == 0) {
        const std::size_t at = hot[Below(hot.size())] + Below(12);
        return std::min(at, data.size());
    }
    return Below(data.size() + 1);
}

Bytes Mutator::Mutate(const Bytes& original, const std::vector<std::size_t>& hot) {
    Bytes data = original;
    const std::size_t damages = 1 + Below(4);
    for (std::size_t d = 0; d < damages; ++d) {
        const std::size_t at = position(data, hot);
        switch (Below(8)) {
        case 0:  // a byte changed at random
            if (at < data.size()) data[at] = static_cast<std::uint8_t>(Below(256));
            break;
        case 1:  // a bit flipped
            if (at < data.size()) data[at] ^= static_cast<std::uint8_t>(1u << Below(8));
            break;
        case 2: {  // a piece inserted
            const std::string piece = kPieces[Below(std::size(kPieces))];
            data.insert(data.begin() + static_cast<std::ptrdiff_t>(at), piece.begin(), piece.end());
            break;
        }
        case 3: {  // a piece written over what was there
            const std::string piece = kPieces[Below(std::size(kPieces))];
            for (std::size_t i = 0; i < piece.size() && at + i < data.size(); ++i) data[at + i] = piece[i];
            break;
        }
        case 4: {  // a stretch removed
            const std::size_t n = std::min(Below(64) + 1, data.size() - at);
            data.erase(data.begin() + static_cast<std::ptrdiff_t>(at), data.begin() + static_cast<std::ptrdiff_t>(at + n));
            break;
        }
        case 5: {  // a stretch repeated
            const std::size_t n = std::min(Below(64) + 1, data.size() - at);
            const Bytes stretch(data.begin() + static_cast<std::ptrdiff_t>(at),
                                data.begin() + static_cast<std::ptrdiff_t>(at + n));
            data.insert(data.begin() + static_cast<std::ptrdiff_t>(at), stretch.begin(), stretch.end());
            break;
        }
        case 6:  // a 32-bit or 16-bit field made extreme
            for (std::size_t i = 0; i < 4 && at + i < data.size(); ++i) data[at + i] = Below(2) ? 0xFF : 0x00;
            break;
        default:  // the end cut off
            if (Below(4) == 0) data.resize(at);
            break;
        }
    }
    return data;
}

std::string Mutator::Mutate(const std::string& original) {
    const Bytes out = Mutate(Bytes(original.begin(), original.end()));
    return std::string(out.begin(), out.end());
}

}  // namespace hanzel::fuzz
