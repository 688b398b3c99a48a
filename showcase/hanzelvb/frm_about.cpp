#include "frm_about.h"

#include <cstring>

#include "app_object.h"
#include "dir_search.h"
#include "err.h"
#include "form_fonts.h"
#include "format_value.h"
#include "registry_calls.h"
#include "shell_program.h"
#include "showcase_pictures.h"

namespace hanzelvb {

namespace {

// Where the system-information program is named.
constexpr const char* kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kSysInfoValue = "PATH";
constexpr const char* kSysInfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kSysInfoFolderValue = "MSINFO";
constexpr const char* kSysInfoProgram = "MSINFO32.EXE";

// Starts the program file itself, with no arguments: the whole path is one
// word for Shell, whatever blanks it holds. A path holding a double quote
// could not be passed as one word and is refused as a program that cannot
// start.
void StartProgramFile(const std::string& path) {
    if (path.empty() || path.find('"') != std::string::npos) vb::RaiseError(vb::errors::FileNotFound);
    vb::Shell("\"" + path + "\"", vb::vbNormalFocus);
}

}  // namespace

frmAbout::frmAbout() : Form("frmAbout") {
    Caption("About MyApp");
    BorderStyle(3);
    StartUpPosition(1);
    ClientSize(5730, 3555);

    picIcon.BorderStyle(0);
    picIcon.Picture(AboutIcon());
    lblTitle.Font().Size(12);
    lblTitle.Font().Bold(true);
    lblDescription.WordWrap(true);
    lblDisclaimer.WordWrap(true);
    Line1(0).BorderColor(0x808080);
    Line1(0).BorderWidth(2);
    Line1(1).BorderColor(0xFFFFFF);
    cmdOK.Default(true);
    cmdOK.Cancel(true);

    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdSysInfo.Click = [this] { cmdSysInfo_Click(); };
}

void frmAbout::Form_Load() {
    const vb::AppObject& app = vb::App();
    Caption("About " + app.Title());
    lblVersion.Caption("Version " + std::to_string(app.Major()) + "." + std::to_string(app.Minor()) + "." +
                       std::to_string(app.Revision()));
    lblTitle.Caption(app.Title());
    vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); });
}

void frmAbout::cmdOK_Click() { forms::Unload(*this); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::StartSysInfo() {
    vb::OnErrorGoTo(
        [&] {
            std::string SysInfoPath;
            if (!GetKeyValue(reg::HKEY_LOCAL_MACHINE, kSysInfoKey, kSysInfoValue, SysInfoPath)) {
                if (!GetKeyValue(reg::HKEY_LOCAL_MACHINE, kSysInfoFolderKey, kSysInfoFolderValue, SysInfoPath)) {
                    vb::RaiseError(vb::errors::FileNotFound);
                }
                const std::string program = SysInfoPath + "/" + kSysInfoProgram;
                if (vb::Dir(program).empty()) vb::RaiseError(vb::errors::FileNotFound);
                SysInfoPath = program;
            }
            StartProgramFile(SysInfoPath);
        },
        [] { forms::MsgBox("System Information Is Unavailable At This Time", forms::vbOKOnly); });
}

bool frmAbout::GetKeyValue(std::uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                           std::string& KeyVal) {
    std::uint32_t hKey = 0;
    bool result = false;
    // Read access only: looking a value up changes nothing.
    if (reg::RegOpenKeyEx(KeyRoot, KeyName, 0, reg::KEY_READ, hKey) != reg::ERROR_SUCCESS) {
        KeyVal = "";
        return false;
    }
    std::uint32_t KeyValType = 0;
    std::uint32_t KeyValSize = 1024;
    std::string tmpVal(KeyValSize, '\0');
    if (reg::RegQueryValueEx(hKey, SubKeyRef, KeyValType, tmpVal, KeyValSize) != reg::ERROR_SUCCESS) {
        KeyVal = "";
    } else {
        tmpVal.resize(KeyValSize);
        switch (KeyValType) {
        case reg::REG_SZ:
            if (!tmpVal.empty() && tmpVal.back() == '\0') tmpVal.pop_back();
            KeyVal = tmpVal;
            break;
        case reg::REG_DWORD:
            // Four bytes, low byte first: the number itself.
            if (tmpVal.size() == 4) {
                std::uint32_t bits = 0;
                for (int i = 3; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(tmpVal[static_cast<std::size_t>(i)]);
                std::int32_t number = 0;
                std::memcpy(&number, &bits, sizeof number);
                KeyVal = vb::Format(vb::Variant(number));
            }
            break;
        default:
            break;
        }
        result = true;
    }
    reg::RegCloseKey(hKey);
    return result;
}

}  // namespace hanzelvb
