#include "frm_main_inventory.h"

#include "application.h"
#include "dao.h"
#include "err.h"
#include "error_report.h"
#include "frm_about.h"
#include "frm_po.h"
#include "frm_products.h"
#include "frm_restore_inventory.h"
#include "frm_suppliers.h"
#include "frm_tip.h"
#include "inventory_pictures.h"
#include "module_inventory.h"
#include "msgbox.h"
#include "program_build.h"

namespace inventory {

frmMainInventory::frmMainInventory() : MDIForm("frmMainInventory") {
    const BuildDesign& design = Design();
    Caption("Orvanta Inventory Management");
    StartUpPosition(2);
    ClientSize(design.mainClientWidth, design.mainClientHeight);
    Icon(AboutIcon());

    Picture1.Align(1);
    Picture1.Width(design.mainClientWidth);
    Picture1.BorderStyle(0);
    Picture1.TabIndex(0);
    struct ToolButton {
        forms::CommandButton& button;
        forms::PictureRef picture;
    };
    std::int16_t tabIndex = 1;
    for (const ToolButton& tool : {ToolButton{cmdSuppliers, SuppliersPicture()}, ToolButton{cmdPO, PurchaseOrdersPicture()},
                                   ToolButton{cmdProducts, ProductsPicture()}, ToolButton{cmdRestore, RestorePicture()},
                                   ToolButton{cmdHelp, HelpPicture()}, ToolButton{cmdExit, ExitPicture()}}) {
        tool.button.Style(1);
        tool.button.Picture(tool.picture);
        tool.button.TabIndex(tabIndex++);
    }

    cmdSuppliers.Click = [this] { cmdSuppliers_Click(); };
    cmdPO.Click = [this] { cmdPO_Click(); };
    cmdProducts.Click = [this] { cmdProducts_Click(); };
    cmdRestore.Click = [this] { cmdRestore_Click(); };
    cmdHelp.Click = [this] { cmdHelp_Click(); };
    cmdExit.Click = [this] { cmdExit_Click(); };
    mnuExit.Click = [this] { mnuExit_Click(); };
    mnuHelpTip.Click = [this] { mnuHelpTip_Click(); };
    mnuHelpAbout.Click = [this] { mnuHelpAbout_Click(); };
}

void frmMainInventory::NotImplemented(const char* feature) {
    forms::MsgBox("This feature is not implemented.", forms::vbOKOnly, std::string("Not Implemented: ") + feature);
}

void frmMainInventory::OpenRecordForm(forms::Form* recordForm) {
    vb::ResumeNext([&] {
        if (forms::Form* active = ActiveForm()) active->Visible(false);
    });
    // A form that cannot load (its recordsets do not open) is reported and
    // unloaded again; the window goes on.
    vb::OnErrorGoTo([&] { recordForm->Show(forms::vbModeless); },
                    [&] {
                        orvanta::ReportUnexpectedError("frmMainInventory.OpenRecordForm");
                        vb::ResumeNext([&] { forms::Unload(*recordForm); });
                    });
    vb::ResumeNext([&] { Arrange(forms::vbTileVertical); });
}

void frmMainInventory::cmdSuppliers_Click() {
    if (!Design().hasRecordFormsAndRestore) return NotImplemented("Suppliers");
    OpenRecordForm(&forms::Default<frmSuppliers>());
}

void frmMainInventory::cmdPO_Click() {
    if (!Design().hasRecordFormsAndRestore) return NotImplemented("Purchase Orders");
    OpenRecordForm(&forms::Default<frmPO>());
}

void frmMainInventory::cmdProducts_Click() {
    if (!Design().hasRecordFormsAndRestore) return NotImplemented("Products");
    OpenRecordForm(&forms::Default<frmProducts>());
}

void frmMainInventory::cmdRestore_Click() {
    if (!Design().hasRecordFormsAndRestore) return NotImplemented("Restore");
    forms::Default<frmRestoreInventory>().Show(forms::vbModal);
}

void frmMainInventory::cmdHelp_Click() { forms::Default<orvanta::frmTip>().Show(forms::vbModal); }

void frmMainInventory::mnuHelpTip_Click() { forms::Default<orvanta::frmTip>().Show(forms::vbModal); }

void frmMainInventory::mnuHelpAbout_Click() { forms::Default<frmAbout>().Show(forms::vbModal); }

void frmMainInventory::cmdExit_Click() { forms::Unload(*this); }

void frmMainInventory::mnuExit_Click() { forms::Unload(*this); }

void frmMainInventory::MDIForm_Unload(std::int16_t& Cancel) {
    (void)Cancel;
    if (!Design().closesDatabaseOnUnload) return;
    // Start-up may have ended before the database was open.
    if (Inventory::gdbInventory) Inventory::gdbInventory->Close();
    Inventory::gdbInventory.reset();
}

}  // namespace inventory
