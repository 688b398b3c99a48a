#pragma once
// Timer: raises Timer every Interval milliseconds while Enabled and the form
// is loaded; Interval 0 stops it.
#include <cstdint>
#include <functional>
#include <string>

#include "control.h"

class QTimer;

namespace forms {

class Timer : public Control {
public:
    Timer(ControlParent parent, std::string name, std::int32_t interval = 0, bool enabled = true);
    ~Timer() override;
    std::string TypeName() const override { return "Timer"; }
    bool HasFont() const override { return false; }
    bool HasTabIndex() const override { return false; }
    bool CanFocus() const override { return false; }

    std::int32_t Interval() const;
    void Interval(std::int32_t ms);  // error 380 when negative or above 65535

    // The event.
    std::function<void()> TimerEvent;

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

    void CreateNative() override;
    void DestroyNative() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

protected:
    QWidget* CreateWidget(QWidget*) override { return nullptr; }
    void ApplyState() override;
    void OnCommonChanged() override;

private:
    std::int32_t interval_ = 0, intervalDesign_ = 0;
    QTimer* timer_ = nullptr;
};

}  // namespace forms
