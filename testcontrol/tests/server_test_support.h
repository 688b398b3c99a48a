#pragma once
// Loading zevote32.ocx from the program folder into a test, with the
// registry in a temporary folder, and a container that hosts the control
// the way a form does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "../control/zevote_interface.h"
#include "com.h"
#include "window_table.h"

namespace zevote::testing {

using zevote::IZEVOTest;

inline void EnsureQtApplication() {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zevote_control_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

inline std::string ProgramFolder() {
    const char* dir = std::getenv("ORVANTA_BIN_DIR");
    return dir ? dir : "";
}
inline std::string ControlPath() { return ProgramFolder() + "/zevote32.ocx"; }

// A fresh registry folder for the life of the object.
class ScopedRegistry {
public:
    ScopedRegistry() {
        char pattern[] = "/tmp/zevote-reg-XXXXXX";
        if (mkdtemp(pattern)) folder_ = pattern;
        setenv("ORVANTA_REGISTRY_DIR", folder_.c_str(), 1);
    }
    ~ScopedRegistry() {
        unsetenv("ORVANTA_REGISTRY_DIR");
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    const std::string& Folder() const { return folder_; }

private:
    std::string folder_;
};

// The four exports of a loaded control library.
struct ControlLibrary {
    explicit ControlLibrary(const std::string& path = ControlPath()) : module(com::LoadLibrary(path)) {
        if (!module) return;
        getClassObject = reinterpret_cast<com::DllGetClassObjectFn>(com::GetProcAddress(module, "DllGetClassObject"));
        canUnloadNow = reinterpret_cast<com::DllCanUnloadNowFn>(com::GetProcAddress(module, "DllCanUnloadNow"));
        registerServer = reinterpret_cast<com::DllRegisterServerFn>(com::GetProcAddress(module, "DllRegisterServer"));
        unregisterServer =
            reinterpret_cast<com::DllUnregisterServerFn>(com::GetProcAddress(module, "DllUnregisterServer"));
    }
    bool Loaded() const { return module && getClassObject && canUnloadNow && registerServer && unregisterServer; }

    com::HMODULE module = nullptr;
    com::DllGetClassObjectFn getClassObject = nullptr;
    com::DllCanUnloadNowFn canUnloadNow = nullptr;
    com::DllRegisterServerFn registerServer = nullptr;
    com::DllUnregisterServerFn unregisterServer = nullptr;
};

// The frame of the container: records EnableModeless.
class FakeFrame final : public com::IOleInPlaceFrame {
public:
    com::HRESULT QueryInterface(com::REFIID iid, void** out) override {
        if (iid == com::IID_IUnknown || iid == com::IID_IOleWindow || iid == com::IID_IOleInPlaceFrame) {
            *out = this;
            return com::S_OK;
        }
        *out = nullptr;
        return com::E_NOINTERFACE;
    }
    com::ULONG AddRef() override { return 2; }
    com::ULONG Release() override { return 1; }
    com::HRESULT GetWindow(com::HWND* out) override {
        *out = window;
        return com::S_OK;
    }
    com::HRESULT EnableModeless(com::BOOL enable) override {
        calls.push_back(enable);
        return com::S_OK;
    }
    com::HWND window = 0;
    std::vector<com::BOOL> calls;
};

// The container's extended control: records what is put into "TabStop".
class FakeExtendedControl final : public com::IDispatch {
public:
    static constexpr com::DISPID kTabStop = 7;
    com::HRESULT QueryInterface(com::REFIID iid, void** out) override {
        if (iid == com::IID_IUnknown || iid == com::IID_IDispatch) {
            *out = this;
            return com::S_OK;
        }
        *out = nullptr;
        return com::E_NOINTERFACE;
    }
    com::ULONG AddRef() override { return 2; }
    com::ULONG Release() override { return 1; }
    com::HRESULT GetTypeInfoCount(com::UINT* count) override {
        *count = 0;
        return com::S_OK;
    }
    com::HRESULT GetTypeInfo(com::UINT, com::LCID, com::ITypeInfo**) override { return com::E_NOTIMPL; }
    com::HRESULT GetIDsOfNames(com::REFIID, com::LPOLESTR* names, com::UINT count, com::LCID lcid,
                               com::DISPID* ids) override {
        lcids.push_back(lcid);
        if (count == 1 && com::BstrToUtf8(names[0]) == "TabStop") {
            ids[0] = kTabStop;
            return com::S_OK;
        }
        ids[0] = com::DISPID_UNKNOWN;
        return com::DISP_E_UNKNOWNNAME;
    }
    com::HRESULT Invoke(com::DISPID id, com::REFIID, com::LCID lcid, com::WORD flags, com::DISPPARAMS* params,
                        com::VARIANT*, com::EXCEPINFO*, com::UINT*) override {
        lcids.push_back(lcid);
        if (id != kTabStop || flags != com::DISPATCH_PROPERTYPUT || !params || params->cArgs != 1 ||
            params->cNamedArgs != 0 || params->rgvarg[0].vt != com::VT_BOOL) {
            return com::DISP_E_MEMBERNOTFOUND;
        }
        tabStopPuts.push_back(params->rgvarg[0].boolVal);
        return com::S_OK;
    }
    std::vector<com::VARIANT_BOOL> tabStopPuts;
    std::vector<com::LCID> lcids;
};

// A client site with in-place and control sites and the ambient UserMode.
class FakeSite final : public com::IOleClientSite,
                       public com::IOleInPlaceSite,
                       public com::IOleControlSite,
                       public com::IDispatch {
public:
    enum class UserMode { RunTime, Design, NoAnswer };

    com::HRESULT QueryInterface(com::REFIID iid, void** out) override {
        if (iid == com::IID_IUnknown || iid == com::IID_IOleClientSite) {
            *out = static_cast<com::IOleClientSite*>(this);
        } else if (iid == com::IID_IOleInPlaceSite || iid == com::IID_IOleWindow) {
            *out = static_cast<com::IOleInPlaceSite*>(this);
        } else if (iid == com::IID_IOleControlSite) {
            *out = static_cast<com::IOleControlSite*>(this);
        } else if (iid == com::IID_IDispatch) {
            *out = static_cast<com::IDispatch*>(this);
        } else {
            *out = nullptr;
            return com::E_NOINTERFACE;
        }
        return com::S_OK;
    }
    com::ULONG AddRef() override { return 2; }
    com::ULONG Release() override { return 1; }
    // IOleClientSite
    com::HRESULT SaveObject() override { return com::S_OK; }
    com::HRESULT ShowObject() override { return com::S_OK; }
    com::HRESULT OnShowWindow(com::BOOL) override { return com::S_OK; }
    com::HRESULT RequestNewObjectLayout() override { return com::S_OK; }
    // IOleInPlaceSite
    com::HRESULT GetWindow(com::HWND* out) override {
        *out = container;
        return com::S_OK;
    }
    com::HRESULT CanInPlaceActivate() override { return com::S_OK; }
    com::HRESULT OnInPlaceActivate() override { return com::S_OK; }
    com::HRESULT GetWindowContext(com::IOleInPlaceFrame** out, com::RECT* position, com::RECT* clip) override {
        *out = &frame;
        if (position) *position = {8, 8, 34, 34};
        if (clip) *clip = {0, 0, 400, 300};
        return com::S_OK;
    }
    com::HRESULT OnInPlaceDeactivate() override { return com::S_OK; }
    // IOleControlSite
    com::HRESULT OnControlInfoChanged() override { return com::S_OK; }
    com::HRESULT GetExtendedControl(com::IDispatch** out) override {
        *out = &extended;
        return com::S_OK;
    }
    com::HRESULT OnFocus(com::BOOL) override { return com::S_OK; }
    // IDispatch: the ambient properties
    com::HRESULT GetTypeInfoCount(com::UINT* count) override {
        *count = 0;
        return com::S_OK;
    }
    com::HRESULT GetTypeInfo(com::UINT, com::LCID, com::ITypeInfo**) override { return com::E_NOTIMPL; }
    com::HRESULT GetIDsOfNames(com::REFIID, com::LPOLESTR*, com::UINT, com::LCID, com::DISPID*) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT Invoke(com::DISPID id, com::REFIID, com::LCID, com::WORD, com::DISPPARAMS*, com::VARIANT* result,
                        com::EXCEPINFO*, com::UINT*) override {
        if (id != com::DISPID_AMBIENT_USERMODE || userMode == UserMode::NoAnswer || !result) {
            return com::DISP_E_MEMBERNOTFOUND;
        }
        ++userModeReads;
        result->vt = com::VT_BOOL;
        result->boolVal = userMode == UserMode::RunTime ? com::VARIANT_TRUE : com::VARIANT_FALSE;
        return com::S_OK;
    }

    UserMode userMode = UserMode::RunTime;
    int userModeReads = 0;
    com::HWND container = 0;
    FakeFrame frame;
    FakeExtendedControl extended;
};

}  // namespace zevote::testing
