#pragma once
// Identifiers the test control serves.
#include "com.h"

namespace zevote {

inline const com::GUID LIBID_ZEVOTestObjects = com::MakeGuid("{478E45E0-5745-11CF-8918-00A02416C765}");
inline const com::IID IID_IZEVOTest = com::MakeGuid("{48B33DE0-5745-11CF-8918-00A02416C765}");
inline const com::IID DIID_DZEVOTestEvents = com::MakeGuid("{49F22680-5745-11CF-8918-00A02416C765}");
inline const com::CLSID CLSID_ZEVOTest = com::MakeGuid("{4B27E760-5745-11CF-8918-00A02416C765}");
inline const com::CLSID CLSID_ZEVOTestGeneralPage = com::MakeGuid("{4CFDDFE0-5745-11CF-8918-00A02416C765}");

// The prefix of the program identifiers.
inline constexpr const char* kLibraryName = "Tavorin ActiveX Test Control";

}  // namespace zevote
