#pragma once
// frmConfirm ("Order Confirmation"): tells the customer that the order was
// received. Each placed order shows a new instance.
#include "forms.h"
#include "test_control.h"

namespace catalogue {

class frmConfirm : public forms::Form {
public:
    frmConfirm();

    forms::Label lblConfirmation{this, "lblConfirmation",
                                 "Your order for 'Bach's Brandenburg Concerto' has been received and third line!",
                                 240, 240, 4575, 975};
    forms::CommandButton cmdOK{this, "cmdOK", "OK", 1800, 1440, 1215, 375};
    forms::ActiveXHost ZEVOTest1{this, kTestControlClass, "ZEVOTest1", 120, 1440, 390, 390};

    void cmdOK_Click();

protected:
    void Form_Load() override;
};

}  // namespace catalogue
