#pragma once
// The program around the forms: the Qt application, default instances of
// forms, the collection of loaded forms, the message loop, End and DoEvents,
// and how errors that leave an event handler are handled.
//
//     int main(int argc, char** argv) {
//         forms::Application app(argc, argv);
//         return app.Run([] { modMain::Main(); });   // or: show the start form
//     }
//
// Run returns when no form is loaded any more, or at once after End.
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "form.h"

class QApplication;

namespace forms {

class Application {
public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs `main` (the start-up procedure), then the message loop until no
    // form is loaded or End is called. Returns the exit code (0).
    int Run(const std::function<void()>& main = {});

private:
    std::unique_ptr<QApplication> app_;
};

// Makes sure a Qt application object exists (tests and libraries that do not
// construct an Application get one made on demand).
void EnsureQtApplication();

// ---- default instances ----
namespace detail {
std::shared_ptr<Form>& DefaultSlot(std::type_index type);
}

// A new instance of a form class (Dim f As New frmConfirm); not loaded.
template <class T>
std::shared_ptr<T> New() {
    auto form = std::make_shared<T>();
    form->EndDesign();
    return form;
}

// The default instance of a form class: made on first reference, loaded when
// a control or built-in member is touched.
template <class T>
T& Default() {
    std::shared_ptr<Form>& slot = detail::DefaultSlot(std::type_index(typeid(T)));
    if (!slot) slot = New<T>();
    return static_cast<T&>(*slot);
}

// Whether the default instance of T has been made (does not make it).
template <class T>
bool HasDefault() {
    return detail::DefaultSlot(std::type_index(typeid(T))) != nullptr;
}

// Set frmX = Nothing for a default instance: the next reference makes a new
// one. The form is unloaded first when loaded.
template <class T>
void ReleaseDefault() {
    std::shared_ptr<Form>& slot = detail::DefaultSlot(std::type_index(typeid(T)));
    if (slot && slot->IsLoaded()) slot->UnloadForm();
    slot.reset();
}

// Names the program's multiple-document parent: when a child form loads
// before it exists, its default instance is made (and loaded) first.
namespace detail {
void SetMDIFormMaker(std::function<Form*()> maker);
Form* MakeMDIForm();  // null when none was named
}  // namespace detail
template <class T>
void UseMDIForm() {
    detail::SetMDIFormMaker([]() -> Form* { return &Default<T>(); });
}

// ---- the running program ----
// Loaded forms, in load order (a snapshot: unloading while iterating is safe).
std::vector<Form*> Forms();
// The form that is active (has the focus or was activated last), or null.
Form* ActiveForm();
// Ends the program at once: every form goes away without its events, and
// the code after End does not run (it unwinds as an exception to the
// message loop or to Application::Run).
[[noreturn]] void End();
// True once End was called or the last form unloaded after one was loaded.
bool ProgramEnded();
// Handles pending window events (and timers), then returns.
void DoEvents();

// The title used for message boxes without one: App.Title of the basic
// layer, unless set here (tests set it without touching App).
std::string AppTitle();
void SetAppTitle(const std::string& title);

// The exception End throws; caught by the runtime.
struct EndRequest {};

// ---- event dispatch ----
// Runs an event handler. When the handler was raised from program code (a
// property set that raises Change, Load raising Form_Load...), an error that
// leaves it reaches that code. When it was raised by the user (a click, a
// key), an unhandled error shows the runtime's error box and ends the program.
void RaiseEvent(const std::function<void()>& handler);

// Runs a call into Qt that may raise events (setText, setCurrentIndex...);
// an error inside one of those handlers is passed on to the caller after
// the Qt call returned.
void CallIntoQt(const std::function<void()>& call);

namespace detail {
// Bookkeeping used by forms.
void FormLoaded(Form* form, std::shared_ptr<Form> keepAlive);
void FormUnloaded(Form* form);
void SetActiveForm(Form* form);
// Runs a nested loop until `done` returns true (modal shows).
void RunModalLoop(const std::function<bool()>& done);
// Lets modal loops whose condition is met return.
void WakeModal();
// True once End was called (until the runtime is reset).
bool EndCalled();
// Runs a nested loop of Qt's own (a message box, a pop-up menu): events
// raised inside it are handled as the user's.
void RunNested(const std::function<void()>& loop);
// A window that was just shown is drawn on only once the window system has
// exposed it. When `window` (or the window it is in) is shown but not yet
// exposed, handles the window system's events, without user input, until it
// is, for at most about half a second; so that a repaint right after a show
// is seen. Nothing happens on platforms without a window system (offscreen).
void WaitUntilExposed(QWidget* window);
void HandleTopLevelError(std::exception_ptr error);
// Resets the runtime between tests: every form is destroyed without events,
// default instances are dropped, End is forgotten.
void ResetRuntime();
}  // namespace detail

}  // namespace forms
