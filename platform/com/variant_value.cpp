#include "automation.h"

namespace com {

void VariantInit(VARIANT* v) {
    if (!v) return;
    v->vt = VT_EMPTY;
    v->reserved = 0;
}

HRESULT VariantClear(VARIANT* v) {
    if (!v) return E_INVALIDARG;
    switch (v->vt) {
    case VT_BSTR:
        SysFreeString(v->bstrVal);
        break;
    case VT_DISPATCH:
        if (v->pdispVal) v->pdispVal->Release();
        break;
    case VT_UNKNOWN:
        if (v->punkVal) v->punkVal->Release();
        break;
    default:
        break;
    }
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* src) {
    if (!dest || !src) return E_INVALIDARG;
    if (dest == src) return S_OK;
    VariantClear(dest);
    *dest = *src;
    switch (src->vt) {
    case VT_BSTR:
        if (src->bstrVal) {
            dest->bstrVal = SysAllocStringLen(src->bstrVal, SysStringLen(src->bstrVal));
            if (!dest->bstrVal) {
                VariantInit(dest);
                return E_OUTOFMEMORY;
            }
        }
        break;
    case VT_DISPATCH:
        if (dest->pdispVal) dest->pdispVal->AddRef();
        break;
    case VT_UNKNOWN:
        if (dest->punkVal) dest->punkVal->AddRef();
        break;
    default:
        break;
    }
    return S_OK;
}

}  // namespace com
