#pragma once
// Where a form hosts an ActiveX control, declared by its class name and its
// instance name:
//
//     forms::ActiveXHost ZEVOTest1{this, "ZEVOTestObjectsCtl.ZEVOTest", "ZEVOTest1"};
//
// When the form loads, the class name is resolved through the registry to
// the control's CLSID (see RegisterActiveXComponent), the control is created through
// its server's class factory (creation.h) and activated in place: it gets a
// client site (ambient UserMode True at run time), an in-place frame, an
// extended control whose "TabStop" is this host's, its extent (SetExtent in
// HIMETRIC from the host's size) and its window as a child of the container's
// window. The host's size follows the extent the control reports. When the
// form unloads the control is closed (its window destroyed) before the
// form's windows.
//
// A class that is not registered (or whose server cannot be loaded or
// cannot create it) raises error 339, "Component 'zevote32.ocx' or one of
// its dependencies not correctly registered: a file is missing or invalid",
// naming the component's file: the registered server's file name when the
// registry knows one, else the file declared with RegisterActiveXComponent.
//
// Tests may register a factory for a class name (RegisterActiveXFactory): it
// is used instead of the registry, and a factory that creates nothing leaves
// the host a named, windowless placeholder.
#include <functional>
#include <memory>
#include <string>

#include "control.h"

namespace com {
struct IUnknown;
}

namespace forms {

class ActiveXHost;

// A hosted control, as the COM layer creates it.
class ActiveXInstance {
public:
    virtual ~ActiveXInstance() = default;
    // The control's object for late-bound access (may be null).
    virtual vb::ObjectRef Object() { return nullptr; }
    // The control's widget inside the container (may be null: windowless).
    virtual QWidget* Widget() { return nullptr; }
    // The control's inner unknown (null for controls made by a test's
    // factory) and its own window (0: windowless or not active).
    virtual com::IUnknown* Unknown() { return nullptr; }
    virtual win::HWND Window() { return 0; }
    // The size the control took (pixels); false when it has none of its own
    // and follows the host's.
    virtual bool SizePixels(int& width, int& height) {
        (void)width, (void)height;
        return false;
    }
    // The host moved or resized: place the control (pixels of the container).
    virtual void Place(int x, int y, int width, int height);
};

using ActiveXFactory = std::function<std::unique_ptr<ActiveXInstance>(ActiveXHost& host)>;

// Registers the factory for a class name (ProgID); an empty factory removes it.
void RegisterActiveXFactory(const std::string& progId, ActiveXFactory factory);
bool HasActiveXFactory(const std::string& progId);

// A component (a control library) as a form's project names it: the type
// library name that its class names start with ("ZEVOTestObjectsCtl"), its
// file ("zevote32.ocx") and its registered type library (GUID text and
// version). A class name "Library.Class" is found through the registry: as
// a registered program identifier, else as the coclass "Class" of a
// registered type library named "Library" (or "Library" less a trailing
// "Ctl"), else of the component's registered type library. "ZEVOTestObjectsCtl" is declared from the start as
// "zevote32.ocx" with type library {478E45E0-5745-11CF-8918-00A02416C765} 1.0.
void RegisterActiveXComponent(const std::string& typeLibName, const std::string& fileName,
                              const std::string& libid = {}, int major = 1, int minor = 0);
// The file named for a class name in error 339: the registered server's file
// name, else the declared file, else the type-library name + ".ocx".
std::string ActiveXComponentFile(const std::string& progId);

class ActiveXHost : public Control {
public:
    ActiveXHost(ControlParent parent, std::string progId, std::string name, Twips left = 0,
                Twips top = 0, Twips width = 0, Twips height = 0);
    ~ActiveXHost() override;
    std::string TypeName() const override;
    bool HasFont() const override { return false; }
    bool CanFocus() const override { return false; }

    const std::string& ProgId() const { return progId_; }
    // The hosted control's object; null while it is a placeholder or not loaded.
    vb::ObjectRef Object() const;
    // True while loaded without a hosted control.
    bool IsPlaceholder() const;
    // The window the control is created in: its container's (the form's
    // client window, a frame, a picture box); 0 while not loaded.
    win::HWND ContainerWindow() const;
    QWidget* ContainerQWidget() const;
    ActiveXInstance* Instance() const { return instance_.get(); }

    // Members of the hosted control when there is one, else of the extender.
    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

    void CreateNative() override;
    void DestroyNative() override;

    // Position and size in pixels of the container, from the host's values.
    struct Placement {
        int x = 0, y = 0, width = 0, height = 0;
    };
    Placement PlacementPixels() const;

protected:
    QWidget* CreateWidget(QWidget*) override { return nullptr; }

private:
    // Takes the size the control reports as the host's own.
    void FollowControlSize();

    std::string progId_;
    std::unique_ptr<ActiveXInstance> instance_;
    bool created_ = false;
};

}  // namespace forms
