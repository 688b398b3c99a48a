#include "frm_existing_login.h"

#include "cls_manage_login.h"
#include "err.h"
#include "form_fonts.h"
#include "frm_main.h"
#include "mod_main.h"
#include "text_functions.h"

namespace catalogue {

frmExistingLogin::frmExistingLogin() : Form("frmExistingLogin") {
    Caption("Orvanta Login");
    BorderStyle(3);
    StartUpPosition(2);
    ClientSize(4695, 2535);
    lstUserName.Style(2);
    txtPassword.PasswordChar("*");
    cmdOK.Default(true);
    cmdCancel.Cancel(true);

    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmExistingLogin::Form_Load() {
    vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); });
    vb::ResumeNext([&] { cmdCancel.Caption(modMain::gbLoggedIn ? "Cancel" : "E&xit"); });
    vb::ResumeNext([&] { Refresh(); });
    vb::ResumeNext([&] { modMain::Login().formActivate(*this); });
}

void frmExistingLogin::cmdOK_Click() {
    if (!lstUserName.Text().empty()) modMain::Login().SubmitPassword(*this);

    frmMain& mainWindow = forms::Default<frmMain>();
    const std::string name = vb::LCase(lstUserName.Text());
    if (name == "database admin") {
        mainWindow.mnuBreak1.Visible(true);
        mainWindow.mnuRestore.Visible(true);
        mainWindow.mnuAdmin.Visible(true);
    } else if (name == "admin") {
        mainWindow.mnuBreak1.Visible(false);
        mainWindow.mnuRestore.Visible(false);
        mainWindow.mnuAdmin.Visible(true);
    } else {
        mainWindow.mnuAdmin.Visible(false);
    }

    modMain::gbLoggedIn = true;
    forms::Unload(*this);
}

void frmExistingLogin::cmdCancel_Click() {
    if (cmdCancel.Caption() == "Cancel") {
        forms::Unload(*this);
    } else {
        forms::End();
    }
}

}  // namespace catalogue
