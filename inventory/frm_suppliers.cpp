#include "frm_suppliers.h"

#include "c_table.h"
#include "module_inventory.h"

namespace inventory {

namespace {

const RecordFormLayout kLayout{7695, 4455, 6240, 3840, false, true, "&Report"};

const RecordReportDesign kReport{"Supplier", {"Supplier Name", "City", "State"}, {"Supplier Name", "City", "State"}};

}  // namespace

frmSuppliers::frmSuppliers() : RecordForm("frmSuppliers", kLayout) {
    Caption("Suppliers");
    MDIChild(true);
    datStates.Visible(false);
    cboDBState.RowSource(&datStates);
    cboDBState.ListField("State");
    cboDBState.BoundColumn("State");
    forms::Bind(cboDBState, datPrimaryRS, "StateOrProvince");
    BindFields({"SupplierName", "ContactName", "Address", "City", "PostalCode", "PhoneNumber", "FaxNumber",
                "ContactTitle"},
               "SupplierID");
}

CTable& frmSuppliers::OwnTable() { return Inventory::gtblSuppliers(); }

std::string frmSuppliers::FieldKey(std::int16_t index) const {
    static const char* const keys[] = {"Supplier Name", "Contact Name", "Address", "City",
                                       "Zip Code",      "Phone",        "Fax",     "Contact Title"};
    return index >= 1 && index <= 7 ? keys[index] : "Supplier Name";
}

void frmSuppliers::AppendLookupErrors(std::string& errors) {
    if (ComboIsEmpty(cboDBState)) errors += "State";
}

const RecordReportDesign* frmSuppliers::ReportDesign() const { return &kReport; }

void frmSuppliers::OpenRecordsets() {
    OpenRecordset(datPrimaryRS, "select * from [tblSuppliers] Order by [SupplierID]");
    OpenRecordset(datStates, "select * from [tblStates] Order by [State]");
}

}  // namespace inventory
