#pragma once
// Where a form hosts an ActiveX control, declared by its class name and its
// instance name:
//
//     forms::ActiveXHost ZEVOTest1{this, "ZEVOTestObjectsCtl.ZEVOTest", "ZEVOTest1"};
//
// When the form loads, the factory registered for the class name creates the
// control inside its container's window; when none is registered the host
// stays a named, windowless placeholder. The control is destroyed when the
// form unloads, before the form's windows.
#include <functional>
#include <memory>
#include <string>

#include "control.h"

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
};

using ActiveXFactory = std::function<std::unique_ptr<ActiveXInstance>(ActiveXHost& host)>;

// Registers the factory for a class name (ProgID); an empty factory removes it.
void RegisterActiveXFactory(const std::string& progId, ActiveXFactory factory);
bool HasActiveXFactory(const std::string& progId);

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

protected:
    QWidget* CreateWidget(QWidget*) override { return nullptr; }

private:
    std::string progId_;
    std::unique_ptr<ActiveXInstance> instance_;
    bool created_ = false;
};

}  // namespace forms
