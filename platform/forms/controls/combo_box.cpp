#include "combo_box.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>

#include "application.h"
#include "err.h"
#include "list_entries_model.h"
#include "member_names.h"
#include "lockable_combo_widget.h"
#include "widget_hooks.h"

namespace forms {

ComboBox::ComboBox(ControlParent parent, std::string name, Twips left, Twips top, Twips width, Twips height)
    : ListControl(parent, std::move(name)) {
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
}

std::int16_t ComboBox::Style() const {
    Touch();
    return state_.style;
}

void ComboBox::Style(std::int16_t v) {
    if (!Host().IsDesigning()) vb::RaiseError(382);
    if (v < 0 || v > 2) vb::RaiseError(380);
    state_.style = v;
}

std::string ComboBox::Text() const {
    Touch();
    if (state_.style == 2) return List(list_.listIndex);
    return state_.text;
}

void ComboBox::Text(const std::string& text) {
    Touch();
    std::int32_t match = -1;
    const QString key = QString::fromStdString(text);
    for (std::size_t i = 0; i < list_.entries.size(); ++i) {
        const std::string_view entry = list_.entries.text(i);
        if (QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size())).compare(key, Qt::CaseInsensitive) == 0) {
            match = static_cast<std::int32_t>(i);
            break;
        }
    }
    if (state_.style == 2) {
        if (!text.empty() && match < 0) vb::RaiseError(383);
        ListIndex(match);
        return;
    }
    const bool changed = text != state_.text;
    state_.text = text;
    list_.listIndex = match;
    if (auto* c = qobject_cast<QComboBox*>(widget_)) {
        syncing_ = true;
        FlushEntries();
        c->setCurrentIndex(match);
        c->setEditText(key);
        syncing_ = false;
    }
    if (changed && Change && !detail::EndCalled()) Change();
}

bool ComboBox::Locked() const {
    Touch();
    return state_.locked;
}

void ComboBox::Locked(bool v) {
    Touch();
    state_.locked = v;
    if (widget_) ApplyState();
}

void ComboBox::SelectionChanged() {
    if (list_.listIndex >= 0) state_.text = list_.entries.text(static_cast<std::size_t>(list_.listIndex));
}

QWidget* ComboBox::CreateWidget(QWidget* parent) {
    auto* c = new detail::LockableComboWidget(parent);
    c->setEditable(state_.style != 2);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setModel(NewEntriesModel(c));
    // Sized by its geometry, not by its longest entry: nothing measures a
    // million texts.
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (auto* popup = qobject_cast<QListView*>(c->view())) popup->setUniformItemSizes(true);
    c->setCurrentIndex(list_.listIndex);
    if (c->lineEdit()) {
        c->lineEdit()->setText(QString::fromStdString(state_.text));
        detail::HookWidget(c->lineEdit(), this);
        QObject::connect(c->lineEdit(), &QLineEdit::textEdited, connections_, [this](const QString& t) {
            if (syncing_) return;
            state_.text = t.toStdString();
            list_.listIndex = -1;
            common_.dataChanged = true;
            RaiseEvent(Change);
        });
    }
    QObject::connect(c, qOverload<int>(&QComboBox::activated), connections_, [this, c](int index) {
        if (state_.locked) {
            syncing_ = true;
            c->setCurrentIndex(list_.listIndex);
            syncing_ = false;
            return;
        }
        UserSelected(index);
    });
    return c;
}

void ComboBox::ApplyState() {
    auto* c = static_cast<detail::LockableComboWidget*>(widget_);
    c->locked = state_.locked;
    if (c->lineEdit()) c->lineEdit()->setReadOnly(state_.locked);
}

void ComboBox::WidgetCleared() {
    if (state_.style != 2) {
        state_.text.clear();
        static_cast<QComboBox*>(widget_)->setEditText(QString());
    }
}

void ComboBox::WidgetSelect(std::int32_t index) {
    auto* c = static_cast<QComboBox*>(widget_);
    c->setCurrentIndex(index);
    if (index >= 0 && c->lineEdit()) c->lineEdit()->setText(c->itemText(index));
}

vb::Variant ComboBox::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "text") return vb::Variant(Text());
    if (n == "style") return vb::Variant(Style());
    if (n == "locked") return vb::Variant(Locked());
    return ListControl::GetMember(name);
}

void ComboBox::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "text") return Text(value.ToString());
    if (n == "style") return Style(value.ToInteger());
    if (n == "locked") return Locked(value.ToBool());
    ListControl::SetMember(name, value);
}

void ComboBox::SaveDesign() {
    ListControl::SaveDesign();
    design_ = state_;
}

void ComboBox::RestoreDesign() {
    ListControl::RestoreDesign();
    state_ = design_;
}

void ComboBox::CopyStateFrom(const Control& other) {
    ListControl::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const ComboBox*>(&other)) state_ = o->state_;
}

}  // namespace forms
