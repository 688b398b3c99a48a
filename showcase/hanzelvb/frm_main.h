#pragma once
// frmMain ("Tavorin Quentor: Hanzel! with Visual Basic"): the start form.
// An introduction, the kinds of controls the program shows, and the way on
// to the samples form or out of the program.
#include "forms.h"
#include "richtextbox.h"
#include "test_control.h"

namespace hanzelvb {

class frmMain : public forms::Form {
public:
    frmMain();

    forms::PictureBox Picture1{this, "Picture1", 120, 120, 4215, 4335};
    forms::Image Image2{this, "Image2", 4560, 60, 3600, 600};
    forms::RichTextBox rtfVBStuff{this, "rtfVBStuff", 4440, 720, 3855, 1710};
    forms::Image Image1{this, "Image1", 4320, 2520, 300, 270};
    forms::Label Label3{this, "Label3", "Microsoft Windows common controls", 4680, 2520, 3495, 255};
    forms::Image Image3{this, "Image3", 4320, 2880, 300, 270};
    forms::Label Label4{this, "Label4", "Data Bound List control", 4680, 2880, 3495, 255};
    forms::Image Image4{this, "Image4", 4320, 3240, 300, 270};
    forms::Label Label2{this, "Label2", "Flexigrid Data Bound grid", 4680, 3240, 3495, 255};
    forms::Image Image5{this, "Image5", 4320, 3600, 300, 270};
    forms::Label Label5{this, "Label5", "Microsoft Chart control", 4680, 3600, 3495, 255};
    forms::Image Image6{this, "Image6", 4320, 3960, 300, 270};
    forms::Label Label1{this, "Label1", "Rich Text Box control", 4680, 3960, 3495, 255};
    forms::Label Label7{this, "Label7", "Label7", 840, 240, 15, 15};
    forms::CommandButton cmdExitMain{this, "cmdExitMain", "Exit", 5520, 4560, 1215, 375};
    forms::CommandButton cmdNext{this, "cmdNext", "Next >>>", 6960, 4560, 1215, 375};
    forms::ActiveXHost ZEVOTest1{this, kTestControlClass, "ZEVOTest1", 120, 4560, 390, 390};

    forms::Menu filemnu{this, "filemnu", "&File"};
    forms::Menu Exitmnu{&filemnu, "Exitmnu", "E&xit"};
    forms::Menu SampMnu{this, "SampMnu", "&Samples"};
    forms::Menu CompMnu{&SampMnu, "CompMnu", "&View Samples..."};
    forms::Menu mnuHelp{this, "mnuHelp", "&Help"};
    forms::Menu AboutMnu{&mnuHelp, "AboutMnu", "&About"};

    void cmdNext_Click();
    void cmdExitMain_Click();
    void CompMnu_Click();
    void AboutMnu_Click();
    void Exitmnu_Click();

    // The introduction, with the product phrase that Form_Load makes bold.
    static constexpr const char* kIntroduction =
        "Use this applet with the Tavorin Quentor: Hanzel! card. Discover how easy it is to test the "
        "controls in your Visual Basic applications, including:";
    static constexpr const char* kProductPhrase = "Tavorin Quentor: Hanzel!";

protected:
    void Form_Load() override;
    void Form_Unload(std::int16_t& Cancel) override;
};

}  // namespace hanzelvb
