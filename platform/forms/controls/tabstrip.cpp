#include "tabstrip.h"

#include <QTabBar>
#include <QTabWidget>

#include "collection_members.h"
#include "err.h"
#include "form.h"
#include "member_names.h"
#include "widget_hooks.h"

namespace forms {

// ---- Tab ----

void Tab::CheckAlive() const {
    if (!strip_) detail::ItemRemoved();
}

int Tab::Index() const {
    CheckAlive();
    return index_;
}

std::string Tab::Key() const {
    CheckAlive();
    return key_;
}

std::string Tab::Caption() const {
    CheckAlive();
    return caption_;
}

void Tab::Caption(const std::string& caption) {
    CheckAlive();
    caption_ = caption;
    if (QTabBar* bar = strip_->TabBar()) bar->setTabText(index_ - 1, QString::fromStdString(caption_));
}

std::string Tab::Tag() const {
    CheckAlive();
    return tag_;
}

void Tab::Tag(const std::string& tag) {
    CheckAlive();
    tag_ = tag;
}

std::string Tab::ToolTipText() const {
    CheckAlive();
    return toolTip_;
}

void Tab::ToolTipText(const std::string& text) {
    CheckAlive();
    toolTip_ = text;
    if (QTabBar* bar = strip_->TabBar()) bar->setTabToolTip(index_ - 1, QString::fromStdString(toolTip_));
}

bool Tab::Selected() const {
    CheckAlive();
    return strip_->selected_ == this;
}

void Tab::Selected(bool selected) {
    CheckAlive();
    if (selected) strip_->Select(this, true);
}

vb::Variant Tab::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "index") return vb::Variant(Index());
    if (n == "key") return vb::Variant(Key());
    if (n == "caption") return vb::Variant(Caption());
    if (n == "tag") return vb::Variant(Tag());
    if (n == "tooltiptext") return vb::Variant(ToolTipText());
    if (n == "selected") return vb::Variant(Selected());
    return vb::Object::GetMember(name);
}

void Tab::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return Caption(value.ToString());
    if (n == "tag") return Tag(value.ToString());
    if (n == "tooltiptext") return ToolTipText(value.ToString());
    if (n == "selected") return Selected(value.ToBool());
    vb::Object::SetMember(name, value);
}

// ---- Tabs ----

Tab& Tabs::Add(int index, const std::string& key, const std::string& caption) {
    items_.CheckNew(index, key);
    auto tab = std::make_shared<Tab>();
    tab->strip_ = &strip_;
    tab->key_ = key;
    tab->caption_ = caption;
    items_.Insert(index, tab);
    strip_.Rebuild();
    if (!strip_.selected_) strip_.Select(tab.get(), false);
    return *tab;
}

void Tabs::Remove(const vb::Variant& indexOrKey) {
    Tab& tab = Item(indexOrKey);
    auto keep = tab.shared_from_this();
    const std::size_t at = items_.Erase(tab);
    tab.strip_ = nullptr;
    if (strip_.selected_ == &tab) {
        strip_.selected_ = nullptr;
        const auto& tabs = items_.All();
        if (!tabs.empty()) strip_.selected_ = tabs[std::min(at, tabs.size() - 1)].get();
    }
    strip_.Rebuild();
}

void Tabs::Clear() {
    for (auto& t : items_.All()) t->strip_ = nullptr;
    items_.Clear();
    strip_.selected_ = nullptr;
    strip_.Rebuild();
}

vb::Variant Tabs::GetMember(const std::string& name) {
    if (detail::Lower(name) == "count") return vb::Variant(Count());
    return vb::Object::GetMember(name);
}

vb::Variant Tabs::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    const std::string n = detail::Lower(name);
    if (auto result = detail::CallCollectionMember(*this, n, args)) return *result;
    if (n == "add") {
        // Add([Index], [Key], [Caption])
        return detail::ObjectVariant(&Add(detail::OptionalLong(args, 0, 0), detail::OptionalString(args, 1),
                                          detail::OptionalString(args, 2)));
    }
    return vb::Object::CallMember(name, args);
}

// ---- TabStrip ----

TabStrip::TabStrip(ControlParent parent, std::string name, std::initializer_list<std::string> captions,
                   Twips left, Twips top, Twips width, Twips height)
    : Control(parent, std::move(name)), tabs_(std::make_shared<forms::Tabs>(*this)) {
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
    for (const std::string& c : captions) tabs_->Add(0, {}, c);
    if (tabs_->Count() == 0) tabs_->Add(0, {}, "Tab1");
}

TabStrip::~TabStrip() {
    if (widget_) TabStrip::DestroyNative();
    for (auto& t : tabs_->items_.All()) t->strip_ = nullptr;
}

forms::Tabs& TabStrip::Tabs() {
    Touch();
    return *tabs_;
}

