#include "datacontrol_widget.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include "application.h"
#include "err.h"
#include "form.h"
#include "member_names.h"

namespace forms {

namespace {

QToolButton* MakeButton(QWidget* parent, QStyle::StandardPixmap icon, const char* name) {
    auto* b = new QToolButton(parent);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setAutoRaise(false);
    b->setFocusPolicy(Qt::NoFocus);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(QString::fromLatin1(name));
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    return b;
}

}  // namespace

DataControl::DataControl(ControlParent parent, std::string name, std::string caption, Twips left, Twips top,
                         Twips width, Twips height)
    : Control(parent, std::move(name)), caption_(std::move(caption)) {
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
    model_.SetConnect("Access");
    model_.Validate = [this](int& action, bool& save) {
        if (!Validate) return;
        std::int16_t a = static_cast<std::int16_t>(action);
        Raise([&] { Validate(a, save); });
        action = a;
    };
    model_.Reposition = [this] { Raise(Reposition); };
    model_.AddChangeListener([this] { Changed(); });
}

DataControl::~DataControl() {
    model_.Validate = nullptr;
    model_.Reposition = nullptr;
    for (auto& b : bindings_) model_.Unbind(b.get());
    bindings_.clear();
    // Grids that still follow this data control let go of it.
    for (Control* c : Host().ControlsList()) {
        if (std::find(followers_.begin(), followers_.end(), c) == followers_.end()) continue;
        if (auto* f = dynamic_cast<DataSourceFollower*>(c)) f->DataSourceGone(*this);
    }
    followers_.clear();
}

dao::DataControl& DataControl::Model() { return model_; }

// ---- properties ----

std::string DataControl::Caption() const {
    Touch();
    return caption_;
}

void DataControl::Caption(const std::string& caption) {
    Touch();
    caption_ = caption;
    if (captionLabel_) captionLabel_->setText(QString::fromStdString(caption_));
}

std::string DataControl::DatabaseName() const {
    Touch();
    return model_.DatabaseName();
}

void DataControl::DatabaseName(const std::string& path) {
    Touch();
    model_.SetDatabaseName(path);
}

std::string DataControl::RecordSource() const {
    Touch();
    return model_.RecordSource();
}

void DataControl::RecordSource(const std::string& source) {
    Touch();
    model_.SetRecordSource(source);
}

std::string DataControl::Connect() const {
    Touch();
    return model_.Connect();
}

void DataControl::Connect(const std::string& connect) {
    Touch();
    model_.SetConnect(connect);
}

bool DataControl::ReadOnly() const {
    Touch();
    return model_.ReadOnly();
}

void DataControl::ReadOnly(bool v) {
    Touch();
    model_.SetReadOnly(v);
}

std::int16_t DataControl::RecordsetType() const {
    Touch();
    return static_cast<std::int16_t>(model_.RecordsetType());
}

void DataControl::RecordsetType(std::int16_t v) {
    Touch();
    if (v < 0 || v > 2) vb::RaiseError(380);
    model_.SetRecordsetType(v);
}

std::int16_t DataControl::EOFAction() const {
    Touch();
    return static_cast<std::int16_t>(model_.EOFAction());
}

void DataControl::EOFAction(std::int16_t v) {
    Touch();
    if (v < 0 || v > 2) vb::RaiseError(380);
    model_.SetEOFAction(v);
}

std::int16_t DataControl::BOFAction() const {
    Touch();
    return static_cast<std::int16_t>(model_.BOFAction());
}

void DataControl::BOFAction(std::int16_t v) {
    Touch();
    if (v < 0 || v > 1) vb::RaiseError(380);
    model_.SetBOFAction(v);
}

// ---- the recordset ----

std::shared_ptr<dao::Recordset> DataControl::Recordset() const {
    Touch();
    return model_.Recordset();
}

void DataControl::Recordset(std::shared_ptr<dao::Recordset> recordset) {
    Touch();
    SyncBindings(false);
    model_.SetRecordset(std::move(recordset));
}

void DataControl::Refresh() {
    Touch();
    SyncBindings(false);
    model_.Refresh();
}

void DataControl::UpdateRecord() {
    Touch();
    model_.UpdateRecord();
}

void DataControl::UpdateControls() {
    Touch();
    model_.UpdateControls();
}

// ---- bound controls ----

void DataControl::AddFollower(Control& grid) {
    if (!dynamic_cast<DataSourceFollower*>(&grid)) return;
    if (std::find(followers_.begin(), followers_.end(), &grid) == followers_.end()) followers_.push_back(&grid);
}

void DataControl::SyncBindings(bool showNow) {
    const ControlList& controls = Host().ControlsList();
    auto present = [&](const Control* c) { return std::find(controls.begin(), controls.end(), c) != controls.end(); };
    // Let go of controls that are gone or bound elsewhere now.
    for (auto it = bindings_.begin(); it != bindings_.end();) {
        Control* c = (*it)->Target();
        if (!present(c) || c->DataSource() != this || c->DataField().empty()) {
            model_.Unbind(it->get());
            it = bindings_.erase(it);
        } else {
            ++it;
        }
    }
    followers_.erase(std::remove_if(followers_.begin(), followers_.end(),
                                    [&](Control* c) { return !present(c) || c->DataSource() != this; }),
                     followers_.end());
    for (Control* c : controls) {
        if (c == this || c->DataSource() != this) continue;
        if (dynamic_cast<DataSourceFollower*>(c)) {
            if (std::find(followers_.begin(), followers_.end(), c) == followers_.end()) followers_.push_back(c);
            continue;
        }
        if (c->DataField().empty()) continue;
        const bool bound = std::any_of(bindings_.begin(), bindings_.end(),
                                       [c](const std::unique_ptr<ControlBinding>& b) { return b->Target() == c; });
        if (bound) continue;
        bindings_.push_back(std::make_unique<ControlBinding>(*c));
        ControlBinding& binding = *bindings_.back();
        binding.Quiet(!showNow);
        model_.Bind(&binding);
        binding.Quiet(false);
    }
}

void DataControl::Changed() {
    SyncBindings();
    NotifyFollowers();
}

void DataControl::NotifyFollowers() {
    const ControlList& controls = Host().ControlsList();
    for (Control* c : std::vector<Control*>(followers_)) {
        // A grid that has gone since (an unloaded array element) is skipped.
        if (std::find(controls.begin(), controls.end(), c) == controls.end()) continue;
        if (auto* f = dynamic_cast<DataSourceFollower*>(c)) f->DataSourceChanged(*this);
    }
}

// ---- the bar ----

void DataControl::Press(void (dao::DataControl::*move)()) {
    RaiseEvent([&] { (model_.*move)(); });
}

void DataControl::PressFirst() { Press(&dao::DataControl::MoveFirst); }
void DataControl::PressPrevious() { Press(&dao::DataControl::MovePrevious); }
void DataControl::PressNext() { Press(&dao::DataControl::MoveNext); }
void DataControl::PressLast() { Press(&dao::DataControl::MoveLast); }

QWidget* DataControl::CreateWidget(QWidget* parent) {
    auto* w = new QFrame(parent);
    w->setFrameShape(QFrame::Panel);
    w->setFrameShadow(QFrame::Raised);
    auto* layout = new QHBoxLayout(w);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    QToolButton* first = MakeButton(w, QStyle::SP_MediaSkipBackward, "First");
    QToolButton* previous = MakeButton(w, QStyle::SP_MediaSeekBackward, "Previous");
    QToolButton* next = MakeButton(w, QStyle::SP_MediaSeekForward, "Next");
    QToolButton* last = MakeButton(w, QStyle::SP_MediaSkipForward, "Last");
    captionLabel_ = new QLabel(w);
    captionLabel_->setTextFormat(Qt::PlainText);
    captionLabel_->setFrameShape(QFrame::Panel);
    captionLabel_->setFrameShadow(QFrame::Sunken);
    captionLabel_->setAutoFillBackground(true);
    captionLabel_->setBackgroundRole(QPalette::Base);
    captionLabel_->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(first);
    layout->addWidget(previous);
    layout->addWidget(captionLabel_, 1);
    layout->addWidget(next);
    layout->addWidget(last);
    QObject::connect(first, &QToolButton::clicked, connections_, [this] { PressFirst(); });
    QObject::connect(previous, &QToolButton::clicked, connections_, [this] { PressPrevious(); });
    QObject::connect(next, &QToolButton::clicked, connections_, [this] { PressNext(); });
    QObject::connect(last, &QToolButton::clicked, connections_, [this] { PressLast(); });
    return w;
}

void DataControl::ApplyState() {
    captionLabel_->setText(QString::fromStdString(caption_));
    OpenDesignSource();
}

// A data control designed with a database and a record source opens it once
// the form has loaded (code in the form's Load may still change either, or
// give it a recordset of its own).
void DataControl::OpenDesignSource() {
    if (model_.Recordset() || model_.DatabaseName().empty() || model_.RecordSource().empty()) return;
    QTimer::singleShot(0, connections_, [this] {
        if (model_.Recordset() || model_.DatabaseName().empty() || model_.RecordSource().empty()) return;
        RaiseEvent([&] { Refresh(); });
    });
}

void DataControl::DestroyNative() {
    captionLabel_ = nullptr;
    Control::DestroyNative();
}

void DataControl::FormUnloading() {
    model_.Unload();
    // The bound controls keep what they show while the form goes; grids let
    // go of the rows.
    for (auto& b : bindings_) model_.Unbind(b.get());
    bindings_.clear();
    NotifyFollowers();
}

// ---- late binding ----

vb::Variant DataControl::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return vb::Variant(Caption());
    if (n == "recordset" || n == "recordsource" || n == "databasename" || n == "recordsettype" || n == "readonly" ||
        n == "exclusive" || n == "connect" || n == "eofaction" || n == "bofaction" || n == "database") {
        Touch();
        return model_.GetMember(name);
    }
    return Control::GetMember(name);
}

