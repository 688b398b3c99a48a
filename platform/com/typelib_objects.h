#pragma once
// The ITypeLib and ITypeInfo objects over a decoded library.
#include <memory>

#include "typelib_data.h"

namespace com::tl {

// The library of an ITypeLib made by this layer; null for others.
const Library* LibraryOf(ITypeLib* lib);
// The type and its library behind an ITypeInfo made by this layer.
struct TypeRef {
    const Library* library = nullptr;
    const Type* type = nullptr;
};
TypeRef TypeOf(ITypeInfo* info);

}  // namespace com::tl
