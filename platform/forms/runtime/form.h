#pragma once
// Forms: the base class of every form of a program.
//
//     class frmOrder : public forms::Form {
//     public:
//         frmOrder();                       // caption, size, event wiring
//         double lQuantity = 0;             // a public variable: setting it
//                                           // does not load the form
//         forms::TextBox txtQuantity{this, "txtQuantity", 1200, 600, 975, 285};
//         forms::CommandButton cmdOrder{this, "cmdOrder", "Place Order", 1200, 1200, 1215, 375};
//     protected:
//         void Form_Load() override;
//         void Form_KeyPress(std::int16_t& KeyAscii) override;
//     private:
//         void cmdOrder_Click();
//         void txtQuantity_KeyPress(std::int16_t& KeyAscii);
//     };
//
//     frmOrder::frmOrder() : Form("frmOrder") {
//         Caption("Make An Order");
//         ClientSize(6000, 4500);
//         cmdOrder.Click = [this] { cmdOrder_Click(); };
//         txtQuantity.KeyPress = [this](std::int16_t& k) { txtQuantity_KeyPress(k); };
//     }
//
// The default instance is forms::Default<frmOrder>() (see application.h).
// While the constructor runs the form is at design time: members set there
// are the design values, which come back each time the form loads again.
// Afterwards, touching a control or a built-in member (Caption, Show, ...)
// of an unloaded form loads it first.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "control.h"
#include "font.h"
#include "picture.h"
#include "twips.h"
#include "variant.h"
#include "window_table.h"

class QWidget;
class QMainWindow;

namespace forms {

class Menu;
class MDIForm;
class FormWindow;

// Reasons for an unload, as QueryUnload receives them.
constexpr std::int16_t vbFormControlMenu = 0;  // the user closed the window
constexpr std::int16_t vbFormCode = 1;         // Unload from code
constexpr std::int16_t vbAppWindows = 2;
constexpr std::int16_t vbAppTaskManager = 3;
constexpr std::int16_t vbFormMDIForm = 4;      // the multiple-document parent unloads
constexpr std::int16_t vbFormOwner = 5;

// Show styles.
constexpr std::int16_t vbModeless = 0;
constexpr std::int16_t vbModal = 1;

class Form : public vb::Object, public ControlHost {
public:
    explicit Form(std::string name);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }
    std::string TypeName() const override { return name_; }

    // ---- built-in members (touching one loads the form) ----
    std::string Caption() const;
    void Caption(const std::string& caption);
    // Outer position and size, in twips.
    Twips Left() const;
    void Left(Twips v);
    Twips Top() const;
    void Top(Twips v);
    Twips Width() const;
    void Width(Twips v);
    Twips Height() const;
    void Height(Twips v);
    void Move(Twips left, Twips top = kOmittedTwips, Twips width = kOmittedTwips, Twips height = kOmittedTwips);
    // Size of the client area (inside border, title and menu bar), in twips.
    Twips ScaleWidth() const;
    Twips ScaleHeight() const;
    // Sets the client area size (the outer size follows).
    void ClientSize(Twips width, Twips height);

    bool Visible() const;
    void Visible(bool v);
    bool Enabled() const;
    void Enabled(bool v);
    bool KeyPreview() const;
    void KeyPreview(bool v);
    std::string Tag() const;
    void Tag(const std::string& v);
    // 0 normal, 1 minimised, 2 maximised.
    std::int16_t WindowState() const;
    void WindowState(std::int16_t v);
    // 0 manual, 1 centre on owner, 2 centre on screen (applied at the first show).
    std::int16_t StartUpPosition() const;
    void StartUpPosition(std::int16_t v);
    // 0 none, 1 fixed single, 2 sizable (default), 3 fixed dialog.
    std::int16_t BorderStyle() const;
    void BorderStyle(std::int16_t v);
    // 0 pointer default, 11 busy.
    std::int16_t MousePointer() const;
    void MousePointer(std::int16_t v);
    forms::Font& Font();
    PictureRef Icon() const;
    void Icon(PictureRef picture);
    // A child of the multiple-document parent (design time only).
    bool MDIChild() const { return mdiChild_; }
    void MDIChild(bool v);
    // The form's controls, in the order they were declared.
    ControlList& Controls();
    // The control that has the focus, or null.
    Control* ActiveControl();
    win::HWND hWnd();

    // ---- methods ----
    // Shows the form; modal (1) waits until it hides or unloads.
    void Show(std::int16_t modal = vbModeless, Form* owner = nullptr);
    void Hide();
    void Refresh();
    void SetFocus();
    void ZOrder(int position = 0);
    // Width and height of a text in the form's font, in twips.
    Twips TextWidth(const std::string& text);
    Twips TextHeight(const std::string& text);
    // Shows `menu` as a pop-up menu at the mouse position and waits until it closes.
    void PopupMenu(Menu& menu);

    // ---- state that does not load the form ----
    bool IsLoaded() const { return loaded_; }
    bool IsDesigning() const override { return designing_; }
    // Ends design time; called by Default and New, and at the first load.
    void EndDesign();
    bool IsModal() const { return modalDepth_ > 0; }
    std::int16_t RawBorderStyle() const { return state_.borderStyle; }

    // ---- late binding ----
    // Built-in members, then the form's controls and control arrays by name;
    // error 438 for anything else. Forms with public members reached by name
    // override these and call the base for the rest.
    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;
    vb::ObjectRef Ref();

