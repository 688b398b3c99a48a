#include "frm_main.h"

#include "cls_manage_login.h"
#include "cls_manage_main.h"
#include "data_path.h"
#include "err.h"
#include "form_fonts.h"
#include "frm_about.h"
#include "frm_existing_login.h"
#include "frm_order.h"
#include "frm_order_album.h"
#include "frm_tip.h"
#include "layout_integer.h"
#include "mod_main.h"
#include "tree_images.h"
#include "unload_all_forms.h"

namespace catalogue {

frmMain::frmMain() : Form("frmMain"), design_(MainWindowDesignFor(ProgramBuild())) {
    Caption("Orvanta Online");
    Move(design_.window.left, design_.window.top, design_.window.width, design_.window.height);

    imglstTree.ListImages().Add(1, "", ComposerTreeImage());
    imglstTree.ListImages().Add(2, "", CompositionTreeImage());
    treMain.ImageList(&imglstTree);
    treMain.LineStyle(1);
    treMain.Indentation(285);
    treMain.HideSelection(false);
    treMain.BorderStyle(1);

    frameInfo.BorderStyle(0);
    frameDetails.BorderStyle(0);
    for (forms::Label* label :
         {&lblComposer, &lblComposition, &lblComposerLabel, &lblComposer2, &lblCompositionLabel,
          &lblComposition2, &lblOrchestraLabel, &lblPerformer, &lblConductorLabel, &lblConductor,
          &lblPriceLabel, &lblDollarSign, &lblPrice, &lblDescriptionLabel}) {
        label->BackStyle(0);
    }
    pictAlbumImage.Stretch(true);
    pictAlbumImage.BorderStyle(1);
    pictAlbumImage.Visible(false);
    lblComposer.WordWrap(true);
    lblComposer.Font().Bold(true);
    lblComposition.WordWrap(true);
    txtDescription.MultiLine(true);
    txtDescription.ScrollBars(2);
    txtDescription.Locked(true);

    forms::Bind(lblComposer, dataMain, "COMPOSER");
    forms::Bind(lblComposition, dataMain, "COMPOSITION");
    forms::Bind(lblComposer2, dataMain, "COMPOSER");
    forms::Bind(lblComposition2, dataMain, design_.composition2Field);
    forms::Bind(lblPerformer, dataMain, "PERFORMER");
    forms::Bind(lblConductor, dataMain, "CONDUCTOR");
    forms::Bind(lblPrice, dataMain, "PRICE");
    forms::Bind(txtDescription, dataMain, "DESCRIPTION");
    forms::Bind(txtImageHolder, dataMain, "IMAGE");
    txtImageHolder.Visible(false);
    dataMain.Visible(false);

    if (design_.stepLabels) {
        lblChooseAlbum = std::make_unique<forms::Label>(this, "lblChooseAlbum", "1. Choose an Album",
                                                        design_.tree.left, design_.tree.top - 300,
                                                        design_.tree.width, 255);
        lblSeeInfo = std::make_unique<forms::Label>(this, "lblSeeInfo", "2. See Album Details",
                                                    design_.tabs.left, design_.tabs.top - 300,
                                                    design_.tabs.width, 255);
        lblOrder = std::make_unique<forms::Label>(this, "lblOrder", "3. Place Order", design_.tree.left,
                                                  design_.orderButton.top + 60,
                                                  design_.orderButton.left - design_.tree.left - 60, 255);
    }

    if (design_.specialOrderItems) {
        div = std::make_unique<forms::Menu>(&mnuOrder, "div", "-");
        div->Visible(false);
        mnuPlaceSpecialOrder =
            std::make_unique<forms::Menu>(&mnuOrder, "mnuPlaceSpecialOrder", "&Place a Special Order...");
        mnuPlaceSpecialOrder->Visible(false);
    }
    switch (design_.tipItem) {
    case MainWindowDesign::TipItem::Tip:
        mnuTip = std::make_unique<forms::Menu>(&mnuHelp, "mnuTip", "&Tip of the day...");
        break;
    case MainWindowDesign::TipItem::HelpTip:
        mnuHelpTip = std::make_unique<forms::Menu>(&mnuHelp, "mnuHelpTip", "&Tip of the day");
        break;
    case MainWindowDesign::TipItem::None:
        break;
    }
    mnuHelpAbout = std::make_unique<forms::Menu>(&mnuHelp, "mnuHelpAbout", "&About Orvanta Online");

    treMain.Expand = [this](forms::Node& Node) { treMain_Expand(Node); };
    treMain.NodeClick = [this](forms::Node& Node) { treMain_NodeClick(Node); };
    tabMain.Click = [this] { tabMain_Click(); };
    txtImageHolder.Change = [this] { txtImageHolder_Change(); };
    if (design_.quickOrder) pictAlbumImage.DblClick = [this] { pictAlbumImage_DblClick(); };
    cmdOrder.Click = [this] { cmdOrder_Click(); };

    mnuLogin.Click = [this] { mnuLogin_Click(); };
    mnuFileClose.Click = [this] { mnuFileClose_Click(); };
    mnuPlaceOrder.Click = [this] { mnuPlaceOrder_Click(); };
    mnuOrderStatus.Click = [this] { mnuOrderStatus_Click(); };
    mnuAdminChoice.Click = [this](std::int16_t Index) { mnuAdminChoice_Click(Index); };
    mnuRestore.Click = [this] { mnuRestore_Click(); };
    if (mnuTip) mnuTip->Click = [this] { mnuTip_Click(); };
    if (mnuHelpTip) mnuHelpTip->Click = [this] { mnuHelpTip_Click(); };
    mnuHelpAbout->Click = [this] { mnuHelpAbout_Click(); };
}

frmMain::~frmMain() = default;

clsManageMain& frmMain::Manager() {
    if (!manager_) manager_ = std::make_shared<clsManageMain>();
    return *manager_;
}

void frmMain::Form_Load() {
    vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); });
    vb::ResumeNext([&] { Manager().InitMainForm(*this); });
}

