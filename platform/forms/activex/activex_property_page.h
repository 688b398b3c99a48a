#pragma once
// The property-page base: a page shown in a control's property frame, made
// from a dialog template with a title and a documentation string, all
// loaded from a resource module.
#include <atomic>
#include <memory>

#include "ole_interfaces.h"
#include "resources.h"
#include "server.h"

class QWidget;

namespace com {

struct PropertyPageInfo {
    CLSID clsid;
    int dialogId = 0;
    UINT titleString = 0;
    UINT docString = 0;
    const char* helpFile = nullptr;
    DWORD helpContext = 0;
    // The module the dialog and strings are loaded from (may be a satellite).
    HINSTANCE (*resourceModule)() = nullptr;
    ServerLocks* locks = nullptr;  // counts the server's live objects when set
};

class PropertyPageBase : public IPropertyPage {
public:
    explicit PropertyPageBase(const PropertyPageInfo& info);
    virtual ~PropertyPageBase();
    PropertyPageBase(const PropertyPageBase&) = delete;
    PropertyPageBase& operator=(const PropertyPageBase&) = delete;

    // IUnknown (IPropertyPage and IUnknown); deletes the page on the last
    // Release.
    HRESULT QueryInterface(REFIID iid, void** out) override;
    ULONG AddRef() override;
    ULONG Release() override;
    // The title and documentation strings and the dialog's size in pixels
    // (dialog units of an 8-point font: 6/4 pixels across, 13/8 down).
    HRESULT GetPageInfo(std::string* title, SIZE* size, std::string* docString) override;
    // Creates the page's window from the dialog template inside `parent`.
    HRESULT Activate(HWND parent, const RECT* rect, BOOL modal) override;
    HRESULT Deactivate() override;

    const PropertyPageInfo& Info() const { return info_; }
    QWidget* PageWidget() const;  // while active

private:
    const PropertyPageInfo& info_;
    std::atomic<ULONG> refs_{1};
    QWidget* page_ = nullptr;
};

}  // namespace com
