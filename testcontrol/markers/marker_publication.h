#pragma once
// Publication of a test control's markers for the outside testing tool, and
// their withdrawal. All controls of the process share one lock and one set of
// global state: the form on which a control registered last, and the pending
// lists of controls that registered while no form was known.
#include <cstdint>
#include <mutex>

#include "window_table.h"

namespace zevote {

// The process-wide lock over every marker list and the global state, shared
// by all instances of the control. Re-entrant, like a critical section.
extern std::recursive_mutex MarkerListLock;

// The marker state a control keeps (the control object lives below 4 GiB,
// so the address of registeredForm fits a pending slot record).
struct MarkerFields {
    win::HWND registeredForm = 0;        // the form its node hangs on
    win::HWND previousForm = 0;          // the form that got its second node
    win::HWND enclosingUserControl = 0;  // the user control that got a node
    std::uint16_t registered = 0;        // 1 between publication and withdrawal
    // Where "ZEVDISPHI"/"ZEVDISPLO" were set and with what value, so that
    // they can be withdrawn even when that window is not the registered form.
    win::HWND dispatchWindow = 0;
    std::uint32_t dispatchValue = 0;
};

// What publication needs from a control.
class MarkerPublisher {
public:
    virtual MarkerFields& Markers() = 0;
    virtual win::HWND OwnWindow() = 0;   // the control window
    // The container window the control window is a child of.
    virtual win::HWND HostWindow() = 0;
    // Address of the control's IZEVOTest interface.
    virtual std::uintptr_t TestInterfaceAddress() = 0;
    // Sets the extent to 0 x 0 through the control's own IOleObject; the
    // control's size rule decides the result.
    virtual void RequestZeroExtent() = 0;
    // Takes the control out of its container's tab order, through the
    // published interface value.
    virtual void LeaveTabOrder(std::uint32_t published) = 0;

protected:
    ~MarkerPublisher() = default;
};

void PublishTestMarkers(MarkerPublisher& control);
void WithdrawTestMarkers(MarkerPublisher& control);

// The global state, for tests and diagnostics.
struct MarkerGlobals {
    win::HWND lastRegisteredForm;
    std::uint32_t pendingNodeList;
    std::uint32_t pendingSlotList;
};
MarkerGlobals MarkerGlobalsSnapshot();
// Frees the pending lists and forgets the last registered form (tests only).
void ResetMarkerGlobalsForTesting();

}  // namespace zevote