// Builds A and B end the program whatever unloads the window; build C only
// when the user closes it.
void frmMain::Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode) {
    (void)Cancel;
    if (design_.closeOnEveryUnload) {
        orvanta::UnloadAllForms();
    } else if (UnloadMode == forms::vbFormControlMenu) {
        mnuFileClose_Click();
    }
}

void frmMain::Form_Resize() {
    if (design_.fullResizeLayout) {
        const std::int16_t treeWidth = LayoutInteger(Width() - tabMain.Width() - 120 - 150 - 200);
        if (treeWidth > 0) treMain.Width(treeWidth);
        const std::int16_t tabsLeft = LayoutInteger(treMain.Left() + treMain.Width() + 150);
        if (tabsLeft > 0) tabMain.Left(tabsLeft);
        if (lblSeeInfo) lblSeeInfo->Left(tabMain.Left());
        const std::int16_t treeHeight = LayoutInteger(Height() - treMain.Top() - 1850);
        if (treeHeight > 0) treMain.Height(treeHeight);
        const std::int16_t orderTop = LayoutInteger(treMain.Top() + treMain.Height() + 120);
        if (orderTop > 0) cmdOrder.Top(orderTop);
        if (lblOrder) lblOrder->Top(orderTop);
    }
    for (forms::Frame* frame : {&frameInfo, &frameDetails}) {
        frame->Top(LayoutInteger(tabMain.Top() + kFrameOffsetTop));
        frame->Left(LayoutInteger(tabMain.Left() + kFrameOffsetLeft));
    }
}

void frmMain::cmdOrder_Click() {
    if (lblComposer.Caption().empty()) {
        forms::MsgBox("You need to choose an album before you can order.", forms::vbOKOnly, "No Album Selected");
        return;
    }
    if (design_.orderFirstAlbum) {
        if (modMain::Login().LatestLogin() == kNobodyLoggedIn) return;
        ShowFirstAlbum();
    }
    forms::Default<frmOrder>().Show(forms::vbModal);
}

// Selects and shows the first composition of the tree (the first node
// without children), walking at most 255 nodes.
void frmMain::ShowFirstAlbum() {
    forms::Nodes& nodes = treMain.Nodes();
    const int count = nodes.Count();
    for (int i = 1; i <= count && i <= 255; ++i) {
        forms::Node& node = nodes.Item(vb::Variant(i));
        if (node.Children() == 0) {
            treMain.SelectedItem(&node);
            treMain_NodeClick(node);
            return;
        }
    }
}

void frmMain::pictAlbumImage_DblClick() { forms::Default<frmOrderAlbum>().Show(forms::vbModeless); }

void frmMain::mnuLogin_Click() { forms::Default<frmExistingLogin>().Show(forms::vbModal); }

void frmMain::mnuFileClose_Click() { orvanta::UnloadAllForms(); }

void frmMain::mnuPlaceOrder_Click() { cmdOrder_Click(); }

void frmMain::mnuOrderStatus_Click() {
    Manager().ViewExistingOrders(*this);
    if (design_.ordersNetworkError) {
        forms::MsgBox("Unable to update orders.  Please contact your system administrator.", forms::vbCritical,
                      "Network Connection Error");
    }
}

void frmMain::mnuAdminChoice_Click(std::int16_t Index) { Manager().AdminTable(*this, Index); }

void frmMain::mnuRestore_Click() { modMain::Restore("Yes"); }

void frmMain::mnuTip_Click() { ShowTipOfTheDay(); }

void frmMain::mnuHelpTip_Click() { ShowTipOfTheDay(); }

// Build C looks for its tips beside the database, then in the program
// folder; build B takes its tips file from the current folder.
void frmMain::ShowTipOfTheDay() {
    if (design_.tipItem == MainWindowDesign::TipItem::HelpTip) {
        orvanta::frmTip::UseLoadProcedure(
            orvanta::LoadTipsFromFile([] { return std::string("OrvantaTipsB.txt"); }, "OrvantaTipsB.txt"));
    } else {
        orvanta::frmTip::UseLoadProcedure(orvanta::LoadTipsFromDataFolder(modMain::kDatabaseFile, "OrvantaTips.txt"));
    }
    forms::Default<orvanta::frmTip>().Show(forms::vbModal);
}

void frmMain::mnuHelpAbout_Click() { forms::Default<frmAbout>().Show(forms::vbModal); }

void frmMain::treMain_Expand(forms::Node& Node) { Manager().NodeExpand(*this, Node); }

void frmMain::treMain_NodeClick(forms::Node& Node) { Manager().NodeClick(*this, Node); }

void frmMain::tabMain_Click() { Manager().TabClick(*this); }

void frmMain::txtImageHolder_Change() {
    vb::OnErrorGoTo(
        [&] {
            pictAlbumImage.Picture(forms::LoadPicture(orvanta::GetDataPath(modMain::kDatabaseFile) +
                                                      txtImageHolder.Text()));
        },
        [&] {
            forms::Screen.MousePointer(forms::vbDefault);
            forms::MsgBox("Error while accessing picture source: '" + vb::Err().Description + "'.",
                          forms::vbOKCancel, "Image Path Problem");
        });
}

}  // namespace catalogue
