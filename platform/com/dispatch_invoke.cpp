// IDispatch over type information: name lookup and calls through the
// vtable slots the type information gives.
#include <cstdint>

#include "typelib_objects.h"

namespace com {

HRESULT DispGetIDsOfNames(ITypeInfo* info, LPOLESTR* names, UINT count, DISPID* ids) {
    if (!info || !names || !ids) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (count == 0) return S_OK;
    const tl::TypeRef ref = tl::TypeOf(info);
    if (!ref.type) return E_INVALIDARG;
    const std::string name = BstrToUtf8(names[0]);
    const tl::Member* found = nullptr;
    for (const tl::Member& m : ref.type->members) {
        if (tl::NamesEqual(m.name, name)) {
            found = &m;
            break;
        }
    }
    if (!found) return DISP_E_UNKNOWNNAME;
    ids[0] = found->id;
    HRESULT hr = S_OK;
    for (UINT i = 1; i < count; ++i) {
        const std::string arg = BstrToUtf8(names[i]);
        for (std::size_t k = 0; k < found->paramNames.size(); ++k) {
            if (tl::NamesEqual(found->paramNames[k], arg)) ids[i] = static_cast<DISPID>(k);
        }
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

namespace {

// An argument as the slot takes it: the C++ type of its automation type.
struct Argument {
    VARTYPE type = VT_EMPTY;
    union {
        LONG l;
        VARIANT_BOOL b;
        BSTR s;
        IDispatch* d;
        IUnknown* u;
    };
};

HRESULT Convert(const VARIANT& v, VARTYPE want, Argument* out) {
    out->type = want;
    switch (want) {
    case VT_I4:
        if (v.vt == VT_I4) return out->l = v.lVal, S_OK;
        if (v.vt == VT_I2) return out->l = v.iVal, S_OK;
        if (v.vt == VT_BOOL) return out->l = v.boolVal, S_OK;
        return DISP_E_TYPEMISMATCH;
    case VT_BOOL:
        if (v.vt == VT_BOOL) return out->b = v.boolVal ? VARIANT_TRUE : VARIANT_FALSE, S_OK;
        if (v.vt == VT_I4) return out->b = v.lVal ? VARIANT_TRUE : VARIANT_FALSE, S_OK;
        if (v.vt == VT_I2) return out->b = v.iVal ? VARIANT_TRUE : VARIANT_FALSE, S_OK;
        return DISP_E_TYPEMISMATCH;
    case VT_BSTR:
        if (v.vt == VT_BSTR) return out->s = v.bstrVal, S_OK;
        return DISP_E_TYPEMISMATCH;
    case VT_DISPATCH:
        if (v.vt == VT_DISPATCH) return out->d = v.pdispVal, S_OK;
        if (v.vt == VT_EMPTY) return out->d = nullptr, S_OK;
        return DISP_E_TYPEMISMATCH;
    case VT_UNKNOWN:
        if (v.vt == VT_UNKNOWN || v.vt == VT_DISPATCH) return out->u = v.punkVal, S_OK;
        if (v.vt == VT_EMPTY) return out->u = nullptr, S_OK;
        return DISP_E_TYPEMISMATCH;
    default:
        return DISP_E_BADVARTYPE;
    }
}

// The result, written by the slot through a pointer of its type.
union Result {
    LONG l;
    VARIANT_BOOL b;
    BSTR s;
    IDispatch* d;
    IUnknown* u;
};

constexpr std::size_t kMaxArguments = 4;  // as many as a type library's member may have

// Calls the slot through the function type the member describes: the object,
// the arguments in order, then a pointer to the result when there is one.
template <class... T>
HRESULT CallWithResult(void* fn, void* instance, VARTYPE result, Result& out, T... args) {
    switch (result) {
    case VT_EMPTY: return reinterpret_cast<HRESULT (*)(void*, T...)>(fn)(instance, args...);
    case VT_I4: return reinterpret_cast<HRESULT (*)(void*, T..., LONG*)>(fn)(instance, args..., &out.l);
    case VT_BOOL:
        return reinterpret_cast<HRESULT (*)(void*, T..., VARIANT_BOOL*)>(fn)(instance, args..., &out.b);
    case VT_BSTR: return reinterpret_cast<HRESULT (*)(void*, T..., BSTR*)>(fn)(instance, args..., &out.s);
    case VT_DISPATCH:
        return reinterpret_cast<HRESULT (*)(void*, T..., IDispatch**)>(fn)(instance, args..., &out.d);
    case VT_UNKNOWN: return reinterpret_cast<HRESULT (*)(void*, T..., IUnknown**)>(fn)(instance, args..., &out.u);
    default: return DISP_E_BADVARTYPE;
    }
}

// Builds the call one argument at a time, each with its own type.
template <class... T>
HRESULT CallTyped(void* fn, void* instance, const std::vector<Argument>& a, VARTYPE result, Result& out,
                  T... typed) {
    constexpr std::size_t i = sizeof...(T);
    if (i == a.size()) return CallWithResult(fn, instance, result, out, typed...);
    if constexpr (i < kMaxArguments) {
        switch (a[i].type) {
        case VT_I4: return CallTyped(fn, instance, a, result, out, typed..., a[i].l);
        case VT_BOOL: return CallTyped(fn, instance, a, result, out, typed..., a[i].b);
        case VT_BSTR: return CallTyped(fn, instance, a, result, out, typed..., a[i].s);
        case VT_DISPATCH: return CallTyped(fn, instance, a, result, out, typed..., a[i].d);
        case VT_UNKNOWN: return CallTyped(fn, instance, a, result, out, typed..., a[i].u);
        default: return DISP_E_BADVARTYPE;
        }
    }
    return DISP_E_BADPARAMCOUNT;
}

// Calls slot `slot` of the object's vtable with the arguments in order.
HRESULT CallSlot(void* instance, short slot, const std::vector<Argument>& a, VARTYPE result, Result& out) {
    void** vtable = *static_cast<void***>(instance);
    return CallTyped(vtable[slot], instance, a, result, out);
}

bool Matches(const tl::Member& m, WORD flags) {
    if (m.invkind == INVOKE_FUNC) return flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    if (m.invkind == INVOKE_PROPERTYGET) return flags & DISPATCH_PROPERTYGET;
    return flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
}

}  // namespace

HRESULT DispInvoke(void* instance, ITypeInfo* info, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO*, UINT* argErr) {
    if (!instance || !info) return E_INVALIDARG;
    const tl::TypeRef ref = tl::TypeOf(info);
    if (!ref.type) return E_INVALIDARG;
    if (ref.type->kind != TKIND_INTERFACE) return DISP_E_MEMBERNOTFOUND;
    const tl::Member* member = nullptr;
    bool known = false;
    for (const tl::Member& m : ref.type->members) {
        if (m.id != id) continue;
        known = true;
        if (Matches(m, flags)) {
            member = &m;
            break;
        }
    }
    if (!member) return known ? DISP_E_MEMBERNOTFOUND : DISP_E_MEMBERNOTFOUND;
    DISPPARAMS none;
    if (!params) params = &none;
    if (params->cArgs > 0 && !params->rgvarg) return E_INVALIDARG;
    // A property put may name its value DISPID_PROPERTYPUT; nothing else is named.
    if (params->cNamedArgs > 0) {
        const bool put = member->invkind == INVOKE_PROPERTYPUT && params->cNamedArgs == 1 &&
                         params->rgdispidNamedArgs && params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
        if (!put) return DISP_E_NONAMEDARGS;
    }
    if (params->cArgs != member->params.size()) return DISP_E_BADPARAMCOUNT;
    if (member->params.size() > kMaxArguments) return DISP_E_BADPARAMCOUNT;
    std::vector<Argument> args;
    for (std::size_t i = 0; i < member->params.size(); ++i) {
        // rgvarg holds the arguments last first.
        const UINT at = params->cArgs - 1 - static_cast<UINT>(i);
        Argument value{};
        const HRESULT hr = Convert(params->rgvarg[at], member->params[i], &value);
        if (FAILED(hr)) {
            if (argErr) *argErr = at;
            return hr;
        }
        args.push_back(value);
    }
    Result out{};
    const HRESULT hr = CallSlot(instance, member->slot, args, member->result, out);
    if (FAILED(hr)) return hr;
    if (member->result == VT_EMPTY) {
        if (result) VariantInit(result);
        return hr;
    }
    VARIANT v;
    v.vt = member->result;
    switch (member->result) {
    case VT_I4: v.lVal = out.l; break;
    case VT_BOOL: v.boolVal = out.b; break;
    case VT_BSTR: v.bstrVal = out.s; break;
    case VT_DISPATCH: v.pdispVal = out.d; break;
    case VT_UNKNOWN: v.punkVal = out.u; break;
    default: break;
    }
    if (result) {
        VariantClear(result);
        *result = v;
    } else {
        VariantClear(&v);
    }
    return hr;
}

}  // namespace com
