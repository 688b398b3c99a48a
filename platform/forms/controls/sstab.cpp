#include "sstab.h"

#include <algorithm>

#include <QFrame>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTabBar>

#include "application.h"
#include "err.h"
#include "member_names.h"

namespace forms {

namespace {

// The dialog's widget: the tabs on top, a raised panel below, and one page
// per tab covering the whole widget (so the controls keep the dialog's
// coordinates) of which only the current one is shown.
class TabbedDialogWidget : public QWidget {
public:
    TabbedDialogWidget(QWidget* parent, SSTab* tab) : QWidget(parent), tab_(tab) {
        bar = new QTabBar(this);
        bar->setDrawBase(false);
        bar->setExpanding(true);
        panel = new QFrame(this);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Raised);
        panel->lower();
    }
    void Layout() {
        const int h = bar->sizeHint().height();
        bar->setGeometry(0, 0, width(), h);
        panel->setGeometry(0, h - 1, width(), std::max(0, height() - h + 1));
        for (QObject* o : children()) {
            if (auto* page = qobject_cast<QWidget*>(o); page && page->property("sstabPage").toBool())
                page->setGeometry(rect());
        }
        bar->raise();
    }
    QTabBar* bar;
    QFrame* panel;
    SSTab* tab_;

protected:
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        Layout();
    }
    void showEvent(QShowEvent* e) override {
        QWidget::showEvent(e);
        if (tab_) tab_->ArrangePages();
    }
};

}  // namespace

SSTab::SSTab(ControlParent parent, std::string name, std::initializer_list<std::string> captions, Twips left,
             Twips top, Twips width, Twips height)
    : Control(parent, std::move(name)) {
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
    for (const std::string& c : captions) state_.tabs.push_back({c, true});
    if (state_.tabs.empty()) state_.tabs.push_back({"Tab 0", true});
}

void SSTab::CheckTab(std::int16_t tab) const {
    if (tab < 0 || tab >= static_cast<std::int16_t>(state_.tabs.size())) vb::RaiseError(380);
}

void SSTab::Place(Control& control, std::int16_t tab) {
    CheckTab(tab);
    if (control.Container() != this) vb::RaiseError(380);
    placed_[&control] = tab;
    if (widget_) ArrangePages();
}

std::int16_t SSTab::TabOf(const Control& control) const {
    auto it = placed_.find(&control);
    return it == placed_.end() ? 0 : std::min<std::int16_t>(it->second, static_cast<std::int16_t>(state_.tabs.size() - 1));
}

// ---- tabs ----

std::int16_t SSTab::Tab() const {
    Touch();
    return state_.current;
}

void SSTab::Tab(std::int16_t tab) {
    Touch();
    CheckTab(tab);
    if (tab == state_.current) return;
    const std::int16_t previous = state_.current;
    state_.current = tab;
    ArrangePages();  // also places controls loaded since
    if (Click && !detail::EndCalled()) Raise([&] { Click(previous); });
}

std::int16_t SSTab::Tabs() const {
    Touch();
    return static_cast<std::int16_t>(state_.tabs.size());
}

void SSTab::Tabs(std::int16_t count) {
    Touch();
    if (count < 1) vb::RaiseError(380);
    const std::size_t old = state_.tabs.size();
    state_.tabs.resize(static_cast<std::size_t>(count));
    for (std::size_t i = old; i < state_.tabs.size(); ++i) state_.tabs[i] = {"Tab " + std::to_string(i), true};
    if (state_.current >= count) state_.current = static_cast<std::int16_t>(count - 1);
    if (widget_) ApplyState();
}

std::string SSTab::TabCaption(std::int16_t tab) const {
    Touch();
    CheckTab(tab);
    return state_.tabs[static_cast<std::size_t>(tab)].caption;
}

void SSTab::TabCaption(std::int16_t tab, const std::string& caption) {
    Touch();
    CheckTab(tab);
    state_.tabs[static_cast<std::size_t>(tab)].caption = caption;
    if (bar_) bar_->setTabText(tab, QString::fromStdString(caption));
}

