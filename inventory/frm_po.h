#pragma once
// frmPO ("Purchase Orders"): the purchase orders, one at a time, with the
// supplier chosen from the suppliers and the transactions booked against the
// order, each with its subtotal, in a grid below; a double click opens one
// in the transactions form.
#include "record_form.h"

namespace inventory {

class frmPO : public RecordForm {
public:
    frmPO();

    forms::ControlArray<forms::Label> lblLabels{this, "lblLabels",
        forms::Element(0, "PO &ID:", 120, 150, 1575, 255),
        forms::Element(1, "PO Num&ber:", 120, 510, 1575, 255),
        forms::Element(2, "D&escription:", 120, 870, 1575, 255),
        forms::Element(3, "&Supplier:", 120, 1230, 1575, 255),
        forms::Element(4, "Order Da&te:", 120, 1590, 1575, 255),
        forms::Element(5, "Date &Required:", 120, 1950, 1575, 255),
        forms::Element(6, "Date Pro&mised:", 120, 2310, 1575, 255),
        forms::Element(7, "S&hip Date:", 120, 2670, 1575, 255)};
    forms::TextBox txtID{this, "txtID", 1800, 120, 1215, 285};
    forms::ControlArray<forms::TextBox> txtFields{this, "txtFields",
        forms::Element(0, 1800, 480, 2055, 285),
        forms::Element(1, 1800, 840, 4215, 285),
        forms::Element(2, 1800, 1560, 1815, 285),
        forms::Element(3, 1800, 1920, 1815, 285),
        forms::Element(4, 1800, 2280, 1815, 285),
        forms::Element(5, 1800, 2640, 1815, 285)};
    forms::DataControl datSupplier{this, "datSupplier", "datSupplier", 120, 6720, 2415, 375};
    forms::DBCombo cboSupplier{this, "cboSupplier", 1800, 1200, 4215, 315};
    forms::FlexGrid grdTransaction{this, "grdTransaction", 120, 3840, 7455, 2655};

    void datPrimaryRS_Reposition();
    void grdTransaction_DblClick();

protected:
    CTable& OwnTable() override;
    forms::ControlArray<forms::TextBox>& Fields() override { return txtFields; }
    forms::TextBox& IdBox() override { return txtID; }
    std::string FieldKey(std::int16_t index) const override;
    std::vector<forms::DBCombo*> LookupCombos() override { return {&cboSupplier}; }
    void AppendLookupErrors(std::string& errors) override;
    const RecordReportDesign* ReportDesign() const override;
    void OpenRecordsets() override;
};

}  // namespace inventory
