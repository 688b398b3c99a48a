#pragma once
// Synthetic window tables and a stand-in control for the marker tests.
#include <QApplication>

#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "low_memory.h"
#include "marker_list.h"
#include "marker_publication.h"
#include "window_table.h"

namespace zevote::testing {

inline void EnsureApplication() {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zevote_marker_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

inline win::HWND Form(const char* cls = "ThunderRT6FormDC") {
    return win::CreateWindowHandle(nullptr, cls, win::WS_CAPTION | win::WS_THICKFRAME, 0);
}
inline win::HWND Child(win::HWND parent, const char* cls = "ThunderRT6PictureBoxDC", std::uint32_t extra = 0) {
    return win::CreateWindowHandle(nullptr, cls, win::WS_CHILD | win::WS_VISIBLE | extra, parent);
}
inline win::HWND Popup(const char* cls, win::HWND parent = 0) {
    return win::CreateWindowHandle(nullptr, cls, win::WS_POPUP, parent);
}

// A control as publication sees it, placed below 4 GiB like the real one.
class FakeControl final : public MarkerPublisher {
public:
    static FakeControl* Create(win::HWND container) {
        void* memory = vb::low::Allocate(sizeof(FakeControl));
        if (!memory) return nullptr;
        auto* control = new (memory) FakeControl;
        control->container = container;
        control->window = container ? win::CreateWindowHandle(nullptr, "ZEVOTestWndClass",
                                                              win::WS_CHILD | 0x04000000 /* clip siblings */, container)
                                    : 0;
        return control;
    }
    static void Destroy(FakeControl* control) {
        control->~FakeControl();
        vb::low::Free(control);
    }

    MarkerFields& Markers() override { return fields; }
    win::HWND OwnWindow() override { return window; }
    win::HWND HostWindow() override { return container; }
    std::uintptr_t TestInterfaceAddress() override {
        return interfaceAddress ? interfaceAddress : reinterpret_cast<std::uintptr_t>(&testInterface);
    }
    void RequestZeroExtent() override { ++extentRequests; }
    void LeaveTabOrder(std::uint32_t published) override { tabOrderValues.push_back(published); }

    std::uint32_t P() { return static_cast<std::uint32_t>(TestInterfaceAddress()); }

    MarkerFields fields;
    win::HWND window = 0;
    win::HWND container = 0;
    void* testInterface = nullptr;         // stands in for the IZEVOTest table pointer
    std::uintptr_t interfaceAddress = 0;   // overrides the address when not 0
    int extentRequests = 0;
    std::vector<std::uint32_t> tabOrderValues;
};

// The values of a window's list, head first.
inline std::vector<std::uint32_t> ListValues(win::HWND w) {
    std::vector<std::uint32_t> values;
    for (MarkerNode* n = NodeAt(ReadListHead(w)); n && values.size() < 100; n = NodeAt(n->next)) {
        values.push_back(n->value);
    }
    return values;
}

inline std::uint32_t DispatchValue(win::HWND w) {
    return ReadSplitValue(w, kDispatchHighProperty, kDispatchLowProperty);
}
inline bool HasDispatch(win::HWND w) {
    return win::HasProp(w, kDispatchHighProperty) || win::HasProp(w, kDispatchLowProperty);
}
inline bool HasList(win::HWND w) { return win::HasProp(w, kListHighProperty) || win::HasProp(w, kListLowProperty); }

inline std::vector<std::uint32_t> PendingValues() {
    std::vector<std::uint32_t> values;
    for (MarkerNode* n = NodeAt(MarkerGlobalsSnapshot().pendingNodeList); n && values.size() < 100;
         n = NodeAt(n->next)) {
        values.push_back(n->value);
    }
    return values;
}
inline std::vector<std::uint32_t> PendingSlotFields() {
    std::vector<std::uint32_t> fields;
    for (PendingSlot* s = SlotAt(MarkerGlobalsSnapshot().pendingSlotList); s && fields.size() < 100;
         s = SlotAt(s->next)) {
        fields.push_back(s->field);
    }
    return fields;
}

}  // namespace zevote::testing
