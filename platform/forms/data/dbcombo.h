#pragma once
// The data-bound combo box: its list holds one field (ListField) of every row
// of a row-source data control; choosing an entry takes that row's
// BoundColumn as the combo's value, which is written into the DataField of
// the current record of its own data source (DataSource) like any bound
// control's edit. The combo follows both data controls: a move or refresh of
// the data source shows the entry whose BoundColumn matches the new record's
// field (an empty text when the field is Null or matches no row); a refresh
// of the row source fills the list again.
//
//     forms::DataControl datStates{this, "datStates"};
//     forms::DBCombo cboDBState{this, "cboDBState", 1560, 2400, 1215, 315};
//     cboDBState.RowSource(&datStates);
//     cboDBState.ListField("State");
//     cboDBState.BoundColumn("State");
//     forms::Bind(cboDBState, datPrimaryRS, "StateOrProvince");
//
// Late bound, Text and Locked are also reached by the dispatch identifiers
// 15 and 6 (dispatch_ids.h). Events: Click when an entry is chosen, Change
// when the text changes.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QPointer>

#include "combo_entries.h"
#include "control.h"
#include "dispatch_ids.h"

namespace forms {

class DataControl;
namespace detail {
class EntriesListModel;
}

class DBCombo : public Control, public DispatchIds {
public:
    static constexpr std::int32_t kDispIdText = 15;
    static constexpr std::int32_t kDispIdLocked = 6;

    DBCombo(ControlParent parent, std::string name, Twips left = 0, Twips top = 0, Twips width = 1935,
            Twips height = 315);
    ~DBCombo() override;
    std::string TypeName() const override { return "DBCombo"; }
    const char* WindowClass() const override { return "DBComboWndClass"; }

    // The data control whose rows fill the list; null for none.
    DataControl* RowSource() const;
    void RowSource(DataControl* source);
    // The field shown in the list, and the field whose value a chosen row
    // gives (the list field when empty).
    std::string ListField() const;
    void ListField(const std::string& field);
    std::string BoundColumn() const;
    void BoundColumn(const std::string& field);
    // 0 drop-down combo (an entry can be typed), 2 drop-down list (design time).
    std::int16_t Style() const;
    void Style(std::int16_t v);

    // The shown text. Setting a text that names an entry chooses it; any
    // other text is only shown (the combo's value stays as it was).
    std::string Text() const;
    void Text(const std::string& text);
    bool Locked() const;
    void Locked(bool v);
    // The value of the chosen row's bound column (Null when none), and as text.
    vb::Variant BoundValue() const override;
    std::string BoundText() const;
    // Whether the text names an entry of the list.
    bool MatchedWithList() const;

    // The list's texts, in the row source's order.
    int ListCount() const;
    std::string List(int index) const;
    // Chooses entry `index` as the user does (Click, Change, DataChanged);
    // false when there is no such entry or the combo is locked. For the widget
    // and the test driver.
    bool UserChoose(int index);

    void ShowBoundValue(const vb::Variant& value) override;

    std::string MemberOfDispatchId(std::int32_t dispid) const override;
    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyState() override;

private:
    void Listen(DataControl* source);
    bool RowSourcePresent() const;
    void FillList();
    void ShowValue();
    int FindValue(const vb::Variant& value) const;
    int FindText(const std::string& text) const;
    void ShowInWidget();
    void UserTyped(const std::string& text);

    struct State {
        std::string listField, boundColumn;
        std::int16_t style = 0;
        bool locked = false;
    };
    State state_, design_;
    DataControl* rowSource_ = nullptr;
    int listenerId_ = 0;
    // Replaced as a whole when the list is filled; the widget's model shares it.
    std::shared_ptr<ComboEntries> entries_ = std::make_shared<ComboEntries>();
    QPointer<detail::EntriesListModel> model_;
    std::string text_;
    vb::Variant value_ = vb::Variant::Null();
    int chosen_ = -1;
    bool syncing_ = false;
};

}  // namespace forms
