#pragma once
// Marker records and the window lists they form. A window's list is a chain
// of MarkerNodes appended at the tail; the 32-bit address of its first node
// is kept in the window's "ZEVINFOHI"/"ZEVINFOLO" properties.
#include <cstdint>

#include "window_table.h"

namespace zevote {

inline constexpr const char* kSkipMeProperty = "ZEVSKIPME";
inline constexpr const char* kDispatchHighProperty = "ZEVDISPHI";
inline constexpr const char* kDispatchLowProperty = "ZEVDISPLO";
inline constexpr const char* kListHighProperty = "ZEVINFOHI";
inline constexpr const char* kListLowProperty = "ZEVINFOLO";

struct MarkerNode {
    std::uint32_t value;  // the published interface value of one test control
    std::uint32_t next;   // address of the next node of the same list, 0 at the end
};
static_assert(sizeof(MarkerNode) == 8);

// {address of a control's registered-form field, next record}
struct PendingSlot {
    std::uint32_t field;
    std::uint32_t next;
};
static_assert(sizeof(PendingSlot) == 8);

std::uint32_t AddressOf(const void* record);  // the low 32 bits of a record's address

// A new zeroed node holding `value`, or nullptr when none can be had.
MarkerNode* NewMarkerNode(std::uint32_t value);
void FreeMarkerNode(MarkerNode* node);
// The live node at this address, or nullptr (0, freed, or not one of ours).
MarkerNode* NodeAt(std::uint32_t address);
PendingSlot* NewPendingSlot(std::uint32_t field);
void FreePendingSlot(PendingSlot* slot);
PendingSlot* SlotAt(std::uint32_t address);

// A pair of 16-bit window properties read as one 32-bit value: a missing
// property reads as 0.
std::uint32_t ReadSplitValue(win::HWND w, const char* highName, const char* lowName);
void WriteSplitValue(win::HWND w, const char* highName, const char* lowName, std::uint32_t value);

std::uint32_t ReadListHead(win::HWND w);
// Appends node to w's list. A head or next field that does not lead to one of
// our nodes is taken as the end of the list.
void AppendNode(win::HWND w, MarkerNode* node);
// Unlinks and frees the first node of w's list whose value is v; nothing
// changes when there is none.
void UnlinkValue(win::HWND w, std::uint32_t v);

}  // namespace zevote
