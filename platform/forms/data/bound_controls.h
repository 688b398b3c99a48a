#pragma once
// Controls bound to a field of a data control's current record: labels,
// text boxes, check boxes, pictures and images show the field's value
// through ShowBoundValue and give back what the user changed through
// BoundValue and DataChanged.
#include <string>

#include "control.h"
#include "data_control.h"

namespace forms {

class DataControl;

// Sets `control`'s DataSource to `source` and its DataField to `field`. The
// data control picks the binding up when its form loads or its record
// changes next; when it already has a recordset the control shows the
// current record's value at once.
void Bind(Control& control, DataControl& source, const std::string& field);

// The data source that a late-bound value names: a control, or null for
// Nothing; error 13 for any other object.
Control* DataSourceFromVariant(const vb::Variant& value);

// A control that shows more than one field of its data source (a grid); it
// hears of every change of the data control's rows or current record.
class DataSourceFollower {
public:
    virtual ~DataSourceFollower() = default;
    virtual void DataSourceChanged(DataControl& source) = 0;
    // The data control goes away.
    virtual void DataSourceGone(DataControl& source) = 0;
};

// The tie between a bound control and the data control's model.
class ControlBinding : public dao::BoundControl {
public:
    explicit ControlBinding(Control& control) : control_(&control), host_(&control.Host()) {}
    Control* Target() const { return control_; }
    // Whether the control still exists (an element of a control array may
    // have been unloaded): a binding to a control that is gone does nothing.
    bool Alive() const;
    // While quiet the binding does not pass values on to the control.
    void Quiet(bool quiet) { quiet_ = quiet; }

    std::string DataField() const override;
    void ShowFieldValue(const vb::Variant& value) override;
    bool DataChanged() const override;
    void SetDataChanged(bool changed) override;
    vb::Variant EditedValue() const override;

private:
    Control* control_;
    ControlHost* host_;
    bool quiet_ = false;
};

}  // namespace forms
