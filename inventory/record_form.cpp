#include "record_form.h"

#include "c_table.h"
#include "dao.h"
#include "dispatch_ids.h"
#include "err.h"
#include "error_report.h"
#include "form_fonts.h"
#include "frm_report_inventory.h"
#include "module_inventory.h"
#include "msgbox.h"
#include "record_helpers.h"
#include "screen.h"
#include "text_functions.h"

namespace inventory {

namespace {

constexpr std::int32_t kComboText = forms::DBCombo::kDispIdText;
constexpr std::int32_t kComboLocked = forms::DBCombo::kDispIdLocked;
constexpr std::int16_t vbDataActionUnload = 11;

}  // namespace

RecordForm::RecordForm(std::string name, const RecordFormLayout& layout) : Form(std::move(name)), layout_(layout) {
    ClientSize(layout_.clientWidth, layout_.clientHeight);
    if (layout_.hasReportButton) {
        cmdReport = std::make_unique<forms::CommandButton>(&Picture1, "cmdReport", layout_.reportCaption, 60, 1800,
                                                           1215, 375);
        cmdReport->Click = [this] { cmdReport_Click(); };
    }
    Picture1.BorderStyle(0);
    picButtons.BorderStyle(0);
    datPrimaryRS.Visible(false);
    datPrimaryRS.Connect("Access");
    cmdCancel.Visible(false);
    cmdUpdate.Enabled(false);

    cmdAdd.Click = [this] { cmdAdd_Click(); };
    cmdEdit.Click = [this] { cmdEdit_Click(); };
    cmdDelete.Click = [this] { cmdDelete_Click(); };
    cmdUpdate.Click = [this] { cmdUpdate_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    cmdPrev.Click = [this] { cmdPrev_Click(); };
    cmdNext.Click = [this] { cmdNext_Click(); };
    cmdClose.Click = [this] { cmdClose_Click(); };
    datPrimaryRS.Validate = [this](std::int16_t& Action, bool& Save) { datPrimaryRS_Validate(Action, Save); };
}

void RecordForm::BindFields(const std::vector<const char*>& columns, const char* keyColumn) {
    forms::ControlArray<forms::TextBox>& boxes = Fields();
    for (std::size_t i = 0; i < columns.size(); ++i)
        forms::Bind(boxes(static_cast<std::int16_t>(i)), datPrimaryRS, columns[i]);
    forms::Bind(IdBox(), datPrimaryRS, keyColumn);
    // A key comes from the numbering of new records only, never from typing.
    IdBox().Locked(true);
    // Browse mode until Add or Edit.
    for (forms::TextBox& box : boxes) box.Locked(true);
    for (forms::DBCombo* combo : LookupCombos()) combo->Locked(true);
    boxes.LostFocus = [this](std::int16_t Index) { txtFields_LostFocus(Index); };
    boxes.GotFocus = [this](std::int16_t Index) { txtFields_GotFocus(Index); };
}

void RecordForm::OpenRecordset(forms::DataControl& dat, const std::string& sql) {
    if (!Inventory::gdbInventory) vb::RaiseError(91);
    dat.Recordset(Inventory::gdbInventory->OpenRecordset(sql));
}

void RecordForm::Form_Load() {
    OpenRecordsets();
    vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); });
}

void RecordForm::Form_Unload(std::int16_t& Cancel) {
    (void)Cancel;
    forms::Screen.MousePointer(0);
}

vb::Variant RecordForm::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    const std::string n = vb::LCase(name);
    if (n == "validatedata") return vb::Variant(ValidateData());
    if (n == "editrecordmode") {
        if (args.size() != 1) vb::RaiseError(450);
        EditRecordMode(args[0].ToBool());
        return {};
    }
    return Form::CallMember(name, args);
}

void RecordForm::Guarded(const char* handler, const std::function<void()>& work) {
    vb::OnErrorGoTo(work, [&] { orvanta::ReportUnexpectedError(Name() + "." + handler); });
}

void RecordForm::cmdAdd_Click() {
    Guarded("cmdAdd_Click", [&] {
        std::shared_ptr<dao::Recordset> rs = datPrimaryRS.Recordset();
        if (!rs) vb::RaiseError(91);
        rs->AddNew();
        for (forms::DBCombo* combo : CombosClearedOnAdd()) forms::SetMemberById(*combo, kComboText, vb::Variant(""));
        IdBox().Text(vb::Variant::Long(Inventory::NextRecordId(OwnTable())).ToString());
        EditRecordMode(true);
    });
}

