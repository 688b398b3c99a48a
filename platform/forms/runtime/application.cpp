#include "application.h"

#include <cstdio>
#include <unordered_map>
#include <utility>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "accessibility.h"
#include "app_object.h"
#include "err.h"
#include "font_faces.h"
#include "program_hooks.h"
#include "msgbox.h"
#include "screen.h"
#include "text_viewer.h"

namespace forms {

namespace {

struct ModalLoop {
    QEventLoop* loop;
    std::function<bool()> done;
};

struct Runtime {
    std::unordered_map<std::type_index, std::shared_ptr<Form>> defaults;
    // Loaded forms in load order, with what keeps each alive while loaded.
    std::vector<std::pair<Form*, std::shared_ptr<Form>>> loaded;
    // Forms released by an unload, freed once the current event is done.
    std::vector<std::shared_ptr<Form>> graveyard;
    Form* active = nullptr;
    bool ended = false;
    bool everLoaded = false;
    int mainDepth = 0;
    int captureDepth = 0;
    std::exception_ptr captured;
    std::vector<ModalLoop> loops;
    QEventLoop* mainLoop = nullptr;  // Application::Run's message loop
    std::string appTitle;
    bool appTitleSet = false;
    std::function<Form*()> mdiMaker;
};

Runtime& rt() {
    static Runtime r;
    return r;
}

void ScheduleGraveyard() {
    if (!QCoreApplication::instance()) return;
    QTimer::singleShot(0, [] { rt().graveyard.clear(); });
}

void WakeModalLoops() {
    for (auto& l : rt().loops) {
        if (rt().ended || (l.done && l.done())) l.loop->quit();
    }
}

// Ends the program: every form goes without events, every loop returns.
void DoEnd() {
    Runtime& r = rt();
    if (r.ended) return;
    r.ended = true;
    auto loaded = r.loaded;
    for (auto it = loaded.rbegin(); it != loaded.rend(); ++it) it->first->Terminate();
    for (auto& entry : r.loaded) {
        if (entry.second) r.graveyard.push_back(entry.second);
    }
    r.loaded.clear();
    r.active = nullptr;
    WakeModalLoops();
    if (r.mainLoop) r.mainLoop->quit();
}

}  // namespace

// ---- Application ----

namespace {
// DoEvents of the basic layer hands control to the forms' event loop; a text
// file Shell cannot hand to the desktop opens in the forms' own viewer.
void InstallDoEventsHook() {
    vb::SetDoEventsHook([] { forms::DoEvents(); });
    vb::SetTextViewerHook([](const std::string& path) { return forms::ShowTextFile(path); });
}

// The Qt application of the forms runtime. An error that leaves an event
// handler without passing through RaiseEvent (a timer's slot, a call queued
// by program code) must not unwind through Qt's event dispatch, which cannot
// carry it and would abort the process: it is handled here like any other
// untrapped error, with the runtime's error box and the end of the program.
class RuntimeApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            detail::HandleTopLevelError(std::current_exception());
            return true;
        }
    }
};
}  // namespace

Application::Application(int& argc, char** argv) {
    if (!QApplication::instance()) app_ = std::make_unique<RuntimeApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    InstallDoEventsHook();
    detail::InstallFontFaces();
}

Application::~Application() {
    detail::ResetRuntime();
}

int Application::Run(const std::function<void()>& main) {
    Runtime& r = rt();
    ++r.mainDepth;
    try {
        if (main) main();
    } catch (const EndRequest&) {
        DoEnd();
    } catch (...) {
        --r.mainDepth;
        detail::HandleTopLevelError(std::current_exception());
        ++r.mainDepth;
    }
    --r.mainDepth;
    if (r.ended || r.loaded.empty()) return 0;
    QEventLoop loop;
    r.mainLoop = &loop;
    loop.exec();
    r.mainLoop = nullptr;
    return 0;
}

void EnsureQtApplication() {
    static const bool hooked = (InstallDoEventsHook(), true);
    (void)hooked;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "forms";
        static char* argv[] = {name, nullptr};
        new RuntimeApplication(argc, argv);  // lives for the whole process
        QApplication::setQuitOnLastWindowClosed(false);
    }
    detail::InstallFontFaces();
    detail::InstallAccessibility();
}

std::shared_ptr<Form>& detail::DefaultSlot(std::type_index type) { return rt().defaults[type]; }

std::vector<Form*> Forms() {
    std::vector<Form*> out;
    for (auto& entry : rt().loaded) out.push_back(entry.first);
    return out;
}

Form* ActiveForm() { return rt().active; }

void End() { throw EndRequest{}; }

bool ProgramEnded() {
    const Runtime& r = rt();
    return r.ended || (r.everLoaded && r.loaded.empty() && r.mainDepth == 0);
}

void DoEvents() {
    if (!QCoreApplication::instance()) return;
    Runtime& r = rt();
    const int depth = std::exchange(r.captureDepth, 0);
    std::exception_ptr saved = std::exchange(r.captured, nullptr);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    r.captureDepth = depth;
    r.captured = saved;
    if (r.ended) throw EndRequest{};
}

std::string AppTitle() {
    if (rt().appTitleSet) return rt().appTitle;
    return vb::App().Title();
}

void SetAppTitle(const std::string& title) {
    rt().appTitle = title;
    rt().appTitleSet = true;
}

