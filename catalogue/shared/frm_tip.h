#pragma once
// frmTip ("Tip of the Day"): one randomly chosen line of a text file of
// tips, and the next random tip on request. The catalogue and the inventory
// programs share the form; each program and build brings its own load
// procedure, which finds its own tips file.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "collection.h"
#include "forms.h"
#include "test_control_class.h"

namespace orvanta {

class frmTip : public forms::Form {
public:
    // What the form does when it loads: the program's own search for its
    // tips file (see the load procedures below).
    using LoadProcedure = std::function<void(frmTip&)>;
    // Names the load procedure of the running program and build; the form
    // uses it from its next load on.
    static void UseLoadProcedure(LoadProcedure load);

    frmTip();

    forms::PictureBox Picture1{this, "Picture1", 120, 120, 690, 690};
    forms::Label Label1{this, "Label1", "Did you know...", 960, 120, 3855, 285};
    forms::Label lblTipText{this, "lblTipText", "", 960, 480, 3855, 1335};
    forms::CommandButton cmdOK{this, "cmdOK", "OK", 4980, 120, 1215, 375};
    forms::CommandButton cmdNextTip{this, "cmdNextTip", "&Next Tip", 4980, 600, 1215, 375};
    forms::ActiveXHost ZEVOTest1{this, kTestControlClass, "ZEVOTest1", 120, 1320, 390, 390};

    // Reads every line of the file into the tips and shows a random one;
    // false (and nothing changed) when the name is empty or no such file
    // exists.
    bool LoadTips(const std::string& sFile);
    // Shows the current tip when there are tips.
    void DisplayCurrentTip();

    // The tips read at this load, and the 1-based place of the one shown.
    long TipCount() const { return colTips ? colTips->Count() : 0; }
    std::int32_t CurrentTip() const { return lCurrentTip; }

    void cmdNextTip_Click();
    void cmdOK_Click();

protected:
    void Form_Load() override;
    void Form_Unload(std::int16_t& Cancel) override;

private:
    void DoNextTip();

    std::shared_ptr<vb::Collection> colTips;  // made on first use
    std::int32_t lCurrentTip = 0;
};

// What the tip area says when the tips file `fileName` (a bare file name)
// cannot be read.
std::string TipFileNotFoundText(const std::string& fileName);

// The load that reads one tips file: the random seed, the tips of the file
// at `path()` or else the not-found text for `fileName`, then the fonts of
// the locale. An error while reading is reported ("frmTip.Load") and the
// form still opens.
frmTip::LoadProcedure LoadTipsFromFile(std::function<std::string()> path, std::string fileName);

// The load that looks for `fileName` in the data folder found beside
// `databaseFile` (GetDataPath), else in the program folder: the fonts of
// the locale first, then the random seed and the tips. A bad file name is
// passed over; other errors are reported ("frmTip.Load") and the form still
// opens.
frmTip::LoadProcedure LoadTipsFromDataFolder(std::string databaseFile, std::string fileName);

}  // namespace orvanta
