#include "dbcombo.h"

#include <algorithm>

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "application.h"
#include "datacontrol_widget.h"
#include "entries_list_model.h"
#include "err.h"
#include "member_names.h"
#include "text_functions.h"
#include "lockable_combo_widget.h"
#include "widget_hooks.h"

namespace forms {

namespace {

// Index of the recordset's field of that name (without regard to case); -1
// when there is none.
int FieldIndex(dao::Recordset& rs, const std::string& name) {
    dao::Fields& fields = rs.Fields();
    for (int i = 0; i < fields.Count(); ++i) {
        if (vb::StrComp(fields(i).Name(), name, vb::CompareMethod::Text) == 0) return i;
    }
    return -1;
}

}  // namespace

DBCombo::DBCombo(ControlParent parent, std::string name, Twips left, Twips top, Twips width, Twips height)
    : Control(parent, std::move(name)) {
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
}

DBCombo::~DBCombo() { Listen(nullptr); }

// ---- the row source ----

bool DBCombo::RowSourcePresent() const {
    const ControlList& controls = Host().ControlsList();
    return std::find(controls.begin(), controls.end(), rowSource_) != controls.end();
}

void DBCombo::Listen(DataControl* source) {
    // A row source declared after the combo on the same form is destroyed
    // before it, taking its listeners along.
    if (rowSource_ && listenerId_ && RowSourcePresent()) rowSource_->Model().RemoveChangeListener(listenerId_);
    rowSource_ = source;
    listenerId_ = 0;
    if (rowSource_) listenerId_ = rowSource_->Model().AddChangeListener([this] { FillList(); });
}

DataControl* DBCombo::RowSource() const {
    Touch();
    return rowSource_;
}

void DBCombo::RowSource(DataControl* source) {
    Touch();
    if (source == rowSource_) return;
    Listen(source);
    FillList();
}

std::string DBCombo::ListField() const {
    Touch();
    return state_.listField;
}

void DBCombo::ListField(const std::string& field) {
    Touch();
    state_.listField = field;
    FillList();
}

std::string DBCombo::BoundColumn() const {
    Touch();
    return state_.boundColumn;
}

void DBCombo::BoundColumn(const std::string& field) {
    Touch();
    state_.boundColumn = field;
    FillList();
}

std::int16_t DBCombo::Style() const {
    Touch();
    return state_.style;
}

void DBCombo::Style(std::int16_t v) {
    if (!Host().IsDesigning()) vb::RaiseError(382);
    if (v != 0 && v != 2) vb::RaiseError(380);
    state_.style = v;
}

// Reads the list field and bound column of every row of the row source, then
// shows the entry of the combo's value again. The widget's list is replaced
// in one step.
void DBCombo::FillList() {
    auto entries = std::make_shared<ComboEntries>();
    std::shared_ptr<dao::Recordset> rs = rowSource_ ? rowSource_->Model().Recordset() : nullptr;
    if (rs && !state_.listField.empty()) {
        const int listIndex = FieldIndex(*rs, state_.listField);
        const int boundIndex =
            state_.boundColumn.empty() ? listIndex : FieldIndex(*rs, state_.boundColumn);
        if (listIndex >= 0 && boundIndex >= 0) {
            const int count = rs->RecordCount();
            entries->reserve(static_cast<std::size_t>(count));
            for (int r = 0; r < count; ++r) {
                const vb::Variant bound = rs->PeekValue(r, boundIndex);
                std::string_view text;
                if (rs->PeekText(r, listIndex, text)) {
                    entries->add(text, bound);
                    continue;
                }
                const vb::Variant shown = rs->PeekValue(r, listIndex);
                entries->add(shown.IsNull() || shown.IsEmpty() ? std::string() : shown.ToString(), bound);
            }
        }
    }
    entries_ = std::move(entries);
    if (model_) {
        syncing_ = true;
        model_->SetEntries(entries_);
        syncing_ = false;
    }
    const bool bound = common_.dataSource != nullptr && !common_.dataField.empty();
    if (bound || common_.dataChanged) {
        ShowValue();
    } else {
        chosen_ = FindText(text_);
        ShowInWidget();
    }
}

int DBCombo::FindValue(const vb::Variant& value) const {
    if (value.IsNull() || value.IsEmpty()) return -1;
    for (std::size_t i = 0; i < entries_->size(); ++i) {
        if (entries_->sameValue(i, value)) return static_cast<int>(i);
    }
    return -1;
}

int DBCombo::FindText(const std::string& text) const {
    if (text.empty()) return -1;
    std::string entry;
    for (std::size_t i = 0; i < entries_->size(); ++i) {
        entry.assign(entries_->text(i));
        if (vb::StrComp(entry, text, vb::CompareMethod::Text) == 0) return static_cast<int>(i);
    }
    return -1;
}

// Shows the entry whose bound column holds the combo's value; an empty text
// when the value is Null or no row holds it.
void DBCombo::ShowValue() {
    chosen_ = FindValue(value_);
    const std::string text = chosen_ >= 0 ? std::string(entries_->text(static_cast<std::size_t>(chosen_))) : std::string();
    const bool changed = text != text_;
    text_ = text;
    ShowInWidget();
    if (changed && Change && !detail::EndCalled()) Raise(Change);
}

void DBCombo::ShowInWidget() {
    auto* c = qobject_cast<QComboBox*>(widget_);
    if (!c) return;
    syncing_ = true;
    c->setCurrentIndex(chosen_);
    if (c->isEditable()) c->setEditText(QString::fromStdString(text_));
    syncing_ = false;
}

// ---- the bound value ----

void DBCombo::ShowBoundValue(const vb::Variant& value) {
    value_ = value;
    common_.dataChanged = false;
    ShowValue();
    common_.dataChanged = false;
}

vb::Variant DBCombo::BoundValue() const { return value_; }

std::string DBCombo::BoundText() const {
    Touch();
    return value_.IsNull() || value_.IsEmpty() ? std::string() : value_.ToString();
}

bool DBCombo::MatchedWithList() const {
    Touch();
    return chosen_ >= 0;
}

// ---- text and choice ----

std::string DBCombo::Text() const {
    Touch();
    return text_;
}

void DBCombo::Text(const std::string& text) {
    Touch();
    const bool changed = text != text_;
    text_ = text;
    chosen_ = FindText(text);
    if (chosen_ >= 0) {
        const vb::Variant v = entries_->value(static_cast<std::size_t>(chosen_));
        if (!SameListValue(v, value_)) {
            value_ = v;
            common_.dataChanged = true;
        }
    }
    ShowInWidget();
    if (changed && Change && !detail::EndCalled()) Raise(Change);
}

bool DBCombo::Locked() const {
    Touch();
    return state_.locked;
}

void DBCombo::Locked(bool v) {
    Touch();
    state_.locked = v;
    if (widget_) ApplyState();
}

int DBCombo::ListCount() const {
    Touch();
    return static_cast<int>(entries_->size());
}

std::string DBCombo::List(int index) const {
    Touch();
    if (index < 0 || index >= static_cast<int>(entries_->size())) return {};
    return std::string(entries_->text(static_cast<std::size_t>(index)));
}

bool DBCombo::UserChoose(int index) {
    if (state_.locked || !common_.enabled || index < 0 || index >= static_cast<int>(entries_->size())) {
        ShowInWidget();
        return false;
    }
    const std::string_view text = entries_->text(static_cast<std::size_t>(index));
    const bool changed = text != text_;
    chosen_ = index;
    value_ = entries_->value(static_cast<std::size_t>(index));
    text_ = text;
    common_.dataChanged = true;
    ShowInWidget();
    if (changed && Change) Raise(Change);
    if (Click) Raise(Click);
    return true;
}

// Typing a list entry's text chooses it; clearing the text or typing one that
// is no entry leaves the combo without a value (Null is written back).
void DBCombo::UserTyped(const std::string& text) {
    text_ = text;
    chosen_ = FindText(text);
    value_ = chosen_ >= 0 ? entries_->value(static_cast<std::size_t>(chosen_)) : vb::Variant::Null();
    common_.dataChanged = true;
    if (Change) Raise(Change);
}

// ---- the widget ----

QWidget* DBCombo::CreateWidget(QWidget* parent) {
    auto* c = new detail::LockableComboWidget(parent);
    c->setEditable(state_.style != 2);
    c->setInsertPolicy(QComboBox::NoInsert);
    model_ = new detail::EntriesListModel(c);
    model_->SetEntries(entries_);
    c->setModel(model_);
    c->setCurrentIndex(chosen_);
    if (c->lineEdit()) {
        c->lineEdit()->setText(QString::fromStdString(text_));
        detail::HookWidget(c->lineEdit(), this);
        QObject::connect(c->lineEdit(), &QLineEdit::textEdited, connections_, [this](const QString& t) {
            if (!syncing_) UserTyped(t.toStdString());
        });
    }
    QObject::connect(c, qOverload<int>(&QComboBox::activated), connections_, [this](int index) {
        if (!syncing_) UserChoose(index);
    });
    return c;
}

void DBCombo::ApplyState() {
    auto* c = static_cast<detail::LockableComboWidget*>(widget_);
    c->locked = state_.locked;
    if (c->lineEdit()) c->lineEdit()->setReadOnly(state_.locked);
    ShowInWidget();
}

// ---- late binding ----

std::string DBCombo::MemberOfDispatchId(std::int32_t dispid) const {
    switch (dispid) {
    case kDispIdText: return "Text";
    case kDispIdLocked: return "Locked";
    default: return {};
    }
}

vb::Variant DBCombo::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "text") return vb::Variant(Text());
    if (n == "locked") return vb::Variant(Locked());
    if (n == "boundtext") return vb::Variant(BoundText());
    if (n == "matchedwithlist") return vb::Variant(MatchedWithList());
    if (n == "listfield") return vb::Variant(ListField());
    if (n == "boundcolumn") return vb::Variant(BoundColumn());
    if (n == "style") return vb::Variant(Style());
    if (n == "rowsource") {
        DataControl* source = RowSource();
        return source ? vb::Variant(source->Ref()) : vb::Variant(vb::ObjectRef{});
    }
    return Control::GetMember(name);
}

void DBCombo::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "text") return Text(value.ToString());
    if (n == "locked") return Locked(value.ToBool());
    if (n == "listfield") return ListField(value.ToString());
    if (n == "boundcolumn") return BoundColumn(value.ToString());
    if (n == "style") return Style(value.ToInteger());
    if (n == "rowsource") {
        Control* source = DataSourceFromVariant(value);
        auto* data = dynamic_cast<DataControl*>(source);
        if (source && !data) vb::RaiseError(13);
        return RowSource(data);
    }
    Control::SetMember(name, value);
}

// ---- design values ----

void DBCombo::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
}

void DBCombo::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
    text_.clear();
    value_ = vb::Variant::Null();
    chosen_ = -1;
    // The list is read from the row source again at the next load; the
    // entries of an unloaded form are let go with its widgets.
    entries_ = std::make_shared<ComboEntries>();
}

void DBCombo::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const DBCombo*>(&other)) {
        state_ = o->state_;
        Listen(o->rowSource_);
        FillList();
    }
}

}  // namespace forms
