#include "statusbar.h"

#include <QAccessible>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

#include "collection_members.h"
#include "err.h"
#include "form.h"
#include "member_names.h"

namespace forms {

namespace {

Qt::Alignment AlignmentOf(std::int16_t a) {
    switch (a) {
    case 1: return Qt::AlignHCenter | Qt::AlignVCenter;
    case 2: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

QLabel* MakePanelLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setTextFormat(Qt::PlainText);
    label->setContentsMargins(3, 0, 3, 0);
    return label;
}

}  // namespace

// Keeps an aligned status bar along the edge of its form when the form's
// client area changes size.
class StatusBar::EdgeWatcher : public QObject {
public:
    EdgeWatcher(StatusBar* bar, QObject* parent) : QObject(parent), bar_(bar) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize && bar_) bar_->PlaceWidget();
        return QObject::eventFilter(watched, event);
    }
    StatusBar* bar_;
};

// ---- Panel ----

void Panel::CheckAlive() const {
    if (!bar_) detail::ItemRemoved();
}

int Panel::Index() const {
    CheckAlive();
    return index_;
}

std::string Panel::Key() const {
    CheckAlive();
    return key_;
}

std::string Panel::Text() const {
    CheckAlive();
    return text_;
}

void Panel::Text(const std::string& text) {
    CheckAlive();
    text_ = text;
    bar_->UpdateTexts();
}

Twips Panel::Width() const {
    CheckAlive();
    return width_;
}

void Panel::Width(Twips width) {
    CheckAlive();
    if (width < 0) vb::RaiseError(380);
    width_ = width;
    bar_->Rebuild();
}

std::int16_t Panel::AutoSize() const {
    CheckAlive();
    return autoSize_;
}

void Panel::AutoSize(std::int16_t v) {
    CheckAlive();
    if (v < 0 || v > 2) vb::RaiseError(380);
    autoSize_ = v;
    bar_->Rebuild();
}

std::int16_t Panel::Alignment() const {
    CheckAlive();
    return alignment_;
}

void Panel::Alignment(std::int16_t v) {
    CheckAlive();
    if (v < 0 || v > 2) vb::RaiseError(380);
    alignment_ = v;
    bar_->Rebuild();
}

std::string Panel::Tag() const {
    CheckAlive();
    return tag_;
}

void Panel::Tag(const std::string& tag) {
    CheckAlive();
    tag_ = tag;
}

vb::Variant Panel::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "index") return vb::Variant(Index());
    if (n == "key") return vb::Variant(Key());
    if (n == "text") return vb::Variant(Text());
    if (n == "width") return vb::Variant(Width());
    if (n == "autosize") return vb::Variant(AutoSize());
    if (n == "alignment") return vb::Variant(Alignment());
    if (n == "tag") return vb::Variant(Tag());
    return vb::Object::GetMember(name);
}

void Panel::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "text") return Text(value.ToString());
    if (n == "width") return Width(static_cast<Twips>(value.ToDouble()));
    if (n == "autosize") return AutoSize(value.ToInteger());
    if (n == "alignment") return Alignment(value.ToInteger());
    if (n == "tag") return Tag(value.ToString());
    vb::Object::SetMember(name, value);
}

// ---- Panels ----

Panel& Panels::Add(int index, const std::string& key, const std::string& text) {
    items_.CheckNew(index, key);
    auto panel = std::make_shared<Panel>();
    panel->bar_ = &bar_;
    panel->key_ = key;
    panel->text_ = text;
    items_.Insert(index, panel);
    bar_.Rebuild();
    return *panel;
}

void Panels::Remove(const vb::Variant& indexOrKey) {
    Panel& panel = Item(indexOrKey);
    auto keep = panel.shared_from_this();
    items_.Erase(panel);
    panel.bar_ = nullptr;
    bar_.Rebuild();
}

void Panels::Clear() {
    for (auto& p : items_.All()) p->bar_ = nullptr;
    items_.Clear();
    bar_.Rebuild();
}

vb::Variant Panels::GetMember(const std::string& name) {
    if (detail::Lower(name) == "count") return vb::Variant(Count());
    return vb::Object::GetMember(name);
}

vb::Variant Panels::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    const std::string n = detail::Lower(name);
    if (auto result = detail::CallCollectionMember(*this, n, args)) return *result;
    if (n == "add") {
        // Add([Index], [Key], [Text])
        return detail::ObjectVariant(&Add(detail::OptionalLong(args, 0, 0), detail::OptionalString(args, 1),
                                          detail::OptionalString(args, 2)));
    }
    return vb::Object::CallMember(name, args);
}

// ---- StatusBar ----

StatusBar::StatusBar(ControlParent parent, std::string name, std::int16_t style, const std::string& simpleText,
                     Twips height)
    : Control(parent, std::move(name)), panels_(std::make_shared<forms::Panels>(*this)) {
    common_.height = height;
    state_.style = style;
    state_.simpleText = simpleText;
    panels_->Add();
}

StatusBar::~StatusBar() {
    if (widget_) StatusBar::DestroyNative();
    for (auto& p : panels_->items_.All()) p->bar_ = nullptr;
}

std::int16_t StatusBar::Style() const {
    Touch();
    return state_.style;
}

void StatusBar::Style(std::int16_t v) {
    Touch();
    if (v != sbrNormal && v != sbrSimple) vb::RaiseError(380);
    state_.style = v;
    Rebuild();
}

std::string StatusBar::SimpleText() const {
    Touch();
    return state_.simpleText;
}

void StatusBar::SimpleText(const std::string& text) {
    Touch();
    state_.simpleText = text;
    UpdateTexts();
}

forms::Panels& StatusBar::Panels() {
    Touch();
    return *panels_;
}

