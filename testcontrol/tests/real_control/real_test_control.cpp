#include "real_test_control.h"

#include <QObject>
#include <QWidget>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "activex_host.h"
#include "com.h"
#include "com_ptr.h"
#include "creation.h"
#include "guid.h"
#include "module.h"

namespace zevote::testing {

namespace {

// The control's dual interface.
const com::IID& IID_IZEVOTest() {
    static const com::IID iid = com::MakeGuid("{48B33DE0-5745-11CF-8918-00A02416C765}");
    return iid;
}

std::uint32_t SplitValue(win::HWND w, const char* high, const char* low) {
    return static_cast<std::uint32_t>(((win::GetProp(w, high) & 0xFFFF) << 16) | (win::GetProp(w, low) & 0xFFFF));
}

// Reads a marker record {value, next} of this process at a 32-bit address
// through /proc/self/mem, so that a wrong address reads as a failure instead
// of a crash.
bool ReadRecord(std::uint32_t address, std::uint32_t (&record)[2]) {
    static const int mem = ::open("/proc/self/mem", O_RDONLY | O_CLOEXEC);
    if (mem < 0 || address == 0) return false;
    return ::pread(mem, record, sizeof record, static_cast<off_t>(address)) == static_cast<ssize_t>(sizeof record);
}

}  // namespace

TemporaryRegistry::TemporaryRegistry() {
    if (const char* before = std::getenv("ORVANTA_REGISTRY_DIR")) {
        hadPrevious_ = true;
        previous_ = before;
    }
    char pattern[] = "/tmp/zevote-forms-reg-XXXXXX";
    if (::mkdtemp(pattern)) folder_ = pattern;
    ::setenv("ORVANTA_REGISTRY_DIR", folder_.c_str(), 1);
}

TemporaryRegistry::~TemporaryRegistry() {
    if (hadPrevious_) {
        ::setenv("ORVANTA_REGISTRY_DIR", previous_.c_str(), 1);
    } else {
        ::unsetenv("ORVANTA_REGISTRY_DIR");
    }
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
}

::testing::AssertionResult RegisterTestControl() {
    const char* bin = std::getenv("ORVANTA_BIN_DIR");
    if (!bin) return ::testing::AssertionFailure() << "ORVANTA_BIN_DIR is not set";
    const std::string path = std::string(bin) + "/zevote32.ocx";
    // Loaded once for the test program, as a program keeps a control's
    // server loaded while it runs.
    static const com::HMODULE module = com::LoadLibrary(path);
    if (!module) return ::testing::AssertionFailure() << path << ": " << com::LastLoadError();
    const auto registerServer =
        reinterpret_cast<com::DllRegisterServerFn>(com::GetProcAddress(module, "DllRegisterServer"));
    if (!registerServer) return ::testing::AssertionFailure() << path << " exports no DllRegisterServer";
    const com::HRESULT hr = registerServer();
    if (hr != com::S_OK) return ::testing::AssertionFailure() << "DllRegisterServer returned " << std::hex << hr;
    return ::testing::AssertionSuccess();
}

Markers ReadMarkers(win::HWND w) {
    Markers m;
    m.hasDispatch = win::HasProp(w, "ZEVDISPHI") || win::HasProp(w, "ZEVDISPLO");
    m.hasList = win::HasProp(w, "ZEVINFOHI") || win::HasProp(w, "ZEVINFOLO");
    m.hasSkipMe = win::HasProp(w, "ZEVSKIPME");
    m.dispatch = SplitValue(w, "ZEVDISPHI", "ZEVDISPLO");
    m.skipMe = win::GetProp(w, "ZEVSKIPME");
    std::uint32_t record[2];
    for (std::uint32_t at = SplitValue(w, "ZEVINFOHI", "ZEVINFOLO"); at != 0 && m.list.size() < 64;
         at = record[1]) {
        if (!ReadRecord(at, record)) break;
        m.list.push_back(record[0]);
    }
    return m;
}

std::uint32_t PublishedValue(forms::ActiveXHost& host) {
    if (!host.Instance() || !host.Instance()->Unknown()) return 0;
    com::ComPtr<com::IUnknown> test;
    if (host.Instance()->Unknown()->QueryInterface(IID_IZEVOTest(), test.Out()) != com::S_OK) return 0;
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(test.Get()));
}

::testing::AssertionResult PublishesOn(forms::ActiveXHost& host, win::HWND form) {
    const std::uint32_t p = PublishedValue(host);
    if (host.IsPlaceholder() || p == 0) return ::testing::AssertionFailure() << "not the real test control";
    const win::HWND own = host.Instance()->Window();
    if (!win::IsWindow(own)) return ::testing::AssertionFailure() << "the control has no window";
    win::HWND above = win::GetParent(own);
    while (above != 0 && above != form) above = win::GetParent(above);
    if (above != form) return ::testing::AssertionFailure() << "the control's window is not below the form's";
    const Markers control = ReadMarkers(own);
    if (control.skipMe != 1)
        return ::testing::AssertionFailure() << "ZEVSKIPME on the control's window is " << control.skipMe;
    const Markers f = ReadMarkers(form);
    if (!f.hasDispatch || f.dispatch != p)
        return ::testing::AssertionFailure() << "ZEVDISPHI/LO on the form name " << std::hex << f.dispatch
                                             << ", not the control's " << p;
    if (f.list.empty() || f.list.front() != p)
        return ::testing::AssertionFailure() << "the form's list (" << f.list.size()
                                             << " records) does not start with the control's " << std::hex << p;
    return ::testing::AssertionSuccess();
}

WithdrawalWatch::WithdrawalWatch(forms::ActiveXHost& host, win::HWND form) : form_(form), receiver_(new QObject) {
    QWidget* own = host.Instance() ? win::WidgetOf(host.Instance()->Window()) : nullptr;
    if (!own) return;
    QObject::connect(own, &QObject::destroyed, receiver_.get(), [this] {
        seen_ = true;
        formWasWindow_ = win::IsWindow(form_);
        markers_ = ReadMarkers(form_);
    });
}

WithdrawalWatch::~WithdrawalWatch() = default;

::testing::AssertionResult WithdrewFromForm(const WithdrawalWatch& watch) {
    if (!watch.Seen()) return ::testing::AssertionFailure() << "the control's window did not go";
    if (!watch.FormWasWindow())
        return ::testing::AssertionFailure() << "the form's window went before the control's";
    const Markers& m = watch.FormMarkers();
    if (m.hasDispatch || m.hasList)
        return ::testing::AssertionFailure() << "the form still carried markers (" << m.list.size() << " records)";
    return ::testing::AssertionSuccess();
}

}  // namespace zevote::testing
