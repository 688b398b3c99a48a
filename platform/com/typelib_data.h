#pragma once
// The content of a type library, as the source compiler builds it and the
// binary form ("OVTL") keeps it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "typelib.h"

namespace com::tl {

struct Member {
    std::string name;
    MEMBERID id = 0;
    WORD invkind = INVOKE_FUNC;
    short slot = 0;  // vtable slot
    std::vector<VARTYPE> params;
    std::vector<std::string> paramNames;
    VARTYPE result = VT_EMPTY;
};

struct Implemented {
    std::string name;  // an interface of the same library
    int flags = 0;     // IMPLTYPEFLAG_*
};

struct Type {
    std::string name;
    GUID guid;
    TYPEKIND kind = TKIND_INTERFACE;
    WORD flags = 0;
    std::string help;
    std::vector<Member> members;
    std::vector<Implemented> implemented;  // coclass
};

struct Library {
    std::string name;
    GUID guid;
    WORD major = 1, minor = 0;
    LCID lcid = 0;
    std::string help;
    std::vector<std::string> imports;
    std::vector<Type> types;

    int FindType(std::string_view name) const;  // -1 when absent
};

std::string Encode(const Library& lib);
// Nothing when the data is cut short or describes what the source compiler
// never makes (unknown kinds or types, more than 4 arguments, vtable slots
// outside 7 .. 6 + the number of members, a coclass implementing a coclass).
std::optional<Library> Decode(std::string_view data);
bool NamesEqual(std::string_view a, std::string_view b);  // ASCII case-insensitive

}  // namespace com::tl
