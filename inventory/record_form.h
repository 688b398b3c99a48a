#pragma once
// The design every record form shares: the record's text boxes bound to the
// primary data control, a column of buttons (Add, Edit, Delete, Update,
// Report, Cancel / Close), Previous and Next below the fields, and the two
// public operations that the module's record helpers call by name,
// ValidateData and EditRecordMode. Each form adds its fields, its lookup
// combo boxes and its table object.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "c_param.h"
#include "datacontrol_widget.h"
#include "dbcombo.h"
#include "forms.h"
#include "line_shape.h"
#include "test_control_class.h"

namespace inventory {

class CTable;

// Where a form puts the shared controls, in twips.
struct RecordFormLayout {
    forms::Twips clientWidth;
    forms::Twips clientHeight;
    forms::Twips buttonsLeft;  // the button column (Picture1)
    forms::Twips navigationTop;  // Previous and Next (picButtons), left 120
    bool closeBelowCancel;       // Close under Cancel instead of in its place
    bool hasReportButton;
    const char* reportCaption;
};

// How a form fills the report options dialog: its report type, and the
// caption and field key of each of the three sort choices.
struct RecordReportDesign {
    const char* reportType;
    const char* captions[3];
    const char* keys[3];
};

class RecordForm : public forms::Form {
public:
    // True when every field of the current record passes; otherwise one
    // message lists the fields that do not.
    bool ValidateData();
    // Browse mode (false): Close, Previous, Next, Add, Edit and Delete, the
    // fields read-only. Edit mode (true): Update and Cancel, the fields open.
    void EditRecordMode(bool bEdit);

protected:
    RecordForm(std::string name, const RecordFormLayout& layout);
    const RecordFormLayout layout_;

public:
    forms::PictureBox Picture1{this, "Picture1", layout_.buttonsLeft, 120, 1335, ButtonColumnHeight()};
    forms::CommandButton cmdAdd{&Picture1, "cmdAdd", "&Add", 60, 60, 1215, 375};
    forms::CommandButton cmdEdit{&Picture1, "cmdEdit", "&Edit", 60, 495, 1215, 375};
    forms::CommandButton cmdDelete{&Picture1, "cmdDelete", "&Delete", 60, 930, 1215, 375};
    forms::CommandButton cmdUpdate{&Picture1, "cmdUpdate", "&Update", 60, 1365, 1215, 375};
    // Not on every form: the transactions form has no report.
    std::unique_ptr<forms::CommandButton> cmdReport;
    forms::CommandButton cmdCancel{&Picture1, "cmdCancel", "Cancel", 60, LastButtonTop(), 1215, 375};
    forms::CommandButton cmdClose{&Picture1, "cmdClose", "&Close", 60,
                                  LastButtonTop() + (layout_.closeBelowCancel ? 435 : 0), 1215, 375};
    forms::PictureBox picButtons{this, "picButtons", 120, layout_.navigationTop, 2655, 495};
    forms::CommandButton cmdPrev{&picButtons, "cmdPrev", "&Previous", 60, 60, 1215, 375};
    forms::CommandButton cmdNext{&picButtons, "cmdNext", "&Next", 1380, 60, 1215, 375};
    forms::Line Shape1{this, "Shape1", 120, layout_.navigationTop - 60, layout_.buttonsLeft - 120,
                       layout_.navigationTop - 60};
    forms::DataControl datPrimaryRS{this, "datPrimaryRS", "datPrimaryRS", 3000, layout_.navigationTop, 2415, 375};
    forms::ActiveXHost ZEVOTest1{this, orvanta::kTestControlClass, "ZEVOTest1", layout_.buttonsLeft + 480,
                                 layout_.navigationTop, 390, 390};

    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    virtual void cmdUpdate_Click();
    void cmdReport_Click();
    void cmdCancel_Click();
    void cmdPrev_Click();
    void cmdNext_Click();
    void cmdClose_Click();
    void datPrimaryRS_Validate(std::int16_t& Action, bool& Save);
    void txtFields_LostFocus(std::int16_t Index);
    void txtFields_GotFocus(std::int16_t Index);

    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

protected:
    // What each form supplies.
    virtual CTable& OwnTable() = 0;
    virtual forms::ControlArray<forms::TextBox>& Fields() = 0;
    virtual forms::TextBox& IdBox() = 0;
    // The field key of the table object for text box `index`.
    virtual std::string FieldKey(std::int16_t index) const = 0;
    // The lookup combo boxes in the order they are locked, and in the order
    // Add clears them.
    virtual std::vector<forms::DBCombo*> LookupCombos() { return {}; }
    virtual std::vector<forms::DBCombo*> CombosClearedOnAdd() { return {}; }
    // Adds what an empty lookup combo box stands for to the error list.
    virtual void AppendLookupErrors(std::string& errors) { (void)errors; }
    virtual const RecordReportDesign* ReportDesign() const { return nullptr; }
    // Opens the recordsets of the form's data controls.
    virtual void OpenRecordsets() = 0;

    void Form_Load() override;
    void Form_Unload(std::int16_t& Cancel) override;

    // Opens `sql` on the forms' database as `dat`'s recordset.
    static void OpenRecordset(forms::DataControl& dat, const std::string& sql);
    // Runs a button's work; an error is shown with the program's message,
    // naming the handler, and the form stays as it is.
    void Guarded(const char* handler, const std::function<void()>& work);
    // Binds the shared text boxes to the primary data control.
    void BindFields(const std::vector<const char*>& columns, const char* keyColumn);

private:
    forms::Twips ButtonColumnHeight() const { return layout_.closeBelowCancel ? 3150 : 2715; }
    forms::Twips LastButtonTop() const { return layout_.hasReportButton ? 2235 : 1800; }
    void FillParam(CParam& param, std::int16_t index);

    vb::Variant vntLastField_;  // the index of the text box that last lost the focus
};

// Whether a lookup combo box shows nothing chosen.
bool ComboIsEmpty(forms::DBCombo& combo);

}  // namespace inventory
