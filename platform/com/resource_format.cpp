#include "resource_format.h"

#include <algorithm>
#include <cstring>

namespace com::format {

void Writer::U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v));
    U8(static_cast<std::uint8_t>(v >> 8));
}

void Writer::U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v));
    U16(static_cast<std::uint16_t>(v >> 16));
}

void Writer::Text(std::string_view text) {
    U16(static_cast<std::uint16_t>(text.size()));
    out_.append(text.substr(0, 0xFFFF));
}

void Writer::Bytes(std::string_view bytes) {
    U32(static_cast<std::uint32_t>(bytes.size()));
    out_.append(bytes);
}

std::string_view Reader::Raw(std::size_t n) {
    if (failed_ || n > data_.size() - pos_) {
        failed_ = true;
        return {};
    }
    const std::string_view r = data_.substr(pos_, n);
    pos_ += n;
    return r;
}

std::uint8_t Reader::U8() {
    const std::string_view b = Raw(1);
    return b.empty() ? 0 : static_cast<std::uint8_t>(b[0]);
}

std::uint16_t Reader::U16() {
    const std::uint16_t lo = U8();
    return static_cast<std::uint16_t>(lo | U8() << 8);
}

std::uint32_t Reader::U32() {
    const std::uint32_t lo = U16();
    return lo | static_cast<std::uint32_t>(U16()) << 16;
}

std::string Reader::Text() { return std::string(Raw(U16())); }

std::string_view Reader::Bytes() { return Raw(U32()); }

namespace {
constexpr char kMagic[4] = {'O', 'V', 'R', 'S'};

void WriteId(Writer& w, const ResourceId& id) {
    w.U16(id.number);
    w.Text(id.IsNumber() ? std::string_view{} : std::string_view(id.name));
}

ResourceId ReadId(Reader& r) {
    const std::uint16_t n = r.U16();
    std::string name = r.Text();
    if (n) return ResourceId(static_cast<int>(n));
    return ResourceId(std::move(name));
}

char Fold(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

bool SameId(const ResourceId& a, const ResourceId& b) {
    if (a.IsNumber() || b.IsNumber()) return a.number == b.number;
    if (a.name.size() != b.name.size()) return false;
    for (std::size_t i = 0; i < a.name.size(); ++i) {
        if (Fold(a.name[i]) != Fold(b.name[i])) return false;
    }
    return true;
}

std::string EncodeResourceBlock(const std::vector<ResourceRecord>& records) {
    Writer body;
    body.U32(static_cast<std::uint32_t>(records.size()));
    for (const ResourceRecord& r : records) {
        WriteId(body, r.type);
        WriteId(body, r.name);
        body.Bytes(r.data);
    }
    Writer w;
    w.Raw(std::string_view(kMagic, 4));
    w.U32(1);
    w.U32(static_cast<std::uint32_t>(body.Data().size() + 12));
    w.Raw(body.Data());
    return w.Data();
}

std::optional<std::vector<ResourceView>> DecodeResourceBlock(std::string_view block) {
    if (block.size() < 12 || block.substr(0, 4) != std::string_view(kMagic, 4)) return std::nullopt;
    Reader head(block.substr(4, 8));
    if (head.U32() != 1) return std::nullopt;
    const std::uint32_t total = head.U32();
    if (total < 12 || total > block.size()) return std::nullopt;
    Reader r(block.substr(12, total - 12));
    const std::uint32_t count = r.U32();
    std::vector<ResourceView> out;
    for (std::uint32_t i = 0; i < count && !r.Failed(); ++i) {
        ResourceId type = ReadId(r);
        ResourceId name = ReadId(r);
        const std::string_view data = r.Bytes();
        if (!r.Failed()) out.push_back({std::move(type), std::move(name), data});
    }
    if (r.Failed()) return std::nullopt;
    return out;
}

std::optional<std::vector<ResourceView>> DecodeResourceBlock(const unsigned char* block) {
    // A block linked into a module: its header gives its extent.
    if (!block || std::memcmp(block, kMagic, 4) != 0) return std::nullopt;
    Reader head(std::string_view(reinterpret_cast<const char*>(block) + 4, 8));
    head.U32();
    const std::uint32_t total = head.U32();
    const std::size_t extent = std::max<std::uint32_t>(total, 12);
    return DecodeResourceBlock(std::string_view(reinterpret_cast<const char*>(block), extent));
}

std::string EncodeDialog(const DialogTemplate& d) {
    Writer w;
    w.U32(d.style);
    w.I16(d.x);
    w.I16(d.y);
    w.I16(d.cx);
    w.I16(d.cy);
    w.Text(d.caption);
    w.U16(d.pointSize);
    w.Text(d.fontName);
    w.U16(static_cast<std::uint16_t>(d.items.size()));
    for (const DialogItem& item : d.items) {
        w.Text(item.text);
        w.U16(item.id);
        w.Text(item.className);
        w.U32(item.style);
        w.I16(item.x);
        w.I16(item.y);
        w.I16(item.cx);
        w.I16(item.cy);
    }
    return w.Data();
}

std::optional<DialogTemplate> DecodeDialog(std::string_view data) {
    Reader r(data);
    DialogTemplate d;
    d.style = r.U32();
    d.x = r.I16();
    d.y = r.I16();
    d.cx = r.I16();
    d.cy = r.I16();
    d.caption = r.Text();
    d.pointSize = r.U16();
    d.fontName = r.Text();
    const std::uint16_t n = r.U16();
    for (std::uint16_t i = 0; i < n && !r.Failed(); ++i) {
        DialogItem item;
        item.text = r.Text();
        item.id = r.U16();
        item.className = r.Text();
        item.style = r.U32();
        item.x = r.I16();
        item.y = r.I16();
        item.cx = r.I16();
        item.cy = r.I16();
        d.items.push_back(std::move(item));
    }
    if (r.Failed()) return std::nullopt;
    return d;
}

std::string EncodeVersion(const VersionInfo& v) {
    Writer w;
    for (WORD n : v.fileVersion) w.U16(n);
    for (WORD n : v.productVersion) w.U16(n);
    w.U16(static_cast<std::uint16_t>(v.strings.size()));
    for (const auto& [name, text] : v.strings) {
        w.Text(name);
        w.Text(text);
    }
    return w.Data();
}

std::optional<VersionInfo> DecodeVersion(std::string_view data) {
    Reader r(data);
    VersionInfo v;
    for (WORD& n : v.fileVersion) n = r.U16();
    for (WORD& n : v.productVersion) n = r.U16();
    const std::uint16_t count = r.U16();
    for (std::uint16_t i = 0; i < count && !r.Failed(); ++i) {
        std::string name = r.Text();
        std::string text = r.Text();
        v.strings.emplace_back(std::move(name), std::move(text));
    }
    if (r.Failed()) return std::nullopt;
    return v;
}

std::string EncodeIconGroup(const std::vector<std::uint16_t>& icons) {
    Writer w;
    w.U16(static_cast<std::uint16_t>(icons.size()));
    for (std::uint16_t id : icons) w.U16(id);
    return w.Data();
}

std::vector<std::uint16_t> DecodeIconGroup(std::string_view data) {
    Reader r(data);
    std::vector<std::uint16_t> out;
    const std::uint16_t n = r.U16();
    for (std::uint16_t i = 0; i < n && !r.Failed(); ++i) out.push_back(r.U16());
    if (r.Failed()) out.clear();
    return out;
}

}  // namespace com::format
