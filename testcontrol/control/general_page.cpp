#include "general_page.h"

#include <new>

#include "guids.h"
#include "object_table.h"
#include "satellite.h"

namespace zevote {

namespace {
const com::PropertyPageInfo& GeneralPageInfo() {
    static const com::PropertyPageInfo info{CLSID_ZEVOTestGeneralPage, kGeneralPageDialog, kGeneralPageTitle,
                                            kGeneralPageDocString,     "vb.hlp",           0,
                                            &GetResourceModule,        &LibraryLocks()};
    return info;
}
}  // namespace

ZEVOTestGeneralPage::ZEVOTestGeneralPage() : PropertyPageBase(GeneralPageInfo()) {}

com::HRESULT CreateZEVOTestGeneralPage(com::IUnknown* outer, com::IUnknown** inner) {
    *inner = nullptr;
    if (outer) return com::CLASS_E_NOAGGREGATION;
    auto* page = new (std::nothrow) ZEVOTestGeneralPage;
    if (!page) return com::E_OUTOFMEMORY;
    *inner = page;
    return com::S_OK;
}

}  // namespace zevote
