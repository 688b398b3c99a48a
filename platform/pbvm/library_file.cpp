#include "library_file.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace pbvm {

namespace {

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void put16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void putText(Bytes& b, std::size_t at, const char* text, std::size_t n) { std::memcpy(&b[at], text, n); }

std::uint32_t get32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t get16(const Bytes& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8)); }
bool hasTag(const Bytes& b, std::size_t at, const char* tag) {
    return at + 4 <= b.size() && std::memcmp(&b[at], tag, 4) == 0;
}

std::size_t blocksFor(std::size_t size) { return size == 0 ? 1 : (size + kBlockData - 1) / kBlockData; }

}  // namespace

Bytes BuildLibrary(const std::vector<LibraryEntry>& entries, std::uint64_t programSize, std::uint32_t time) {
    const std::uint64_t base = (programSize + kBlockSize - 1) / kBlockSize * kBlockSize;
    if (base > 0xFFFFFFFFu) throw std::runtime_error("program file too large for a library");
    const std::size_t padding = static_cast<std::size_t>(base - programSize);

    // Directory node: entry records packed after the 32-byte node head.
    std::size_t nodeUsed = 32;
    for (const auto& e : entries) nodeUsed += 24 + e.name.size() + 1;
    if (nodeUsed > kNodeSize) throw std::runtime_error("library entries do not fit one directory node");

    std::size_t dataBlocks = 0;
    for (const auto& e : entries) dataBlocks += blocksFor(e.data.size());
    const std::size_t nodeBlocks = kNodeSize / kBlockSize;
    const std::size_t totalBlocks = 2 + nodeBlocks + dataBlocks + 1;  // + trailer
    if (totalBlocks - 1 > 504 * 8) throw std::runtime_error("library too large for one free-space map");

    Bytes out(padding + totalBlocks * kBlockSize, 0);
    auto blockAt = [&](std::size_t index) { return padding + index * kBlockSize; };
    auto offsetOf = [&](std::size_t index) { return static_cast<std::uint32_t>(base + index * kBlockSize); };

    // Header.
    std::size_t h = blockAt(0);
    putText(out, h, "HDR*", 4);
    putText(out, h + 4, "PowerBuilder\0\0", 14);
    putText(out, h + 18, "0600", 4);
    put32(out, h + 22, time);

    // Free-space map: every block but the trailer is in use.
    std::size_t f = blockAt(1);
    putText(out, f, "FRE*", 4);
    for (std::size_t i = 0; i + 1 < totalBlocks; ++i) out[f + 8 + i / 8] |= static_cast<std::uint8_t>(0x80 >> (i % 8));

    // Data chains, entries one after the other from the block after the node.
    std::size_t n = blockAt(2);
    putText(out, n, "NOD*", 4);
    std::size_t block = 2 + nodeBlocks;
    std::size_t pos = n + 32;
    std::size_t firstName = 0, lastName = 0;
    const std::string* firstSorted = nullptr;
    const std::string* lastSorted = nullptr;
    for (const auto& e : entries) {
        const std::size_t first = block;
        std::size_t done = 0;
        const std::size_t count = blocksFor(e.data.size());
        for (std::size_t i = 0; i < count; ++i, ++block) {
            std::size_t d = blockAt(block);
            std::size_t len = std::min(kBlockData, e.data.size() - done);
            putText(out, d, "DAT*", 4);
            put32(out, d + 4, i + 1 < count ? offsetOf(block + 1) : 0);
            put16(out, d + 8, static_cast<std::uint16_t>(len));
            if (len) std::memcpy(&out[d + 10], e.data.data() + done, len);
            done += len;
        }
        putText(out, pos, "ENT*", 4);
        putText(out, pos + 4, "0600", 4);
        put32(out, pos + 8, offsetOf(first));
        put32(out, pos + 12, static_cast<std::uint32_t>(e.data.size()));
        put32(out, pos + 16, e.time ? e.time : time);
        put16(out, pos + 20, 0);
        put16(out, pos + 22, static_cast<std::uint16_t>(e.name.size() + 1));
        std::memcpy(&out[pos + 24], e.name.c_str(), e.name.size() + 1);
        const std::size_t namePos = pos + 24 - n;
        if (!firstSorted || e.name < *firstSorted) firstSorted = &e.name, firstName = namePos;
        if (!lastSorted || e.name > *lastSorted) lastSorted = &e.name, lastName = namePos;
        pos += 24 + e.name.size() + 1;
    }
    put16(out, n + 16, static_cast<std::uint16_t>(kNodeSize - nodeUsed));
    put16(out, n + 18, static_cast<std::uint16_t>(lastName));
    put16(out, n + 20, static_cast<std::uint16_t>(entries.size()));
    put16(out, n + 22, static_cast<std::uint16_t>(firstName));

    std::size_t t = blockAt(totalBlocks - 1);
    putText(out, t, "TRL*", 4);
    put32(out, t + 4, offsetOf(0));
    return out;
}

