// The runtime's operations by ordinal: the one table through which a
// program's import table is filled.
#include <unordered_map>

#include "runtime.h"

namespace pbvm::ops {
u32 EnterClassLoad(u32);
u32 CurrentGroup(u32);
u32 RegisterClass(u32, u32, u32, u32, u32);
u32 LeaveClassLoad(u32);
u32 ResolveThis(u32, u32);
u32 NullObjectError(u32, u32);
u32 CheckObject(u32, u32, u32, u32, u32);
u32 FieldAddress(u32, u32, u32);
u32 FieldLValue(u32, u32, u32, u32);
u32 GlobalSlot(u32, u32, u32);
u32 GlobalReference(u32, u32, u32, u32);
u32 GroupVariable(u32, u32, u32);
u32 ParentObject(u32, u32);
u32 MakeString(u32, u32);
u32 CopyString(u32, u32);
u32 FreeString(u32, u32);
u32 ConcatString(u32, u32, u32, u32, u32);
u32 Assign(u32, u32, u32, u32);
u32 StoreObject(u32, u32, u32, u32, u32);
u32 AssignObject(u32, u32, u32, u32);
u32 ReleaseValueOp(u32, u32);
u32 ReleaseObjectRef(u32, u32);
u32 CreateObject(u32, u32, u32, u32);
u32 CreateChildControl(u32, u32, u32, u32);
u32 DestroyObjectOp(u32, u32);
u32 CompareString(u32, u32, u32);
u32 SystemFunctions(u32);
u32 BeginSystemCall(u32, u32);
u32 EndSystemCall(u32);
u32 CallObjectFunction(u32, u32, u32, u32, u32, u32);
u32 Connect(u32, u32);
u32 Disconnect(u32, u32);
u32 Halt(u32, u32);
u32 ReturnNormal(u32);
u32 Unwind(u32, u32);
u32 InitLocal(u32, u32, u32);
u32 FreeVariableValue(u32, u32);
u32 NewArray(u32, u32, u32, u32, u32, u32, u32, u32);
u32 SetArrayBound(u32, u32, u32, u32);
u32 ArrayElement(u32, u32, u32, u32);
u32 InitArrayElement(u32, u32, u32, u32);
u32 CopyValue(u32, u32, u32, u32, u32);
u32 AssignArray(u32, u32, u32, u32, u32);
u32 ConvertToInteger(u32, u32, u32);
u32 IntegerValue(u32, u32);
u32 AssignInteger(u32, u32, u32, u32);
u32 AssignAny(u32, u32, u32, u32);
u32 CopyStructure(u32, u32);
u32 ByReferenceArgument(u32, u32, u32);
u32 ArrayCallback(u32, u32);
u32 SetReturnValue(u32, u32);
u32 EventArgument(u32, u32);
}  // namespace pbvm::ops

extern "C" void* PBVM60_ProcByOrdinal(unsigned ordinal) {
    using namespace pbvm::ops;
    static const std::unordered_map<unsigned, void*> table{
        {137, reinterpret_cast<void*>(&vmStartApplication)},
        {2645, reinterpret_cast<void*>(&EnterClassLoad)},
        {2644, reinterpret_cast<void*>(&CurrentGroup)},
        {5245, reinterpret_cast<void*>(&RegisterClass)},
        {2646, reinterpret_cast<void*>(&LeaveClassLoad)},
        {2043, reinterpret_cast<void*>(&ResolveThis)},
        {2183, reinterpret_cast<void*>(&NullObjectError)},
        {2578, reinterpret_cast<void*>(&CheckObject)},
        {2458, reinterpret_cast<void*>(&FieldAddress)},
        {2459, reinterpret_cast<void*>(&FieldLValue)},
        {2454, reinterpret_cast<void*>(&GlobalSlot)},
        {2455, reinterpret_cast<void*>(&GlobalReference)},
        {2456, reinterpret_cast<void*>(&GroupVariable)},
        {2624, reinterpret_cast<void*>(&ParentObject)},
        {2448, reinterpret_cast<void*>(&MakeString)},
        {2050, reinterpret_cast<void*>(&CopyString)},
        {2426, reinterpret_cast<void*>(&FreeString)},
        {2632, reinterpret_cast<void*>(&ConcatString)},
        {2468, reinterpret_cast<void*>(&Assign)},
        {2416, reinterpret_cast<void*>(&StoreObject)},
        {2404, reinterpret_cast<void*>(&AssignObject)},
        {2012, reinterpret_cast<void*>(&ReleaseValueOp)},
        {5151, reinterpret_cast<void*>(&ReleaseObjectRef)},
        {2453, reinterpret_cast<void*>(&CreateObject)},
        {2582, reinterpret_cast<void*>(&CreateChildControl)},
        {2461, reinterpret_cast<void*>(&DestroyObjectOp)},
        {2611, reinterpret_cast<void*>(&CompareString)},
        {2479, reinterpret_cast<void*>(&SystemFunctions)},
        {2638, reinterpret_cast<void*>(&BeginSystemCall)},
        {2639, reinterpret_cast<void*>(&EndSystemCall)},
        {2384, reinterpret_cast<void*>(&CallObjectFunction)},
        {2539, reinterpret_cast<void*>(&Connect)},
        {2540, reinterpret_cast<void*>(&Disconnect)},
        {2492, reinterpret_cast<void*>(&Halt)},
        {2462, reinterpret_cast<void*>(&ReturnNormal)},
        {2484, reinterpret_cast<void*>(&Unwind)},
        {2486, reinterpret_cast<void*>(&InitLocal)},
        {2295, reinterpret_cast<void*>(&FreeVariableValue)},
        {2474, reinterpret_cast<void*>(&NewArray)},
        {2475, reinterpret_cast<void*>(&ArrayCallback)},
        {2495, reinterpret_cast<void*>(&SetArrayBound)},
        {2473, reinterpret_cast<void*>(&ArrayElement)},
        {2497, reinterpret_cast<void*>(&InitArrayElement)},
        {2057, reinterpret_cast<void*>(&CopyValue)},
        {2469, reinterpret_cast<void*>(&AssignArray)},
        {2607, reinterpret_cast<void*>(&ConvertToInteger)},
        {2147, reinterpret_cast<void*>(&IntegerValue)},
        {2405, reinterpret_cast<void*>(&AssignInteger)},
        {2506, reinterpret_cast<void*>(&AssignAny)},
        {2498, reinterpret_cast<void*>(&CopyStructure)},
        {2488, reinterpret_cast<void*>(&ByReferenceArgument)},
        {2634, reinterpret_cast<void*>(&SetReturnValue)},
        {2640, reinterpret_cast<void*>(&EventArgument)},
    };
    auto it = table.find(ordinal);
    return it == table.end() ? nullptr : it->second;
}
