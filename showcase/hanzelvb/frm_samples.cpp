#include "frm_samples.h"

#include <algorithm>
#include <initializer_list>

#include "application.h"
#include "err.h"
#include "form_fonts.h"
#include "frm_main.h"
#include "order_total.h"
#include "product_tree.h"
#include "sample_database_path.h"
#include "settings.h"

namespace hanzelvb {

namespace {

// The chart's design-time data: each month's sales per division.
constexpr const char* kMonths[] = {"January", "February", "March", "April"};
constexpr const char* kDivisions[] = {"Widget Division", "Gizmo Division", "Thing Division", "Service Division"};
constexpr double kSales[4][4] = {
    {42, 31, 18, 12},
    {38, 35, 22, 15},
    {47, 29, 25, 19},
    {51, 33, 27, 21},
};

}  // namespace

frmSamples::frmSamples() : Form("frmSamples") {
    Caption("Tavorin Quentor: Hanzel! with Visual Basic (32-bit) - Sample Controls");
    BorderStyle(1);
    StartUpPosition(2);
    ClientSize(9555, 7065);

    SamplesTabControl.Font().Name("Arial Narrow");
    for (forms::Control* control :
         std::initializer_list<forms::Control*>{&GridLabel, &MSFlexGrid, &lblDBGrid, &lblActiveX, &lblChart, &MSChart1}) {
        SamplesTabControl.Place(*control, 1);
    }

    shpBox.ShapeKind(4);  // rounded rectangle
    Line1.BorderColor(0x808080);
    Line2.BorderColor(0xFFFFFF);
    StatusBar1.Align(0);
    StatusBar1.Move(240, 5400, 8835, 375);
    StatusBar1.Panels()(1).Width(2400);
    StatusBar1.Panels().Add().AutoSize(1);

    datCustomerInfo.Connect("Access");
    datCustomerInfo.RecordSource("Customer");
    datOrderInfo.Connect("Access");
    datOrderInfo.RecordSource(kOrderQuery);
    dbcCustomerList.RowSource(&datCustomerInfo);
    dbcCustomerList.ListField("CustomerName");
    dbcCustomerList.BoundColumn("CustomerName");
    forms::Bind(dbcCustomerList, datOrderInfo, "customername");
    forms::Bind(txtProduct, datOrderInfo, "product");
    forms::Bind(txtOrderDate, datOrderInfo, "orderdate");
    forms::Bind(txtOrderQuantity, datOrderInfo, "quantity");
    forms::Bind(txtItemPrice, datOrderInfo, "priceperunit");
    MSFlexGrid.DataSource(&datCustomerInfo);

    MSChart1.SeriesInRows(true);
    MSChart1.ShowLegend(true);
    MSChart1.RowCount(4);
    MSChart1.ColumnCount(4);
    for (std::int16_t row = 1; row <= 4; ++row) {
        MSChart1.RowLabel(row, kMonths[row - 1]);
        for (std::int16_t column = 1; column <= 4; ++column) {
            if (row == 1) MSChart1.ColumnLabel(column, kDivisions[column - 1]);
            MSChart1.SetData(row, column, kSales[row - 1][column - 1]);
        }
    }

    trvProductTree.NodeClick = [this](forms::Node& Node) { trvProductTree_NodeClick(Node); };
    cmdHome.Click = [this] { cmdHome_Click(); };
    datOrderInfo.Validate = [this](std::int16_t& Action, bool& Save) { datOrderInfo_Validate(Action, Save); };
}

void frmSamples::Form_Load() {
    vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); });
    bool opened = false;
    vb::OnErrorGoTo(
        [&] {
            sDatabasePath = vb::GetSetting(kSettingsApp, kSettingsSection, kDatabasePathKey, DefaultDatabasePath());
            vb::SaveSetting(kSettingsApp, kSettingsSection, kDatabasePathKey, sDatabasePath);

            FillProductTree(trvProductTree);
            trvProductTree.Style(4);
            trvProductTree.BorderStyle(1);
            for (int i = 1; i <= trvProductTree.Nodes().Count(); ++i) trvProductTree.Nodes()(i).Expanded(true);

            dbSamples = dao::OpenDatabase(sDatabasePath);
            datCustomerInfo.Recordset(dbSamples->OpenRecordset("select * from [Customer] order by [CustomerID]"));
            datOrderInfo.Recordset(dbSamples->OpenRecordset(kOrderQuery));
            opened = true;
        },
        [] {});
    if (!opened) DatabaseUnavailable();
}

void frmSamples::DatabaseUnavailable() {
    forms::MsgBox("The sample database " + sDatabasePath + " cannot be opened.\r\n\r\n" + vb::Err().Description,
                  forms::vbCritical);
    forms::Unload(*this);
}

void frmSamples::Form_Activate() {
    ShowOrderTotal();
    WidenGridColumns();
    forms::Node& widget = trvProductTree.Nodes()(3);
    widget.Selected(true);
    trvProductTree_NodeClick(widget);
    // The tree may be on the tab not shown: then the focus stays where it is.
    vb::ResumeNext([&] { trvProductTree.SetFocus(); });
}

void frmSamples::ShowOrderTotal() {
    const OrderTotalTexts texts = OrderTotal(txtItemPrice.Text(), txtOrderQuantity.Text());
    txtTotalOrderPrice.Text(texts.total);
    txtItemPrice.Text(texts.price);
}

void frmSamples::WidenGridColumns() {
    const forms::Twips widest = MSFlexGrid.Width();
    const auto widen = [widest](forms::Twips width) {
        return std::min(static_cast<forms::Twips>(vb::RoundHalfEven(width * 1.5)), widest);
    };
    MSFlexGrid.ColWidth(-1, widen(MSFlexGrid.ColWidth(1)));
    MSFlexGrid.ColWidth(1, widen(MSFlexGrid.ColWidth(1)));
    MSFlexGrid.ColWidth(2, widen(MSFlexGrid.ColWidth(2)));
}

void frmSamples::trvProductTree_NodeClick(forms::Node& Node) {
    if (!IsCompanyOrDivision(Node.Text())) {
        datOrderInfo.Recordset()->FindFirst("product = '" + Node.Text() + "'");
        ShowOrderTotal();
        StatusBar1.Panels()(1).Text("Product Selected is:");
        StatusBar1.Panels()(2).Text(Node.Text());
    } else {
        txtOrderQuantity.Text(" ");
        txtItemPrice.Text(" ");
        txtOrderDate.Text(" ");
        txtTotalOrderPrice.Text(" ");
        txtProduct.Text(" ");
        dbcCustomerList.Text(" ");
    }
}

// What the form writes into the bound boxes (the formatted price, blanks)
// is for showing only: it never goes back into the order rows.
void frmSamples::datOrderInfo_Validate(std::int16_t& Action, bool& Save) {
    (void)Action;
    Save = false;
}

void frmSamples::cmdHome_Click() {
    forms::Default<frmMain>().Show();
    Hide();
}

void frmSamples::Form_Unload(std::int16_t& Cancel) {
    (void)Cancel;
    forms::Default<frmMain>().Show();
    if (dbSamples) {
        dbSamples->Close();
        dbSamples.reset();
    }
}

}  // namespace hanzelvb
