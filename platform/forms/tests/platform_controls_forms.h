#pragma once
// Forms used by the tests of the platform's controls: a catalogue-like
// window (tree with images, tab strip with two frames, status bar, a data
// control with bound labels and a hidden bound text box), an orders window
// with a flexible grid, and an administration window with a data-bound grid.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QImage>
#include <QPixmap>

#include "datacontrol_widget.h"
#include "error_of.h"
#include "dbgrid.h"
#include "flexgrid.h"
#include "forms.h"
#include "imagelist.h"
#include "statusbar.h"
#include "tabstrip.h"
#include "test_driver.h"
#include "treeview.h"

namespace pctest {

inline forms::PictureRef SolidPicture(Qt::GlobalColor colour) {
    QPixmap p(16, 16);
    p.fill(colour);
    return std::make_shared<forms::Picture>(p);
}

using formtest::ErrorOf;

class frmCatalogue : public forms::Form {
public:
    frmCatalogue() : Form("frmCatalogue") {
        Caption("Orvanta Online");
        ClientSize(10905, 5610);
        treMain.ImageList(&imglstTree);
        imglstTree.ListImages().Add(SolidPicture(Qt::darkBlue));
        imglstTree.ListImages().Add(0, "album", SolidPicture(Qt::darkRed));
        treMain.NodeClick = [this](forms::Node& Node) { log.push_back("NodeClick " + Node.Key()); };
        treMain.Expand = [this](forms::Node& Node) { log.push_back("Expand " + Node.Key()); };
        treMain.Collapse = [this](forms::Node& Node) { log.push_back("Collapse " + Node.Key()); };
        tabMain.Click = [this] {
            log.push_back("tabMain_Click " + std::to_string(tabMain.SelectedItem()->Index()));
            const bool album = tabMain.SelectedItem()->Index() == 1;
            frameInfo.Visible(album);
            frameDetails.Visible(!album);
        };
        forms::Bind(lblComposer, dataMain, "COMPOSER");
        forms::Bind(lblComposition, dataMain, "COMPOSITION");
        forms::Bind(lblPrice, dataMain, "PRICE");
        forms::Bind(txtDescription, dataMain, "DESCRIPTION");
        forms::Bind(txtImageHolder, dataMain, "IMAGE");
        txtImageHolder.Visible(false);
        txtImageHolder.Change = [this] { log.push_back("txtImageHolder_Change " + txtImageHolder.Text()); };
        dataMain.Reposition = [this] { log.push_back("dataMain_Reposition"); };
        dataMain.Visible(false);
    }

    std::vector<std::string> log;

    forms::TreeView treMain{this, "treMain", 120, 480, 3975, 4095};
    forms::ImageList imglstTree{this, "imglstTree", 120, 4700};
    forms::TabStrip tabMain{this, "tabMain", {"Album", "Details"}, 4320, 120, 6255, 4455};
    forms::Frame frameInfo{this, "frameInfo", "", 4534, 569, 5800, 3800};
    forms::Label lblComposer{&frameInfo, "lblComposer", "", 240, 360, 3495, 255};
    forms::Label lblComposition{&frameInfo, "lblComposition", "", 240, 720, 3495, 255};
    forms::Frame frameDetails{this, "frameDetails", "", 4534, 569, 5800, 3800};
    forms::Label lblPrice{&frameDetails, "lblPrice", "", 1440, 360, 1215, 255};
    forms::TextBox txtDescription{&frameDetails, "txtDescription", 240, 840, 5000, 1500};
    forms::TextBox txtImageHolder{this, "txtImageHolder", 120, 5000, 1215, 285};
    forms::DataControl dataMain{this, "dataMain", "dataMain", 4320, 4700, 2775, 375};
    forms::StatusBar statusMain{this, "statusMain", forms::sbrSimple, "Click on an event for more information!"};
};

class frmExisting : public forms::Form {
public:
    frmExisting() : Form("frmExisting") {
        Caption("View Existing Orders");
        ClientSize(9000, 4200);
        FlexigridOrders.Click = [this] { log.push_back("Click"); };
        FlexigridOrders.DblClick = [this] { log.push_back("DblClick " + std::to_string(FlexigridOrders.RowSel())); };
    }
    std::vector<std::string> log;
    forms::FlexGrid FlexigridOrders{this, "FlexigridOrders", 120, 480, 8655, 3015};
};

class frmAdmin : public forms::Form {
public:
    frmAdmin() : Form("frmAdmin") {
        Caption("Orvanta Online Administration");
        ClientSize(8700, 4500);
        dbgridAdmin.DataSource(&dataAdmin);
        dbgridAdmin.Caption("Orvanta Online");
        dbgridAdmin.AllowUpdate(false);
        dbgridAdmin.MouseUp = [this](std::int16_t Button, std::int16_t, float, float) {
            log.push_back("MouseUp " + std::to_string(Button));
        };
        dbgridAdmin.MouseDown = [this](std::int16_t Button, std::int16_t, float, float) {
            log.push_back("MouseDown " + std::to_string(Button));
        };
        dataAdmin.Visible(false);
        FlexigridCustomers.DataSource(&dataAdmin);
    }
    std::vector<std::string> log;
    forms::DBGrid dbgridAdmin{this, "dbgridAdmin", 120, 120, 8295, 3615};
    forms::DataControl dataAdmin{this, "dataAdmin", "", 120, 3840, 2775, 375};
    forms::FlexGrid FlexigridCustomers{this, "FlexigridCustomers", 120, 3840, 4000, 600};
};

// A record form: a visible data control with bound text boxes.
class frmSuppliers : public forms::Form {
public:
    frmSuppliers() : Form("frmSuppliers") {
        Caption("Suppliers");
        ClientSize(6000, 2400);
        forms::Bind(txtID, datPrimaryRS, "SupplierID");
        forms::Bind(txtFields(0), datPrimaryRS, "SupplierName");
        forms::Bind(txtFields(1), datPrimaryRS, "City");
        datPrimaryRS.Validate = [this](std::int16_t& Action, bool& Save) {
            log.push_back("Validate " + std::to_string(Action) + (Save ? " save" : ""));
            if (cancelPendingOnUnload && Action == 11 && datPrimaryRS.Recordset()->EditMode() != 0) {
                datPrimaryRS.Recordset()->CancelUpdate();
            }
            if (onValidate) onValidate(Action, Save);
        };
        datPrimaryRS.Reposition = [this] { log.push_back("Reposition " + txtID.Text()); };
        forms::Bind(txtCityHolder, datPrimaryRS, "City");
        txtCityHolder.Visible(false);
        txtCityHolder.Change = [this] { changes.push_back(txtCityHolder.Text()); };
    }
    std::vector<std::string> log;
    std::vector<std::string> changes;  // of txtCityHolder
    bool cancelPendingOnUnload = false;
    std::function<void(std::int16_t& Action, bool& Save)> onValidate;

    forms::TextBox txtID{this, "txtID", 1800, 120, 975, 285};
    forms::ControlArray<forms::TextBox> txtFields{this, "txtFields", forms::Element(0, 1800, 480, 3000, 285),
                                                  forms::Element(1, 1800, 840, 3000, 285)};
    forms::DataControl datPrimaryRS{this, "datPrimaryRS", "Suppliers", 1800, 1320, 3000, 375};
    forms::TextBox txtCityHolder{this, "txtCityHolder", "Text1", 120, 1800, 975, 285};
};

}  // namespace pctest
