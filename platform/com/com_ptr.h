#pragma once
// ComPtr<T>: holds one reference to an interface and releases it.
//
//     com::ComPtr<com::IDispatch> disp;
//     if (SUCCEEDED(unk->QueryInterface(com::IID_IDispatch, disp.Out()))) ...
#include <utility>

#include "unknown.h"

namespace com {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes a new reference to p.
    explicit ComPtr(T* p) : p_(p) {
        if (p_) p_->AddRef();
    }
    ComPtr(const ComPtr& o) : ComPtr(o.p_) {}
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Adopts a reference the caller already owns.
    static ComPtr Adopt(T* p) {
        ComPtr r;
        r.p_ = p;
        return r;
    }
    void Reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    // Releases the held reference and hands out the slot for an out parameter.
    void** Out() {
        Reset();
        return reinterpret_cast<void**>(&p_);
    }
    T** OutTyped() {
        Reset();
        return &p_;
    }
    T* Detach() { return std::exchange(p_, nullptr); }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

}  // namespace com
