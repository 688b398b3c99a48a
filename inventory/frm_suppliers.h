#pragma once
// frmSuppliers ("Suppliers"): the suppliers, one at a time, with the state
// chosen from the list of states.
#include "record_form.h"

namespace inventory {

class frmSuppliers : public RecordForm {
public:
    frmSuppliers();

    forms::ControlArray<forms::Label> lblLabels{this, "lblLabels",
        forms::Element(0, "Supplier &ID:", 120, 150, 1575, 255),
        forms::Element(1, "SUPP&LIER NAME:", 120, 510, 1575, 255),
        forms::Element(3, "Contact Na&me:", 120, 870, 1575, 255),
        forms::Element(4, "C&ontact Title:", 120, 1230, 1575, 255),
        forms::Element(5, "Addre&ss:", 120, 1590, 1575, 255),
        forms::Element(6, "Cit&y:", 120, 1950, 1575, 255),
        forms::Element(7, "S&tate:", 120, 2310, 1575, 255),
        forms::Element(8, "Zip Code:", 120, 2670, 1575, 255),
        forms::Element(10, "P&hone:", 120, 3030, 1575, 255),
        forms::Element(2, "&FAX:", 120, 3390, 1575, 255)};
    forms::TextBox txtID{this, "txtID", 1800, 120, 1215, 285};
    forms::ControlArray<forms::TextBox> txtFields{this, "txtFields",
        forms::Element(0, 1800, 480, 4215, 285),
        forms::Element(1, 1800, 840, 4215, 285),
        forms::Element(7, 1800, 1200, 4215, 285),
        forms::Element(2, 1800, 1560, 4215, 285),
        forms::Element(3, 1800, 1920, 2655, 285),
        forms::Element(4, 1800, 2640, 1215, 285),
        forms::Element(5, 1800, 3000, 2055, 285),
        forms::Element(6, 1800, 3360, 2055, 285)};
    forms::DataControl datStates{this, "datStates", "datStates", 120, 4440, 2415, 375};
    forms::DBCombo cboDBState{this, "cboDBState", 1800, 2280, 1215, 315};

protected:
    CTable& OwnTable() override;
    forms::ControlArray<forms::TextBox>& Fields() override { return txtFields; }
    forms::TextBox& IdBox() override { return txtID; }
    std::string FieldKey(std::int16_t index) const override;
    std::vector<forms::DBCombo*> LookupCombos() override { return {&cboDBState}; }
    std::vector<forms::DBCombo*> CombosClearedOnAdd() override { return {&cboDBState}; }
    void AppendLookupErrors(std::string& errors) override;
    const RecordReportDesign* ReportDesign() const override;
    void OpenRecordsets() override;
    // Closing leaves the mouse pointer as it is.
    void Form_Unload(std::int16_t& Cancel) override { (void)Cancel; }
};

}  // namespace inventory
