#pragma once
// The multiple-document parent window. Forms declared with MDIChild(true)
// open inside it; loading such a form loads the parent first. Unloading the
// parent unloads its children first.
//
//     class frmMainInventory : public forms::MDIForm {
//     public:
//         frmMainInventory() : MDIForm("frmMainInventory") { ... }
//     protected:
//         void MDIForm_Unload(std::int16_t& Cancel) override;
//     };
#include <cstdint>
#include <string>
#include <vector>

#include "form.h"

class QMdiArea;

namespace forms {

class FormWindow;

// Arrange styles.
constexpr std::int16_t vbCascade = 0;
constexpr std::int16_t vbTileHorizontal = 1;
constexpr std::int16_t vbTileVertical = 2;
constexpr std::int16_t vbArrangeIcons = 3;

class MDIForm : public Form {
public:
    explicit MDIForm(std::string name);
    ~MDIForm() override;

    // The active child form, or null when no child is shown.
    Form* ActiveForm();
    // 0 cascade, 1 tile horizontally (stacked), 2 tile vertically (side by
    // side), 3 arrange icons.
    void Arrange(std::int16_t arrangement);
    // Loaded child forms, in load order.
    std::vector<Form*> Children() const;

    bool IsMDIForm() const override { return true; }
    bool UnloadForm(std::int16_t unloadMode = vbFormCode) override;
    void Terminate() override;
    vb::Variant GetMember(const std::string& name) override;
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

    // The multiple-document parent of the program (the last one made), or null.
    static MDIForm* Instance();
    QMdiArea* Area() const { return area_; }
    // Puts a loading child's window into the client area, in a sub-window
    // that scrolls when it is smaller than the child's controls.
    QWidget* AdoptChild(Form& child, FormWindow* childWindow);
    void ChildActivated(Form* child);
    void ChildHidden(Form* child);
    void ChildGone(Form* child);

protected:
    virtual void MDIForm_Load() {}
    virtual void MDIForm_Activate() {}
    virtual void MDIForm_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode) { (void)Cancel; (void)UnloadMode; }
    virtual void MDIForm_Unload(std::int16_t& Cancel) { (void)Cancel; }
    virtual void MDIForm_Resize() {}

    QWidget* CreateWindow() override;
    void FireLoad() override { MDIForm_Load(); }
    void FireQueryUnload(std::int16_t& cancel, std::int16_t mode) override { MDIForm_QueryUnload(cancel, mode); }
    void FireUnload(std::int16_t& cancel) override { MDIForm_Unload(cancel); }
    void FireResize() override { MDIForm_Resize(); }
    void FireActivate() override { MDIForm_Activate(); }
    const char* WindowClass() const override { return "ThunderRT6MDIForm"; }
    void AfterWindowCreated() override;
    void BeforeWindowDestroyed() override;
    void ClientResized() override;

private:
    void LayoutClient();
    QMdiArea* area_ = nullptr;
    Form* activeChild_ = nullptr;
    // Children in the order they were last activated (most recent last).
    std::vector<Form*> activation_;
};

}  // namespace forms
