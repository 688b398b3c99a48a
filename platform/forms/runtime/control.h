#pragma once
// The base of every control on a form: name and index, place in its form and
// container, geometry in twips, visibility, enabled state, font, tab order,
// tag, the events common to controls, data binding, and late-bound access to
// members by name.
//
// A control is declared as a member of its form (or of a container control
// such as a Frame, a PictureBox or a user control); the Qt widget behind it
// exists only while the form is loaded. Until then, and again after the form
// unloads, the control keeps its values itself. Touching a member of a
// control whose form is not loaded loads the form, except while the form is
// still being constructed (design time).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "font.h"
#include "twips.h"
#include "variant.h"
#include "window_table.h"

class QFont;
class QObject;
class QWidget;

namespace forms {

class Control;
class ControlArrayBase;
class ControlHost;
class Form;

// Where a control is declared: directly on a form or on a user control (the
// host), or inside a container control (Frame, PictureBox, user control), or
// under a menu (for menu items).
class ControlParent {
public:
    ControlParent(Form* form);                 // NOLINT: implicit by design
    ControlParent(Control* container);         // NOLINT: implicit by design
    ControlHost* host = nullptr;
    Control* container = nullptr;
};

// The list of controls that a form or user control holds, in the order they
// were declared (run-time elements of control arrays at the end).
class ControlList : public vb::Object {
public:
    std::string TypeName() const override { return "Controls"; }
    int Count() const { return static_cast<int>(items_.size()); }
    Control& Item(int index) const;  // 0-based; error 9 when out of range
    Control* Find(const std::string& name, int index = -1) const;  // nullptr when absent
    std::vector<Control*>::const_iterator begin() const { return items_.begin(); }
    std::vector<Control*>::const_iterator end() const { return items_.end(); }

    vb::Variant GetMember(const std::string& name) override;  // Count
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;  // Item

private:
    friend class ControlHost;
    std::vector<Control*> items_;
};

// What holds controls: a form, or a user control for its constituents.
class ControlHost {
public:
    virtual ~ControlHost() = default;
    // The form that the controls live on (for a user control: its host form).
    virtual Form* HostForm() = 0;
    // Widget that controls declared directly on the host are placed in;
    // null while not loaded.
    virtual QWidget* ClientWidget() const = 0;
    // Touching a control of an unloaded host loads it.
    virtual void EnsureLoaded() = 0;
    virtual bool IsDesigning() const = 0;
    // Window handle of the host (its client window); 0 while not loaded.
    virtual win::HWND HostHwnd() const = 0;

    ControlList& ControlsList() { return controls_; }
    void RegisterControl(Control* c);
    void UnregisterControl(Control* c);
    void RegisterArray(ControlArrayBase* a);
    void UnregisterArray(ControlArrayBase* a);
    ControlArrayBase* FindArray(const std::string& name) const;

protected:
    ControlList controls_;
    std::vector<ControlArrayBase*> arrays_;
};

class Control : public vb::Object {
public:
    Control(ControlParent parent, std::string name);
    ~Control() override;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // ---- identity ----
    const std::string& Name() const { return name_; }
    // Index within its control array; error 343 when not part of one.
    std::int16_t Index() const;
    bool IsArrayElement() const { return array_ != nullptr; }
    // "txtFields(3)" for an element of a control array, else the name.
    std::string QualifiedName() const;
    // The form the control is on.
    Form& Parent() const;
    // The container control (Frame, PictureBox, user control, parent menu), or null.
    Control* Container() const { return container_; }
    ControlHost& Host() const { return *host_; }
    // The runtime's type name ("TextBox", "CommandButton", ...).
    std::string TypeName() const override = 0;

    // ---- geometry, in twips, relative to the container ----
    Twips Left() const;
    void Left(Twips v);
    Twips Top() const;
    void Top(Twips v);
    Twips Width() const;
    void Width(Twips v);
    Twips Height() const;
    void Height(Twips v);
    // Move(left) keeps the rest; negative width or height: error 380.
    void Move(Twips left, Twips top = kOmittedTwips, Twips width = kOmittedTwips, Twips height = kOmittedTwips);

    bool Visible() const;
    void Visible(bool v);
    bool Enabled() const;
    void Enabled(bool v);
    std::string Tag() const;
    void Tag(const std::string& v);

    // Tab order: TabIndex values of a host's controls are 0..n-1; setting one
    // moves the control to that place and renumbers the others. Error 438 for
    // controls without a tab position (menus, timers, lines, shapes, images).
    std::int16_t TabIndex() const;
    void TabIndex(std::int16_t v);
    bool TabStop() const;
    void TabStop(bool v);

    // The control's font; error 438 for controls without one.
    forms::Font& Font();
    FontRef FontObject();

    // Gives the control the focus; error 5 when it is hidden or disabled.
    void SetFocus();
    // Repaints the control now.
    void Refresh();
    // 0 brings the control to the front, 1 sends it to the back.
    void ZOrder(int position = 0);
    // Window handle; error 438 for windowless controls; 0 while not loaded.
    win::HWND hWnd() const;

    // ---- what the control supports ----
    virtual bool HasFont() const { return true; }
    virtual bool HasTabIndex() const { return true; }
    virtual bool CanFocus() const { return true; }
    // Class name of the control's window; null for windowless controls.
    virtual const char* WindowClass() const { return nullptr; }
    virtual bool IsContainer() const { return false; }

