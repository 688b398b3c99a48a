#include "frm_tip.h"

#include "app_object.h"
#include "data_path.h"
#include "dir_search.h"
#include "err.h"
#include "error_report.h"
#include "file_io.h"
#include "form_fonts.h"
#include "number_functions.h"
#include "rnd.h"
#include "tip_picture.h"

namespace orvanta {

namespace {

frmTip::LoadProcedure& CurrentLoadProcedure() {
    static frmTip::LoadProcedure load;
    return load;
}

// Runs a statement that probes for a file; a bad file name (error 52) is
// passed over and the next statement runs. Other errors go on to the caller.
void ResumeAfterBadFileName(const std::function<void()>& statement) {
    try {
        statement();
    } catch (const vb::VBError& e) {
        if (e.number() != vb::errors::BadFileNameOrNumber) throw;
        vb::Err().Set(e);
    }
}

}  // namespace

void frmTip::UseLoadProcedure(LoadProcedure load) { CurrentLoadProcedure() = std::move(load); }

frmTip::frmTip() : Form("frmTip") {
    Caption("Tip of the Day");
    BorderStyle(3);
    StartUpPosition(2);
    ClientSize(6315, 1935);

    Picture1.BorderStyle(0);
    Picture1.BackColor(0xFFFFFF);
    Picture1.Picture(TipPicture());
    Label1.Font().Bold(true);
    Label1.BackStyle(0);
    lblTipText.WordWrap(true);
    lblTipText.BackStyle(0);
    cmdOK.Default(true);
    cmdOK.Cancel(true);

    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdNextTip.Click = [this] { cmdNextTip_Click(); };
}

bool frmTip::LoadTips(const std::string& sFile) {
    const int fileNumber = vb::FreeFile();
    if (sFile.empty() || vb::Dir(sFile).empty()) return false;

    if (!colTips) colTips = std::make_shared<vb::Collection>();
    vb::Open(sFile, vb::OpenMode::Input, fileNumber);
    try {
        while (!vb::Eof(fileNumber)) colTips->Add(vb::Variant(vb::LineInput(fileNumber)));
    } catch (...) {
        vb::Close(fileNumber);
        throw;
    }
    vb::Close(fileNumber);

    DoNextTip();
    return true;
}

void frmTip::DoNextTip() {
    const long count = TipCount();
    lCurrentTip = static_cast<std::int32_t>(vb::Int(static_cast<double>(vb::Rnd()) * count + 1));
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip() {
    if (TipCount() > 0) lblTipText.Caption(colTips->Item(vb::Variant(lCurrentTip)).ToString());
}

void frmTip::cmdNextTip_Click() { DoNextTip(); }

void frmTip::cmdOK_Click() { forms::Unload(*this); }

void frmTip::Form_Load() {
    if (const LoadProcedure& load = CurrentLoadProcedure()) {
        load(*this);
    } else {
        vb::ResumeNext([&] { SetFontsForLocale(*this); });
    }
}

void frmTip::Form_Unload(std::int16_t& Cancel) {
    (void)Cancel;
    // The next opening reads the file again.
    colTips.reset();
    lCurrentTip = 0;
}

std::string TipFileNotFoundText(const std::string& fileName) {
    return "That the " + fileName + " file was not found? \r\n\r\nCreate a text file named " + fileName +
           " using NotePad with 1 tip per line. Then place it in the same directory as the application. ";
}

frmTip::LoadProcedure LoadTipsFromFile(std::function<std::string()> path, std::string fileName) {
    return [path = std::move(path), fileName = std::move(fileName)](frmTip& form) {
        vb::OnErrorGoTo(
            [&] {
                vb::Randomize();
                if (!form.LoadTips(path())) form.lblTipText.Caption(TipFileNotFoundText(fileName));
            },
            [] { ReportUnexpectedError("frmTip.Load"); });
        vb::ResumeNext([&] { SetFontsForLocale(form); });
    };
}

frmTip::LoadProcedure LoadTipsFromDataFolder(std::string databaseFile, std::string fileName) {
    return [databaseFile = std::move(databaseFile), fileName = std::move(fileName)](frmTip& form) {
        vb::ResumeNext([&] { SetFontsForLocale(form); });
        vb::OnErrorGoTo(
            [&] {
                vb::Randomize();
                std::string path;
                ResumeAfterBadFileName([&] { path = GetDataPath(databaseFile) + fileName; });
                bool inDataFolder = false;
                ResumeAfterBadFileName([&] { inDataFolder = !path.empty() && !vb::Dir(path).empty(); });
                if (!inDataFolder) path = vb::App().Path() + "/" + fileName;
                bool loaded = false;
                ResumeAfterBadFileName([&] { loaded = form.LoadTips(path); });
                if (!loaded) form.lblTipText.Caption(TipFileNotFoundText(fileName));
            },
            [] { ReportUnexpectedError("frmTip.Load"); });
    };
}

}  // namespace orvanta
