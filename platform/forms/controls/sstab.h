#pragma once
// The tabbed dialog: a row of tabs over a panel, each tab a container of its
// own. Controls declared with the dialog as their parent sit on tab 0 unless
// placed on another with Place; only the current tab's controls are shown
// (their Visible stays as it is). Positions of the controls are relative to
// the dialog's top-left corner, as for any container. The tab captions are
// drawn in the dialog's Font; the controls on the tabs keep their own.
//
//     forms::SSTab SamplesTabControl{this, "SamplesTabControl",
//         {"Win32 and Common Controls", "Data Grid and ActiveX"}, 120, 120, 9315, 6375};
//     forms::TreeView trvProductTree{&SamplesTabControl, "trvProductTree", 240, 600, 3255, 4215};
//     forms::FlexGrid MSFlexGrid{&SamplesTabControl, "MSFlexGrid", 240, 840, 4455, 2295};
//     frmSamples::frmSamples() : Form("frmSamples") {
//         SamplesTabControl.Place(MSFlexGrid, 1);
//         SamplesTabControl.Font().Name("Arial Narrow");
//     }
//
// Click(PreviousTab) is raised after the user or code changed the tab.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "control.h"

class QTabBar;
class QWidget;

namespace forms {

class SSTab : public Control {
public:
    SSTab(ControlParent parent, std::string name, std::initializer_list<std::string> captions = {"Tab 0", "Tab 1", "Tab 2"},
          Twips left = 0, Twips top = 0, Twips width = 5055, Twips height = 3375);
    std::string TypeName() const override { return "SSTab"; }
    const char* WindowClass() const override { return "SSTabCtlWndClass"; }
    bool IsContainer() const override { return true; }

    // Puts a control declared on the dialog onto tab `tab` (from 0); error
    // 380 for a tab that does not exist or a control that is not the dialog's.
    void Place(Control& control, std::int16_t tab);
    // The tab a control of the dialog sits on.
    std::int16_t TabOf(const Control& control) const;

    // The current tab, from 0; error 380 outside the tabs.
    std::int16_t Tab() const;
    void Tab(std::int16_t tab);
    // The number of tabs; fewer tabs move the controls of removed tabs to the last.
    std::int16_t Tabs() const;
    void Tabs(std::int16_t count);
    std::string TabCaption(std::int16_t tab) const;
    void TabCaption(std::int16_t tab, const std::string& caption);
    // The current tab's caption.
    std::string Caption() const;
    void Caption(const std::string& caption);
    bool TabEnabled(std::int16_t tab) const;
    void TabEnabled(std::int16_t tab, bool enabled);

    std::function<void(std::int16_t PreviousTab)> Click;

    // The bar of tabs, null while not loaded (for the test driver).
    QTabBar* TabBar() const { return bar_; }
    // Puts every control's widget on its tab's page; the widget calls it when shown.
    void ArrangePages();

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

    void DestroyNative() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyState() override;

private:
    void CheckTab(std::int16_t tab) const;
    void ShowCurrent();
    void UserSelected(int index);

    struct TabState {
        std::string caption;
        bool enabled = true;
    };
    struct State {
        std::vector<TabState> tabs;
        std::int16_t current = 0;
    };
    State state_, design_;
    std::map<const Control*, std::int16_t> placed_;
    QTabBar* bar_ = nullptr;
    std::vector<QWidget*> pages_;
    int syncing_ = 0;
};

}  // namespace forms
