#include "typelib_data.h"

#include "resource_format.h"

namespace com::tl {

namespace {
constexpr std::string_view kMagic = "OVTL";

void WriteGuid(format::Writer& w, const GUID& g) { w.Raw(std::string_view(reinterpret_cast<const char*>(&g), 16)); }
GUID ReadGuid(format::Reader& r) {
    GUID g;
    const std::string_view b = r.Raw(16);
    if (b.size() == 16) std::copy(b.begin(), b.end(), reinterpret_cast<char*>(&g));
    return g;
}

// The argument and result types a member may have (a result may also be none).
bool KnownType(VARTYPE vt) {
    return vt == VT_I4 || vt == VT_BOOL || vt == VT_BSTR || vt == VT_DISPATCH || vt == VT_UNKNOWN;
}

// What the source compiler guarantees and the objects rely on: known kinds
// and types, at most 4 arguments, vtable slots 7 on (one for each member),
// and a coclass implementing interfaces of the same library only.
bool Consistent(const Library& lib) {
    for (const Type& t : lib.types) {
        if (t.kind != TKIND_INTERFACE && t.kind != TKIND_DISPATCH && t.kind != TKIND_COCLASS) return false;
        if (t.kind == TKIND_COCLASS && !t.members.empty()) return false;
        for (const Member& m : t.members) {
            if (m.invkind != INVOKE_FUNC && m.invkind != INVOKE_PROPERTYGET && m.invkind != INVOKE_PROPERTYPUT)
                return false;
            if (m.params.size() > 4 || (m.result != VT_EMPTY && !KnownType(m.result))) return false;
            for (VARTYPE vt : m.params) {
                if (!KnownType(vt)) return false;
            }
            if (m.slot < 7 || static_cast<std::size_t>(m.slot) >= 7 + t.members.size()) return false;
        }
        for (const Implemented& i : t.implemented) {
            const int k = lib.FindType(i.name);
            if (k < 0 || lib.types[static_cast<std::size_t>(k)].kind == TKIND_COCLASS) return false;
        }
    }
    return true;
}
}  // namespace

bool NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

int Library::FindType(std::string_view n) const {
    for (std::size_t i = 0; i < types.size(); ++i) {
        if (NamesEqual(types[i].name, n)) return static_cast<int>(i);
    }
    return -1;
}

std::string Encode(const Library& lib) {
    format::Writer w;
    w.Raw(kMagic);
    w.U16(1);  // format version
    w.Text(lib.name);
    WriteGuid(w, lib.guid);
    w.U16(lib.major);
    w.U16(lib.minor);
    w.U32(lib.lcid);
    w.Text(lib.help);
    w.U16(static_cast<WORD>(lib.imports.size()));
    for (const auto& i : lib.imports) w.Text(i);
    w.U16(static_cast<WORD>(lib.types.size()));
    for (const Type& t : lib.types) {
        w.Text(t.name);
        WriteGuid(w, t.guid);
        w.U16(static_cast<WORD>(t.kind));
        w.U16(t.flags);
        w.Text(t.help);
        w.U16(static_cast<WORD>(t.members.size()));
        for (const Member& m : t.members) {
            w.Text(m.name);
            w.I32(m.id);
            w.U16(m.invkind);
            w.I16(m.slot);
            w.U16(static_cast<WORD>(m.params.size()));
            for (std::size_t i = 0; i < m.params.size(); ++i) {
                w.U16(m.params[i]);
                w.Text(i < m.paramNames.size() ? m.paramNames[i] : std::string{});
            }
            w.U16(m.result);
        }
        w.U16(static_cast<WORD>(t.implemented.size()));
        for (const Implemented& i : t.implemented) {
            w.Text(i.name);
            w.I32(i.flags);
        }
    }
    return w.Data();
}

std::optional<Library> Decode(std::string_view data) {
    if (data.substr(0, 4) != kMagic) return std::nullopt;
    format::Reader r(data.substr(4));
    if (r.U16() != 1) return std::nullopt;
    Library lib;
    lib.name = r.Text();
    lib.guid = ReadGuid(r);
    lib.major = r.U16();
    lib.minor = r.U16();
    lib.lcid = r.U32();
    lib.help = r.Text();
    for (WORD n = r.U16(), i = 0; i < n && !r.Failed(); ++i) lib.imports.push_back(r.Text());
    for (WORD n = r.U16(), i = 0; i < n && !r.Failed(); ++i) {
        Type t;
        t.name = r.Text();
        t.guid = ReadGuid(r);
        const WORD kind = r.U16();
        if (kind > TKIND_UNION) return std::nullopt;
        t.kind = static_cast<TYPEKIND>(kind);
        t.flags = r.U16();
        t.help = r.Text();
        for (WORD nm = r.U16(), k = 0; k < nm && !r.Failed(); ++k) {
            Member m;
            m.name = r.Text();
            m.id = r.I32();
            m.invkind = r.U16();
            m.slot = r.I16();
            for (WORD np = r.U16(), p = 0; p < np && !r.Failed(); ++p) {
                m.params.push_back(r.U16());
                m.paramNames.push_back(r.Text());
            }
            m.result = r.U16();
            t.members.push_back(std::move(m));
        }
        for (WORD ni = r.U16(), k = 0; k < ni && !r.Failed(); ++k) {
            Implemented im;
            im.name = r.Text();
            im.flags = r.I32();
            t.implemented.push_back(std::move(im));
        }
        lib.types.push_back(std::move(t));
    }
    if (r.Failed() || !Consistent(lib)) return std::nullopt;
    return lib;
}

}  // namespace com::tl
