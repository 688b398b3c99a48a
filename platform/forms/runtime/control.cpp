#include "control.h"

#include <algorithm>

#include <QApplication>
#include <QFont>
#include <QWidget>

#include "accessibility.h"
#include "application.h"
#include "control_array.h"
#include "err.h"
#include "form.h"
#include "member_names.h"
#include "widget_hooks.h"

namespace forms {

// ---- ControlParent ----

ControlParent::ControlParent(Form* form) : host(form), container(nullptr) {}

ControlParent::ControlParent(Control* c) {
    if (auto* h = dynamic_cast<ControlHost*>(c)) {
        host = h;  // a user control holds its constituents
        container = nullptr;
    } else {
        host = &c->Host();
        container = c;
    }
}

// ---- ControlList ----

Control& ControlList::Item(int index) const {
    if (index < 0 || index >= Count()) vb::RaiseError(9);
    return *items_[static_cast<std::size_t>(index)];
}

Control* ControlList::Find(const std::string& name, int index) const {
    const std::string n = detail::Lower(name);
    for (Control* c : items_) {
        if (detail::Lower(c->Name()) != n) continue;
        if (index < 0 && !c->IsArrayElement()) return c;
        if (index >= 0 && c->IsArrayElement() && c->Index() == index) return c;
    }
    return nullptr;
}

vb::Variant ControlList::GetMember(const std::string& name) {
    if (detail::Lower(name) == "count") return vb::Variant(Count());
    return vb::Object::GetMember(name);
}

vb::Variant ControlList::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    const std::string n = detail::Lower(name);
    if (n == "item") {
        const vb::Variant& key = detail::Arg(args, 0);
        if (key.Type() == vb::VarType::String) {
            Control* c = Find(key.ToString());
            if (!c) vb::RaiseError(730);
            return vb::Variant(c->Ref());
        }
        return vb::Variant(Item(key.ToLong()).Ref());
    }
    if (n == "count" && args.empty()) return GetMember(name);
    return vb::Object::CallMember(name, args);
}

// ---- ControlHost ----

void ControlHost::RegisterControl(Control* c) {
    // A new control takes the next tab position.
    if (c->HasTabIndex()) {
        std::int16_t next = 0;
        for (Control* o : controls_.items_) {
            if (o->HasTabIndex()) next = static_cast<std::int16_t>(std::max<int>(next, o->RawTabIndex() + 1));
        }
        c->SetRawTabIndex(next);
    }
    controls_.items_.push_back(c);
}

void ControlHost::UnregisterControl(Control* c) {
    auto& v = controls_.items_;
    auto it = std::find(v.begin(), v.end(), c);
    if (it == v.end()) return;
    const bool tabbed = c->HasTabIndex();
    const std::int16_t removed = c->RawTabIndex();
    v.erase(it);
    if (tabbed) {
        for (Control* o : v) {
            if (o->HasTabIndex() && o->RawTabIndex() > removed)
                o->SetRawTabIndex(static_cast<std::int16_t>(o->RawTabIndex() - 1));
        }
    }
}

void ControlHost::RegisterArray(ControlArrayBase* a) { arrays_.push_back(a); }

void ControlHost::UnregisterArray(ControlArrayBase* a) {
    arrays_.erase(std::remove(arrays_.begin(), arrays_.end(), a), arrays_.end());
}

ControlArrayBase* ControlHost::FindArray(const std::string& name) const {
    const std::string n = detail::Lower(name);
    for (ControlArrayBase* a : arrays_) {
        if (detail::Lower(a->Name()) == n) return a;
    }
    return nullptr;
}

// ---- Control ----

Control::Control(ControlParent parent, std::string name)
    : font_(std::make_shared<forms::Font>()),
      name_(std::move(name)),
      host_(parent.host),
      container_(parent.container) {
    font_->changed = [this] {
        if (widget_) ApplyCommon();
    };
    host_->RegisterControl(this);
}

Control::~Control() {
    if (widget_ || hwnd_ || connections_) Control::DestroyNative();
    font_->changed = nullptr;
    host_->UnregisterControl(this);
}

