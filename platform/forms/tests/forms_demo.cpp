// A small program with a form of every kind of intrinsic control, to look at
// the forms as a user would (scripts/screenshot.sh forms_demo).
// "forms_demo --mdi" shows a multiple-document window with two children.
#include <cstring>

#include "forms.h"

namespace {

class frmDemo : public forms::Form {
public:
    frmDemo() : Form("frmDemo") {
        Caption("Make An Order");
        ClientSize(7200, 5400);
        Move(600, 600);
        comboCardType.Style(2);
        for (const char* c : {"Visa", "MasterCard", "American Express", "Discover"}) comboCardType.AddItem(c);
        txtPassword.PasswordChar("*");
        cmdOrder.Default(true);
        cmdCancel.Cancel(true);
        cmdCancel.Click = [this] { forms::Unload(*this); };
        mnuExit.Click = [this] { forms::Unload(*this); };
        optSort(0).Value(true);
        shpBox.BorderColor(0x808080);
    }
    forms::Menu mnuFile{this, "mnuFile", "&File"};
    forms::Menu mnuLogin{&mnuFile, "mnuLogin", "&Login As New User..."};
    forms::Menu mnuBreak{&mnuFile, "mnuBreak", "-"};
    forms::Menu mnuExit{&mnuFile, "mnuExit", "E&xit"};
    forms::Menu mnuHelp{this, "mnuHelp", "&Help"};
    forms::Menu mnuAbout{&mnuHelp, "mnuAbout", "&About Orvanta Online"};
    forms::Frame fraInfo{this, "fraInfo", "Your Information", 120, 120, 4200, 1700};
    forms::ControlArray<forms::Label> lblInfo{&fraInfo, "lblInfo", forms::Element(0, "Name", 120, 300, 1000, 255),
                                              forms::Element(1, "Street  ", 120, 700, 1000, 255),
                                              forms::Element(2, "Telephone ", 120, 1100, 1000, 255)};
    forms::ControlArray<forms::TextBox> txtInfo{&fraInfo, "txtInfo", forms::Element(0, "Ada Lovelace", 1200, 270, 2800, 285),
                                                forms::Element(1, "12 Analytical Row", 1200, 670, 2800, 285),
                                                forms::Element(2, "555-0100", 1200, 1070, 2800, 285)};
    forms::Frame fraPayment{this, "fraPayment", "Payment Information", 120, 1950, 4200, 1300};
    forms::Label lblCardType{&fraPayment, "lblCardType", "Card Type:", 120, 330, 1000, 255};
    forms::ComboBox comboCardType{&fraPayment, "comboCardType", 1200, 300, 2800, 315};
    forms::Label lblPassword{&fraPayment, "lblPassword", "Password:", 120, 780, 1000, 255};
    forms::TextBox txtPassword{&fraPayment, "txtPassword", "secret", 1200, 750, 2800, 285};
    forms::Frame fraSort{this, "fraSort", "Sort By", 4500, 120, 2500, 1700};
    forms::ControlArray<forms::OptionButton> optSort{&fraSort, "optSort",
                                                     forms::Element(0, "Product ID", 120, 300, 2200, 255),
                                                     forms::Element(1, "Composer", 120, 700, 2200, 255),
                                                     forms::Element(2, "Conductor", 120, 1100, 2200, 255)};
    forms::CheckBox chkRemember{this, "chkRemember", "Remember Password", 4500, 2000, 2500, 255};
    forms::ListBox lstNames{this, "lstNames", 4500, 2400, 2500, 850};
    forms::Line Line1{this, "Line1", 120, 3450, 7080, 3450};
    forms::Shape shpBox{this, "shpBox", 120, 3600, 6960, 900};
    forms::Label lblTotal{this, "lblTotal", "Total:  $ 53.97", 300, 3850, 3000, 255};
    forms::CommandButton cmdOrder{this, "cmdOrder", "&Place Order", 3960, 4680, 1440, 375};
    forms::CommandButton cmdCancel{this, "cmdCancel", "Cancel", 5580, 4680, 1440, 375};
    forms::ActiveXHost ZEVOTest1{this, "ZEVOTestObjectsCtl.ZEVOTest", "ZEVOTest1"};

protected:
    void Form_Load() override {
        for (const char* n : {"Ada Lovelace", "Charles Babbage", "Grace Hopper"}) lstNames.AddItem(n);
        lstNames.ListIndex(0);
        comboCardType.ListIndex(0);
    }
};

class frmInventory : public forms::MDIForm {
public:
    frmInventory() : MDIForm("frmInventory") {
        Caption("Orvanta Inventory Management");
        ClientSize(9495, 7005);
        Move(300, 300);
        Picture1.Align(1);
    }
    forms::Menu mnuFile{this, "mnuFile", "&File"};
    forms::Menu mnuExit{&mnuFile, "mnuExit", "E&xit"};
    forms::PictureBox Picture1{this, "Picture1", 0, 0, 9495, 1215};
    forms::CommandButton cmdSuppliers{&Picture1, "cmdSuppliers", "Suppliers", 120, 120, 975, 855};
    forms::CommandButton cmdPO{&Picture1, "cmdPO", "Orders", 1200, 120, 975, 855};
};

class frmChild : public forms::Form {
public:
    explicit frmChild(const char* name) : Form(name) {
        MDIChild(true);
        Caption(name);
        ClientSize(4000, 3000);
    }
    forms::Label lblID{this, "lblID", "ID:", 120, 150, 800, 255};
    forms::TextBox txtID{this, "txtID", "1", 1000, 120, 1500, 285};
};
class frmSuppliers : public frmChild {
public:
    frmSuppliers() : frmChild("Suppliers") {}
};
class frmProducts : public frmChild {
public:
    frmProducts() : frmChild("Products") {}
};

}  // namespace

int main(int argc, char** argv) {
    forms::Application app(argc, argv);
    // The demo forms carry the test control; a windowless placeholder stands
    // in for it, so the demo runs without the control registered.
    forms::RegisterActiveXFactory("ZEVOTestObjectsCtl.ZEVOTest",
                                  [](forms::ActiveXHost&) { return std::unique_ptr<forms::ActiveXInstance>(); });
    const bool mdi = argc > 1 && std::strcmp(argv[1], "--mdi") == 0;
    return app.Run([mdi] {
        if (mdi) {
            forms::Default<frmInventory>().Show();
            forms::Default<frmSuppliers>().Show();
            forms::Default<frmProducts>().Show();
            forms::Default<frmInventory>().Arrange(forms::vbTileVertical);
        } else {
            forms::Default<frmDemo>().Show();
        }
    });
}