void AppendLibrary(const std::string& path, const std::vector<LibraryEntry>& entries, std::uint32_t time) {
    std::ifstream probe(path, std::ios::binary | std::ios::ate);
    if (!probe) throw std::runtime_error("cannot read " + path);
    const std::uint64_t size = static_cast<std::uint64_t>(probe.tellg());
    probe.close();
    Bytes library = BuildLibrary(entries, size, time);
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out.write(reinterpret_cast<const char*>(library.data()), static_cast<std::streamsize>(library.size()));
    if (!out) throw std::runtime_error("cannot append the library to " + path);
}

std::optional<LibraryReader> LibraryReader::Open(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return FromBytes(std::move(file), error);
}

std::optional<LibraryReader> LibraryReader::FromBytes(Bytes file, std::string& error) {
    LibraryReader reader;
    reader.file_ = std::move(file);
    if (!reader.load(error)) return std::nullopt;
    return reader;
}

bool LibraryReader::load(std::string& error) {
    const Bytes& b = file_;
    if (b.size() < kBlockSize || !hasTag(b, b.size() - kBlockSize, "TRL*")) {
        error = "the file has no object library (its last block is not a trailer)";
        return false;
    }
    const std::size_t trailer = b.size() - kBlockSize;
    header_ = get32(b, trailer + 4);
    if (header_ >= trailer || (b.size() - header_) % kBlockSize != 0) {
        error = "the library trailer points off a block boundary";
        return false;
    }
    if (header_ + 3 * kBlockSize + kNodeSize > trailer + kBlockSize || !hasTag(b, header_, "HDR*")) {
        error = "the library trailer does not point at a header block";
        return false;
    }
    if (std::memcmp(&b[header_ + 4], "PowerBuilder\0\0", 14) != 0 || std::memcmp(&b[header_ + 18], "0600", 4) != 0) {
        error = "the library header has an unknown format";
        return false;
    }
    time_ = get32(b, header_ + 22);
    const std::size_t fre = header_ + kBlockSize;
    if (!hasTag(b, fre, "FRE*")) {
        error = "the library has no free-space block";
        return false;
    }
    const std::size_t node = fre + kBlockSize;
    if (!hasTag(b, node, "NOD*")) {
        error = "the library has no directory node";
        return false;
    }
    const std::size_t count = get16(b, node + 20);
    std::size_t pos = node + 32;
    const std::size_t nodeEnd = node + kNodeSize;
    for (std::size_t i = 0; i < count; ++i) {
        if (pos + 24 > nodeEnd || !hasTag(b, pos, "ENT*")) {
            error = "directory entry " + std::to_string(i + 1) + " is damaged";
            return false;
        }
        const std::size_t commentLen = get16(b, pos + 20), nameLen = get16(b, pos + 22);
        if (nameLen == 0 || pos + 24 + nameLen + commentLen > nodeEnd || b[pos + 24 + nameLen - 1] != 0) {
            error = "directory entry " + std::to_string(i + 1) + " has a damaged name";
            return false;
        }
        Entry e;
        e.name.assign(reinterpret_cast<const char*>(&b[pos + 24]), nameLen - 1);
        e.first = get32(b, pos + 8);
        e.size = get32(b, pos + 12);
        entries_.push_back(e);
        names_.push_back(e.name);
        pos += 24 + nameLen + commentLen;
    }
    return true;
}

std::optional<LibraryReader::Entry> LibraryReader::find(const std::string& name) const {
    for (const auto& e : entries_)
        if (e.name == name) return e;
    return std::nullopt;
}

std::optional<Bytes> LibraryReader::Read(const std::string& name, std::string& error) const {
    auto entry = find(name);
    if (!entry) {
        error = "the library has no entry \"" + name + "\"";
        return std::nullopt;
    }
    const Bytes& b = file_;
    const std::size_t libraryEnd = b.size() - kBlockSize;  // the trailer holds no data
    Bytes data;
    // The directory's size is only believed as far as the library could hold it.
    data.reserve(std::min<std::size_t>(entry->size, libraryEnd - header_));
    std::uint32_t block = entry->first;
    // A chain can have no more blocks than the library; more means it loops.
    std::size_t budget = (libraryEnd - header_) / kBlockSize;
    while (true) {
        if (budget-- == 0) {
            error = "the data chain of \"" + name + "\" loops";
            return std::nullopt;
        }
        if (block < header_ || block + kBlockSize > libraryEnd || (block - header_) % kBlockSize != 0 ||
            !hasTag(b, block, "DAT*")) {
            error = "the data chain of \"" + name + "\" leaves the library";
            return std::nullopt;
        }
        const std::size_t len = get16(b, block + 8);
        if (len > kBlockData || data.size() + len > entry->size) {
            error = "a data block of \"" + name + "\" has a wrong size";
            return std::nullopt;
        }
        data.insert(data.end(), b.begin() + block + 10, b.begin() + block + 10 + len);
        const std::uint32_t next = get32(b, block + 4);
        if (next == 0) break;
        if (len != kBlockData) {
            error = "a data block of \"" + name + "\" is short before the end of its chain";
            return std::nullopt;
        }
        block = next;
    }
    if (data.size() != entry->size) {
        error = "the data of \"" + name + "\" is shorter than its directory entry says";
        return std::nullopt;
    }
    return data;
}

}  // namespace pbvm
