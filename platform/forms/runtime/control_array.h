#pragma once
// Control arrays: controls of one kind that share a name and events and are
// told apart by Index. Elements are declared with the form (design time) or
// loaded at run time with Load and removed with Unload.
//
//     forms::ControlArray<forms::TextBox> txtFields{this, "txtFields",
//         forms::Element(0, 1800, 240, 3000, 285),
//         forms::Element(1, 1800, 600, 3000, 285)};
//     forms::ControlArray<forms::Label> lblLabels{&fraInfo, "lblLabels",
//         forms::Element(0, "Full Name:", 120, 240, 1200, 255)};
//     forms::ControlArray<forms::Menu> mnuAdminChoice{&mnuAdmin, "mnuAdminChoice",
//         forms::Element(1, "&Customers...")};
//
// The arguments after the index are those of the element's constructor after
// the parent and the name. Events of the array carry the element's Index:
//     txtFields.LostFocus = [this](int16_t Index) { vntLastField = Index; };
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "control.h"
#include "err.h"

class QObject;

namespace forms {

template <class... Args>
struct ElementSpec {
    std::int16_t index;
    std::tuple<Args...> args;
};

// One design-time element of a control array: its index, then the arguments
// of the control's constructor after the parent and the name.
template <class... Args>
ElementSpec<std::decay_t<Args>...> Element(std::int16_t index, Args&&... args) {
    return {index, std::tuple<std::decay_t<Args>...>(std::forward<Args>(args)...)};
}

// What every control array offers, whatever the kind of its elements.
class ControlArrayBase : public vb::Object {
public:
    ControlArrayBase(ControlParent parent, std::string name);
    ~ControlArrayBase() override;
    std::string TypeName() const override { return "Object"; }
    const std::string& Name() const { return name_; }
    ControlHost& Host() const { return *parent_.host; }

    int Count() const;                 // loads the form
    std::int16_t LBound() const;       // error 9 for an empty array
    std::int16_t UBound() const;
    bool Exists(std::int16_t index) const;
    // Element by index; error 340 when there is none.
    Control& ItemControl(std::int16_t index) const;
    // Elements in index order.
    std::vector<Control*> Controls() const;

    // Loads a new element (a copy of the lowest element, hidden); error 360
    // when the index is taken, 340 when the array is empty.
    virtual Control& Load(std::int16_t index) = 0;
    // Unloads an element loaded at run time; error 362 for design elements.
    void Unload(std::int16_t index);
    // Removes every element loaded at run time (the form unloads).
    void RemoveRuntimeElements();

    // Events with the element's Index first.
    std::function<void(std::int16_t Index)> Click;
    std::function<void(std::int16_t Index)> DblClick;
    std::function<void(std::int16_t Index)> Change;
    std::function<void(std::int16_t Index)> GotFocus;
    std::function<void(std::int16_t Index)> LostFocus;
    std::function<void(std::int16_t Index, std::int16_t& KeyCode, std::int16_t Shift)> KeyDown;
    std::function<void(std::int16_t Index, std::int16_t& KeyCode, std::int16_t Shift)> KeyUp;
    std::function<void(std::int16_t Index, std::int16_t& KeyAscii)> KeyPress;
    std::function<void(std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X, float Y)> MouseDown;
    std::function<void(std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X, float Y)> MouseUp;
    std::function<void(std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X, float Y)> MouseMove;
    std::function<void(std::int16_t Index, bool& Cancel)> Validate;

    // Count, LBound, UBound, Item(index) by name.
    vb::Variant GetMember(const std::string& name) override;
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

protected:
    void Adopt(std::int16_t index, std::unique_ptr<Control> element, bool runtime);
    void Touch() const;
    ControlParent parent_;
    std::string name_;
    struct Entry {
        std::unique_ptr<Control> control;
        bool runtime = false;
    };
    std::map<std::int16_t, Entry> elements_;

private:
    void Forward(Control& c);
    // Destroys a removed element once the event being handled is over: an
    // element may unload itself, or its form, from one of its own events.
    void Retire(std::unique_ptr<Control> element);
    std::unique_ptr<QObject> retired_;  // owns the retired elements not yet destroyed
};

template <class T>
class ControlArray : public ControlArrayBase {
public:
    template <class... Specs>
    ControlArray(ControlParent parent, std::string name, Specs&&... specs)
        : ControlArrayBase(parent, std::move(name)) {
        (AddDesignElement(std::forward<Specs>(specs)), ...);
    }

    T& operator()(std::int16_t index) const { return static_cast<T&>(ItemControl(index)); }
    T& Item(std::int16_t index) const { return (*this)(index); }

    T& Load(std::int16_t index) override {
        Touch();
        if (elements_.count(index)) vb::RaiseError(360);
        if (elements_.empty()) vb::RaiseError(340);
        const Control& model = *elements_.begin()->second.control;
        auto element = std::make_unique<T>(parent_, name_);
        T& ref = *element;
        ref.CopyStateFrom(model);
        Adopt(index, std::move(element), true);
        return ref;
    }

    // Iterates over the elements in index order.
    class iterator {
    public:
        using It = std::map<std::int16_t, Entry>::const_iterator;
        explicit iterator(It it) : it_(it) {}
        T& operator*() const { return static_cast<T&>(*it_->second.control); }
        T* operator->() const { return &**this; }
        iterator& operator++() { ++it_; return *this; }
        bool operator!=(const iterator& o) const { return it_ != o.it_; }
        bool operator==(const iterator& o) const { return it_ == o.it_; }
    private:
        It it_;
    };
    iterator begin() const { Touch(); return iterator(elements_.begin()); }
    iterator end() const { return iterator(elements_.end()); }

private:
    template <class... Args>
    void AddDesignElement(ElementSpec<Args...>&& spec) {
        auto element = std::apply(
            [&](auto&&... a) { return std::make_unique<T>(parent_, name_, std::forward<decltype(a)>(a)...); },
            std::move(spec.args));
        Adopt(spec.index, std::move(element), false);
    }
};

}  // namespace forms
