// The exported entry points of zevote32.ocx, and what happens when the
// library is loaded into a process and unloaded from it.
#include <new>

#include "com.h"
#include "object_table.h"
#include "registration.h"
#include "satellite.h"
#include "zevote_control.h"

using namespace zevote;

extern "C" __attribute__((visibility("default"))) com::HRESULT DllGetClassObject(const com::CLSID& clsid,
                                                                                 const com::IID& iid, void** out) {
    if (!out) return com::E_INVALIDARG;
    *out = nullptr;
    const ObjectEntry* entry = FindObjectEntry(clsid);
    if (!entry) return com::CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) com::ClassFactory(LibraryLocks(), entry->create);
    if (!factory) return com::E_OUTOFMEMORY;
    const com::HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

extern "C" __attribute__((visibility("default"))) com::HRESULT DllCanUnloadNow() {
    return LibraryLocks().CanUnloadNow();
}

extern "C" __attribute__((visibility("default"))) com::HRESULT DllRegisterServer() {
    if (!OwnModule()) return com::E_UNEXPECTED;
    return RegisterLibrary(com::ModuleFileName(OwnModule()));
}

extern "C" __attribute__((visibility("default"))) com::HRESULT DllUnregisterServer() { return UnregisterLibrary(); }

namespace {

__attribute__((constructor)) void AttachToProcess() {
    AttachResourceModules(com::ModuleFromAddress(reinterpret_cast<const void*>(&DllGetClassObject)));
}

__attribute__((destructor)) void DetachFromProcess() {
    com::UnregisterControlWindowClass(ZEVOTestClassInfo(), OwnModule());
}

}  // namespace