void DataControl::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return Caption(value.ToString());
    if (n == "recordset") {
        vb::ObjectRef o = value.ToObject();
        auto rs = std::dynamic_pointer_cast<dao::Recordset>(o);
        if (o && !rs) vb::RaiseError(13);
        return Recordset(rs);
    }
    if (n == "recordsource" || n == "databasename" || n == "recordsettype" || n == "readonly" ||
        n == "exclusive" || n == "connect" || n == "eofaction" || n == "bofaction") {
        Touch();
        return model_.SetMember(name, value);
    }
    Control::SetMember(name, value);
}

vb::Variant DataControl::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    const std::string n = detail::Lower(name);
    if (n == "refresh") {
        Refresh();
        return {};
    }
    if (n == "updaterecord") {
        UpdateRecord();
        return {};
    }
    if (n == "updatecontrols") {
        UpdateControls();
        return {};
    }
    return Control::CallMember(name, args);
}

// ---- design values ----

void DataControl::SaveDesign() {
    Control::SaveDesign();
    design_.caption = caption_;
    design_.databaseName = model_.DatabaseName();
    design_.recordSource = model_.RecordSource();
    design_.connect = model_.Connect();
    design_.readOnly = model_.ReadOnly();
    design_.recordsetType = static_cast<std::int16_t>(model_.RecordsetType());
    design_.eofAction = static_cast<std::int16_t>(model_.EOFAction());
    design_.bofAction = static_cast<std::int16_t>(model_.BOFAction());
}

void DataControl::RestoreDesign() {
    Control::RestoreDesign();
    caption_ = design_.caption;
    model_.SetDatabaseName(design_.databaseName);
    model_.SetRecordSource(design_.recordSource);
    model_.SetConnect(design_.connect);
    model_.SetReadOnly(design_.readOnly);
    model_.SetRecordsetType(design_.recordsetType);
    model_.SetEOFAction(design_.eofAction);
    model_.SetBOFAction(design_.bofAction);
}

void DataControl::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const DataControl*>(&other)) {
        caption_ = o->caption_;
        model_.SetDatabaseName(o->model_.DatabaseName());
        model_.SetRecordSource(o->model_.RecordSource());
        model_.SetConnect(o->model_.Connect());
        model_.SetReadOnly(o->model_.ReadOnly());
        model_.SetRecordsetType(o->model_.RecordsetType());
        model_.SetEOFAction(o->model_.EOFAction());
        model_.SetBOFAction(o->model_.BOFAction());
    }
}

}  // namespace forms
