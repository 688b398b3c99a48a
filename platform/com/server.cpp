#include "server.h"

namespace com {

ClassFactory::ClassFactory(ServerLocks& locks, CreateObjectFn create) : locks_(locks), create_(create) {
    locks_.ObjectCreated();
}

ClassFactory::~ClassFactory() { locks_.ObjectDestroyed(); }

HRESULT ClassFactory::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG ClassFactory::AddRef() { return ++refs_; }

ULONG ClassFactory::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (outer && !(iid == IID_IUnknown)) return E_INVALIDARG;
    IUnknown* inner = nullptr;
    const HRESULT created = create_(outer, &inner);
    if (FAILED(created)) return created;
    if (!inner) return E_OUTOFMEMORY;
    if (outer) {
        *out = inner;  // the aggregate keeps the creation reference
        return S_OK;
    }
    const HRESULT hr = inner->QueryInterface(iid, out);
    inner->Release();
    return hr;
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    if (lock) {
        locks_.Lock();
    } else {
        locks_.Unlock();
    }
    return S_OK;
}

}  // namespace com
