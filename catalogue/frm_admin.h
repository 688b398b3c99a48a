#pragma once
// frmAdmin ("Orvanta Online Administration - " and the table): one whole
// table of the catalogue in a grid, and the deleting of its selected record.
// The customer named "admin" cannot be deleted; a table left empty (or with
// only the admin customer) brings the sample data back. Stays loaded once
// used: Close only hides it, and each Setup rebinds it.
#include <cstdint>
#include <memory>
#include <string>

#include "datacontrol_widget.h"
#include "dbgrid.h"
#include "forms.h"
#include "test_control.h"

namespace dao {
class Recordset;
}

namespace catalogue {

class frmAdmin : public forms::Form {
public:
    frmAdmin();

    forms::DBGrid dbgridAdmin{this, "dbgridAdmin", 120, 120, 8295, 3615};
    forms::DataControl dataAdmin{this, "dataAdmin", "dataAdmin", 2760, 3900, 2415, 375};
    forms::CommandButton cmdDelete{this, "cmdDelete", "Delete Record", 120, 3900, 1575, 375};
    forms::CommandButton cmdClose{this, "cmdClose", "Close", 6840, 3900, 1575, 375};
    forms::ActiveXHost ZEVOTest1{this, kTestControlClass, "ZEVOTest1", 5400, 3900, 390, 390};

    forms::Menu mnuPopup{this, "mnuPopup", "popup"};
    forms::Menu mnuDelete{&mnuPopup, "mnuDelete", "Delete Selected Record"};

    // Places the grid between the buttons' edges and above them.
    void SizeGrid();
    // Shows `targetTable` (its name as passed goes into the caption, the
    // query uses it in capitals).
    void Setup(const std::string& targetTable);

    // The table shown, as passed to Setup.
    const std::string& AdminTable() const { return sAdminTable; }

    void cmdDelete_Click();
    void cmdClose_Click();
    void mnuDelete_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;

private:
    bool OnAdminCustomer();

    std::string sAdminTable;
    std::shared_ptr<dao::Recordset> rsAdmin;
};

}  // namespace catalogue
