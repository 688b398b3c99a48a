#pragma once
// Line and Shape: windowless drawings on their container.
#include <cstdint>
#include <string>

#include "control.h"

namespace forms {

class Line : public Control {
public:
    Line(ControlParent parent, std::string name, Twips x1 = 0, Twips y1 = 0, Twips x2 = 0,
         Twips y2 = 0);
    std::string TypeName() const override { return "Line"; }
    bool HasFont() const override { return false; }
    bool HasTabIndex() const override { return false; }
    bool CanFocus() const override { return false; }

    Twips X1() const;
    void X1(Twips v);
    Twips Y1() const;
    void Y1(Twips v);
    Twips X2() const;
    void X2(Twips v);
    Twips Y2() const;
    void Y2(Twips v);
    std::int32_t BorderColor() const;
    void BorderColor(std::int32_t v);
    std::int16_t BorderWidth() const;
    void BorderWidth(std::int16_t v);
    // 0 transparent, 1 solid, 2 dash, 3 dot, ...
    std::int16_t BorderStyle() const;
    void BorderStyle(std::int16_t v);

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

    struct State {
        Twips x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        std::int32_t borderColor = 0;
        std::int16_t borderWidth = 1;
        std::int16_t borderStyle = 1;
    };
    const State& LineState() const { return state_; }

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyState() override;
    void PlaceWidget() override;

private:
    State state_, design_;
};

class Shape : public Control {
public:
    Shape(ControlParent parent, std::string name, Twips left = 0, Twips top = 0,
          Twips width = 1215, Twips height = 1215);
    std::string TypeName() const override { return "Shape"; }
    bool HasFont() const override { return false; }
    bool HasTabIndex() const override { return false; }
    bool CanFocus() const override { return false; }

    // 0 rectangle, 1 square, 2 oval, 3 circle, 4 rounded rectangle, 5 rounded square.
    std::int16_t ShapeKind() const;
    void ShapeKind(std::int16_t v);
    std::int32_t BorderColor() const;
    void BorderColor(std::int32_t v);
    std::int16_t BorderWidth() const;
    void BorderWidth(std::int16_t v);
    std::int16_t BorderStyle() const;
    void BorderStyle(std::int16_t v);
    // 0 transparent, 1 opaque.
    std::int16_t BackStyle() const;
    void BackStyle(std::int16_t v);
    std::int32_t BackColor() const;
    void BackColor(std::int32_t v);
    // 0 solid, 1 transparent (default).
    std::int16_t FillStyle() const;
    void FillStyle(std::int16_t v);
    std::int32_t FillColor() const;
    void FillColor(std::int32_t v);

    // "Shape" by name is ShapeKind.
    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

    struct State {
        std::int16_t shape = 0;
        std::int32_t borderColor = 0;
        std::int16_t borderWidth = 1;
        std::int16_t borderStyle = 1;
        std::int16_t backStyle = 0;
        std::int32_t backColor = 0xFFFFFF;
        std::int16_t fillStyle = 1;
        std::int32_t fillColor = 0;
    };
    const State& ShapeState() const { return state_; }

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyState() override;

private:
    State state_, design_;
};

}  // namespace forms
