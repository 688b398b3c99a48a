#pragma once
// A small program of our own for the runtime, made the way a linked program
// is: class entries in an object library, registration routines found
// through an export directory, class tables of events and routines, and
// routines that reach the runtime only through its operations by ordinal.
//
// Classes, in object-list order (groups 1 to 4):
//   tp_app     the application: create, open (its command line decides what
//              it does), close and destroy
//   w_calc     a window with a button cb_add (field 38) and a text st_shown
//              (field 39); functions of_add (118) and of_concat (119), an
//              event calling another object's script (120), one that stops
//              (121), one that reads its arguments (122)
//   w_nocode   a window class without a registration routine
//   w_refused  a window class whose registration routine refuses
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime.h"
#include "vm_abi.h"

namespace tp {

using pbvm::PbValue;
using pbvm::u16;
using pbvm::u32;

// Ordinals of the runtime's operations.
namespace op {
constexpr unsigned kEnterClassLoad = 2645, kCurrentGroup = 2644, kRegisterClass = 5245, kLeaveClassLoad = 2646,
                   kResolveThis = 2043, kNullObjectError = 2183, kCheckObject = 2578, kFieldAddress = 2458,
                   kFieldLValue = 2459, kGlobalSlot = 2454, kGlobalReference = 2455, kGroupVariable = 2456,
                   kParentObject = 2624, kMakeString = 2448, kCopyString = 2050, kFreeString = 2426,
                   kConcatString = 2632, kAssign = 2468, kStoreObject = 2416, kAssignObject = 2404,
                   kReleaseValue = 2012, kReleaseObjectRef = 5151, kCreateObject = 2453,
                   kCreateChildControl = 2582, kDestroyObject = 2461, kCompareString = 2611,
                   kSystemFunctions = 2479, kCallObjectFunction = 2384, kHalt = 2492, kInitLocal = 2486,
                   kNewArray = 2474, kSetArrayBound = 2495, kArrayElement = 2473, kInitArrayElement = 2497,
                   kCopyValue = 2057, kAssignArray = 2469, kConvertToInteger = 2607, kIntegerValue = 2147,
                   kAssignInteger = 2405, kAssignAny = 2506, kCopyStructure = 2498, kByReferenceArgument = 2488,
                   kSetReturnValue = 2634, kEventArgument = 2640;
}  // namespace op

// Calls the operation of that ordinal with 32-bit arguments.
template <class... A>
u32 Op(unsigned ordinal, A... args) {
    using Fn = u32 (*)(decltype(static_cast<u32>(args))...);
    void* entry = PBVM60_ProcByOrdinal(ordinal);
    if (!entry) {
        ADD_FAILURE() << "no operation of ordinal " << ordinal;
        return 0;
    }
    return reinterpret_cast<Fn>(entry)(static_cast<u32>(args)...);
}

// Field numbers and type ids of w_calc.
constexpr u32 kButtonField = 38, kShownField = 39, kCountField = 40;
constexpr u16 kCalcType = 0x8002, kButtonType = 0x8004, kShownType = 0x8006;
constexpr int kAddFunction = 118, kConcatFunction = 119, kNestedEvent = 120, kStoppingEvent = 121,
              kArgumentsEvent = 122, kErrorFlagEvent = 123;
// Global slots of tp_app (w_calc uses the same numbers for its globals).
constexpr u32 kCalcSlot = 1, kTextSlot = 2, kNoCodeSlot = 3;

// What the program's routines saw, in order.
struct Seen {
    std::vector<std::string> events;
    u32 thisInScript = 0;               // the object whose script ran last
    u32 argsAtEntry = 0;                // the argument pointer at the last routine's entry
    u32 thisBeforeNested = 0, thisInNested = 0, thisAfterNested = 0, nestedResult = 0;
    std::vector<std::string> arguments;  // texts of the arguments event's arguments
    std::vector<u16> argumentFlags;
    bool openResult = false;
    int clicks = 0;
};
Seen& Observed();

// The group numbers the registration routines were given, in call order (-1
// for the routine that refuses); filled once, when the program loads.
std::vector<int>& RegisteredGroups();

// A group's instance as generated code finds it: its slot in the routine
// stack, its record in the instance table, resolved afresh when the record
// asks for it. 0 when the group has none.
u32 GroupInstance(u32 context, u32 group);

// A zero-terminated copy of `text` in low memory (for operations that take
// the 32-bit address of a text); the test frees it or leaves it.
u32 LowText(const std::string& text);

// The runtime loaded with the test program (once per process) and a
// QApplication on the offscreen platform. Each test starts with nothing
// observed and ends the application it started.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    pbvm::Runtime& runtime() { return pbvm::Runtime::Get(); }
    u32 context() { return runtime().Context(); }
    // The object in a global variable, 0 when it holds none.
    u32 global(const std::string& name);
    // The window object of w_calc after StartApplication("open").
    u32 openCalc();
    // A value record in low memory, freed at the end of the test.
    PbValue& record(u32& address, PbValue value = {0, 0, 0});
    u32 records(unsigned count);

    std::vector<pbvm::MessageBoxCall> messages_;
    int messageAnswer_ = 1;

private:
    std::vector<u32> owned_;
};

}  // namespace tp