    // ---- used by the runtime ----
    Form* HostForm() override { return this; }
    QWidget* ClientWidget() const override;
    void EnsureLoaded() override;
    win::HWND HostHwnd() const override { return clientHwnd_ ? clientHwnd_ : hwnd_; }
    // The top-level (or sub-) window of the form; null while not loaded.
    QWidget* Window() const;
    // Loads the form (Load statement): no-op when loaded.
    virtual void LoadForm();
    // Unloads the form; returns false when a handler cancelled.
    virtual bool UnloadForm(std::int16_t unloadMode = vbFormCode);
    // Destroys the form's windows without any event (End).
    virtual void Terminate();
    // Sets the widgets' tab order from the controls' TabIndex values.
    void ApplyTabOrderNow();
    // Shows or hides the menu bar as the visibility of the menu titles asks.
    void UpdateMenuBarVisibility();
    // Called by the window.
    void OnCloseRequested();
    void OnActivated();
    void OnResized();
    void OnMoved();
    bool IsUnloading() const { return unloading_; }
    virtual bool IsMDIForm() const { return false; }
    // The MDI parent of a loaded child form, or null.
    MDIForm* MDIParent() const { return mdiParent_; }

    // Raises the form's events (used by the runtime and the test driver).
    void RaiseKeyPress(std::int16_t& keyAscii) { Form_KeyPress(keyAscii); }
    void RaiseKeyDown(std::int16_t& keyCode, std::int16_t shift) { Form_KeyDown(keyCode, shift); }
    void RaiseKeyUp(std::int16_t& keyCode, std::int16_t shift) { Form_KeyUp(keyCode, shift); }
    void RaiseClick() { Form_Click(); }
    void RaiseDblClick() { Form_DblClick(); }

protected:
    // ---- events; override the ones the form handles ----
    virtual void Form_Initialize() {}
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    virtual void Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode) { (void)Cancel; (void)UnloadMode; }
    virtual void Form_Unload(std::int16_t& Cancel) { (void)Cancel; }
    virtual void Form_Resize() {}
    virtual void Form_KeyPress(std::int16_t& KeyAscii) { (void)KeyAscii; }
    virtual void Form_KeyDown(std::int16_t& KeyCode, std::int16_t Shift) { (void)KeyCode; (void)Shift; }
    virtual void Form_KeyUp(std::int16_t& KeyCode, std::int16_t Shift) { (void)KeyCode; (void)Shift; }
    virtual void Form_Click() {}
    virtual void Form_DblClick() {}
    virtual void Form_Paint() {}
    virtual void Form_Terminate() {}

    // Loads the form when it is not loaded (outside design time).
    void Touch() const;

    // Hooks for the multiple-document parent.
    virtual QWidget* CreateWindow();
    virtual void FireLoad() { Form_Load(); }
    virtual void FireQueryUnload(std::int16_t& cancel, std::int16_t mode) { Form_QueryUnload(cancel, mode); }
    virtual void FireUnload(std::int16_t& cancel) { Form_Unload(cancel); }
    virtual void FireResize() { Form_Resize(); }
    virtual void FireActivate() { Form_Activate(); }
    virtual const char* WindowClass() const { return "ThunderRT6FormDC"; }
    virtual std::uint32_t WindowStyle() const;
    // Hooks around the form's own window (the multiple-document parent adds
    // its client window here).
    virtual void AfterWindowCreated() {}
    virtual void BeforeWindowDestroyed() {}
    // The client area changed size: controls aligned to an edge follow.
    virtual void ClientResized();
    void BuildMenus();
    void DestroyWindows();
    void PlaceWindow();
    void PlaceAtFirstShow();
    void ApplyWindowState();
    void FireResizeIfChanged();
    // The steps of an unload: QueryUnload, Unload (false when cancelled),
    // then the windows go and the form is out of the Forms collection.
    bool QueryUnloadStep(std::int16_t mode);
    bool UnloadStep();
    void Teardown();
    void RestoreDesign();

    struct State {
        std::string caption;
        Twips left = 0, top = 0, width = 0, height = 0;   // outer
        Twips clientWidth = 4800, clientHeight = 3600;    // client area
        bool clientSizeSet = true;
        bool visible = false;
        bool enabled = true;
        bool keyPreview = false;
        std::string tag;
        std::int16_t windowState = 0;
        std::int16_t startUpPosition = 0;
        std::int16_t borderStyle = 2;
        std::int16_t mousePointer = 0;
        bool positionSet = false;
        PictureRef icon;
    };
    State state_;
    State design_;
    forms::Font fontDesign_;
    FontRef font_;

    std::string name_;
    bool designing_ = true;
    bool loaded_ = false;
    bool loading_ = false;
    bool unloading_ = false;
    bool mdiChild_ = false;
    bool shownOnce_ = false;
    bool placing_ = false;
    int modalDepth_ = 0;
    int lastResizeW_ = -1, lastResizeH_ = -1;
    QWidget* window_ = nullptr;        // FormWindow, or the MDI sub-window
    QWidget* client_ = nullptr;        // where controls are placed
    QWidget* menuBar_ = nullptr;
    win::HWND hwnd_ = 0;
    win::HWND clientHwnd_ = 0;
    MDIForm* mdiParent_ = nullptr;

    friend class FormWindow;
    friend class MDIForm;
    friend class Menu;
    friend class Application;
};

// The Load and Unload statements.
void Load(Form& form);
void Unload(Form& form);
// Unloads a control array element loaded at run time.
void Unload(Control& element);

}  // namespace forms
