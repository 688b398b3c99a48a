#pragma once
// What an in-process server builds on: its count of live objects and locks
// (for DllCanUnloadNow) and a class factory that applies the creation rules.
//
//     static com::ServerLocks locks;
//     HRESULT CreateThing(com::IUnknown* outer, com::IUnknown** inner);  // null *inner: no memory
//     ... DllGetClassObject: new com::ClassFactory(locks, CreateThing) ...
//     extern "C" HRESULT DllCanUnloadNow() { return locks.CanUnloadNow(); }
#include <atomic>

#include "unknown.h"

namespace com {

// One per server: objects alive and LockServer locks.
class ServerLocks {
public:
    void ObjectCreated() { ++objects_; }
    void ObjectDestroyed() { --objects_; }
    void Lock() { ++locks_; }
    void Unlock() { --locks_; }
    long Objects() const { return objects_; }
    long Locks() const { return locks_; }
    // S_FALSE while an object lives or a lock is held, else S_OK.
    HRESULT CanUnloadNow() const { return objects_ > 0 || locks_ > 0 ? S_FALSE : S_OK; }

private:
    std::atomic<long> objects_{0};
    std::atomic<long> locks_{0};
};

// Creates one object: hands back its inner (non-delegating) unknown with one
// reference in *inner, or null when the memory cannot be had. With an
// outer unknown the object delegates its IUnknown to it.
using CreateObjectFn = HRESULT (*)(IUnknown* outer, IUnknown** inner);

// A class factory (reference count 1 when made; deletes itself on the last
// Release). It counts as an object of the server while it lives.
// CreateInstance: E_INVALIDARG when out is null; with an outer unknown only
// IID_IUnknown may be asked (else E_INVALIDARG) and the inner unknown is
// handed out; without one the new object is queried for iid and the
// creation reference released; E_OUTOFMEMORY when nothing was created.
// LockServer adds or removes a lock of the server.
class ClassFactory final : public IClassFactory {
public:
    ClassFactory(ServerLocks& locks, CreateObjectFn create);
    HRESULT QueryInterface(REFIID iid, void** out) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT LockServer(BOOL lock) override;

private:
    ~ClassFactory();
    ServerLocks& locks_;
    CreateObjectFn create_;
    std::atomic<ULONG> refs_{1};
};

}  // namespace com