std::int16_t Control::Index() const {
    if (!array_) vb::RaiseError(343);
    return index_;
}

std::string Control::QualifiedName() const {
    if (!array_) return name_;
    return name_ + "(" + std::to_string(index_) + ")";
}

Form& Control::Parent() const { return *host_->HostForm(); }

void Control::Touch() const {
    if (!host_->IsDesigning()) host_->EnsureLoaded();
}

Twips Control::Left() const {
    Touch();
    return common_.left;
}

void Control::Left(Twips v) {
    Touch();
    common_.left = v;
    if (widget_) PlaceWidget();
}

Twips Control::Top() const {
    Touch();
    return common_.top;
}

void Control::Top(Twips v) {
    Touch();
    common_.top = v;
    if (widget_) PlaceWidget();
}

Twips Control::Width() const {
    Touch();
    return common_.width;
}

void Control::Width(Twips v) {
    Touch();
    if (v < 0) vb::RaiseError(380);
    common_.width = v;
    if (widget_) PlaceWidget();
}

Twips Control::Height() const {
    Touch();
    return common_.height;
}

void Control::Height(Twips v) {
    Touch();
    if (v < 0) vb::RaiseError(380);
    common_.height = v;
    if (widget_) PlaceWidget();
}

void Control::Move(Twips left, Twips top, Twips width, Twips height) {
    Touch();
    if ((IsGivenTwips(width) && width < 0) || (IsGivenTwips(height) && height < 0)) vb::RaiseError(380);
    common_.left = left;
    if (IsGivenTwips(top)) common_.top = top;
    if (IsGivenTwips(width)) common_.width = width;
    if (IsGivenTwips(height)) common_.height = height;
    if (widget_) PlaceWidget();
}

bool Control::Visible() const {
    Touch();
    return common_.visible;
}

void Control::Visible(bool v) {
    Touch();
    common_.visible = v;
    OnCommonChanged();
}

bool Control::Enabled() const {
    Touch();
    return common_.enabled;
}

void Control::Enabled(bool v) {
    Touch();
    common_.enabled = v;
    OnCommonChanged();
}

std::string Control::Tag() const {
    Touch();
    return common_.tag;
}

void Control::Tag(const std::string& v) {
    Touch();
    common_.tag = v;
}

std::int16_t Control::TabIndex() const {
    if (!HasTabIndex()) vb::RaiseError(438);
    Touch();
    return common_.tabIndex;
}

void Control::TabIndex(std::int16_t v) {
    if (!HasTabIndex()) vb::RaiseError(438);
    Touch();
    if (v < 0) vb::RaiseError(380);
    // Move this control to position v among its host's tabbed controls.
    std::vector<Control*> order;
    for (Control* c : host_->ControlsList()) {
        if (c->HasTabIndex() && c != this) order.push_back(c);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](Control* a, Control* b) { return a->RawTabIndex() < b->RawTabIndex(); });
    const std::size_t at = std::min<std::size_t>(static_cast<std::size_t>(v), order.size());
    order.insert(order.begin() + static_cast<std::ptrdiff_t>(at), this);
    for (std::size_t i = 0; i < order.size(); ++i) order[i]->SetRawTabIndex(static_cast<std::int16_t>(i));
    if (Form* f = host_->HostForm(); f && f->IsLoaded()) f->ApplyTabOrderNow();
}

bool Control::TabStop() const {
    if (!HasTabIndex()) vb::RaiseError(438);
    Touch();
    return common_.tabStop;
}

void Control::TabStop(bool v) {
    if (!HasTabIndex()) vb::RaiseError(438);
    Touch();
    common_.tabStop = v;
    if (widget_) ApplyCommon();
}

forms::Font& Control::Font() {
    if (!HasFont()) vb::RaiseError(438);
    Touch();
    return *font_;
}

FontRef Control::FontObject() {
    if (!HasFont()) vb::RaiseError(438);
    Touch();
    return font_;
}

void Control::SetFocus() {
    Touch();
    if (!common_.visible || !common_.enabled || !CanFocus() || !widget_ || !widget_->isVisibleTo(widget_->window()))
        vb::RaiseError(5);
    CallIntoQt([&] { widget_->setFocus(Qt::OtherFocusReason); });
}

