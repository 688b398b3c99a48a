#pragma once
// What generated class code and the object runtime share: the value record,
// the context's fields at their byte offsets, value types and flags, the
// program's export directory and the ordinals of the runtime's operations.
#include <cstdint>

namespace pbvm {

// An 8-byte value record.
struct PbValue {
    std::uint32_t value;
    std::uint16_t flags;
    std::uint16_t type;
};
static_assert(sizeof(PbValue) == 8);

namespace ctx {
constexpr std::uint32_t kPool = 0x0C;            // first argument of vmReleaseObjectRef / vmRegisterClass
constexpr std::uint32_t kErrorFlag = 0x6A;       // nonzero: the script must stop
constexpr std::uint32_t kInstanceTable = 0x96;   // records of 19 u32
constexpr std::uint32_t kInstanceCount = 0x9A;   // number of records in the instance table
constexpr std::uint32_t kGroupInstance = 0xC2;   // current class-group instance
constexpr std::uint32_t kThis = 0xCE;            // object whose script runs
constexpr std::uint32_t kArrayPool = 0x11A;      // second argument of vmNewArray
constexpr std::uint32_t kCleared = 0x12E;        // cleared at routine entry
constexpr std::uint32_t kArgs = 0x150;           // first argument record of the call
constexpr std::uint32_t kCall154 = 0x154;        // cleared before calls
constexpr std::uint32_t kCall158 = 0x158;        // cleared before calls
constexpr std::uint32_t kExprResult = 0x15C;     // expression / return value record
constexpr std::uint32_t kCallResult = 0x160;     // result of the last function call
constexpr std::uint32_t kDepth = 0x168;          // call depth
constexpr std::uint32_t kRoutineStack = 0x198;   // routine-stack record
constexpr std::uint32_t kFrameLink = 0x1FC;      // value area of the running routine
constexpr std::uint32_t kStackTop = 0x200;       // records in use, up to the last argument
constexpr std::uint32_t kValueStackFree = 0x204; // next free record of the value stack
constexpr std::uint32_t kValueStackEnd = 0x208;  // end of the value stack
constexpr std::uint32_t kSize = 0x400;
}  // namespace ctx

// Instance-table records are 19 u32: u32 1 the instance, u32 6 = 1 when the
// instance must be resolved afresh.
constexpr std::uint32_t kInstanceRecordSize = 19 * 4;
// Routine-stack record: u32 0 the base, u32 at byte 0x10 the entry stride.
constexpr std::uint32_t kRoutineStackStride = 0x10;
constexpr std::uint16_t kNoInstance = 0xFFFF;

namespace type {
constexpr std::uint16_t kEmpty = 0;
constexpr std::uint16_t kInteger = 1;
constexpr std::uint16_t kLong = 2;
constexpr std::uint16_t kString = 6;
constexpr std::uint16_t kBoolean = 7;
constexpr std::uint16_t kEnumBase = 0x4000;
constexpr std::uint16_t kFileTypeEnum = 0x4016;
constexpr std::uint16_t kIconEnum = 0x4028;
constexpr std::uint16_t kClassBase = 0x8000;
}  // namespace type

namespace flag {
constexpr std::uint16_t kNull = 0x0001;
constexpr std::uint16_t kValue = 0x0C00;     // constant text, object or string read from a variable
constexpr std::uint16_t kLong = 0x1C00;      // long read or computed
constexpr std::uint16_t kConstant = 0x0400;  // integer, boolean or enumeration constant
constexpr std::uint16_t kLocal = 0x0D00;     // declared local, array element
constexpr std::uint16_t kByReference = 0x0080;
}  // namespace flag

// System-function table entries, by byte offset.
namespace sysfn {
constexpr std::uint32_t kClose = 12 * 4;
constexpr std::uint32_t kMessageBox = 120 * 4;
constexpr std::uint32_t kOpen = 130 * 4;
constexpr std::uint32_t kProfileString = 209 * 4;
constexpr std::uint32_t kSleep = 211 * 4;
constexpr std::uint32_t kString = 267 * 4;
constexpr std::uint32_t kTableSize = 512 * 4;
}  // namespace sysfn

// Event numbers.
namespace event {
constexpr int kCreate = 0;
constexpr int kDestroy = 1;
constexpr int kApplicationClose = 19;
constexpr int kApplicationOpen = 21;
constexpr int kMenuClicked = 21;
constexpr int kWindowClose = 23;
constexpr int kButtonClicked = 33;
constexpr int kWindowOpen = 37;
}  // namespace event

// The program's export directory: what the runtime reads instead of ELF
// symbols, since names such as "__fn_1_32777_0@8" are not symbol names.
struct ExportEntry {
    std::uint32_t ordinal;
    const char* name;
    std::uint32_t address;  // the routine, below 4 GiB
};
struct ExportDirectory {
    const char* moduleName;
    const ExportEntry* entries;
    std::uint32_t count;
};

// A function-list record and a type-list record, packed.
#pragma pack(push, 1)
struct FunctionRecord {
    std::uint16_t event;
    std::uint32_t address;
};
struct TypeRecord {
    std::uint16_t typeId;
    std::uint16_t count;
    std::uint16_t zero;
    std::uint32_t first;
    std::uint32_t end;
    std::uint32_t zero2;
};
struct ClassHolder {
    std::uint32_t functions;
    std::uint32_t types;
};
#pragma pack(pop)
static_assert(sizeof(FunctionRecord) == 6);
static_assert(sizeof(TypeRecord) == 18);

// Routine shapes.
using EventRoutine = std::uint32_t (*)(std::uint32_t context, std::uint32_t unused);
using RegistrationRoutine = std::uint32_t (*)(std::uint32_t context, std::uint32_t second, std::uint32_t holderOut);
using SystemFunction = std::uint32_t (*)(std::uint32_t context, std::uint32_t argumentCount);

}  // namespace pbvm

// The runtime's one named entry: the address of an operation by ordinal,
// null for an ordinal it does not have.
extern "C" void* PBVM60_ProcByOrdinal(unsigned ordinal);
