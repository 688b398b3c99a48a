#include "typelib_objects.h"

#include <atomic>
#include <fstream>
#include <sstream>

#include "module.h"
#include "resources.h"

namespace com {

namespace {

BSTR Str(const std::string& s) { return SysAllocStringUtf8(s); }

class TypeLibObject;

class TypeInfoObject final : public ITypeInfo {
public:
    TypeInfoObject(TypeLibObject* lib, UINT index);
    ~TypeInfoObject();

    HRESULT QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_ITypeInfo) {
            *out = static_cast<ITypeInfo*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override {
        const ULONG n = --refs_;
        if (n == 0) delete this;
        return n;
    }
    HRESULT GetTypeAttr(TYPEATTR** attr) override;
    HRESULT GetFuncDesc(UINT index, FUNCDESC** desc) override;
    HRESULT GetImplTypeInfo(UINT index, ITypeInfo** info) override;
    HRESULT GetImplTypeFlags(UINT index, INT* flags) override;
    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) override {
        return DispGetIDsOfNames(this, names, count, ids);
    }
    HRESULT Invoke(void* instance, MEMBERID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excepInfo, UINT* argErr) override {
        return DispInvoke(instance, this, id, flags, params, result, excepInfo, argErr);
    }
    HRESULT GetDocumentation(MEMBERID id, BSTR* name, BSTR* doc, DWORD* helpContext, BSTR* helpFile) override;
    HRESULT GetContainingTypeLib(ITypeLib** lib, UINT* index) override;
    void ReleaseTypeAttr(TYPEATTR* attr) override { delete attr; }
    void ReleaseFuncDesc(FUNCDESC* desc) override { delete desc; }

    const tl::Type& Type() const;
    const tl::Library& Library() const;

private:
    TypeLibObject* lib_;
    UINT index_;
    std::atomic<ULONG> refs_{1};
};

class TypeLibObject final : public ITypeLib {
public:
    explicit TypeLibObject(tl::Library lib) : lib_(std::move(lib)) {}

    HRESULT QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_ITypeLib) {
            *out = static_cast<ITypeLib*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override {
        const ULONG n = --refs_;
        if (n == 0) delete this;
        return n;
    }
    UINT GetTypeInfoCount() override { return static_cast<UINT>(lib_.types.size()); }
    HRESULT GetTypeInfo(UINT index, ITypeInfo** info) override {
        if (!info) return E_INVALIDARG;
        *info = nullptr;
        if (index >= lib_.types.size()) return TYPE_E_ELEMENTNOTFOUND;
        *info = new TypeInfoObject(this, index);
        return S_OK;
    }
    HRESULT GetTypeInfoType(UINT index, TYPEKIND* kind) override {
        if (!kind) return E_INVALIDARG;
        if (index >= lib_.types.size()) return TYPE_E_ELEMENTNOTFOUND;
        *kind = lib_.types[index].kind;
        return S_OK;
    }
    HRESULT GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** info) override {
        if (!info) return E_INVALIDARG;
        *info = nullptr;
        for (UINT i = 0; i < lib_.types.size(); ++i) {
            if (lib_.types[i].guid == guid) return GetTypeInfo(i, info);
        }
        return TYPE_E_ELEMENTNOTFOUND;
    }
    HRESULT GetLibAttr(TLIBATTR** attr) override {
        if (!attr) return E_INVALIDARG;
        auto* a = new TLIBATTR;
        a->guid = lib_.guid;
        a->lcid = lib_.lcid;
        a->syskind = SYS_WIN32;
        a->wMajorVerNum = lib_.major;
        a->wMinorVerNum = lib_.minor;
        *attr = a;
        return S_OK;
    }
    HRESULT GetDocumentation(INT index, BSTR* name, BSTR* doc, DWORD* helpContext, BSTR* helpFile) override {
        if (index < -1 || index >= static_cast<INT>(lib_.types.size())) return TYPE_E_ELEMENTNOTFOUND;
        const std::string& n = index < 0 ? lib_.name : lib_.types[index].name;
        const std::string& h = index < 0 ? lib_.help : lib_.types[index].help;
        if (name) *name = Str(n);
        if (doc) *doc = h.empty() ? nullptr : Str(h);
        if (helpContext) *helpContext = 0;
        if (helpFile) *helpFile = nullptr;
        return S_OK;
    }
    void ReleaseTLibAttr(TLIBATTR* attr) override { delete attr; }

    const tl::Library& Library() const { return lib_; }

private:
    tl::Library lib_;
    std::atomic<ULONG> refs_{1};
};

TypeInfoObject::TypeInfoObject(TypeLibObject* lib, UINT index) : lib_(lib), index_(index) { lib_->AddRef(); }
TypeInfoObject::~TypeInfoObject() { lib_->Release(); }
const tl::Type& TypeInfoObject::Type() const { return lib_->Library().types[index_]; }
const tl::Library& TypeInfoObject::Library() const { return lib_->Library(); }