std::string SSTab::Caption() const { return TabCaption(Tab()); }
void SSTab::Caption(const std::string& caption) { TabCaption(Tab(), caption); }

bool SSTab::TabEnabled(std::int16_t tab) const {
    Touch();
    CheckTab(tab);
    return state_.tabs[static_cast<std::size_t>(tab)].enabled;
}

void SSTab::TabEnabled(std::int16_t tab, bool enabled) {
    Touch();
    CheckTab(tab);
    state_.tabs[static_cast<std::size_t>(tab)].enabled = enabled;
    if (bar_) bar_->setTabEnabled(tab, enabled);
}

// ---- the widget ----

QWidget* SSTab::CreateWidget(QWidget* parent) {
    auto* w = new TabbedDialogWidget(parent, this);
    bar_ = w->bar;
    bar_->setObjectName(QString::fromStdString(QualifiedName()) + QStringLiteral(".tabs"));
    QObject::connect(bar_, &QTabBar::currentChanged, connections_, [this](int index) {
        if (!syncing_ && index >= 0) UserSelected(index);
    });
    return w;
}

void SSTab::ApplyState() {
    auto* w = static_cast<TabbedDialogWidget*>(widget_);
    ++syncing_;
    while (bar_->count() > 0) bar_->removeTab(bar_->count() - 1);
    for (std::size_t i = 0; i < state_.tabs.size(); ++i) {
        bar_->addTab(QString::fromStdString(state_.tabs[i].caption));
        bar_->setTabEnabled(static_cast<int>(i), state_.tabs[i].enabled);
    }
    bar_->setCurrentIndex(state_.current);
    --syncing_;
    while (pages_.size() < state_.tabs.size()) {
        auto* page = new QWidget(w);
        page->setProperty("sstabPage", true);
        page->setObjectName(QString::fromStdString(QualifiedName()) + QStringLiteral(".tab") +
                            QString::number(pages_.size()));
        pages_.push_back(page);
    }
    w->Layout();
    ArrangePages();
}

void SSTab::ArrangePages() {
    if (!widget_) return;
    for (Control* c : Host().ControlsList()) {
        if (c->Container() != this || !c->Widget()) continue;
        QWidget* page = pages_[static_cast<std::size_t>(TabOf(*c))];
        if (c->Widget()->parentWidget() != page) {
            const QRect g = c->Widget()->geometry();
            c->Widget()->setParent(page);
            c->Widget()->setGeometry(g);
            c->Widget()->setVisible(c->RawVisible());
        }
    }
    ShowCurrent();
}

void SSTab::ShowCurrent() {
    if (!widget_) return;
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        pages_[i]->setVisible(i < state_.tabs.size() && static_cast<std::int16_t>(i) == state_.current);
    }
    if (bar_ && bar_->currentIndex() != state_.current) {
        ++syncing_;
        bar_->setCurrentIndex(state_.current);
        --syncing_;
    }
    static_cast<TabbedDialogWidget*>(widget_)->bar->raise();
}

void SSTab::UserSelected(int index) {
    const std::int16_t previous = state_.current;
    state_.current = static_cast<std::int16_t>(index);
    ArrangePages();
    if (Click) RaiseEvent([&] { Click(previous); });
}

void SSTab::DestroyNative() {
    if (auto* w = static_cast<TabbedDialogWidget*>(widget_)) w->tab_ = nullptr;
    bar_ = nullptr;
    pages_.clear();
    Control::DestroyNative();
}

// ---- late binding ----

vb::Variant SSTab::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "tab") return vb::Variant(Tab());
    if (n == "tabs") return vb::Variant(Tabs());
    if (n == "caption") return vb::Variant(Caption());
    return Control::GetMember(name);
}

void SSTab::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "tab") return Tab(value.ToInteger());
    if (n == "tabs") return Tabs(value.ToInteger());
    if (n == "caption") return Caption(value.ToString());
    Control::SetMember(name, value);
}

// ---- design values ----

void SSTab::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
}

void SSTab::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
}

void SSTab::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const SSTab*>(&other)) state_ = o->state_;
}

}  // namespace forms
