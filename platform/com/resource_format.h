#pragma once
// The binary forms of this layer's data (resource blocks, dialog templates,
// version blocks, icon groups, type libraries): little-endian numbers and
// texts with a 16-bit length, written by the tools and read back with
// bounds checks.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "resources.h"

namespace com::format {

class Writer {
public:
    void U8(std::uint8_t v) { out_.push_back(static_cast<char>(v)); }
    void U16(std::uint16_t v);
    void U32(std::uint32_t v);
    void I16(std::int16_t v) { U16(static_cast<std::uint16_t>(v)); }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void Text(std::string_view text);    // u16 length, bytes
    void Bytes(std::string_view bytes);  // u32 length, bytes
    void Raw(std::string_view bytes) { out_.append(bytes); }
    const std::string& Data() const { return out_; }

private:
    std::string out_;
};

// Reads within its data; any read past the end sets Failed() and yields 0/"".
class Reader {
public:
    explicit Reader(std::string_view data) : data_(data) {}
    std::uint8_t U8();
    std::uint16_t U16();
    std::uint32_t U32();
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    std::string Text();
    std::string_view Bytes();
    std::string_view Raw(std::size_t n);
    bool Failed() const { return failed_; }
    bool AtEnd() const { return pos_ >= data_.size(); }

private:
    std::string_view data_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

// A module's resource block: "OVRS", version 1, total size, count, entries.
struct ResourceRecord {
    ResourceId type;
    ResourceId name;
    std::string data;
};
std::string EncodeResourceBlock(const std::vector<ResourceRecord>& records);
// The records of a block (data views into it); nothing when damaged.
struct ResourceView {
    ResourceId type;
    ResourceId name;
    std::string_view data;
};
std::optional<std::vector<ResourceView>> DecodeResourceBlock(const unsigned char* block);
// The same for a block whose extent is known: nothing also when the block
// claims more bytes than it has.
std::optional<std::vector<ResourceView>> DecodeResourceBlock(std::string_view block);
bool SameId(const ResourceId& a, const ResourceId& b);

std::string EncodeDialog(const DialogTemplate& dialog);
std::optional<DialogTemplate> DecodeDialog(std::string_view data);
std::string EncodeVersion(const VersionInfo& version);
std::optional<VersionInfo> DecodeVersion(std::string_view data);
// An icon group: the numbers of its icon images.
std::string EncodeIconGroup(const std::vector<std::uint16_t>& icons);
std::vector<std::uint16_t> DecodeIconGroup(std::string_view data);

}  // namespace com::format
