#pragma once
// The General property page of the test control: the empty dialog 2000 with
// title string 2003 and documentation string 2004, from the resource module.
#include "activex_property_page.h"
#include "com.h"

namespace zevote {

inline constexpr int kGeneralPageDialog = 2000;
inline constexpr int kGeneralPageTitle = 2003;
inline constexpr int kGeneralPageDocString = 2004;

class ZEVOTestGeneralPage final : public com::PropertyPageBase {
public:
    ZEVOTestGeneralPage();
    com::ULONG AddRef() override { return PropertyPageBase::AddRef(); }
    com::ULONG Release() override { return PropertyPageBase::Release(); }
};

// Creation for the class factory: the page's unknown with one reference,
// or null and E_OUTOFMEMORY. The page cannot be part of an aggregate.
com::HRESULT CreateZEVOTestGeneralPage(com::IUnknown* outer, com::IUnknown** inner);

}  // namespace zevote
