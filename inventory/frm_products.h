#pragma once
// frmProducts ("Products"): the recordings kept in stock, one at a time, with
// the product's stock movements in a grid below; a double click opens one in
// the transactions form.
#include "record_form.h"

namespace inventory {

class frmProducts : public RecordForm {
public:
    frmProducts();

    forms::ControlArray<forms::Label> lblLabels{this, "lblLabels",
        forms::Element(0, "Product &ID:", 120, 150, 1575, 255),
        forms::Element(1, "Co&mposition:", 120, 510, 1575, 255),
        forms::Element(2, "D&escription:", 120, 870, 1575, 255),
        forms::Element(3, "Compo&ser:", 120, 1230, 1575, 255),
        forms::Element(4, "C&onductor:", 120, 1590, 1575, 255),
        forms::Element(5, "Per&former:", 120, 1950, 1575, 255),
        forms::Element(6, "Ima&ge:", 120, 2310, 1575, 255),
        forms::Element(7, "P&rice:", 120, 2670, 1575, 255),
        forms::Element(8, "Reorder &Level:", 120, 3030, 1575, 255)};
    forms::TextBox txtID{this, "txtID", 1800, 120, 1215, 285};
    forms::ControlArray<forms::TextBox> txtFields{this, "txtFields",
        forms::Element(0, 1800, 480, 4215, 285),
        forms::Element(4, 1800, 840, 4215, 285),
        forms::Element(1, 1800, 1200, 4215, 285),
        forms::Element(2, 1800, 1560, 4215, 285),
        forms::Element(3, 1800, 1920, 4215, 285),
        forms::Element(6, 1800, 2280, 4215, 285),
        forms::Element(7, 1800, 2640, 1215, 285),
        forms::Element(5, 1800, 3000, 1215, 285)};
    forms::FlexGrid grdTransaction{this, "grdTransaction", 120, 4080, 7455, 2415};

    void datPrimaryRS_Reposition();
    void grdTransaction_DblClick();

protected:
    CTable& OwnTable() override;
    forms::ControlArray<forms::TextBox>& Fields() override { return txtFields; }
    forms::TextBox& IdBox() override { return txtID; }
    std::string FieldKey(std::int16_t index) const override;
    const RecordReportDesign* ReportDesign() const override;
    void OpenRecordsets() override;
};

}  // namespace inventory
