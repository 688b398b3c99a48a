#pragma once
// TabStrip: a row of tabs over a panel. The strip does not hold controls;
// a form shows the frame that belongs to the selected tab (placed over the
// panel) in the strip's Click event.
//
//     forms::TabStrip tabMain{this, "tabMain", {"Album", "Details"}, 4320, 120, 6255, 4455};
//     tabMain.Click = [this] { manager.TabClick(*this); };
//     int chosen = tabMain.SelectedItem()->Index();   // 1 "Album", 2 "Details"
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "control.h"
#include "keyed_items.h"

class QTabBar;

namespace forms {

class TabStrip;

class Tab : public vb::Object {
public:
    std::string TypeName() const override { return "Tab"; }
    // Every member raises error 35605 once the tab was removed.
    int Index() const;
    std::string Key() const;
    std::string Caption() const;
    void Caption(const std::string& caption);
    std::string Tag() const;
    void Tag(const std::string& tag);
    std::string ToolTipText() const;
    void ToolTipText(const std::string& text);
    // Setting Selected to True makes the tab the strip's SelectedItem.
    bool Selected() const;
    void Selected(bool selected);

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

private:
    friend class Tabs;
    friend class TabStrip;
    template <class> friend class detail::KeyedItems;
    void CheckAlive() const;
    TabStrip* strip_ = nullptr;
    int index_ = 0;
    std::string key_;
    std::string caption_;
    std::string tag_;
    std::string toolTip_;
};

// The Tabs collection of a tab strip.
class Tabs : public vb::Object {
public:
    explicit Tabs(TabStrip& strip) : strip_(strip) {}
    std::string TypeName() const override { return "Tabs"; }

    // Adds a tab at `index` (at the end when 0); error 35602 for a key
    // already used, 35600 for an index beyond the end.
    Tab& Add(int index = 0, const std::string& key = {}, const std::string& caption = {});
    int Count() const { return items_.Count(); }
    // By 1-based index (error 35600) or key (error 35601).
    Tab& Item(const vb::Variant& indexOrKey) const { return items_.Item(indexOrKey); }
    Tab& operator()(const vb::Variant& indexOrKey) const { return Item(indexOrKey); }
    void Remove(const vb::Variant& indexOrKey);
    void Clear();

    vb::Variant GetMember(const std::string& name) override;  // Count
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

private:
    friend class TabStrip;
    TabStrip& strip_;
    detail::KeyedItems<Tab> items_;
};

class TabStrip : public Control {
public:
    TabStrip(ControlParent parent, std::string name, std::initializer_list<std::string> captions = {},
             Twips left = 0, Twips top = 0, Twips width = 3375, Twips height = 2055);
    ~TabStrip() override;
    std::string TypeName() const override { return "TabStrip"; }
    const char* WindowClass() const override { return "TabStripWndClass"; }

    forms::Tabs& Tabs();
    // The selected tab; null only while the strip has no tabs.
    Tab* SelectedItem() const;
    // Selecting another tab raises Click.
    void SelectedItem(Tab* tab);

    // Click is raised when the user clicks a tab and when code selects
    // another tab.

    // The tab bar inside the widget (for the test driver); null while not loaded.
    QTabBar* TabBar() const;

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
    friend class Tab;
    friend class forms::Tabs;
    void Rebuild();
    void SetTabs(std::vector<std::shared_ptr<Tab>> tabs, int selected);
    void Select(Tab* tab, bool raiseClick);
    void UserClicked(int position);

    std::shared_ptr<forms::Tabs> tabs_;
    Tab* selected_ = nullptr;
    struct TabValues {
        std::string key, caption, tag, toolTip;
    };
    std::vector<TabValues> designTabs_;
    int designSelected_ = 0;  // 1-based; 0 for none
    QTabBar* bar_ = nullptr;
    int syncing_ = 0;
};

}  // namespace forms