HRESULT TypeInfoObject::GetTypeAttr(TYPEATTR** attr) {
    if (!attr) return E_INVALIDARG;
    const tl::Type& t = Type();
    auto* a = new TYPEATTR;
    a->guid = t.guid;
    a->lcid = Library().lcid;
    a->typekind = t.kind;
    a->cFuncs = static_cast<WORD>(t.members.size());
    a->cImplTypes = static_cast<WORD>(t.kind == TKIND_COCLASS ? t.implemented.size() : 1);
    short slots = 7;
    for (const tl::Member& m : t.members) slots = std::max<short>(slots, static_cast<short>(m.slot + 1));
    a->cbSizeVft = static_cast<WORD>(t.kind == TKIND_INTERFACE ? slots : 7);
    a->wTypeFlags = t.flags;
    a->wMajorVerNum = Library().major;
    a->wMinorVerNum = Library().minor;
    *attr = a;
    return S_OK;
}

HRESULT TypeInfoObject::GetFuncDesc(UINT index, FUNCDESC** desc) {
    if (!desc) return E_INVALIDARG;
    const tl::Type& t = Type();
    if (index >= t.members.size()) return TYPE_E_ELEMENTNOTFOUND;
    const tl::Member& m = t.members[index];
    auto* d = new FUNCDESC;
    d->memid = m.id;
    d->invkind = m.invkind;
    d->oVft = m.slot;
    d->params = m.params;
    d->result = m.result;
    *desc = d;
    return S_OK;
}

HRESULT TypeInfoObject::GetImplTypeInfo(UINT index, ITypeInfo** info) {
    if (!info) return E_INVALIDARG;
    *info = nullptr;
    const tl::Type& t = Type();
    if (t.kind != TKIND_COCLASS || index >= t.implemented.size()) return TYPE_E_ELEMENTNOTFOUND;
    const int k = Library().FindType(t.implemented[index].name);
    if (k < 0) return TYPE_E_ELEMENTNOTFOUND;
    return lib_->GetTypeInfo(static_cast<UINT>(k), info);
}

HRESULT TypeInfoObject::GetImplTypeFlags(UINT index, INT* flags) {
    if (!flags) return E_INVALIDARG;
    const tl::Type& t = Type();
    if (t.kind != TKIND_COCLASS || index >= t.implemented.size()) return TYPE_E_ELEMENTNOTFOUND;
    *flags = t.implemented[index].flags;
    return S_OK;
}

HRESULT TypeInfoObject::GetDocumentation(MEMBERID id, BSTR* name, BSTR* doc, DWORD* helpContext, BSTR* helpFile) {
    const tl::Type& t = Type();
    std::string n, h;
    if (id == MEMBERID_NIL) {
        n = t.name;
        h = t.help;
    } else {
        const tl::Member* found = nullptr;
        for (const tl::Member& m : t.members) {
            if (m.id == id) {
                found = &m;
                break;
            }
        }
        if (!found) return TYPE_E_ELEMENTNOTFOUND;
        n = found->name;
    }
    if (name) *name = Str(n);
    if (doc) *doc = h.empty() ? nullptr : Str(h);
    if (helpContext) *helpContext = 0;
    if (helpFile) *helpFile = nullptr;
    return S_OK;
}

HRESULT TypeInfoObject::GetContainingTypeLib(ITypeLib** lib, UINT* index) {
    if (lib) {
        lib_->AddRef();
        *lib = lib_;
    }
    if (index) *index = index_;
    return S_OK;
}

}  // namespace

namespace tl {
const Library* LibraryOf(ITypeLib* lib) {
    auto* o = dynamic_cast<TypeLibObject*>(lib);
    return o ? &o->Library() : nullptr;
}
TypeRef TypeOf(ITypeInfo* info) {
    auto* o = dynamic_cast<TypeInfoObject*>(info);
    if (!o) return {};
    return {&o->Library(), &o->Type()};
}
}  // namespace tl

HRESULT CreateTypeLibFromData(std::string_view binary, ITypeLib** lib) {
    if (!lib) return E_INVALIDARG;
    *lib = nullptr;
    auto decoded = tl::Decode(binary);
    if (!decoded) return TYPE_E_INVDATAREAD;
    *lib = new TypeLibObject(std::move(*decoded));
    return S_OK;
}

HRESULT LoadTypeLib(LPCOLESTR file, ITypeLib** lib) {
    if (!lib) return E_INVALIDARG;
    *lib = nullptr;
    if (!file) return E_INVALIDARG;
    const std::string path = BstrToUtf8(file);
    std::ifstream in(path, std::ios::binary);
    if (!in) return TYPE_E_CANTLOADLIBRARY;
    char head[4] = {};
    in.read(head, 4);
    if (in.gcount() == 4 && std::string_view(head, 4) == "OVTL") {
        in.seekg(0);
        std::ostringstream all;
        all << in.rdbuf();
        return CreateTypeLibFromData(all.str(), lib);
    }
    HMODULE module = LoadLibrary(path);
    if (!module) return TYPE_E_CANTLOADLIBRARY;
    HRESULT hr = TYPE_E_CANTLOADLIBRARY;
    if (auto bytes = ResourceBytes(module, 1, RT_TYPELIB)) hr = CreateTypeLibFromData(*bytes, lib);
    FreeLibrary(module);
    return hr;
}

}  // namespace com
