#pragma once
// The real test control on a program's forms, for the programs' own tests:
// zevote32.ocx registered from the program folder into a temporary registry,
// and the markers read back as the outside testing tool reads them.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "window_table.h"

class QObject;

namespace forms {
class ActiveXHost;
}

namespace zevote::testing {

// A registry folder of its own (ORVANTA_REGISTRY_DIR) for the life of the
// object; the previous setting comes back afterwards.
class TemporaryRegistry {
public:
    TemporaryRegistry();
    ~TemporaryRegistry();
    TemporaryRegistry(const TemporaryRegistry&) = delete;
    TemporaryRegistry& operator=(const TemporaryRegistry&) = delete;

private:
    std::string folder_, previous_;
    bool hadPrevious_ = false;
};

// Loads zevote32.ocx from the program folder (ORVANTA_BIN_DIR) and runs its
// DllRegisterServer into the registry that ORVANTA_REGISTRY_DIR names now.
::testing::AssertionResult RegisterTestControl();

// The marker properties of one window.
struct Markers {
    bool hasDispatch = false;        // "ZEVDISPHI" or "ZEVDISPLO" set
    bool hasList = false;            // "ZEVINFOHI" or "ZEVINFOLO" set
    std::uint32_t dispatch = 0;      // ZEVDISPHI << 16 | ZEVDISPLO
    std::vector<std::uint32_t> list; // the values of the list at ZEVINFOHI << 16 | ZEVINFOLO, head first
    bool hasSkipMe = false;
    std::uintptr_t skipMe = 0;       // "ZEVSKIPME"
    bool None() const { return !hasDispatch && !hasList && !hasSkipMe; }
};
Markers ReadMarkers(win::HWND w);

// The value a hosted control publishes: the address of its IZEVOTest
// interface (0 when the host holds no real control).
std::uint32_t PublishedValue(forms::ActiveXHost& host);

// The host holds the real control, whose window lies below `form` and
// carries "ZEVSKIPME" = 1, and `form` names it in "ZEVDISPHI"/"ZEVDISPLO"
// and holds it as the first record of its list.
::testing::AssertionResult PublishesOn(forms::ActiveXHost& host, win::HWND form);

// Reads `form`'s markers at the moment the host's control window goes away
// (the control withdraws just before), while the form's window still exists.
class WithdrawalWatch {
public:
    WithdrawalWatch(forms::ActiveXHost& host, win::HWND form);
    ~WithdrawalWatch();
    bool Seen() const { return seen_; }
    bool FormWasWindow() const { return formWasWindow_; }
    const Markers& FormMarkers() const { return markers_; }

private:
    win::HWND form_;
    bool seen_ = false, formWasWindow_ = false;
    Markers markers_;
    std::unique_ptr<QObject> receiver_;
};

// The form's markers were gone when its control window went.
::testing::AssertionResult WithdrewFromForm(const WithdrawalWatch& watch);

}  // namespace zevote::testing
