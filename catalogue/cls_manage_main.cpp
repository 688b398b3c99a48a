#include "cls_manage_main.h"

#include "application.h"
#include "dao.h"
#include "err.h"
#include "error_report.h"
#include "field_text.h"
#include "frm_admin.h"
#include "frm_existing.h"
#include "frm_main.h"
#include "inventory_program.h"
#include "mod_main.h"
#include "number_functions.h"
#include "sql_text.h"
#include "text_functions.h"
#include "unload_all_forms.h"

namespace catalogue {

namespace {

constexpr int kComposerImage = 1;
constexpr int kCompositionImage = 2;

}  // namespace

std::string ProductNodeKey(const vb::Variant& productId) {
    return "P" + vb::Str(vb::Variant(vb::Trim(productId.ToString())));
}

void clsManageMain::TabClick(frmMain& frmTarget) {
    forms::Tab* selected = frmTarget.tabMain.SelectedItem();
    if (selected == nullptr) vb::RaiseError(vb::errors::ObjectVariableNotSet);
    const bool album = selected->Index() == 1;
    frmTarget.frameInfo.Visible(album);
    frmTarget.frameDetails.Visible(!album);
}

void clsManageMain::ViewExistingOrders(frmMain& frmTarget) {
    (void)frmTarget;
    forms::Default<frmExisting>().Show(forms::vbModal);
}

void clsManageMain::AdminTable(frmMain& frmTarget, std::int16_t Index) {
    vb::OnErrorGoTo(
        [&] {
            forms::Screen.MousePointer(forms::vbHourglass);
            frmTarget.Refresh();
            if (Index == 1 || Index == 2) {
                frmAdmin& admin = forms::Default<frmAdmin>();
                admin.Setup(Index == 1 ? "CUSTOMERS" : "ORDERS");
                forms::Screen.MousePointer(forms::vbDefault);
                admin.Show(forms::vbModal);
            } else if (Index == 3) {
                StartInventoryProgram();
            }
            forms::Screen.MousePointer(forms::vbDefault);
        },
        [] {
            forms::Screen.MousePointer(forms::vbDefault);
            orvanta::ReportUnexpectedError("clsManageMain.AdminTable");
        });
}

void clsManageMain::InitMainForm(frmMain& frmTarget) {
    frmTarget.statusMain.SimpleText(" Click on a composition for more information");
    frmTarget.lblComposition.Caption("");
    frmTarget.lblComposer.Caption("");
    frmTarget.tabMain.Enabled(false);
    FillTreeView(frmTarget);
    TabClick(frmTarget);
}

void clsManageMain::ClearReservations(frmMain& frmTarget) {
    const int answer = forms::MsgBox(
        "Are you sure you want to clear all existing customers and orders?  "
        "(Products info will not be deleted.)",
        forms::vbYesNo + forms::vbDefaultButton2, "Confirm Delete Action");
    if (answer == forms::vbNo) return;

    forms::Screen.MousePointer(forms::vbHourglass);
    dao::Database& db = modMain::Database();
    db.Execute("delete from ORDERS");
    long cleared = db.RecordsAffected();
    db.Execute("delete from CUSTOMERS");
    cleared += db.RecordsAffected();

    if (cleared == 1) {
        frmTarget.statusMain.SimpleText("1 record cleared");
    } else {
        frmTarget.statusMain.SimpleText(vb::Trim(vb::Str(vb::Variant(cleared))) + " records cleared");
    }
    forms::Screen.MousePointer(forms::vbDefault);
}

void clsManageMain::NodeExpand(frmMain& frmTarget, forms::Node& Node) {
    forms::Node* first = Node.Child();
    // A placeholder child has neither text nor key; a composition always has
    // a key, even when its title is empty.
    if (first == nullptr || !first->Text().empty() || !first->Key().empty()) return;

    frmTarget.treMain.Nodes().Remove(first->Index());
    FillParticularComposer(Node.Text(), frmTarget);
    frmTarget.treMain.Refresh();
    forms::Node* filled = Node.Child();
    if (filled == nullptr) return;
    frmTarget.treMain.SelectedItem(filled);
    NodeClick(frmTarget, *filled);
}

void clsManageMain::NodeClick(frmMain& frmTarget, forms::Node& Node) {
    (void)Node;  // the selected node is what counts
    if (!setUp_) SetupParameterizedQueries(frmTarget);

    forms::Node* selected = frmTarget.treMain.SelectedItem();
    if (selected == nullptr) vb::RaiseError(vb::errors::ObjectVariableNotSet);
    if (selected->Children() == 0) {
        frmTarget.statusMain.SimpleText("Working...");
        frmTarget.statusMain.Refresh();
        auto rs = modMain::Database().OpenRecordset(
            "select * from products where PRODID = " + vb::Mid(selected->Key(), 3), dao::dbOpenSnapshot);
        frmTarget.dataMain.Recordset(rs);
    }
    frmTarget.statusMain.SimpleText("Data Retrieved");
}

void clsManageMain::FillParticularComposer(const std::string& composer, frmMain& frmTarget) {
    auto rs = modMain::Database().OpenRecordset(
        " SELECT * FROM PRODUCTS WHERE PRODUCTS.COMPOSER=" + SqlQuoted(composer),
        dao::dbOpenSnapshot);
    forms::Nodes& nodes = frmTarget.treMain.Nodes();
    while (!rs->Eof()) {
        nodes.Add(vb::Variant(composer), forms::tvwChild, ProductNodeKey(rs->Fields("PRODID").Value()),
                  FieldText(*rs, "COMPOSITION"), vb::Variant(kCompositionImage));
        rs->MoveNext();
    }
}

void clsManageMain::FillTreeView(frmMain& frmTarget) {
    bool failed = false;
    vb::OnErrorGoTo(
        [&] {
            composers_ = modMain::Database().OpenRecordset("SELECT DISTINCT COMPOSER FROM PRODUCTS",
                                                           dao::dbOpenSnapshot);
        },
        [&] { failed = true; });
    if (failed) {
        forms::Screen.MousePointer(forms::vbDefault);
        forms::MsgBox("Error " + vb::Trim(vb::Str(vb::Variant(vb::Err().Number))) +
                          vb::UCase(vb::Err().Description) +
                          ".  NOTE:  The usual cause for data access errors at this point is ODBC "
                          "configuration.",
                      forms::vbYesNo, "Data Access Problem");
        orvanta::UnloadAllForms();
        forms::End();
    }

    forms::Nodes& nodes = frmTarget.treMain.Nodes();
    while (!composers_->Eof()) {
        const std::string composer = FieldText(*composers_, "COMPOSER");
        nodes.Add(vb::Variant(), forms::tvwLast, composer, composer, vb::Variant(kComposerImage));
        FillParticularComposer(composer, frmTarget);
        composers_->MoveNext();
    }

    SetupParameterizedQueries(frmTarget);

    nodes.Item(vb::Variant(1)).Expanded(true);
    nodes.Item(vb::Variant(2)).Selected(true);
    forms::Node* selected = frmTarget.treMain.SelectedItem();
    if (selected == nullptr) vb::RaiseError(vb::errors::ObjectVariableNotSet);
    NodeClick(frmTarget, *selected);
}

void clsManageMain::SetupParameterizedQueries(frmMain& frmTarget) {
    frmTarget.pictAlbumImage.Visible(true);
    frmTarget.tabMain.Enabled(true);
    setUp_ = true;
}

}  // namespace catalogue
