#pragma once
// frmMainInventory ("Orvanta Inventory Management"): the multiple-document
// main window, with a toolbar of six picture buttons (suppliers, purchase
// orders, products, restore, help, exit) and the File and Help menus.
#include <cstdint>

#include "forms.h"
#include "test_control_class.h"

namespace inventory {

class frmMainInventory : public forms::MDIForm {
public:
    frmMainInventory();

    forms::PictureBox Picture1{this, "Picture1", 0, 0, 9495, 1215};
    forms::CommandButton cmdSuppliers{&Picture1, "cmdSuppliers", "", 120, 120, 975, 855};
    forms::CommandButton cmdPO{&Picture1, "cmdPO", "", 1200, 120, 975, 855};
    forms::CommandButton cmdProducts{&Picture1, "cmdProducts", "", 2280, 120, 975, 855};
    forms::CommandButton cmdRestore{&Picture1, "cmdRestore", "", 3360, 120, 975, 855};
    forms::CommandButton cmdHelp{&Picture1, "cmdHelp", "", 4440, 120, 975, 855};
    forms::CommandButton cmdExit{&Picture1, "cmdExit", "", 5520, 120, 975, 855};
    forms::ActiveXHost ZEVOTest1{this, orvanta::kTestControlClass, "ZEVOTest1", 6720, 360, 390, 390};

    forms::Menu mnuFile{this, "mnuFile", "&File"};
    forms::Menu mnuExit{&mnuFile, "mnuExit", "E&xit"};
    forms::Menu mnuHelp{this, "mnuHelp", "&Help"};
    forms::Menu mnuHelpTip{&mnuHelp, "mnuHelpTip", "&Tip of the day..."};
    forms::Menu mnuHelpAbout{&mnuHelp, "mnuHelpAbout", "&About Orvanta Inventory..."};

    void cmdSuppliers_Click();
    void cmdPO_Click();
    void cmdProducts_Click();
    void cmdRestore_Click();
    void cmdHelp_Click();
    void cmdExit_Click();
    void mnuExit_Click();
    void mnuHelpTip_Click();
    void mnuHelpAbout_Click();

protected:
    void MDIForm_Unload(std::int16_t& Cancel) override;

private:
    // Hides the active child window, shows `recordForm` and tiles the
    // children side by side; a step that fails is passed over, a form that
    // fails to load is reported.
    void OpenRecordForm(forms::Form* recordForm);
    // Build B's answer to a command it does not have.
    static void NotImplemented(const char* feature);
};

}  // namespace inventory