Tab* TabStrip::SelectedItem() const {
    Touch();
    return selected_;
}

void TabStrip::SelectedItem(Tab* tab) {
    Touch();
    if (!tab || tab->strip_ != this) vb::RaiseError(5);
    Select(tab, true);
}

QTabBar* TabStrip::TabBar() const { return bar_; }

void TabStrip::Select(Tab* tab, bool raiseClick) {
    if (tab == selected_) return;
    selected_ = tab;
    if (bar_ && tab) {
        ++syncing_;
        static_cast<QTabWidget*>(widget_)->setCurrentIndex(tab->index_ - 1);
        --syncing_;
    }
    if (raiseClick) Raise(Click);
}

void TabStrip::UserClicked(int position) {
    Tab* tab = tabs_->items_.Find(vb::Variant(position + 1));
    if (!tab) return;
    selected_ = tab;
    Raise(Click);
}

void TabStrip::Rebuild() {
    if (!widget_) return;
    auto* w = static_cast<QTabWidget*>(widget_);
    ++syncing_;
    while (w->count() > 0) {
        QWidget* page = w->widget(0);
        w->removeTab(0);
        delete page;
    }
    for (const auto& t : tabs_->items_.All()) {
        auto* page = new QWidget();
        page->setAutoFillBackground(false);
        const int i = w->addTab(page, QString::fromStdString(t->caption_));
        if (!t->toolTip_.empty()) w->setTabToolTip(i, QString::fromStdString(t->toolTip_));
    }
    if (selected_) w->setCurrentIndex(selected_->index_ - 1);
    --syncing_;
}

QWidget* TabStrip::CreateWidget(QWidget* parent) {
    auto* w = new QTabWidget(parent);
    w->setDocumentMode(false);
    bar_ = w->tabBar();
    detail::HookWidget(bar_, this);
    QObject::connect(w, &QTabWidget::currentChanged, connections_, [this](int index) {
        if (syncing_ || index < 0) return;
        UserClicked(index);
    });
    QObject::connect(bar_, &QTabBar::tabBarClicked, connections_, [this](int index) {
        // A click on the tab that is already selected changes nothing in
        // the widget but is still a click.
        if (syncing_ || index < 0 || !selected_ || selected_->index_ != index + 1) return;
        Raise(Click);
    });
    return w;
}

void TabStrip::ApplyState() { Rebuild(); }

void TabStrip::DestroyNative() {
    bar_ = nullptr;
    Control::DestroyNative();
}

vb::Variant TabStrip::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "tabs") {
        Touch();
        return vb::Variant(vb::ObjectRef(tabs_));
    }
    if (n == "selecteditem") return detail::ObjectVariant(SelectedItem());
    return Control::GetMember(name);
}

void TabStrip::SetMember(const std::string& name, const vb::Variant& value) {
    if (detail::Lower(name) == "selecteditem") {
        vb::ObjectRef o = value.ToObject();
        auto* tab = dynamic_cast<Tab*>(o.get());
        if (!tab) vb::RaiseError(13);
        return SelectedItem(tab);
    }
    Control::SetMember(name, value);
}

// ---- design values ----

void TabStrip::SaveDesign() {
    Control::SaveDesign();
    designTabs_.clear();
    for (const auto& t : tabs_->items_.All()) designTabs_.push_back({t->key_, t->caption_, t->tag_, t->toolTip_});
    designSelected_ = selected_ ? selected_->index_ : 0;
}

void TabStrip::RestoreDesign() {
    Control::RestoreDesign();
    std::vector<std::shared_ptr<Tab>> tabs;
    for (const TabValues& v : designTabs_) {
        auto tab = std::make_shared<Tab>();
        tab->key_ = v.key;
        tab->caption_ = v.caption;
        tab->tag_ = v.tag;
        tab->toolTip_ = v.toolTip;
        tabs.push_back(tab);
    }
    SetTabs(std::move(tabs), designSelected_);
}

void TabStrip::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const TabStrip*>(&other)) {
        std::vector<std::shared_ptr<Tab>> tabs;
        for (const auto& src : o->tabs_->items_.All()) tabs.push_back(std::make_shared<Tab>(*src));
        SetTabs(std::move(tabs), o->selected_ ? o->selected_->index_ : 0);
    }
}

// Puts `tabs` in place of the strip's own and selects the one at `selected`
// (from 1; 0 for none).
void TabStrip::SetTabs(std::vector<std::shared_ptr<Tab>> tabs, int selected) {
    for (auto& t : tabs_->items_.All()) t->strip_ = nullptr;
    for (auto& t : tabs) t->strip_ = this;
    tabs_->items_.Assign(std::move(tabs));
    selected_ = selected > 0 ? tabs_->items_.All()[static_cast<std::size_t>(selected - 1)].get() : nullptr;
    Rebuild();
}

}  // namespace forms
