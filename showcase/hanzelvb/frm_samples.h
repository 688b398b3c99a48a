#pragma once
// frmSamples ("... - Sample Controls"): two tabs of standard and data-bound
// controls over the sample database. Tab 1: the company tree, the order of
// the chosen product in bound boxes with its total, and a status bar naming
// the product. Tab 2: a grid of the customers and a chart.
#include <cstdint>
#include <memory>
#include <string>

#include "dao.h"
#include "datacontrol_widget.h"
#include "dbcombo.h"
#include "flexgrid.h"
#include "forms.h"
#include "imagelist.h"
#include "mschart.h"
#include "sstab.h"
#include "statusbar.h"
#include "test_control.h"
#include "treeview.h"

namespace hanzelvb {

class frmSamples : public forms::Form {
public:
    frmSamples();

    forms::SSTab SamplesTabControl{this, "SamplesTabControl",
                                   {"Win32 and Common Controls", "Data Grid and ActiveX"}, 120, 120, 9315, 6255};

    // Tab 1: Win32 and Common Controls.
    forms::Label TreeViewLabel{&SamplesTabControl, "TreeViewLabel", "TreeView Control", 240, 480, 3495, 255};
    forms::TreeView trvProductTree{&SamplesTabControl, "trvProductTree", 240, 780, 3495, 4455};
    forms::Shape shpBox{&SamplesTabControl, "shpBox", 3960, 480, 5115, 4755};
    forms::Label DataControlsLabel{&SamplesTabControl, "DataControlsLabel", "VB Controls", 4080, 600, 2415, 255};
    forms::Line Line1{&SamplesTabControl, "Line1", 4080, 960, 8955, 960};
    forms::Line Line2{&SamplesTabControl, "Line2", 4080, 975, 8955, 975};
    forms::Label CustomerLabel{&SamplesTabControl, "CustomerLabel", "Customer", 4200, 1260, 1575, 255};
    forms::DBCombo dbcCustomerList{&SamplesTabControl, "dbcCustomerList", 5880, 1200, 3015, 315};
    forms::Label lblProduct{&SamplesTabControl, "lblProduct", "Product", 4200, 1860, 1575, 255};
    forms::TextBox txtProduct{&SamplesTabControl, "txtProduct", 5880, 1800, 3015, 315};
    forms::Label OrderDateLabel{&SamplesTabControl, "OrderDateLabel", "Order Date", 4200, 2460, 1575, 255};
    forms::TextBox txtOrderDate{&SamplesTabControl, "txtOrderDate", 5880, 2400, 3015, 315};
    forms::Label OrderQuantityLabel{&SamplesTabControl, "OrderQuantityLabel", "Order Quantity", 4200, 3060, 1575, 255};
    forms::TextBox txtOrderQuantity{&SamplesTabControl, "txtOrderQuantity", 5880, 3000, 3015, 315};
    forms::Label PriceLabel{&SamplesTabControl, "PriceLabel", "Price per item", 4200, 3660, 1575, 255};
    forms::TextBox txtItemPrice{&SamplesTabControl, "txtItemPrice", 5880, 3600, 3015, 315};
    forms::Label OrderTotalLabel{&SamplesTabControl, "OrderTotalLabel", "Order Total", 4200, 4260, 1575, 255};
    forms::TextBox txtTotalOrderPrice{&SamplesTabControl, "txtTotalOrderPrice", 5880, 4200, 3015, 315};
    forms::StatusBar StatusBar1{&SamplesTabControl, "StatusBar1"};

    // Tab 2: Data Grid and ActiveX.
    forms::Label GridLabel{&SamplesTabControl, "GridLabel", "FlexGrid Control", 240, 480, 4455, 255};
    forms::FlexGrid MSFlexGrid{&SamplesTabControl, "MSFlexGrid", 240, 780, 8835, 1935};
    forms::Label lblDBGrid{&SamplesTabControl, "lblDBGrid", "DB Grid", 240, 2820, 4455, 255};
    forms::Label lblActiveX{&SamplesTabControl, "lblActiveX", "Visual Components First Impression ActiveX", 4920,
                            2820, 4155, 255};
    forms::Label lblChart{&SamplesTabControl, "lblChart", "Microsoft Chart Control", 240, 3180, 4455, 255};
    forms::MSChart MSChart1{&SamplesTabControl, "MSChart1", 240, 3480, 8835, 2595};

    forms::DataControl datCustomerInfo{this, "datCustomerInfo", "Customer Data", 120, 6510, 2895, 375};
    forms::DataControl datOrderInfo{this, "datOrderInfo", "Order Data", 3120, 6510, 2895, 375};
    forms::CommandButton cmdHome{this, "cmdHome", "<<< Home", 7980, 6510, 1455, 375};
    forms::ImageList ImageList1{this, "ImageList1", 6120, 6510};
    forms::ActiveXHost ZEVOTest1{this, kTestControlClass, "ZEVOTest1", 6600, 6510, 390, 390};

    void trvProductTree_NodeClick(forms::Node& Node);
    void cmdHome_Click();

    // The order query the order data control shows.
    static constexpr const char* kOrderQuery =
        "SELECT p.product,p.priceperunit,p.productid, o.orderdate, o.quantity, c.customername FROM product p, "
        "OrderData o, Customer c where c.customerid = o.customerid and p.productid = o.productid";

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(std::int16_t& Cancel) override;

private:
    void datOrderInfo_Validate(std::int16_t& Action, bool& Save);
    // Price times quantity into the total box; the price in the currency format.
    void ShowOrderTotal();
    // Widens the grid's columns from their current widths: every activation
    // widens them again, each column at most as wide as the grid.
    void WidenGridColumns();
    // Reports the database that cannot be opened and goes back to the start form.
    void DatabaseUnavailable();

    std::string sDatabasePath;
    std::shared_ptr<dao::Database> dbSamples;
};

}  // namespace hanzelvb