void RaiseEvent(const std::function<void()>& handler) {
    if (!handler) return;
    Runtime& r = rt();
    if (r.ended) return;
    try {
        handler();
    } catch (...) {
        if (r.captureDepth > 0) {
            if (!r.captured) r.captured = std::current_exception();
        } else {
            detail::HandleTopLevelError(std::current_exception());
        }
    }
}

void CallIntoQt(const std::function<void()>& call) {
    Runtime& r = rt();
    ++r.captureDepth;
    std::exception_ptr saved = std::exchange(r.captured, nullptr);
    call();
    --r.captureDepth;
    std::exception_ptr error = std::exchange(r.captured, saved);
    if (error) std::rethrow_exception(error);
}

// ---- bookkeeping ----

void detail::FormLoaded(Form* form, std::shared_ptr<Form> keepAlive) {
    Runtime& r = rt();
    for (auto& entry : r.loaded) {
        if (entry.first == form) return;
    }
    r.loaded.emplace_back(form, std::move(keepAlive));
    r.everLoaded = true;
}

void detail::FormUnloaded(Form* form) {
    Runtime& r = rt();
    for (auto it = r.loaded.begin(); it != r.loaded.end(); ++it) {
        if (it->first == form) {
            if (it->second) {
                r.graveyard.push_back(std::move(it->second));
                ScheduleGraveyard();
            }
            r.loaded.erase(it);
            break;
        }
    }
    if (r.active == form) r.active = nullptr;
    WakeModalLoops();
    if (r.loaded.empty() && r.mainDepth == 0 && r.mainLoop) r.mainLoop->quit();
}

void detail::SetActiveForm(Form* form) { rt().active = form; }

void detail::SetMDIFormMaker(std::function<Form*()> maker) { rt().mdiMaker = std::move(maker); }

Form* detail::MakeMDIForm() { return rt().mdiMaker ? rt().mdiMaker() : nullptr; }

void detail::RunModalLoop(const std::function<bool()>& done) {
    Runtime& r = rt();
    if (r.ended || done()) return;
    QEventLoop loop;
    r.loops.push_back({&loop, done});
    const int depth = std::exchange(r.captureDepth, 0);
    std::exception_ptr saved = std::exchange(r.captured, nullptr);
    loop.exec();
    r.captureDepth = depth;
    r.captured = saved;
    for (auto it = r.loops.begin(); it != r.loops.end(); ++it) {
        if (it->loop == &loop) {
            r.loops.erase(it);
            break;
        }
    }
}

void detail::WaitUntilExposed(QWidget* window) {
    if (!window || !QCoreApplication::instance()) return;
    static const bool windowSystem = QGuiApplication::platformName() != QLatin1String("offscreen") &&
                                     QGuiApplication::platformName() != QLatin1String("minimal");
    if (!windowSystem) return;
    window = window->window();
    QPointer<QWindow> handle = window->isVisible() ? window->windowHandle() : nullptr;
    if (!handle || handle->isExposed()) return;
    constexpr int kLimitMs = 500;
    QElapsedTimer clock;
    clock.start();
    RunNested([&] {
        while (handle && !handle->isExposed() && handle->isVisible() && clock.elapsed() < kLimitMs) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers,
                                            10);
            if (handle && !handle->isExposed()) QThread::msleep(2);
        }
    });
}

void detail::WakeModal() { WakeModalLoops(); }

bool detail::EndCalled() { return rt().ended; }

void detail::RunNested(const std::function<void()>& loop) {
    Runtime& r = rt();
    const int depth = std::exchange(r.captureDepth, 0);
    std::exception_ptr saved = std::exchange(r.captured, nullptr);
    loop();
    r.captureDepth = depth;
    r.captured = saved;
    if (r.ended) throw EndRequest{};
}

namespace {

// The program ends after a fatal error. When even the box that tells the
// user cannot be shown, the message goes to the standard error stream.
void ReportFatalError(const std::string& message) {
    try {
        MsgBox(message, vbCritical);
    } catch (...) {
        std::fprintf(stderr, "%s\n", message.c_str());
    }
}

}  // namespace

void detail::HandleTopLevelError(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const EndRequest&) {
        DoEnd();
    } catch (const vb::VBError& e) {
        ReportFatalError("Run-time error '" + std::to_string(e.number()) + "':\r\n\r\n" + e.description());
        DoEnd();
    } catch (const std::exception& e) {
        ReportFatalError(std::string("Run-time error:\r\n\r\n") + e.what());
        DoEnd();
    } catch (...) {
        ReportFatalError("Run-time error '51':\r\n\r\n" + vb::StandardErrorDescription(51));
        DoEnd();
    }
}

void detail::ResetRuntime() {
    Runtime& r = rt();
    auto loaded = r.loaded;
    for (auto it = loaded.rbegin(); it != loaded.rend(); ++it) it->first->Terminate();
    r.loaded.clear();
    for (auto& l : r.loops) l.loop->quit();
    r.loops.clear();
    if (r.mainLoop) r.mainLoop->quit();
    r.defaults.clear();
    r.graveyard.clear();
    r.active = nullptr;
    r.ended = false;
    r.everLoaded = false;
    r.mainDepth = 0;
    r.captureDepth = 0;
    r.captured = nullptr;
    r.appTitle.clear();
    r.appTitleSet = false;
    r.mdiMaker = nullptr;
    if (QCoreApplication::instance()) {
        Screen.MousePointer(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

}  // namespace forms
