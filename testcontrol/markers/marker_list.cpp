#include "marker_list.h"

#include "low_memory.h"

namespace zevote {

namespace {

// What a low record holds, so that an address is only followed into a record
// of the kind the reader expects.
enum RecordKind : std::uint8_t { kMarkerNodeRecord = 1, kPendingSlotRecord = 2 };

}  // namespace

std::uint32_t AddressOf(const void* record) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(record));
}

MarkerNode* NewMarkerNode(std::uint32_t value) {
    auto* node = static_cast<MarkerNode*>(vb::low::AllocateRecord(kMarkerNodeRecord));
    if (node) node->value = value;
    return node;
}

void FreeMarkerNode(MarkerNode* node) { vb::low::FreeRecord(node); }

MarkerNode* NodeAt(std::uint32_t address) {
    return static_cast<MarkerNode*>(vb::low::LiveRecord(address, kMarkerNodeRecord));
}

PendingSlot* NewPendingSlot(std::uint32_t field) {
    auto* slot = static_cast<PendingSlot*>(vb::low::AllocateRecord(kPendingSlotRecord));
    if (slot) slot->field = field;
    return slot;
}

void FreePendingSlot(PendingSlot* slot) { vb::low::FreeRecord(slot); }

PendingSlot* SlotAt(std::uint32_t address) {
    return static_cast<PendingSlot*>(vb::low::LiveRecord(address, kPendingSlotRecord));
}

std::uint32_t ReadSplitValue(win::HWND w, const char* highName, const char* lowName) {
    const auto high = static_cast<std::uint32_t>(win::GetProp(w, highName));
    const auto low = static_cast<std::uint32_t>(win::GetProp(w, lowName));
    return (high << 16) | (low & 0xFFFF);
}

void WriteSplitValue(win::HWND w, const char* highName, const char* lowName, std::uint32_t value) {
    win::SetProp(w, highName, value >> 16);
    win::SetProp(w, lowName, value & 0xFFFF);
}

std::uint32_t ReadListHead(win::HWND w) { return ReadSplitValue(w, kListHighProperty, kListLowProperty); }

namespace {

void SetListHead(win::HWND w, std::uint32_t head) { WriteSplitValue(w, kListHighProperty, kListLowProperty, head); }

// A list of our own nodes never holds more than all live records; the bound
// only guards against a chain that someone else has tampered with.
bool WalkedTooFar(std::size_t steps) { return steps > vb::low::LiveRecordCount(); }

}  // namespace

void AppendNode(win::HWND w, MarkerNode* node) {
    MarkerNode* last = NodeAt(ReadListHead(w));
    if (!last) {
        SetListHead(w, AddressOf(node));
        return;
    }
    std::size_t steps = 0;
    while (MarkerNode* next = NodeAt(last->next)) {
        if (next == node || WalkedTooFar(++steps)) return;
        last = next;
    }
    last->next = AddressOf(node);
}

void UnlinkValue(win::HWND w, std::uint32_t v) {
    MarkerNode* previous = nullptr;
    MarkerNode* node = NodeAt(ReadListHead(w));
    std::size_t steps = 0;
    while (node && !WalkedTooFar(++steps)) {
        if (node->value == v) {
            if (previous) {
                previous->next = node->next;
            } else {
                win::RemoveProp(w, kListLowProperty);
                win::RemoveProp(w, kListHighProperty);
                if (node->next != 0) SetListHead(w, node->next);
            }
            FreeMarkerNode(node);
            return;
        }
        previous = node;
        node = NodeAt(node->next);
    }
}

}  // namespace zevote
