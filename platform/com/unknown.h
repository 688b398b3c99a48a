#pragma once
// The base of every interface, the class factory, and the plain types the
// interfaces use. Interfaces are classes of pure virtual operations in slot
// order, IUnknown's three first.
#include <cstdint>

#include "guid.h"
#include "hresult.h"

namespace com {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using ULONG = std::uint32_t;
using LONG = std::int32_t;
using UINT = std::uint32_t;
using INT = std::int32_t;
using BOOL = std::int32_t;
using LCID = std::uint32_t;
using HWND = std::uintptr_t;  // a window of the window table (win::HWND); 0 is none

#ifndef TRUE
constexpr BOOL TRUE = 1;
#endif
#ifndef FALSE
constexpr BOOL FALSE = 0;
#endif

struct IUnknown {
    // S_OK and an added reference in *out, or E_NOINTERFACE and null;
    // E_POINTER when out is null.
    virtual HRESULT QueryInterface(REFIID iid, void** out) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
};

struct IClassFactory : IUnknown {
    // Creates an object of the factory's class. With an outer unknown the
    // object is created as part of an aggregate.
    virtual HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** out) = 0;
    // TRUE adds, FALSE removes a lock that keeps the server loaded.
    virtual HRESULT LockServer(BOOL lock) = 0;
};

}  // namespace com