std::int16_t StatusBar::Align() const {
    Touch();
    return state_.align;
}

void StatusBar::Align(std::int16_t v) {
    Touch();
    if (v < 0 || v > 4) vb::RaiseError(380);
    state_.align = v;
    if (widget_) PlaceWidget();
}

std::string StatusBar::ShownText() const {
    if (state_.style == sbrSimple) return state_.simpleText;
    std::string text;
    for (const auto& p : panels_->items_.All()) {
        if (!text.empty()) text += " | ";
        text += p->text_;
    }
    return text;
}

void StatusBar::Rebuild() {
    if (!widget_) return;
    auto* layout = static_cast<QHBoxLayout*>(widget_->layout());
    // Everything after the simple text's label: the panels and a stretch.
    while (layout->count() > 1) {
        QLayoutItem* item = layout->takeAt(1);
        delete item->widget();
        delete item;
    }
    panelLabels_.clear();
    bool anySpring = false;
    const std::string name = QualifiedName();
    for (const auto& p : panels_->items_.All()) {
        QLabel* label = MakePanelLabel(widget_);
        // Tools find a panel by the bar's name and its place: "statusMain.Panels(2)".
        label->setAccessibleDescription(
            QString::fromStdString(name + ".Panels(" + std::to_string(panelLabels_.size() + 1) + ")"));
        label->setAlignment(AlignmentOf(p->alignment_));
        label->setMinimumWidth(TwipsToPixels(p->width_));
        const bool spring = p->autoSize_ == 1;
        anySpring = anySpring || spring;
        layout->addWidget(label, spring ? 1 : 0);
        panelLabels_.push_back(label);
    }
    // Unsized panels leave the rest of the bar empty.
    if (!anySpring) layout->addStretch(1);
    UpdateTexts();
}

void StatusBar::UpdateTexts() {
    if (!widget_) return;
    const bool simple = state_.style == sbrSimple;
    simpleLabel_->setVisible(simple);
    simpleLabel_->setText(QString::fromStdString(state_.simpleText));
    const auto& panels = panels_->items_.All();
    for (std::size_t i = 0; i < panelLabels_.size() && i < panels.size(); ++i) {
        panelLabels_[i]->setVisible(!simple);
        panelLabels_[i]->setText(QString::fromStdString(panels[i]->text_));
    }
    // The simple text takes the whole bar.
    auto* layout = static_cast<QHBoxLayout*>(widget_->layout());
    const int last = layout->count() - 1;
    if (last > 0 && layout->itemAt(last)->spacerItem()) layout->setStretch(last, simple ? 0 : 1);
    // The bar is named by the text it shows.
    if (QAccessible::isActive()) {
        QAccessibleEvent nameChanged(widget_, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&nameChanged);
    }
}

QWidget* StatusBar::CreateWidget(QWidget* parent) {
    auto* w = new QWidget(parent);
    auto* layout = new QHBoxLayout(w);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    simpleLabel_ = MakePanelLabel(w);
    simpleLabel_->setAccessibleDescription(QString::fromStdString(QualifiedName() + ".SimpleText"));
    layout->addWidget(simpleLabel_, 1);
    if (parent) {
        watcher_ = new EdgeWatcher(this, w);
        parent->installEventFilter(watcher_);
    }
    return w;
}

void StatusBar::ApplyState() { Rebuild(); }

void StatusBar::PlaceWidget() {
    if (widget_ && state_.align != 0 && widget_->parentWidget()) {
        const QWidget* p = widget_->parentWidget();
        const Twips height = common_.height;
        common_.left = 0;
        common_.width = PixelsToTwips(p->width());
        common_.top = state_.align == 1 ? 0 : PixelsToTwips(p->height()) - height;
    }
    Control::PlaceWidget();
}

void StatusBar::DestroyNative() {
    if (watcher_) {
        watcher_->bar_ = nullptr;
        if (widget_ && widget_->parentWidget()) widget_->parentWidget()->removeEventFilter(watcher_);
        watcher_ = nullptr;  // deleted with the widget
    }
    simpleLabel_ = nullptr;
    panelLabels_.clear();
    Control::DestroyNative();
}

vb::Variant StatusBar::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "style") return vb::Variant(Style());
    if (n == "simpletext") return vb::Variant(SimpleText());
    if (n == "panels") {
        Touch();
        return vb::Variant(vb::ObjectRef(panels_));
    }
    if (n == "align") return vb::Variant(Align());
    return Control::GetMember(name);
}

void StatusBar::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "style") return Style(value.ToInteger());
    if (n == "simpletext") return SimpleText(value.ToString());
    if (n == "align") return Align(value.ToInteger());
    Control::SetMember(name, value);
}

// ---- design values ----

void StatusBar::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
    designPanels_.clear();
    for (const auto& p : panels_->items_.All()) designPanels_.push_back(*p);
}

void StatusBar::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
    std::vector<std::shared_ptr<Panel>> panels;
    for (const Panel& d : designPanels_) panels.push_back(std::make_shared<Panel>(d));
    SetPanels(std::move(panels));
}

// Puts `panels` in place of the bar's own.
void StatusBar::SetPanels(std::vector<std::shared_ptr<Panel>> panels) {
    for (auto& p : panels_->items_.All()) p->bar_ = nullptr;
    for (auto& p : panels) p->bar_ = this;
    panels_->items_.Assign(std::move(panels));
    Rebuild();
}

void StatusBar::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const StatusBar*>(&other)) {
        state_ = o->state_;
        std::vector<std::shared_ptr<Panel>> panels;
        for (const auto& src : o->panels_->items_.All()) panels.push_back(std::make_shared<Panel>(*src));
        SetPanels(std::move(panels));
    }
}

}  // namespace forms
