// A control for the hosting tests, built on the control framework: it
// records when the framework calls its overrides and what it saw then.
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include <QWidget>

#include "activex_control.h"
#include "com.h"
#include "win_message_box.h"
#include "window_table.h"

using namespace com;

namespace {

const CLSID CLSID_TestCtl = MakeGuid("{6B1E2D24-3C4D-4E5F-9A0B-B1C2D3E4F5A6}");
const IID IID_ITestCtl = MakeGuid("{6B1E2D22-3C4D-4E5F-9A0B-B1C2D3E4F5A6}");
const GUID LIBID_TestCtl = MakeGuid("{6B1E2D21-3C4D-4E5F-9A0B-B1C2D3E4F5A6}");

struct ITestCtl : IDispatch {
    virtual HRESULT AboutBox() = 0;
};

ServerLocks locks;
std::vector<std::string> calls;
bool shrinkAtRunTime = false;
ControlClassInfo classInfo{CLSID_TestCtl, IID_ITestCtl, LIBID_TestCtl, 1, 0, "OrvantaTestCtlWndClass", 0x28191,
                           &locks};

HMODULE OwnModule() { return ModuleFromAddress(reinterpret_cast<const void*>(&OwnModule)); }

std::string Hex(unsigned v) {
    char t[16];
    std::snprintf(t, sizeof t, "0x%X", v);
    return t;
}

class TestCtl final : public ControlBase<ITestCtl> {
public:
    explicit TestCtl(IUnknown* outer) : ControlBase(outer, classInfo) {}

    HRESULT QueryInterface(REFIID iid, void** out) override {
        if (out && iid == IID_ITestCtl) {
            *out = static_cast<ITestCtl*>(this);
            AddRef();
            return S_OK;
        }
        return ControlBase::QueryInterface(iid, out);
    }
    HRESULT OnDraw(HDC dc, const RECT& r) override {
        calls.push_back("OnDraw " + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
                      "," + std::to_string(r.bottom));
        RECT edge = r;
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        if (HICON icon = LoadIcon(OwnModule(), 2)) DrawIcon(dc, r.left + 3, r.top + 3, icon);
        return S_OK;
    }
    LRESULT WindowProc(UINT msg, WPARAM w, LPARAM l) override {
        if (msg == WM_LBUTTONDOWN || msg == WM_USER) calls.push_back("WindowProc " + Hex(msg));
        return ControlBase::WindowProc(msg, w, l);
    }
    BOOL RegisterClassData() override {
        calls.push_back("RegisterClassData");
        return ControlBase::RegisterClassData();
    }
    void BeforeDestroyWindow() override {
        const HWND hwnd = ControlWindow();
        calls.push_back(std::string("BeforeDestroyWindow ") + (win::IsWindow(hwnd) ? "window alive" : "no window") +
                      (win::IsWindow(ContainerWindow()) ? ", container alive" : ""));
        win::RemoveProp(hwnd, "ZEVSKIPME");
    }
    BOOL OnSetExtent(SIZEL* himetric) override {
        BOOL userMode = FALSE;
        const HRESULT hr = GetAmbientUserMode(&userMode);
        calls.push_back("OnSetExtent " + std::to_string(himetric->cx) + "x" + std::to_string(himetric->cy) +
                      (SUCCEEDED(hr) ? (userMode ? " user mode" : " design mode") : " no ambient"));
        if (shrinkAtRunTime && (FAILED(hr) || userMode)) {
            SetControlSize(SIZE{0, 0});
            return FALSE;
        }
        return TRUE;
    }
    void AfterCreateWindow() override {
        const HWND hwnd = ControlWindow();
        calls.push_back("AfterCreateWindow " + win::GetClassName(hwnd) + " in " +
                      win::GetClassName(win::GetParent(hwnd)) + " style " + Hex(win::GetWindowStyle(hwnd)) +
                      (InPlaceFrame() ? " with frame" : ""));
        win::SetProp(hwnd, "ZEVSKIPME", 1);
        // Out of the tab order through the extended control, as the test control does.
        ComPtr<IOleClientSite> site;
        if (FAILED(OleObject()->GetClientSite(site.OutTyped()))) return;
        ComPtr<IOleControlSite> controlSite;
        if (FAILED(site->QueryInterface(IID_IOleControlSite, controlSite.Out()))) return;
        ComPtr<IDispatch> extended;
        if (FAILED(controlSite->GetExtendedControl(extended.OutTyped()))) return;
        BSTR name = SysAllocStringUtf8("TabStop");
        DISPID id = 0;
        const HRESULT found = extended->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_SYSTEM_DEFAULT, &id);
        SysFreeString(name);
        if (FAILED(found)) return;
        VARIANT no;
        no.vt = VT_BOOL;
        no.boolVal = VARIANT_FALSE;
        DISPPARAMS args;
        args.rgvarg = &no;
        args.cArgs = 1;
        extended->Invoke(id, IID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_PROPERTYPUT, &args, nullptr, nullptr, nullptr);
    }
    HRESULT AboutBox() override {
        if (InPlaceFrame()) InPlaceFrame()->EnableModeless(FALSE);
        char text[512], caption[512];
        LoadString(OwnModule(), 2005, text, sizeof text);
        LoadString(OwnModule(), 2006, caption, sizeof caption);
        QWidget* form = win::WidgetOf(ContainerWindow());
        calls.push_back(std::string("AboutBox container ") + (form && form->window()->isEnabled() ? "enabled" : "frozen"));
        MessageBox(0, text, caption, MB_TASKMODAL);
        if (InPlaceFrame()) InPlaceFrame()->EnableModeless(TRUE);
        return S_OK;
    }
};