void RecordForm::cmdEdit_Click() {
    Guarded("cmdEdit_Click", [&] { Inventory::EditRecord(*this, datPrimaryRS); });
}

void RecordForm::cmdDelete_Click() {
    Guarded("cmdDelete_Click", [&] { Inventory::DeleteRecord(*this, datPrimaryRS); });
}

void RecordForm::cmdUpdate_Click() {
    Guarded("cmdUpdate_Click", [&] { Inventory::SaveRecord(*this, datPrimaryRS); });
}

void RecordForm::cmdCancel_Click() {
    Guarded("cmdCancel_Click", [&] { Inventory::CancelRecord(*this, datPrimaryRS); });
}

void RecordForm::cmdPrev_Click() {
    Guarded("cmdPrev_Click", [&] { Inventory::MovePreviousRecord(datPrimaryRS); });
}

void RecordForm::cmdNext_Click() {
    Guarded("cmdNext_Click", [&] { Inventory::MoveNextRecord(datPrimaryRS); });
}

void RecordForm::cmdClose_Click() { Inventory::CloseRecordForm(*this); }

void RecordForm::cmdReport_Click() {
    const RecordReportDesign* design = ReportDesign();
    if (!design) return;
    frmReportInventory& dialog = forms::Default<frmReportInventory>();
    // Before any control is touched: the dialog's load builds its caption
    // from the report type.
    dialog.sReportType = design->reportType;
    for (std::int16_t i = 0; i < 3; ++i) {
        dialog.optSort(i).Caption(design->captions[i]);
        dialog.optSort(i).Tag(OwnTable().colFields.Item(design->keys[i])->sName);
    }
    dialog.Show(forms::vbModal);
}

void RecordForm::datPrimaryRS_Validate(std::int16_t& Action, bool& Save) {
    (void)Save;
    if (Action != vbDataActionUnload) return;
    std::shared_ptr<dao::Recordset> rs = datPrimaryRS.Recordset();
    if (rs && rs->EditMode() != 0) cmdCancel_Click();
}

void RecordForm::txtFields_LostFocus(std::int16_t Index) { vntLastField_ = vb::Variant(Index); }

void RecordForm::FillParam(CParam& param, std::int16_t index) {
    const CParams& fields = OwnTable().colFields;
    const std::int16_t position = fields.Item(FieldKey(index).c_str())->iPosition;
    const CParamRef source = fields.Item(vb::Variant(position));
    param.bDelimiter = source->bDelimiter;
    param.bRequired = source->bRequired;
    param.iPosition = source->iPosition;
    param.iType = source->iType;
    param.sKey = source->sKey;
    param.sName = source->sName;
    param.vntValue = Fields()(index).Text();
}

void RecordForm::txtFields_GotFocus(std::int16_t Index) {
    (void)Index;
    const std::int16_t left = vntLastField_.IsEmpty() ? std::int16_t{0} : vntLastField_.ToInteger();
    if (!Fields().Exists(left) || !Fields()(left).DataChanged()) return;
    CParam param;
    FillParam(param, left);
    OwnTable().ValidateField(param);
}

bool RecordForm::ValidateData() {
    std::string errors;
    CParam param;
    for (forms::TextBox& box : Fields()) {
        FillParam(param, box.Index());
        OwnTable().ValidateField(param, &errors);
    }
    AppendLookupErrors(errors);
    if (errors.empty()) return true;
    if (errors.size() >= 2 && errors.compare(errors.size() - 2, 2, ", ") == 0) errors.resize(errors.size() - 2);
    forms::MsgBox("The data in these fields is either missing or invalid: " + errors, forms::vbCritical,
                  "Invalid Data Error");
    return false;
}

void RecordForm::EditRecordMode(bool bEdit) {
    cmdClose.Visible(!bEdit);
    for (forms::CommandButton* button : {&cmdPrev, &cmdNext, &cmdAdd, &cmdEdit, &cmdDelete}) button->Enabled(!bEdit);
    cmdUpdate.Enabled(bEdit);
    cmdCancel.Visible(bEdit);
    for (forms::TextBox& box : Fields()) box.Locked(!bEdit);
    for (forms::DBCombo* combo : LookupCombos()) forms::SetMemberById(*combo, kComboLocked, vb::Variant(!bEdit));
}

// Whether a lookup combo box shows nothing chosen.
bool ComboIsEmpty(forms::DBCombo& combo) { return forms::GetMemberById(combo, kComboText).ToString().empty(); }

}  // namespace inventory
