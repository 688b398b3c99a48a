#pragma once
// frmOrderAlbum ("Order Album"): the quick order from a double click on the
// album picture. Asks how many albums, then opens the order form with that
// quantity. Shown without waiting; unloads itself on OK and Cancel.
#include "forms.h"
#include "test_control.h"

namespace catalogue {

class frmOrderAlbum : public forms::Form {
public:
    frmOrderAlbum();

    forms::Label Label1{this, "Label1", "Order how many &albums?", 240, 255, 2295, 255};
    forms::TextBox txtQuantity{this, "txtQuantity", "", 2640, 225, 975, 285};
    forms::CommandButton cmdOK{this, "cmdOK", "OK", 1200, 840, 1095, 375};
    forms::CommandButton cmdCancel{this, "cmdCancel", "Cancel", 2520, 840, 1095, 375};
    forms::ActiveXHost ZEVOTest1{this, kTestControlClass, "ZEVOTest1", 120, 840, 390, 390};

    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void Form_Load() override;
};

}  // namespace catalogue
