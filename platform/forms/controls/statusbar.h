#pragma once
// StatusBar: a bar along the bottom of its form (Align 2, the default) that
// shows either one simple text (Style 1) or a row of panels (Style 0).
//
//     forms::StatusBar statusMain{this, "statusMain", forms::sbrSimple,
//                                 "Click on an event for more information!"};
//     statusMain.SimpleText("Data Retrieved");
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "control.h"
#include "keyed_items.h"

class QLabel;

namespace forms {

class StatusBar;

constexpr std::int16_t sbrNormal = 0;  // panels
constexpr std::int16_t sbrSimple = 1;  // one simple text

class Panel : public vb::Object {
public:
    std::string TypeName() const override { return "Panel"; }
    // Every member raises error 35605 once the panel was removed.
    int Index() const;
    std::string Key() const;
    std::string Text() const;
    void Text(const std::string& text);
    // In twips; the panel is at least this wide.
    Twips Width() const;
    void Width(Twips width);
    // 0 none, 1 the panel takes the room left over, 2 fits its text.
    std::int16_t AutoSize() const;
    void AutoSize(std::int16_t v);
    // 0 left, 1 centre, 2 right.
    std::int16_t Alignment() const;
    void Alignment(std::int16_t v);
    std::string Tag() const;
    void Tag(const std::string& tag);

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

private:
    friend class Panels;
    friend class StatusBar;
    template <class> friend class detail::KeyedItems;
    void CheckAlive() const;
    StatusBar* bar_ = nullptr;
    int index_ = 0;
    std::string key_;
    std::string text_;
    Twips width_ = 1440;
    std::int16_t autoSize_ = 0;
    std::int16_t alignment_ = 0;
    std::string tag_;
};

class Panels : public vb::Object {
public:
    explicit Panels(StatusBar& bar) : bar_(bar) {}
    std::string TypeName() const override { return "Panels"; }

    // Adds a panel at `index` (at the end when 0); error 35602 for a key
    // already used, 35600 for an index beyond the end.
    Panel& Add(int index = 0, const std::string& key = {}, const std::string& text = {});
    int Count() const { return items_.Count(); }
    // By 1-based index (error 35600) or key (error 35601).
    Panel& Item(const vb::Variant& indexOrKey) const { return items_.Item(indexOrKey); }
    Panel& operator()(const vb::Variant& indexOrKey) const { return Item(indexOrKey); }
    void Remove(const vb::Variant& indexOrKey);
    void Clear();

    vb::Variant GetMember(const std::string& name) override;  // Count
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

private:
    friend class StatusBar;
    StatusBar& bar_;
    detail::KeyedItems<Panel> items_;
};

class StatusBar : public Control {
public:
    // A status bar starts with one panel, as placed on a form.
    StatusBar(ControlParent parent, std::string name, std::int16_t style = sbrNormal,
              const std::string& simpleText = {}, Twips height = 315);
    ~StatusBar() override;
    std::string TypeName() const override { return "StatusBar"; }
    const char* WindowClass() const override { return "StatusBarWndClass"; }
    bool CanFocus() const override { return false; }
    bool HasTabIndex() const override { return false; }

    std::int16_t Style() const;
    void Style(std::int16_t v);
    // Shown while Style is 1.
    std::string SimpleText() const;
    void SimpleText(const std::string& text);
    forms::Panels& Panels();
    // 0 none (placed by its geometry), 1 top, 2 bottom: along that edge of
    // the form at its full width.
    std::int16_t Align() const;
    void Align(std::int16_t v);

    // The text the bar shows now (the simple text, or the panels' texts
    // separated by " | "); for tests.
    std::string ShownText() const;

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

    void DestroyNative() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyState() override;
    void PlaceWidget() override;

private:
    friend class Panel;
    friend class forms::Panels;
    class EdgeWatcher;
    void Rebuild();
    void UpdateTexts();
    void SetPanels(std::vector<std::shared_ptr<Panel>> panels);

    struct State {
        std::int16_t style = sbrNormal;
        std::string simpleText;
        std::int16_t align = 2;
    };
    State state_, design_;
    std::shared_ptr<forms::Panels> panels_;
    std::vector<Panel> designPanels_;
    QLabel* simpleLabel_ = nullptr;
    std::vector<QLabel*> panelLabels_;
    EdgeWatcher* watcher_ = nullptr;
};

}  // namespace forms
