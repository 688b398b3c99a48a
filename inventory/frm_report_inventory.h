#pragma once
// frmReportInventory ("Create ... Report"): how a text report of one table is
// sorted, ascending or descending, and whether it is written quote/comma
// delimited; OK writes the report and opens it in the text viewer.
#include <string>

#include "forms.h"
#include "inv_chk_box.h"
#include "test_control_class.h"

namespace inventory {

class CTable;

class frmReportInventory : public forms::Form {
public:
    frmReportInventory();

    // "Supplier", "Inventory" or "Purchase Orders", set before the dialog loads.
    std::string sReportType;

    forms::Label lblInfo{this, "lblInfo", "Create a Report in NotePad:", 120, 120, 2655, 255};
    forms::Frame ssfraSortBy{this, "ssfraSortBy", "Sort By", 120, 360, 2655, 1575};
    forms::ControlArray<forms::OptionButton> optSort{&ssfraSortBy, "optSort",
        forms::Element(0, "Option 1", 240, 240, 2295, 315),
        forms::Element(1, "Option 2", 240, 600, 2295, 315),
        forms::Element(2, "Option 3", 240, 960, 2295, 315)};
    InvChkBox chkOrder{this, "chkOrder", 130, 2160, 2895, 375};
    InvChkBox chkDelimited{this, "chkDelimited", 120, 2520, 2775, 255};
    forms::CommandButton cmdOK{this, "cmdOK", "OK", 3000, 480, 1140, 360};
    forms::CommandButton cmdCancel{this, "cmdCancel", "Cancel", 3000, 1080, 1140, 360};
    forms::ActiveXHost ZEVOTest1{this, orvanta::kTestControlClass, "ZEVOTest1", 3360, 1680, 390, 390};

    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void Form_Load() override;

private:
    // The table object of the report type; null for an unknown type.
    CTable* ReportTable() const;
};

}  // namespace inventory
