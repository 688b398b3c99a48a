#pragma once
// The object library container: 512-byte blocks appended to a program file
// (header, free-space bit map, one directory node, entry data chains, and a
// trailer block as the file's last 512 bytes). Writing it and reading it
// back by entry name.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pbvm {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kBlockSize = 512;
constexpr std::size_t kBlockData = 502;  // data bytes of one "DAT*" block
constexpr std::size_t kNodeSize = 3072;  // a directory node spans six blocks

struct LibraryEntry {
    std::string name;
    Bytes data;
    std::uint32_t time = 0;  // seconds since 1970-01-01 UTC
};

// The library for a program file whose current size is `programSize` bytes:
// padding up to the next block boundary, then the blocks. Entries keep the
// given order in the directory and in the file. Throws std::runtime_error
// when the entries do not fit one directory node.
Bytes BuildLibrary(const std::vector<LibraryEntry>& entries, std::uint64_t programSize,
                   std::uint32_t time);

// Appends the library to the program file at `path`.
void AppendLibrary(const std::string& path, const std::vector<LibraryEntry>& entries,
                   std::uint32_t time);

// A library read from a file (a program with its library appended). Every
// tag, offset, size and chain is checked; a damaged library gives an error
// text, never a partial read.
class LibraryReader {
public:
    // Opens the library at the end of the file; nullopt with `error` set when
    // the file has none or it is damaged.
    static std::optional<LibraryReader> Open(const std::string& path, std::string& error);
    static std::optional<LibraryReader> FromBytes(Bytes file, std::string& error);

    std::uint32_t headerOffset() const { return header_; }
    std::uint32_t time() const { return time_; }
    const std::vector<std::string>& names() const { return names_; }
    // Entry data by name (exact match); nullopt when there is no such entry
    // or its chain is damaged (then `error` says why).
    std::optional<Bytes> Read(const std::string& name, std::string& error) const;
    std::optional<Bytes> Read(const std::string& name) const {
        std::string ignored;
        return Read(name, ignored);
    }

private:
    struct Entry {
        std::string name;
        std::uint32_t first = 0;
        std::uint32_t size = 0;
    };
    bool load(std::string& error);
    std::optional<Entry> find(const std::string& name) const;

    Bytes file_;
    std::uint32_t header_ = 0;
    std::uint32_t time_ = 0;
    std::vector<Entry> entries_;
    std::vector<std::string> names_;
};

}  // namespace pbvm
