#include "object_table.h"

#include "general_page.h"
#include "guids.h"
#include "zevote_control.h"

namespace zevote {

namespace {

constexpr com::DWORD kControlMiscStatus = com::OLEMISC_RECOMPOSEONRESIZE | com::OLEMISC_CANTLINKINSIDE |
                                          com::OLEMISC_INSIDEOUT | com::OLEMISC_ACTIVATEWHENVISIBLE |
                                          com::OLEMISC_ALIGNABLE | com::OLEMISC_SETCLIENTSITEFIRST;
static_assert(kControlMiscStatus == 0x28191);

const com::CLSID* const kControlPropertyPages[] = {&CLSID_ZEVOTestGeneralPage};

ObjectEntry MakeControlEntry() {
    ObjectEntry e{kControlObject, &CLSID_ZEVOTest, "ZEVObjectTestingControl", CreateZEVOTestControl};
    e.version = 1;
    e.defaultInterface = &IID_IZEVOTest;
    e.helpFile = "ZEVOTest.HLP";
    e.eventInterface = &DIID_DZEVOTestEvents;
    e.miscStatus = kControlMiscStatus;
    e.toolboxBitmap = 1;
    e.windowClass = kControlWindowClass;
    e.windowClassRegistered = &ZEVOTestClassInfo().windowClassRegistered;
    e.propertyPages = kControlPropertyPages;
    e.propertyPageCount = 1;
    return e;
}

ObjectEntry MakePageEntry() {
    ObjectEntry e{kPropertyPageObject, &CLSID_ZEVOTestGeneralPage,
                  "Tavorin ActiveX Test Control General Property Page", CreateZEVOTestGeneralPage};
    e.dialog = kGeneralPageDialog;
    e.titleString = kGeneralPageTitle;
    e.docString = kGeneralPageDocString;
    e.helpFile = "vb.hlp";
    e.helpContext = 0;
    return e;
}

}  // namespace

const ObjectEntry* ObjectTable() {
    static const ObjectEntry table[] = {MakeControlEntry(), MakePageEntry(),
                                        ObjectEntry{kEndOfTable, nullptr, nullptr, nullptr}};
    return table;
}

const ObjectEntry* FindObjectEntry(const com::CLSID& clsid) {
    for (const ObjectEntry* e = ObjectTable(); e->kind != kEndOfTable; ++e) {
        if (com::IsEqualCLSID(*e->clsid, clsid)) return e;
    }
    return nullptr;
}

com::ServerLocks& LibraryLocks() {
    static com::ServerLocks locks;
    return locks;
}

}  // namespace zevote
