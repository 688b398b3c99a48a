#pragma once
// frmTransactions ("Product Transactions"): one stock movement of one
// product, booked against a purchase order or not. Opened modally from the
// transaction grids, on the transaction whose key the grid put into the
// transactions table object, or on a new transaction.
#include "record_form.h"

namespace inventory {

class frmTransactions : public RecordForm {
public:
    frmTransactions();

    forms::ControlArray<forms::Label> lblLabels{this, "lblLabels",
        forms::Element(0, "Transaction &ID:", 120, 150, 2055, 255),
        forms::Element(1, "Tran&saction Date:", 120, 510, 2055, 255),
        forms::Element(2, "Pr&oduct:", 120, 870, 2055, 255),
        forms::Element(3, "PO Num&ber:", 120, 1230, 2055, 255),
        forms::Element(4, "Transaction &Description:", 120, 1590, 2055, 255),
        forms::Element(5, " Uni&t Price:", 120, 1950, 2055, 255),
        forms::Element(6, "# &Ordered:", 120, 2310, 2055, 255),
        forms::Element(7, "# Recei&ved:", 120, 2670, 2055, 255),
        forms::Element(8, "# So&ld:", 120, 3030, 2055, 255),
        forms::Element(9, "# S&hrinkage:", 120, 3390, 2055, 255)};
    forms::TextBox txtID{this, "txtID", 2280, 120, 1215, 285};
    forms::ControlArray<forms::TextBox> txtFields{this, "txtFields",
        forms::Element(0, 2280, 480, 1815, 285),
        forms::Element(1, 2280, 1560, 3735, 285),
        forms::Element(2, 2280, 1920, 1215, 285),
        forms::Element(3, 2280, 2280, 1215, 285),
        forms::Element(4, 2280, 2640, 1215, 285),
        forms::Element(5, 2280, 3000, 1215, 285),
        forms::Element(6, 2280, 3360, 1215, 285)};
    forms::DataControl datPO{this, "datPO", "datPO", 120, 4440, 2415, 375};
    forms::DataControl datProducts{this, "datProducts", "datProducts", 2640, 4440, 2415, 375};
    forms::DBCombo cboProduct{this, "cboProduct", 2280, 840, 3735, 315};
    forms::DBCombo cboPO{this, "cboPO", 2280, 1200, 1815, 315};

    void cmdUpdate_Click() override;

protected:
    CTable& OwnTable() override;
    forms::ControlArray<forms::TextBox>& Fields() override { return txtFields; }
    forms::TextBox& IdBox() override { return txtID; }
    std::string FieldKey(std::int16_t index) const override;
    std::vector<forms::DBCombo*> LookupCombos() override { return {&cboProduct, &cboPO}; }
    std::vector<forms::DBCombo*> CombosClearedOnAdd() override { return {&cboProduct, &cboPO}; }
    void AppendLookupErrors(std::string& errors) override;
    void OpenRecordsets() override;
    void Form_Load() override;
    void Form_Activate() override;
};

}  // namespace inventory