void Control::Refresh() {
    Touch();
    if (!widget_) return;
    detail::WaitUntilExposed(widget_);
    if (widget_) CallIntoQt([&] { widget_->repaint(); });
}

void Control::ZOrder(int position) {
    Touch();
    if (!widget_) return;
    if (position == 0) {
        widget_->raise();
    } else {
        widget_->lower();
    }
}

win::HWND Control::hWnd() const {
    if (!WindowClass()) vb::RaiseError(438);
    Touch();
    return hwnd_;
}

Control* Control::DataSource() const {
    Touch();
    return common_.dataSource;
}

void Control::DataSource(Control* source) {
    Touch();
    common_.dataSource = source;
}

std::string Control::DataField() const {
    Touch();
    return common_.dataField;
}

void Control::DataField(const std::string& field) {
    Touch();
    common_.dataField = field;
}

bool Control::DataChanged() const {
    Touch();
    return common_.dataChanged;
}

void Control::DataChanged(bool v) {
    Touch();
    common_.dataChanged = v;
}

void Control::ShowBoundValue(const vb::Variant& value) {
    (void)value;
    common_.dataChanged = false;
}

// ---- late binding ----

vb::Variant Control::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "name") return vb::Variant(name_);
    if (n == "index") return vb::Variant(Index());
    if (n == "left") return vb::Variant(Left());
    if (n == "top") return vb::Variant(Top());
    if (n == "width") return vb::Variant(Width());
    if (n == "height") return vb::Variant(Height());
    if (n == "visible") return vb::Variant(Visible());
    if (n == "enabled") return vb::Variant(Enabled());
    if (n == "tag") return vb::Variant(Tag());
    if (n == "tabindex") return vb::Variant(TabIndex());
    if (n == "tabstop") return vb::Variant(TabStop());
    if (n == "font") return vb::Variant(vb::ObjectRef(FontObject()));
    if (n == "hwnd") return vb::Variant(static_cast<long long>(hWnd()));
    if (n == "parent") return vb::Variant(Parent().Ref());
    if (n == "container") {
        Touch();
        return container_ ? vb::Variant(container_->Ref()) : vb::Variant(Parent().Ref());
    }
    if (n == "datafield") return vb::Variant(DataField());
    if (n == "datachanged") return vb::Variant(DataChanged());
    if (n == "datasource") {
        Control* s = DataSource();
        return s ? vb::Variant(s->Ref()) : vb::Variant(vb::ObjectRef{});
    }
    return vb::Object::GetMember(name);
}

void Control::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "left") return Left(static_cast<Twips>(value.ToDouble()));
    if (n == "top") return Top(static_cast<Twips>(value.ToDouble()));
    if (n == "width") return Width(static_cast<Twips>(value.ToDouble()));
    if (n == "height") return Height(static_cast<Twips>(value.ToDouble()));
    if (n == "visible") return Visible(value.ToBool());
    if (n == "enabled") return Enabled(value.ToBool());
    if (n == "tag") return Tag(value.ToString());
    if (n == "tabindex") return TabIndex(value.ToInteger());
    if (n == "tabstop") return TabStop(value.ToBool());
    if (n == "datafield") return DataField(value.ToString());
    if (n == "datachanged") return DataChanged(value.ToBool());
    if (n == "name" || n == "index" || n == "hwnd" || n == "parent") vb::RaiseError(382);
    vb::Object::SetMember(name, value);
}

vb::Variant Control::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    const std::string n = detail::Lower(name);
    if (n == "setfocus") {
        SetFocus();
        return {};
    }
    if (n == "refresh") {
        Refresh();
        return {};
    }
    if (n == "zorder") {
        ZOrder(args.empty() ? 0 : args[0].ToInteger());
        return {};
    }
    if (n == "move") {
        detail::CallMove(*this, args);
        return {};
    }
    if (args.empty()) return GetMember(name);
    return vb::Object::CallMember(name, args);
}

vb::ObjectRef Control::Ref() {
    std::shared_ptr<vb::Object> owner = Parent().weak_from_this().lock();
    return vb::ObjectRef(owner, this);
}

