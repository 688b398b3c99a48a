#include "activex_host.h"

#include <filesystem>
#include <map>

#include <QWidget>

#include "activex_site.h"
#include "application.h"
#include "err.h"
#include "creation.h"
#include "member_names.h"
#include "twips.h"

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

namespace {
std::map<std::string, detail::ActiveXComponent>& Components() {  // key: lower-case type-library name
    static std::map<std::string, detail::ActiveXComponent> components{
        {"zevotestobjectsctl", {"zevote32.ocx", com::ParseGuid("{478E45E0-5745-11CF-8918-00A02416C765}"), 1, 0}}};
    return components;
}
}  // namespace

void RegisterActiveXComponent(const std::string& typeLibName, const std::string& fileName, const std::string& libid,
                              int major, int minor) {
    Components()[detail::Lower(typeLibName)] = detail::ActiveXComponent{
        fileName, com::ParseGuid(libid), static_cast<com::WORD>(major), static_cast<com::WORD>(minor)};
}

const detail::ActiveXComponent* detail::DeclaredComponent(const std::string& typeLibName) {
    auto it = Components().find(detail::Lower(typeLibName));
    return it == Components().end() ? nullptr : &it->second;
}

std::string ActiveXComponentFile(const std::string& progId) {
    com::CLSID clsid;
    if (detail::ResolveActiveXClass(progId, &clsid)) {
        if (auto path = com::InprocServerPath(clsid)) {
            const std::string name = std::filesystem::path(*path).filename().string();
            if (!name.empty()) return name;
        }
    }
    const std::string lib = progId.substr(0, progId.find('.'));
    const detail::ActiveXComponent* c = detail::DeclaredComponent(lib);
    return c ? c->file : lib + ".ocx";
}

void ActiveXInstance::Place(int x, int y, int width, int height) {
    if (QWidget* w = Widget()) w->setGeometry(x, y, std::max(0, width), std::max(0, height));
}

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

ActiveXHost::Placement ActiveXHost::PlacementPixels() const {
    return Placement{TwipsToPixels(common_.left), TwipsToPixels(common_.top), std::max(0, TwipsToPixels(common_.width)),
                     std::max(0, TwipsToPixels(common_.height))};
}

void ActiveXHost::CreateNative() {
    if (created_) return;
    created_ = true;
    auto it = Factories().find(detail::Lower(progId_));
    if (it != Factories().end()) {
        instance_ = it->second(*this);  // a test's stand-in; none: a named placeholder
        if (instance_) {
            if (QWidget* w = instance_->Widget()) SetWidgetName(w);
            const Placement p = PlacementPixels();
            instance_->Place(p.x, p.y, p.width, p.height);
        }
        return;
    }
    instance_ = detail::CreateRegisteredControl(*this);  // error 339 when it cannot be had
    if (QWidget* w = instance_->Widget()) SetWidgetName(w);
    FollowControlSize();
}

void ActiveXHost::FollowControlSize() {
    int width = 0, height = 0;
    if (instance_ && instance_->SizePixels(width, height)) {
        common_.width = width * TwipsPerPixel;
        common_.height = height * TwipsPerPixel;
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
