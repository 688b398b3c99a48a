#include "activex_variant.h"

#include "err.h"

namespace forms::detail {

namespace {

class Dispatched final : public vb::Object {
public:
    explicit Dispatched(com::IDispatch* d) : d_(d) { d_->AddRef(); }
    ~Dispatched() override { d_->Release(); }
    std::string TypeName() const override { return "Object"; }

    vb::Variant GetMember(const std::string& name) override {
        return Call(name, com::DISPATCH_PROPERTYGET | com::DISPATCH_METHOD, {}, false);
    }
    void SetMember(const std::string& name, const vb::Variant& value) override {
        Call(name, com::DISPATCH_PROPERTYPUT, {value}, true);
    }
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override {
        return Call(name, com::DISPATCH_METHOD | com::DISPATCH_PROPERTYGET, args, false);
    }
    com::IDispatch* Interface() const { return d_; }

private:
    vb::Variant Call(const std::string& name, com::WORD flags, const std::vector<vb::Variant>& args, bool put) {
        com::BSTR n = com::SysAllocStringUtf8(name);
        com::DISPID id = com::DISPID_UNKNOWN;
        const com::HRESULT found = d_->GetIDsOfNames(com::IID_NULL, &n, 1, com::LOCALE_USER_DEFAULT, &id);
        com::SysFreeString(n);
        if (com::FAILED(found)) vb::RaiseError(438);
        std::vector<com::VARIANT> argv(args.size());
        for (std::size_t i = 0; i < args.size(); ++i) ToVariantArg(args[args.size() - 1 - i], &argv[i]);
        com::DISPID named = com::DISPID_PROPERTYPUT;
        com::DISPPARAMS params;
        params.rgvarg = argv.empty() ? nullptr : argv.data();
        params.cArgs = static_cast<com::UINT>(argv.size());
        if (put) {
            params.rgdispidNamedArgs = &named;
            params.cNamedArgs = 1;
        }
        com::VARIANT result;
        const com::HRESULT hr = d_->Invoke(id, com::IID_NULL, com::LOCALE_USER_DEFAULT, flags, &params,
                                           put ? nullptr : &result, nullptr, nullptr);
        for (auto& a : argv) com::VariantClear(&a);
        if (hr == com::DISP_E_MEMBERNOTFOUND) vb::RaiseError(438);
        if (com::FAILED(hr)) vb::RaiseError(440);
        vb::Variant out = FromVariantArg(result);
        com::VariantClear(&result);
        return out;
    }
    com::IDispatch* d_;
};

}  // namespace

void ToVariantArg(const vb::Variant& value, com::VARIANT* out) {
    com::VariantInit(out);
    switch (value.Type()) {
    case vb::VarType::Empty:
        return;
    case vb::VarType::Boolean:
        out->vt = com::VT_BOOL;
        out->boolVal = value.ToBool() ? com::VARIANT_TRUE : com::VARIANT_FALSE;
        return;
    case vb::VarType::String:
        out->vt = com::VT_BSTR;
        out->bstrVal = com::SysAllocStringUtf8(value.ToString());
        return;
    case vb::VarType::Object:
        if (auto* d = dynamic_cast<Dispatched*>(value.ToObject().get())) {
            out->vt = com::VT_DISPATCH;
            out->pdispVal = d->Interface();
            out->pdispVal->AddRef();
        }
        return;
    default:
        out->vt = com::VT_I4;
        out->lVal = value.ToLong();
        return;
    }
}

vb::Variant FromVariantArg(const com::VARIANT& value) {
    switch (value.vt) {
    case com::VT_NULL: return vb::Variant::Null();
    case com::VT_BOOL: return vb::Variant(value.boolVal != 0);
    case com::VT_I2: return vb::Variant(value.iVal);
    case com::VT_I4: return vb::Variant(static_cast<int>(value.lVal));
    case com::VT_BSTR: return vb::Variant(com::BstrToUtf8(value.bstrVal));
    case com::VT_DISPATCH: return value.pdispVal ? vb::Variant(DispatchObject(value.pdispVal)) : vb::Variant();
    default: return vb::Variant();
    }
}

vb::ObjectRef DispatchObject(com::IDispatch* dispatch) {
    if (!dispatch) return nullptr;
    return std::make_shared<Dispatched>(dispatch);
}

}  // namespace forms::detail