// ---- widget ----

Control* Control::FromWidget(const QWidget* w) {
    for (const QWidget* p = w; p; p = p->parentWidget()) {
        if (Control* c = detail::ControlOfWidget(p)) return c;
        if (detail::FormOfWidget(p)) return nullptr;
    }
    return nullptr;
}

void Control::SetWidgetName(QWidget* w) const {
    const QString n = QString::fromStdString(QualifiedName());
    w->setObjectName(n);
    w->setAccessibleDescription(n);
}

void Control::CreateNative() {
    if (widget_ || connections_) return;
    QWidget* parentWidget = container_ ? container_->ContainerWidget() : host_->ClientWidget();
    connections_ = new QObject();
    widget_ = CreateWidget(parentWidget);
    if (!widget_) return;
    SetWidgetName(widget_);
    InstallEventHooks(widget_);
    detail::RefreshAccessible(widget_);
    {
        const bool blocked = widget_->blockSignals(true);
        ApplyCommon();
        ApplyState();
        widget_->blockSignals(blocked);
    }
    if (const char* cls = WindowClass()) {
        win::HWND parentHwnd = 0;
        if (container_ && container_->WindowClass()) {
            parentHwnd = container_->hwnd_;
        } else if (container_) {
            parentHwnd = container_->Host().HostHwnd();
        } else {
            parentHwnd = host_->HostHwnd();
        }
        std::uint32_t style = win::WS_CHILD;
        if (common_.visible) style |= win::WS_VISIBLE;
        hwnd_ = win::CreateWindowHandle(widget_, cls, style, parentHwnd);
    }
}

void Control::DestroyNative() {
    if (hwnd_) {
        win::DestroyWindow(hwnd_);
        hwnd_ = 0;
    }
    delete connections_;
    connections_ = nullptr;
    if (widget_) {
        detail::UnhookWidget(widget_);
        widget_->hide();
        widget_->deleteLater();
        widget_ = nullptr;
    }
}

void Control::InstallEventHooks(QWidget* w) { detail::HookWidget(w, this); }

void Control::PlaceWidget() {
    if (!widget_) return;
    widget_->setGeometry(TwipsToPixels(common_.left), TwipsToPixels(common_.top),
                         std::max(0, TwipsToPixels(common_.width)), std::max(0, TwipsToPixels(common_.height)));
    ApplyGeometry();
}

void Control::ApplyGeometry() {}

void Control::OnCommonChanged() {
    if (widget_) ApplyCommon();
}

void Control::ApplyCommon() {
    if (!widget_) return;
    PlaceWidget();
    widget_->setEnabled(common_.enabled);
    if (HasFont()) {
        QFont f = InheritedFont();
        font_->ApplyTo(f);
        widget_->setFont(f);
    }
    if (CanFocus()) {
        widget_->setFocusPolicy(common_.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
    widget_->setVisible(common_.visible);
}

QFont Control::InheritedFont() const {
    // The form's client area (or the user control's) draws in the form's
    // font; a control whose font names no face of its own draws in that face.
    QWidget* client = host_->ClientWidget();
    if (client && client != widget_) return client->font();
    if (widget_ && widget_->parentWidget()) return widget_->parentWidget()->font();
    return QApplication::font();
}

void Control::Raise(const std::function<void()>& handler) { RaiseEvent(handler); }

// ---- design values ----

void Control::SaveDesign() {
    commonDesign_ = common_;
    fontDesign_.CopyFrom(*font_);
}

void Control::RestoreDesign() {
    common_ = commonDesign_;
    font_->CopyFrom(fontDesign_);
}

void Control::CopyStateFrom(const Control& other) {
    const std::int16_t tab = common_.tabIndex;
    common_ = other.common_;
    common_.tabIndex = tab;
    common_.visible = false;  // a loaded element starts hidden
    common_.dataChanged = false;
    font_->CopyFrom(*other.font_);
}

void Control::SetArray(ControlArrayBase* array, std::int16_t index) {
    array_ = array;
    index_ = index;
}

}  // namespace forms
