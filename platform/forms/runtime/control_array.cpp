#include "control_array.h"

#include <QCoreApplication>
#include <QObject>

#include "form.h"
#include "member_names.h"

namespace forms {

namespace {
// A removed element waiting for the event loop; deleting the holder destroys it.
class RetiredElement : public QObject {
public:
    RetiredElement(std::unique_ptr<Control> element, QObject* owner)
        : QObject(owner), element_(std::move(element)) {}

private:
    std::unique_ptr<Control> element_;
};
}  // namespace

ControlArrayBase::ControlArrayBase(ControlParent parent, std::string name)
    : parent_(parent), name_(std::move(name)), retired_(std::make_unique<QObject>()) {
    parent_.host->RegisterArray(this);
}

ControlArrayBase::~ControlArrayBase() {
    retired_.reset();
    elements_.clear();
    parent_.host->UnregisterArray(this);
}

void ControlArrayBase::Touch() const {
    if (!parent_.host->IsDesigning()) parent_.host->EnsureLoaded();
}

int ControlArrayBase::Count() const {
    Touch();
    return static_cast<int>(elements_.size());
}

std::int16_t ControlArrayBase::LBound() const {
    Touch();
    if (elements_.empty()) vb::RaiseError(9);
    return elements_.begin()->first;
}

std::int16_t ControlArrayBase::UBound() const {
    Touch();
    if (elements_.empty()) vb::RaiseError(9);
    return elements_.rbegin()->first;
}

bool ControlArrayBase::Exists(std::int16_t index) const {
    Touch();
    return elements_.count(index) != 0;
}

Control& ControlArrayBase::ItemControl(std::int16_t index) const {
    Touch();
    auto it = elements_.find(index);
    if (it == elements_.end()) vb::RaiseError(340);
    return *it->second.control;
}

std::vector<Control*> ControlArrayBase::Controls() const {
    Touch();
    std::vector<Control*> out;
    for (const auto& e : elements_) out.push_back(e.second.control.get());
    return out;
}

void ControlArrayBase::Unload(std::int16_t index) {
    Touch();
    auto it = elements_.find(index);
    if (it == elements_.end()) vb::RaiseError(340);
    if (!it->second.runtime) vb::RaiseError(362);
    std::unique_ptr<Control> element = std::move(it->second.control);
    elements_.erase(it);
    Retire(std::move(element));
}

void ControlArrayBase::RemoveRuntimeElements() {
    for (auto it = elements_.begin(); it != elements_.end();) {
        if (it->second.runtime) {
            std::unique_ptr<Control> element = std::move(it->second.control);
            it = elements_.erase(it);
            Retire(std::move(element));
        } else {
            ++it;
        }
    }
}

void ControlArrayBase::Retire(std::unique_ptr<Control> element) {
    element->DestroyNative();
    parent_.host->UnregisterControl(element.get());  // gone from Controls at once
    // deleteLater waits for the event loop that is running now, not for a
    // nested one (a message box or DoEvents inside the same event).
    if (QCoreApplication::instance()) (new RetiredElement(std::move(element), retired_.get()))->deleteLater();
}

void ControlArrayBase::Adopt(std::int16_t index, std::unique_ptr<Control> element, bool runtime) {
    Control& c = *element;
    c.SetArray(this, index);
    Forward(c);
    elements_[index] = Entry{std::move(element), runtime};
    if (runtime) {
        Form* form = parent_.host->HostForm();
        if (form && form->IsLoaded()) {
            c.CreateNative();
            form->ApplyTabOrderNow();
        }
    }
}

void ControlArrayBase::Forward(Control& c) {
    Control* p = &c;
    c.Click = [this, p] { if (Click) Click(p->Index()); };
    c.DblClick = [this, p] { if (DblClick) DblClick(p->Index()); };
    c.Change = [this, p] { if (Change) Change(p->Index()); };
    c.GotFocus = [this, p] { if (GotFocus) GotFocus(p->Index()); };
    c.LostFocus = [this, p] { if (LostFocus) LostFocus(p->Index()); };
    c.KeyDown = [this, p](std::int16_t& k, std::int16_t s) { if (KeyDown) KeyDown(p->Index(), k, s); };
    c.KeyUp = [this, p](std::int16_t& k, std::int16_t s) { if (KeyUp) KeyUp(p->Index(), k, s); };
    c.KeyPress = [this, p](std::int16_t& k) { if (KeyPress) KeyPress(p->Index(), k); };
    c.MouseDown = [this, p](std::int16_t b, std::int16_t s, float x, float y) {
        if (MouseDown) MouseDown(p->Index(), b, s, x, y);
    };
    c.MouseUp = [this, p](std::int16_t b, std::int16_t s, float x, float y) {
        if (MouseUp) MouseUp(p->Index(), b, s, x, y);
    };
    c.MouseMove = [this, p](std::int16_t b, std::int16_t s, float x, float y) {
        if (MouseMove) MouseMove(p->Index(), b, s, x, y);
    };
    c.Validate = [this, p](bool& cancel) { if (Validate) Validate(p->Index(), cancel); };
}

vb::Variant ControlArrayBase::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "count") return vb::Variant(Count());
    if (n == "lbound") return vb::Variant(LBound());
    if (n == "ubound") return vb::Variant(UBound());
    return vb::Object::GetMember(name);
}

vb::Variant ControlArrayBase::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    const std::string n = detail::Lower(name);
    if (n == "item") return vb::Variant(ItemControl(detail::Arg(args, 0).ToInteger()).Ref());
    if (n == "load") return vb::Variant(Load(detail::Arg(args, 0).ToInteger()).Ref());
    if (n == "unload") {
        Unload(detail::Arg(args, 0).ToInteger());
        return {};
    }
    if (args.empty()) return GetMember(name);
    return vb::Object::CallMember(name, args);
}

}  // namespace forms
