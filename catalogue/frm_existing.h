#pragma once
// frmExisting ("View Existing Orders"): the orders of the logged-in
// customer, one row each, and the cancelling of one of them. Unloads when
// closed, so each opening reads the orders afresh.
#include <cstdint>
#include <memory>

#include "datacontrol_widget.h"
#include "flexgrid.h"
#include "forms.h"
#include "test_control.h"

namespace dao {
class Recordset;
}

namespace catalogue {

class frmExisting : public forms::Form {
public:
    frmExisting();

    forms::Label lblName{this, "lblName", "Orders for", 120, 120, 8655, 255};
    forms::FlexGrid FlexigridOrders{this, "FlexigridOrders", 120, 480, 8655, 3015};
    forms::CommandButton cmdCancelOrder{this, "cmdCancelOrder", "Cancel Selected Order", 120, 3720, 2295, 375};
    forms::CommandButton cmdClose{this, "cmdClose", "Close", 7560, 3720, 1215, 375};
    forms::DataControl dataExisting{this, "dataExisting", "dataExisting", 2640, 3720, 2055, 375};
    forms::Label Label2{this, "Label2", "Label2", 4800, 3780, 1215, 255};
    forms::ActiveXHost ZEVOTest1{this, kTestControlClass, "ZEVOTest1", 6240, 3720, 390, 390};

    forms::Menu mnuFile{this, "mnuFile", "&File"};
    forms::Menu mnuClose{&mnuFile, "mnuClose", "&Close"};
    forms::Menu mnuReservation{this, "mnuReservation", "&Reservations"};
    forms::Menu mnuDelete{&mnuReservation, "mnuDelete", "&Cancel Selected Reservation"};

    void cmdCancelOrder_Click();
    void cmdClose_Click();
    void mnuClose_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;

private:
    void FillOrdersGrid(dao::Recordset& recordset);
    void SizeColumns();
};

}  // namespace catalogue
