#include "marker_publication.h"

#include <optional>

#include "low_memory.h"
#include "marker_list.h"
#include "window_walks.h"

namespace zevote {

std::recursive_mutex MarkerListLock;

namespace {

constexpr const char* kAtlControlProperty = "ATL_CONTROL";

// Guarded by MarkerListLock.
win::HWND LastRegisteredForm = 0;
std::uint32_t PendingNodeList = 0;
std::uint32_t PendingSlotList = 0;

bool SameThread(win::HWND a, win::HWND b) {
    return win::GetWindowThreadProcessId(a) == win::GetWindowThreadProcessId(b);
}

// The published interface value P, or nothing when it does not fit 32 bits
// exactly (a cut-off address is never published).
std::optional<std::uint32_t> PublishedValue(MarkerPublisher& control) {
    const win::HWND window = control.OwnWindow();
    const win::HWND parent = window ? win::GetParent(window) : control.HostWindow();
    std::uintptr_t value = win::GetProp(parent, kAtlControlProperty);
    if (value == 0) value = control.TestInterfaceAddress();
    if (value == 0 || value > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

std::optional<std::uint32_t> OwnValue(MarkerPublisher& control) {
    const std::uintptr_t value = control.TestInterfaceAddress();
    if (value == 0 || value > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

void ForgetStaleLastForm(win::HWND container) {
    if (LastRegisteredForm == 0) return;
    if (!win::IsWindow(LastRegisteredForm) || !SameThread(LastRegisteredForm, container) ||
        ClassIn(ReadClassName(LastRegisteredForm), kMdiParentFormClasses)) {
        LastRegisteredForm = 0;
    }
}

// Appends the node and the slot record to the tails of the pending lists,
// walked in step.
void AppendPending(MarkerNode* node, PendingSlot* slot) {
    MarkerNode* lastNode = NodeAt(PendingNodeList);
    PendingSlot* lastSlot = SlotAt(PendingSlotList);
    if (!lastNode || !lastSlot) {
        PendingNodeList = AddressOf(node);
        PendingSlotList = AddressOf(slot);
        return;
    }
    for (;;) {
        MarkerNode* nextNode = NodeAt(lastNode->next);
        PendingSlot* nextSlot = SlotAt(lastSlot->next);
        if (!nextNode || !nextSlot) break;
        lastNode = nextNode;
        lastSlot = nextSlot;
    }
    lastNode->next = AddressOf(node);
    lastSlot->next = AddressOf(slot);
}

// The form is now known: every pending node follows `node` into form's list,
// and every pending control learns its form.
void AdoptPending(MarkerNode* node, win::HWND form) {
    node->next = PendingNodeList;
    PendingNodeList = 0;
    for (PendingSlot* slot = SlotAt(PendingSlotList); slot;) {
        PendingSlot* next = SlotAt(slot->next);
        if (slot->field != 0) {
            *reinterpret_cast<win::HWND*>(static_cast<std::uintptr_t>(slot->field)) = form;
        }
        FreePendingSlot(slot);
        slot = next;
    }
    PendingSlotList = 0;
}

// Step 6: the form markers. Returns the form the control's node hangs on (0
// when pending), or `form` unchanged when nothing could be published.
win::HWND PublishOnForm(MarkerPublisher& control, std::uint32_t p, win::HWND form, bool stoppedAtHiddenMain,
                        win::HWND container) {
    MarkerFields& fields = control.Markers();
    MarkerNode* node = NewMarkerNode(p);
    if (!node) return form;
    ForgetStaleLastForm(container);

    const bool pending = stoppedAtHiddenMain && LastRegisteredForm == 0;
    PendingSlot* slot = nullptr;
    if (pending) {
        slot = vb::low::FitsIn32Bits(&fields.registeredForm, sizeof fields.registeredForm)
                   ? NewPendingSlot(AddressOf(&fields.registeredForm))
                   : nullptr;
        if (!slot) {
            FreeMarkerNode(node);
            return form;
        }
    }

    WriteSplitValue(form, kDispatchHighProperty, kDispatchLowProperty, p);
    fields.dispatchWindow = form;
    fields.dispatchValue = p;

    win::HWND previous = 0;
    if (stoppedAtHiddenMain) {
        if (LastRegisteredForm != 0) {
            AppendNode(LastRegisteredForm, node);
            form = LastRegisteredForm;
        } else {
            AppendPending(node, slot);
            form = 0;
        }
    } else {
        AppendNode(form, node);
        AdoptPending(node, form);
        if (LastRegisteredForm != 0 && LastRegisteredForm != form) {
            if (MarkerNode* second = NewMarkerNode(p)) {
                AppendNode(LastRegisteredForm, second);
                previous = LastRegisteredForm;
            }
        }
        LastRegisteredForm = form;
    }
    fields.registeredForm = form;
    fields.previousForm = previous;
    return form;
}

// Step 2 of withdrawal: takes the control's node and its slot record out of
// the pending lists.
void WithdrawPending(std::uint32_t v) {
    MarkerNode* previousNode = nullptr;
    PendingSlot* previousSlot = nullptr;
    MarkerNode* node = NodeAt(PendingNodeList);
    PendingSlot* slot = SlotAt(PendingSlotList);
    while (node && slot) {
        if (node->value == v) {
            if (previousNode) {
                previousNode->next = node->next;
                previousSlot->next = slot->next;
            } else {
                PendingNodeList = node->next;
                PendingSlotList = slot->next;
            }
            FreeMarkerNode(node);
            FreePendingSlot(slot);
            return;
        }
        previousNode = node;
        previousSlot = slot;
        node = NodeAt(node->next);
        slot = SlotAt(slot->next);
    }
}

}  // namespace

void PublishTestMarkers(MarkerPublisher& control) {
    control.RequestZeroExtent();
    MarkerFields& fields = control.Markers();
    const win::HWND container = control.HostWindow();
    if (fields.registered || container == 0) return;

    {
        std::lock_guard lock(MarkerListLock);
        const std::optional<std::uint32_t> p = PublishedValue(control);
        bool stoppedAtHiddenMain = false;
        win::HWND form = FindHostForm(container, stoppedAtHiddenMain);
        const win::HWND uc = FindEnclosingUserControl(container);

        if (p && form != 0 && SameThread(form, container)) {
            form = PublishOnForm(control, *p, form, stoppedAtHiddenMain, container);
        }
        if (p && uc != 0 && uc != form && SameThread(uc, container)) {
            if (MarkerNode* node = NewMarkerNode(*p)) {
                AppendNode(uc, node);
                fields.enclosingUserControl = uc;
            }
        }
        win::SetProp(control.OwnWindow(), kSkipMeProperty, 1);
        if (p) control.LeaveTabOrder(*p);
    }
    fields.registered = 1;
}

void WithdrawTestMarkers(MarkerPublisher& control) {
    std::lock_guard lock(MarkerListLock);
    MarkerFields& fields = control.Markers();
    if (fields.registered) {
        const std::optional<std::uint32_t> own = OwnValue(control);
        const std::uint32_t v = own.value_or(0);
        if (own) WithdrawPending(v);
        if (fields.registeredForm != 0 && win::IsWindow(fields.registeredForm)) {
            win::RemoveProp(fields.registeredForm, kDispatchHighProperty);
            win::RemoveProp(fields.registeredForm, kDispatchLowProperty);
            if (own) UnlinkValue(fields.registeredForm, v);
            win::RemoveProp(control.OwnWindow(), kSkipMeProperty);
        }
        // The window where the form search stopped may not be the registered
        // form; its dispatch pair must not outlive the control either.
        if (fields.dispatchWindow != 0 && fields.dispatchWindow != fields.registeredForm &&
            win::IsWindow(fields.dispatchWindow) &&
            ReadSplitValue(fields.dispatchWindow, kDispatchHighProperty, kDispatchLowProperty) ==
                fields.dispatchValue) {
            win::RemoveProp(fields.dispatchWindow, kDispatchHighProperty);
            win::RemoveProp(fields.dispatchWindow, kDispatchLowProperty);
        }
        if (own && fields.previousForm != 0 && win::IsWindow(fields.previousForm)) {
            UnlinkValue(fields.previousForm, v);
        }
        if (own && fields.enclosingUserControl != 0 && win::IsWindow(fields.enclosingUserControl)) {
            UnlinkValue(fields.enclosingUserControl, v);
        }
    }
    fields = MarkerFields{};
}

MarkerGlobals MarkerGlobalsSnapshot() {
    std::lock_guard lock(MarkerListLock);
    return {LastRegisteredForm, PendingNodeList, PendingSlotList};
}

void ResetMarkerGlobalsForTesting() {
    std::lock_guard lock(MarkerListLock);
    for (MarkerNode* node = NodeAt(PendingNodeList); node;) {
        MarkerNode* next = NodeAt(node->next);
        FreeMarkerNode(node);
        node = next;
    }
    for (PendingSlot* slot = SlotAt(PendingSlotList); slot;) {
        PendingSlot* next = SlotAt(slot->next);
        FreePendingSlot(slot);
        slot = next;
    }
    PendingNodeList = PendingSlotList = 0;
    LastRegisteredForm = 0;
}

}  // namespace zevote
