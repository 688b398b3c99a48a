#pragma once
// The data control on a form: a bar with buttons for the first, previous,
// next and last record around its caption, over a recordset (opened from
// DatabaseName and RecordSource, or set from code).
//
// Controls whose DataSource is the data control follow its current record:
// labels, text boxes, check boxes, pictures and images with a DataField show
// that field's value (Null shows as empty) and have their changes written
// back when the record is left or UpdateRecord runs; grids show its rows.
// The binding is made when the form loads and whenever the data control's
// record changes, so DataSource and DataField are set as usual (or with
// Bind, bound_controls.h):
//
//     forms::DataControl dataMain{this, "dataMain", "dataMain", 120, 5040, 2775, 375};
//     forms::Label lblComposer{&frameInfo, "lblComposer", "", 240, 360, 3495, 255};
//     frmMain::frmMain() : Form("frmMain") {
//         forms::Bind(lblComposer, dataMain, "COMPOSER");
//         dataMain.Reposition = [this] { ... };
//     }
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bound_controls.h"
#include "control.h"
#include "data_control.h"

class QLabel;

namespace forms {

class DataControl : public Control {
public:
    DataControl(ControlParent parent, std::string name, std::string caption = {}, Twips left = 0, Twips top = 0,
                Twips width = 2775, Twips height = 375);
    ~DataControl() override;
    std::string TypeName() const override { return "Data"; }
    const char* WindowClass() const override { return "ThunderRT6Data"; }
    bool HasTabIndex() const override { return false; }
    bool CanFocus() const override { return false; }

    // The recordset and its handling, without the bar.
    dao::DataControl& Model();

    std::string Caption() const;
    void Caption(const std::string& caption);
    std::string DatabaseName() const;
    void DatabaseName(const std::string& path);
    std::string RecordSource() const;
    void RecordSource(const std::string& source);
    std::string Connect() const;
    void Connect(const std::string& connect);
    bool ReadOnly() const;
    void ReadOnly(bool v);
    // 0 table, 1 dynaset, 2 snapshot.
    std::int16_t RecordsetType() const;
    void RecordsetType(std::int16_t v);
    // 0 move to the last record, 1 stay at the end, 2 add a new record.
    std::int16_t EOFAction() const;
    void EOFAction(std::int16_t v);
    // 0 move to the first record, 1 stay at the start.
    std::int16_t BOFAction() const;
    void BOFAction(std::int16_t v);

    // Null until Refresh or a recordset set from code.
    std::shared_ptr<dao::Recordset> Recordset() const;
    // The bound controls show the new recordset's first record; Reposition
    // is raised.
    void Recordset(std::shared_ptr<dao::Recordset> recordset);
    // Runs the query again (or opens DatabaseName and RecordSource anew).
    void Refresh();
    // Writes the bound controls' changes to the current record and saves it.
    void UpdateRecord();
    // Shows the current record again, dropping the bound controls' changes.
    void UpdateControls();

    // Events. Validate(Action, Save) before the record is left, saved or the
    // form unloads (Action 11); setting Action to 0 cancels, Save to False
    // drops the changes. Reposition after another record became current.
    // (These replace the Validate(Cancel) of other controls.)
    std::function<void(std::int16_t& Action, bool& Save)> Validate;
    std::function<void()> Reposition;

    // Binds every control of the form whose DataSource is this data control
    // (and lets go of those bound elsewhere now). A newly bound control shows
    // the current record at once when `showNow` is set; otherwise it keeps
    // what it shows until the record changes next.
    void SyncBindings(bool showNow = true);
    // A grid whose DataSource is this data control hears of every change.
    void AddFollower(Control& grid);

    // The bar's buttons, as the user presses them.
    void PressFirst();
    void PressPrevious();
    void PressNext();
    void PressLast();

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

    void DestroyNative() override;
    void FormUnloading() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyState() override;

private:
    void Changed();
    void NotifyFollowers();
    void Press(void (dao::DataControl::*move)());
    void OpenDesignSource();

    struct State {
        std::string caption;
        std::string databaseName;
        std::string recordSource;
        std::string connect = "Access";
        bool readOnly = false;
        std::int16_t recordsetType = 1;
        std::int16_t eofAction = 0;
        std::int16_t bofAction = 0;
    };
    State design_;
    std::string caption_;
    dao::DataControl model_;
    std::vector<std::unique_ptr<ControlBinding>> bindings_;
    std::vector<Control*> followers_;
    QLabel* captionLabel_ = nullptr;
    bool pendingOpen_ = false;
};

}  // namespace forms