HRESULT CreateTestCtl(IUnknown* outer, IUnknown** inner) {
    auto* c = new (std::nothrow) TestCtl(outer);
    *inner = c ? c->InnerUnknown() : nullptr;
    return S_OK;
}

void SetText(const std::string& key, const std::string& value) {
    HKEY k = 0;
    if (RegCreateKey(HKEY_CLASSES_ROOT, key.c_str(), &k) != ERROR_SUCCESS) return;
    RegSetValue(k, nullptr, REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
    RegCloseKey(k);
}

}  // namespace

extern "C" {

HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (!(clsid == CLSID_TestCtl)) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) ClassFactory(locks, CreateTestCtl);
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

HRESULT DllCanUnloadNow() { return locks.CanUnloadNow(); }

HRESULT DllRegisterServer() {
    const std::string path = ModuleFileName(OwnModule());
    const std::string clsid = "CLSID\\" + GuidToString(CLSID_TestCtl);
    SetText(clsid, "TestCtl Object");
    SetText(clsid + "\\InprocServer32", path);
    SetText("OrvantaTestCtl.TestCtl\\CLSID", GuidToString(CLSID_TestCtl));
    ITypeLib* lib = nullptr;
    const std::u16string wide = Utf8ToUtf16(path);
    HRESULT hr = LoadTypeLib(wide.c_str(), &lib);
    if (SUCCEEDED(hr)) {
        hr = RegisterTypeLib(lib, wide.c_str(), nullptr);
        lib->Release();
    }
    return hr;
}

HRESULT DllUnregisterServer() {
    RegDeleteTree(HKEY_CLASSES_ROOT, ("CLSID\\" + GuidToString(CLSID_TestCtl)).c_str());
    RegDeleteTree(HKEY_CLASSES_ROOT, "OrvantaTestCtl.TestCtl");
    RegDeleteTree(HKEY_CLASSES_ROOT, ("TypeLib\\" + GuidToString(LIBID_TestCtl)).c_str());
    return S_OK;
}

std::vector<std::string>* TestControlLog() { return &calls; }
void TestControlShrinkAtRunTime(bool shrink) { shrinkAtRunTime = shrink; }
long TestControlObjects() { return locks.Objects(); }

}  // extern "C"