    // ---- events (each control raises those that apply to it) ----
    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void()> Change;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    std::function<void(std::int16_t& KeyCode, std::int16_t Shift)> KeyDown;
    std::function<void(std::int16_t& KeyCode, std::int16_t Shift)> KeyUp;
    std::function<void(std::int16_t& KeyAscii)> KeyPress;
    std::function<void(std::int16_t Button, std::int16_t Shift, float X, float Y)> MouseDown;
    std::function<void(std::int16_t Button, std::int16_t Shift, float X, float Y)> MouseUp;
    std::function<void(std::int16_t Button, std::int16_t Shift, float X, float Y)> MouseMove;
    std::function<void(bool& Cancel)> Validate;

    // ---- data binding (labels, text boxes, check boxes, pictures) ----
    // The data control (or other data source) the control is bound to.
    Control* DataSource() const;
    void DataSource(Control* source);
    std::string DataField() const;
    void DataField(const std::string& field);
    // True once the shown value was changed other than by the data source.
    bool DataChanged() const;
    void DataChanged(bool v);
    // The value to store back into the bound field.
    virtual vb::Variant BoundValue() const { return {}; }
    // Shows the bound field's value (Null shows as empty) and clears DataChanged.
    virtual void ShowBoundValue(const vb::Variant& value);

    // ---- late binding ----
    // Members by name, case-insensitive; error 438 when the control has none.
    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

    // A reference to this control for a Variant; it keeps the form alive when
    // the form is held by a shared pointer.
    vb::ObjectRef Ref();

    // ---- the widget behind the control ----
    // Null while the form is not loaded, and for controls without a widget.
    QWidget* Widget() const { return widget_; }
    // The widget that controls inside this container are placed in.
    virtual QWidget* ContainerWidget() const { return widget_; }
    // Finds the control behind a widget (or behind one of its ancestors up to
    // the form); null when none.
    static Control* FromWidget(const QWidget* w);

    // ---- used by forms, control arrays and the controls themselves ----
    // Creates the widget (and window handle) under the container's widget.
    virtual void CreateNative();
    // Destroys the window handle and lets go of the widget (deleted later).
    virtual void DestroyNative();
    // Records the current values as the design values, and goes back to them
    // (when the form unloads).
    virtual void SaveDesign();
    virtual void RestoreDesign();
    // Copies the values of another control of the same kind (a control
    // array's element loaded at run time takes those of the lowest element).
    virtual void CopyStateFrom(const Control& other);
    // The form is about to unload (after QueryUnload, before Unload).
    virtual void FormUnloading() {}
    void SetArray(ControlArrayBase* array, std::int16_t index);
    ControlArrayBase* Array() const { return array_; }
    // The tab position without loading the form.
    std::int16_t RawTabIndex() const { return common_.tabIndex; }
    void SetRawTabIndex(std::int16_t v) { common_.tabIndex = v; }
    // The Visible value without loading the form.
    bool RawVisible() const { return common_.visible; }
    // Applies common state (geometry, visibility, font...) to the widget.
    void ApplyCommon();
    // The font the control's own Font is applied over: that of the form's
    // client area (or the user control's), whose face stands in for an empty
    // face name.
    QFont InheritedFont() const;
    // Whether mouse clicks on the widget raise Click and DblClick.
    bool RaisesMouseClicks() const { return mouseClicks_; }

protected:
    // Creates the Qt widget under `parent`; null for controls without one.
    virtual QWidget* CreateWidget(QWidget* parent) = 0;
    // Pushes the kind-specific values to the widget.
    virtual void ApplyState() {}
    // Called after the widget geometry is set (lines, shapes lay out here).
    virtual void ApplyGeometry();
    // Called after Visible or Enabled changed (menus and timers have no widget).
    virtual void OnCommonChanged();
    // Loads the form when it is not loaded (outside design time).
    void Touch() const;
    bool Loaded() const { return widget_ != nullptr; }
    // Raises an event: errors inside the handler are handled as for any event.
    void Raise(const std::function<void()>& handler);
    // Hooks up the widget's key, focus and mouse events to this control.
    void InstallEventHooks(QWidget* w);
    // Widget geometry in pixels from the twips values.
    virtual void PlaceWidget();
    void SetWidgetName(QWidget* w) const;

    struct Common {
        Twips left = 0, top = 0, width = 0, height = 0;
        bool visible = true;
        bool enabled = true;
        std::string tag;
        std::int16_t tabIndex = 0;
        bool tabStop = true;
        Control* dataSource = nullptr;
        std::string dataField;
        bool dataChanged = false;
    };
    Common common_;
    Common commonDesign_;
    FontRef font_;
    forms::Font fontDesign_;
    QWidget* widget_ = nullptr;
    win::HWND hwnd_ = 0;
    // Context of the widget's signal connections; deleted with the widget,
    // which cuts them.
    QObject* connections_ = nullptr;
    // The control raises Click and DblClick from mouse clicks on its widget
    // (labels, images, pictures, frames); buttons raise them from their signals.
    bool mouseClicks_ = false;

private:
    std::string name_;
    ControlHost* host_;
    Control* container_;
    ControlArrayBase* array_ = nullptr;
    std::int16_t index_ = -1;
};

}  // namespace forms
