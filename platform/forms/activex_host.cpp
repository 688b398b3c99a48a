#include "activex_host.h"

#include <map>

#include <QWidget>

#include "application.h"
#include "err.h"
#include "member_names.h"

namespace forms {

namespace {
std::map<std::string, ActiveXFactory>& Factories() {
    static std::map<std::string, ActiveXFactory> factories;  // key: lower-case class name
    return factories;
}
}  // namespace

void RegisterActiveXFactory(const std::string& progId, ActiveXFactory factory) {
    if (factory) {
        Factories()[detail::Lower(progId)] = std::move(factory);
    } else {
        Factories().erase(detail::Lower(progId));
    }
}

bool HasActiveXFactory(const std::string& progId) { return Factories().count(detail::Lower(progId)) != 0; }

ActiveXHost::ActiveXHost(ControlParent parent, std::string progId, std::string name, Twips left, Twips top,
                         Twips width, Twips height)
    : Control(parent, std::move(name)), progId_(std::move(progId)) {
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
}

ActiveXHost::~ActiveXHost() { ActiveXHost::DestroyNative(); }

std::string ActiveXHost::TypeName() const {
    const auto dot = progId_.rfind('.');
    return dot == std::string::npos ? progId_ : progId_.substr(dot + 1);
}

vb::ObjectRef ActiveXHost::Object() const {
    Touch();
    return instance_ ? instance_->Object() : nullptr;
}

bool ActiveXHost::IsPlaceholder() const { return created_ && !instance_; }

QWidget* ActiveXHost::ContainerQWidget() const {
    return Container() ? Container()->ContainerWidget() : Host().ClientWidget();
}

win::HWND ActiveXHost::ContainerWindow() const {
    if (Control* c = Container(); c && c->WindowClass()) return c->Widget() ? win::HandleOf(c->Widget()) : 0;
    return Host().HostHwnd();
}

void ActiveXHost::CreateNative() {
    if (created_) return;
    created_ = true;
    auto it = Factories().find(detail::Lower(progId_));
    if (it == Factories().end()) return;  // a named placeholder until the control can be created
    instance_ = it->second(*this);
    if (instance_) {
        if (QWidget* w = instance_->Widget()) {
            SetWidgetName(w);
            w->setGeometry(TwipsToPixels(common_.left), TwipsToPixels(common_.top),
                           std::max(0, TwipsToPixels(common_.width)), std::max(0, TwipsToPixels(common_.height)));
        }
    }
}

void ActiveXHost::DestroyNative() {
    // The hosted control goes first, while its container's window still exists.
    instance_.reset();
    created_ = false;
    Control::DestroyNative();
}

vb::Variant ActiveXHost::GetMember(const std::string& name) {
    try {
        return Control::GetMember(name);
    } catch (const vb::VBError& e) {
        if (e.number() != 438) throw;
        vb::ObjectRef o = Object();
        if (!o) throw;
        return o->GetMember(name);
    }
}

void ActiveXHost::SetMember(const std::string& name, const vb::Variant& value) {
    try {
        Control::SetMember(name, value);
    } catch (const vb::VBError& e) {
        if (e.number() != 438) throw;
        vb::ObjectRef o = Object();
        if (!o) throw;
        o->SetMember(name, value);
    }
}

vb::Variant ActiveXHost::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    try {
        return Control::CallMember(name, args);
    } catch (const vb::VBError& e) {
        if (e.number() != 438) throw;
        vb::ObjectRef o = Object();
        if (!o) throw;
        return o->CallMember(name, args);
    }
}

}  // namespace forms
