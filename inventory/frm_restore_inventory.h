#pragma once
// frmRestoreInventory ("Restore Tables"): resets the chosen tables to the
// sample data of their backup tables, after a warning, all in one
// transaction. The transactions go back with the products or the purchase
// orders.
#include "forms.h"
#include "test_control_class.h"

namespace inventory {

class frmRestoreInventory : public forms::Form {
public:
    frmRestoreInventory();

    forms::Frame fraTables{this, "fraTables", "Tables", 120, 120, 2415, 1935};
    forms::CheckBox chkSuppliers{&fraTables, "chkSuppliers", "&Suppliers", 240, 360, 1575, 375};
    // Wide enough for its caption in the desktop's font, inside the frame.
    forms::CheckBox chkPOs{&fraTables, "chkPOs", "Purchase &Orders", 240, 840, 2055, 375};
    forms::CheckBox chkProducts{&fraTables, "chkProducts", "&Products", 240, 1320, 1215, 375};
    forms::CommandButton cmdOK{this, "cmdOK", "OK", 2760, 240, 1140, 360};
    forms::CommandButton cmdCancel{this, "cmdCancel", "Cancel", 2760, 840, 1140, 360};
    forms::ActiveXHost ZEVOTest1{this, orvanta::kTestControlClass, "ZEVOTest1", 3000, 1560, 390, 390};

    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void Form_Load() override;
};

}  // namespace inventory
