#pragma once
// Where a form hosts an ActiveX control, declared by its class name and its
// instance name:
//
//     forms::ActiveXHost ZEVOTest1{this, "ZEVOTestObjectsCtl.ZEVOTest", "ZEVOTest1"};
//
// When the form loads, the class name (a program identifier) is resolved
// through the registry to the control's CLSID, the control is created through
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
// registry knows one, else the file declared for the type library with
// RegisterActiveXComponentFile.
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

// The component file that holds a type library's controls, named in the
// message of error 339 when the registry does not know the class
// (type-library name: the part of a program identifier before the point).
// "ZEVOTestObjectsCtl" is "zevote32.ocx" from the start.
void RegisterActiveXComponentFile(const std::string& typeLibName, const std::string& fileName);
// The file named for a program identifier: the registered server's file
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
    void ApplyGeometry() override;

private:
    // Takes the size the control reports as the host's own.
    void FollowControlSize();

    std::string progId_;
    std::unique_ptr<ActiveXInstance> instance_;
    bool created_ = false;
};

}  // namespace forms
