#pragma once
// The program's import table of the object runtime: filled by ordinal when
// the program starts; generated routines reach the runtime only through it.
#include <cstdint>

#include "low_arena.h"
#include "vm_abi.h"

namespace hanzel {

using pbvm::u16;
using pbvm::u32;

#define HANZEL_IMPORTS(X)                     \
    X(StartApplication, 137)                  \
    X(EnterClassLoad, 2645)                   \
    X(CurrentGroup, 2644)                     \
    X(RegisterClass, 5245)                    \
    X(LeaveClassLoad, 2646)                   \
    X(ResolveThis, 2043)                      \
    X(NullObjectError, 2183)                  \
    X(CheckObject, 2578)                      \
    X(FieldAddress, 2458)                     \
    X(FieldLValue, 2459)                      \
    X(GlobalSlot, 2454)                       \
    X(GlobalReference, 2455)                  \
    X(GroupVariable, 2456)                    \
    X(ParentObject, 2624)                     \
    X(MakeString, 2448)                       \
    X(CopyString, 2050)                       \
    X(FreeString, 2426)                       \
    X(ConcatString, 2632)                     \
    X(Assign, 2468)                           \
    X(StoreObject, 2416)                      \
    X(AssignObject, 2404)                     \
    X(ReleaseValue, 2012)                     \
    X(ReleaseObjectRef, 5151)                 \
    X(CreateObject, 2453)                     \
    X(CreateChildControl, 2582)               \
    X(DestroyObject, 2461)                    \
    X(CompareString, 2611)                    \
    X(SystemFunctions, 2479)                  \
    X(BeginSystemCall, 2638)                  \
    X(EndSystemCall, 2639)                    \
    X(CallObjectFunction, 2384)               \
    X(Connect, 2539)                          \
    X(Disconnect, 2540)                       \
    X(Halt, 2492)                             \
    X(ReturnNormal, 2462)                     \
    X(Unwind, 2484)                           \
    X(InitLocal, 2486)                        \
    X(FreeVariableValue, 2295)                \
    X(NewArray, 2474)                         \
    X(ArrayCallback, 2475)                    \
    X(SetArrayBound, 2495)                    \
    X(ArrayElement, 2473)                     \
    X(InitArrayElement, 2497)                 \
    X(CopyValue, 2057)                        \
    X(AssignArray, 2469)                      \
    X(ConvertToInteger, 2607)                 \
    X(IntegerValue, 2147)                     \
    X(AssignInteger, 2405)                    \
    X(AssignAny, 2506)                        \
    X(CopyStructure, 2498)                    \
    X(ByReferenceArgument, 2488)              \
    X(SetReturnValue, 2634)                   \
    X(EventArgument, 2640)

enum ImportSlot : unsigned {
#define HANZEL_SLOT(name, ordinal) k##name,
    HANZEL_IMPORTS(HANZEL_SLOT)
#undef HANZEL_SLOT
    kImportCount
};

extern void* g_vmImports[kImportCount];
extern const unsigned g_vmImportOrdinals[kImportCount];

// Fills the table; false (with the missing ordinal) when the runtime lacks one.
bool FillImports(unsigned& missing);

template <class... A>
inline u32 Call(ImportSlot slot, A... args) {
    using Fn = u32 (*)(decltype(static_cast<u32>(args))...);
    return reinterpret_cast<Fn>(g_vmImports[slot])(static_cast<u32>(args)...);
}

// The import entry's own address, handed to vmNewArray.
inline u32 ImportEntry(ImportSlot slot) { return pbvm::Low(&g_vmImports[slot]); }

inline u32 vmEnterClassLoad(u32 c) { return Call(kEnterClassLoad, c); }
inline u32 vmCurrentGroup(u32 c) { return Call(kCurrentGroup, c); }
inline u32 vmRegisterClass(u32 pool, u32 stack, u32 group, u32 second, u32 zero) {
    return Call(kRegisterClass, pool, stack, group, second, zero);
}
inline u32 vmLeaveClassLoad(u32 c) { return Call(kLeaveClassLoad, c); }
inline u32 vmResolveThis(u32 c, u32 index) { return Call(kResolveThis, c, index); }
inline u32 vmNullObjectError(u32 c, u32 code) { return Call(kNullObjectError, c, code); }
inline u32 vmCheckObject(u32 c, u32 o, u32 local, const char* source, u32 line) {
    return Call(kCheckObject, c, o, local, pbvm::Low(source), line);
}
inline u32 vmFieldAddress(u32 c, u32 o, u32 field) { return Call(kFieldAddress, c, o, field); }
inline u32 vmFieldLValue(u32 c, u32 local, u32 o, u32 field) { return Call(kFieldLValue, c, local, o, field); }
inline u32 vmGlobalSlot(u32 c, u32 inst, u32 slot) { return Call(kGlobalSlot, c, inst, slot); }
inline u32 vmGlobalReference(u32 c, u32 arg, u32 inst, u32 slot) { return Call(kGlobalReference, c, arg, inst, slot); }
inline u32 vmGroupVariable(u32 c, u32 inst) { return Call(kGroupVariable, c, inst, 0u); }
inline u32 vmParentObject(u32 c, u32 o) { return Call(kParentObject, c, o); }
inline u32 vmMakeString(u32 c, const char* text) { return Call(kMakeString, c, pbvm::Low(text)); }
inline u32 vmCopyString(u32 c, u32 record) { return Call(kCopyString, c, record); }
inline u32 vmFreeString(u32 c, u32 s) { return Call(kFreeString, c, s); }
inline u32 vmConcatString(u32 c, u32 l, u32 ln, u32 r, u32 rn) { return Call(kConcatString, c, l, ln, r, rn); }
inline u32 vmAssign(u32 c, u32 target, u32 value, u32 null) { return Call(kAssign, c, target, value, null); }
inline u32 vmStoreObject(u32 c, u32 target, u32 o, u32 null) { return Call(kStoreObject, c, target, o, null, 0u); }
inline u32 vmAssignObject(u32 c, u32 record, u32 o, u32 null) { return Call(kAssignObject, c, record, o, null); }
inline u32 vmReleaseValue(u32 c, u32 record) { return Call(kReleaseValue, c, record); }
inline u32 vmReleaseObjectRef(u32 pool, u32 target) { return Call(kReleaseObjectRef, pool, target); }
inline u32 vmCreateObject(u32 c, u32 dest, u32 inst, u32 typeId) { return Call(kCreateObject, c, dest, inst, typeId); }
inline u32 vmCreateChildControl(u32 c, u32 dest, u32 owner, const char* name) {
    return Call(kCreateChildControl, c, dest, owner, pbvm::Low(name));
}
inline u32 vmDestroyObject(u32 c, u32 o) { return Call(kDestroyObject, c, o); }
inline u32 vmCompareString(u32 c, u32 s, const char* text) { return Call(kCompareString, c, s, pbvm::Low(text)); }
inline u32 vmSystemFunctions(u32 c) { return Call(kSystemFunctions, c); }
inline u32 vmBeginSystemCall(u32 c) { return Call(kBeginSystemCall, c, 0u); }
inline u32 vmEndSystemCall(u32 c) { return Call(kEndSystemCall, c); }
inline u32 vmCallObjectFunction(u32 o, u32 index, u32 count, u32 first, u32 result) {
    return Call(kCallObjectFunction, o, 0u, index, count, first, result);
}
inline u32 vmConnect(u32 c, u32 trans) { return Call(kConnect, c, trans); }
inline u32 vmDisconnect(u32 c, u32 trans) { return Call(kDisconnect, c, trans); }
inline u32 vmHalt(u32 c) { return Call(kHalt, c, 0u); }
inline u32 vmReturnNormal(u32 c) { return Call(kReturnNormal, c); }
inline u32 vmUnwind(u32 c, u32 record) { return Call(kUnwind, c, record); }
inline u32 vmInitLocal(u32 c, u32 record, u32 inst) { return Call(kInitLocal, c, record, inst); }
inline u32 vmFreeVariableValue(u32 c, u32 record) { return Call(kFreeVariableValue, c, record); }
inline u32 vmNewArray(u32 c, u32 pool, u32 descriptor) {
    return Call(kNewArray, c, pool, descriptor, 8u, 0x0D00u, 0u, 1u, ImportEntry(kArrayCallback));
}
inline u32 vmSetArrayBound(u32 c, u32 store, u32 count) { return Call(kSetArrayBound, c, store, count, 0u); }
inline u32 vmArrayElement(u32 c, u32 store, u32 index) { return Call(kArrayElement, c, store, index, 1u); }
inline u32 vmInitArrayElement(u32 c, u32 e, u32 typeId) { return Call(kInitArrayElement, c, e, typeId, 0x0D00u); }
inline u32 vmCopyValue(u32 c, u32 groupId, u32 e, u32 source) { return Call(kCopyValue, c, groupId, e, source, 0u); }
inline u32 vmAssignArray(u32 c, u32 target, u32 array) { return Call(kAssignArray, c, target, array, 0u, 0u); }
inline u32 vmConvertToInteger(u32 c, u32 record) { return Call(kConvertToInteger, c, record, 1u); }
inline u32 vmIntegerValue(u32 c, u32 record) { return Call(kIntegerValue, c, record); }
inline u32 vmAssignInteger(u32 c, u32 target, u32 value, u32 null) { return Call(kAssignInteger, c, target, value, null); }
inline u32 vmAssignAny(u32 c, u32 target, u32 record) { return Call(kAssignAny, c, target, record, 8u); }
inline u32 vmCopyStructure(u32 c, u32 structure) { return Call(kCopyStructure, c, structure); }
inline u32 vmByReferenceArgument(u32 c, u32 local, u32 typeId) { return Call(kByReferenceArgument, c, local, typeId); }
// The running function's return value := the value record at `record`.
inline u32 vmSetReturnValue(u32 c, u32 record) { return Call(kSetReturnValue, c, record); }
// Address of the running event's argument record `index`.
inline u32 vmEventArgument(u32 c, u32 index) { return Call(kEventArgument, c, index); }

}  // namespace hanzel
