#include "timer.h"

#include <QTimer>

#include "application.h"
#include "err.h"
#include "member_names.h"

namespace forms {

Timer::Timer(ControlParent parent, std::string name, std::int32_t interval, bool enabled)
    : Control(parent, std::move(name)), interval_(interval) {
    common_.enabled = enabled;
    common_.visible = false;
}

Timer::~Timer() { Timer::DestroyNative(); }

std::int32_t Timer::Interval() const {
    Touch();
    return interval_;
}

void Timer::Interval(std::int32_t ms) {
    Touch();
    if (ms < 0 || ms > 65535) vb::RaiseError(380);
    interval_ = ms;
    ApplyState();
}

void Timer::CreateNative() {
    if (timer_) return;
    timer_ = new QTimer();
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { RaiseEvent(TimerEvent); });
    ApplyState();
}

void Timer::DestroyNative() {
    if (timer_) {
        timer_->stop();
        timer_->deleteLater();
        timer_ = nullptr;
    }
    Control::DestroyNative();
}

void Timer::ApplyState() {
    if (!timer_) return;
    if (common_.enabled && interval_ > 0) {
        if (!timer_->isActive() || timer_->interval() != interval_) timer_->start(interval_);
    } else {
        timer_->stop();
    }
}

vb::Variant Timer::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "interval") return vb::Variant(Interval());
    if (n == "font" || n == "visible" || n == "left" || n == "top" || n == "width" || n == "height" || n == "tabindex" ||
        n == "tabstop")
        vb::RaiseError(438);
    return Control::GetMember(name);
}

void Timer::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "interval") return Interval(value.ToLong());
    if (n == "visible" || n == "width" || n == "height") vb::RaiseError(438);
    Control::SetMember(name, value);
}

void Timer::OnCommonChanged() { ApplyState(); }

void Timer::SaveDesign() {
    Control::SaveDesign();
    intervalDesign_ = interval_;
}

void Timer::RestoreDesign() {
    Control::RestoreDesign();
    interval_ = intervalDesign_;
}

void Timer::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const Timer*>(&other)) interval_ = o->interval_;
}

}  // namespace forms
