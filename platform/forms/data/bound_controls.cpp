#include "bound_controls.h"

#include "datacontrol_widget.h"
#include "err.h"

namespace forms {

void Bind(Control& control, DataControl& source, const std::string& field) {
    control.DataSource(&source);
    control.DataField(field);
    if (source.Model().Recordset()) source.SyncBindings();
}

Control* DataSourceFromVariant(const vb::Variant& value) {
    vb::ObjectRef o = value.ToObject();
    auto* source = dynamic_cast<Control*>(o.get());
    if (o && !source) vb::RaiseError(13);
    return source;
}

bool ControlBinding::Alive() const {
    for (Control* c : host_->ControlsList()) {
        if (c == control_) return true;
    }
    return false;
}

std::string ControlBinding::DataField() const { return Alive() ? control_->DataField() : std::string(); }

void ControlBinding::ShowFieldValue(const vb::Variant& value) {
    if (!quiet_ && Alive()) control_->ShowBoundValue(value);
}

bool ControlBinding::DataChanged() const { return Alive() && control_->DataChanged(); }

void ControlBinding::SetDataChanged(bool changed) {
    if (Alive()) control_->DataChanged(changed);
}

vb::Variant ControlBinding::EditedValue() const { return Alive() ? control_->BoundValue() : vb::Variant::Null(); }

}  // namespace forms
