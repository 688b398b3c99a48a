#pragma once
// frmMain ("Orvanta Online"): the catalogue window. A tree of composers and
// their compositions on the left; on the right a tab strip with the album
// picture and title ("Album") and the album details ("Details"), bound to
// the PRODUCTS row of the chosen composition through the data control.
// The window's logic lives in clsManageMain; its handlers forward to it.
#include <cstdint>
#include <memory>

#include "datacontrol_widget.h"
#include "forms.h"
#include "imagelist.h"
#include "main_window_design.h"
#include "statusbar.h"
#include "tabstrip.h"
#include "test_control.h"
#include "treeview.h"

namespace catalogue {

class clsManageMain;

class frmMain : public forms::Form {
public:
    frmMain();
    ~frmMain() override;

    // The design of the build this program was made as.
    const MainWindowDesign& Design() const { return design_; }

private:
    const MainWindowDesign& design_;

public:
    forms::ImageList imglstTree{this, "imglstTree", 0, 0};
    forms::TreeView treMain{this, "treMain", design_.tree.left, design_.tree.top,
                            design_.tree.width, design_.tree.height};
    forms::TabStrip tabMain{this, "tabMain", {"Album", "Details"}, design_.tabs.left,
                            design_.tabs.top, design_.tabs.width, design_.tabs.height};

    forms::Frame frameInfo{this, "frameInfo", "frameEvent", design_.tabs.left + kFrameOffsetLeft,
                           design_.tabs.top + kFrameOffsetTop, FrameWidth(), FrameHeight()};
    forms::Image pictAlbumImage{&frameInfo, "pictAlbumImage", 240, 120, 2400, 2400};
    forms::Label lblComposer{&frameInfo, "lblComposer", "", 2880, 480, DetailWidth(2880), 495};
    forms::Label lblComposition{&frameInfo, "lblComposition", "", 2880, 1080, DetailWidth(2880), 975};

    forms::Frame frameDetails{this, "frameDetails", "frameOther", design_.tabs.left + kFrameOffsetLeft,
                              design_.tabs.top + kFrameOffsetTop, FrameWidth(), FrameHeight()};
    forms::Label lblComposerLabel{&frameDetails, "lblComposerLabel", "Composer:", 120, 240, 1215, 255};
    forms::Label lblComposer2{&frameDetails, "lblComposer2", "", 1440, 240, DetailWidth(1440), 255};
    forms::Label lblCompositionLabel{&frameDetails, "lblCompositionLabel", "Composition:", 120, 570, 1215, 255};
    forms::Label lblComposition2{&frameDetails, "lblComposition2", "", 1440, 570, DetailWidth(1440), 255};
    forms::Label lblOrchestraLabel{&frameDetails, "lblOrchestraLabel", "Orchestra:", 120, 900, 1215, 255};
    forms::Label lblPerformer{&frameDetails, "lblPerformer", "", 1440, 900, DetailWidth(1440), 255};
    forms::Label lblConductorLabel{&frameDetails, "lblConductorLabel", "Conductor:", 120, 1230, 1215, 255};
    forms::Label lblConductor{&frameDetails, "lblConductor", "", 1440, 1230, DetailWidth(1440), 255};
    forms::Label lblPriceLabel{&frameDetails, "lblPriceLabel", "Price:", 120, 1560, 1215, 255};
    forms::Label lblDollarSign{&frameDetails, "lblDollarSign", "$", 1440, 1560, 135, 255};
    forms::Label lblPrice{&frameDetails, "lblPrice", "", 1590, 1560, 1215, 255};
    forms::Label lblDescriptionLabel{&frameDetails, "lblDescriptionLabel", "Description:", 120, 1890, 1215, 255};
    forms::TextBox txtDescription{&frameDetails, "txtDescription", 1440, 1890, DetailWidth(1440),
                                  FrameHeight() - 2010};

    forms::TextBox txtImageHolder{this, "txtImageHolder", 120, 120, 1215, 285};
    forms::DataControl dataMain{this, "dataMain", "dataMain", 120, 120, 2415, 345};
    forms::StatusBar statusMain{this, "statusMain", forms::sbrSimple,
                                "Click on an event for more information!"};
    forms::CommandButton cmdOrder{this, "cmdOrder", design_.orderCaption, design_.orderButton.left,
                                  design_.orderButton.top, design_.orderButton.width,
                                  design_.orderButton.height};
    // Step hints beside the tree, the tab strip and the order button (not in build A).
    std::unique_ptr<forms::Label> lblChooseAlbum;
    std::unique_ptr<forms::Label> lblSeeInfo;
    std::unique_ptr<forms::Label> lblOrder;
    forms::ActiveXHost ZEVOTest1{this, kTestControlClass, "ZEVOTest1", 120, 120, 390, 390};

    // Menus. The Admin menu's visibility, and that of two of its items,
    // follows each login.
    forms::Menu mnuFile{this, "mnuFile", "&File"};
    forms::Menu mnuLogin{&mnuFile, "mnuLogin", "&Login As New User..."};
    forms::Menu mnuFileClose{&mnuFile, "mnuFileClose", "E&xit"};
    forms::Menu mnuOrder{this, "mnuOrder", "&Order"};
    forms::Menu mnuPlaceOrder{&mnuOrder, "mnuPlaceOrder", "&Place New Order..."};
    forms::Menu mnuOrderStatus{&mnuOrder, "mnuOrderStatus", "&View Existing Order Status..."};
    std::unique_ptr<forms::Menu> div;                   // builds with the special order only
    std::unique_ptr<forms::Menu> mnuPlaceSpecialOrder;  // builds with the special order only
    forms::Menu mnuAdmin{this, "mnuAdmin", "&Admin"};
    forms::ControlArray<forms::Menu> mnuAdminChoice{&mnuAdmin, "mnuAdminChoice",
        forms::Element(1, "&Customers..."),
        forms::Element(2, "&Orders..."),
        forms::Element(3, "&Inventory...")};
    forms::Menu mnuBreak1{&mnuAdmin, "mnuBreak1", "-"};
    forms::Menu mnuRestore{&mnuAdmin, "mnuRestore", design_.restoreCaption};
    forms::Menu mnuHelp{this, "mnuHelp", "&Help"};
    std::unique_ptr<forms::Menu> mnuTip;      // build C
    std::unique_ptr<forms::Menu> mnuHelpTip;  // build B
    std::unique_ptr<forms::Menu> mnuHelpAbout;

    // The window's manager, made the first time it is needed.
    clsManageMain& Manager();

    void treMain_Expand(forms::Node& Node);
    void treMain_NodeClick(forms::Node& Node);
    void tabMain_Click();
    void txtImageHolder_Change();
    void pictAlbumImage_DblClick();
    void cmdOrder_Click();

    void mnuLogin_Click();
    void mnuFileClose_Click();
    void mnuPlaceOrder_Click();
    void mnuOrderStatus_Click();
    void mnuAdminChoice_Click(std::int16_t Index);
    void mnuRestore_Click();
    void mnuTip_Click();
    void mnuHelpTip_Click();
    void mnuHelpAbout_Click();

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode) override;

private:
    void ShowFirstAlbum();
    void ShowTipOfTheDay();

    forms::Twips FrameWidth() const { return design_.tabs.width - 2 * kFrameOffsetLeft; }
    forms::Twips FrameHeight() const { return design_.tabs.height - kFrameOffsetTop - 120; }
    forms::Twips DetailWidth(forms::Twips left) const { return FrameWidth() - left - 120; }

    std::shared_ptr<clsManageMain> manager_;
};

}  // namespace catalogue
