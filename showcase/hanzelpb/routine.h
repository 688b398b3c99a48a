#pragma once
// The frame every generated routine runs in: the entry sequence (depth,
// frame link, group instance, argument pointer, locals), the exit sequence
// on every path, and the statement pieces the routines are made of (object
// checks, field reads and assignments, system- and object-function calls,
// part creation and destruction, the event result). A script that must stop
// throws Stop; the exit sequence still runs and the routine returns 0.
#include <initializer_list>

#include "vm_imports.h"

namespace hanzel {

using pbvm::PbValue;

struct Stop {};

// A part of a window or menu: its field, class name and type id.
struct Part {
    u16 field;
    const char* name;
    u16 typeId;
};

class Routine {
public:
    // `groupCache` is the class's group number; `records` the size of the
    // routine's value area in 8-byte records.
    Routine(u32 context, u32 groupCache, unsigned records, const char* source);

    u32 context() const { return ctx_; }
    u32 instance() const { return instance_; }
    u32 rec(unsigned i) const { return area_ + 8 * i; }
    PbValue& val(unsigned i) const { return *pbvm::At<PbValue>(rec(i)); }
    pbvm::Unaligned<u32> field(u32 offset) const { return pbvm::Word(ctx_ + offset); }
    u32 self() const { return field(pbvm::ctx::kThis); }
    // The routine's own first argument record, as the argument pointer held
    // it at entry.
    u32 ownArgument(unsigned i) const { return savedArgs_ + 8 * i; }

    // A declared local: {0, 0x0D00, type}, initialised by the runtime.
    void declareLocal(unsigned record, u16 type);
    // A string local or argument, unwound on every exit path.
    void unwindAtExit(u32 record);

    template <class Body>
    u32 run(Body body) {
        try {
            body();
        } catch (const Stop&) {
            result_ = 0;
        }
        return finish();
    }
    [[noreturn]] void stop() { throw Stop{}; }
    void returnNormal() { vmReturnNormal(ctx_); }
    [[noreturn]] void halt();

    // The object of a value for one access: null or zero reports the
    // null-object error (0 from it stops the script, anything else skips the
    // access: false). Otherwise the object goes into `local` and is checked.
    bool check(const PbValue& object, unsigned local, u32 line);
    // A field of an object read as a string (a copy to free) or a scalar.
    u32 readString(const PbValue& object, u16 field, unsigned local, u32 line, bool& null);
    PbValue readScalar(const PbValue& object, u16 field, unsigned local, u32 line);
    PbValue readObject(const PbValue& object, u16 field, unsigned local, u32 line);
    // object.field := value, in two steps: the target first (0 when the
    // access was skipped), then, once the value is built in record `source`,
    // the assignment and the target's release.
    u32 beginAssign(const PbValue& object, u16 field, unsigned target, unsigned local, u32 line);
    void endAssign(u32 target, u32 value, bool null, unsigned source, unsigned local);
    // object.field := a constant text.
    void assignText(const PbValue& object, u16 field, const char* text, unsigned target, unsigned source,
                    unsigned local, u32 line);
    void releaseTarget(u32 target);
    PbValue global(u32 slot) const { return *pbvm::At<PbValue>(vmGlobalSlot(ctx_, instance_, slot)); }
    PbValue thisValue(u16 typeId) const { return {self(), pbvm::flag::kValue, typeId}; }

    // Arguments.
    void stringArgument(unsigned record, const char* text);
    // A system function by table offset with `count` arguments from record
    // `first`; returns the result record. Stops when it fails.
    const PbValue& systemCall(u32 entry, unsigned first, unsigned count);
    // The same call; null when it failed, for a script that goes on.
    const PbValue* trySystemCall(u32 entry, unsigned first, unsigned count);
    void releaseArguments(unsigned first, unsigned count);
    // An object function by index; the result goes to record `result`.
    void objectCall(u32 object, u32 index, unsigned first, unsigned count, unsigned result);
    // Open(window variable in global slot): stops when Open fails.
    void openWindow(u32 slot, unsigned first);
    // Close(window), the window stamped as type 0x8002.
    void closeWindow(const PbValue& window, unsigned first);
    // One concatenation step: `left` (freed) + right; returns the new left.
    u32 concat(u32 left, bool& leftNull, u32 right, bool rightNull);

    // Part creation, the parts gathered into the array field, and destruction.
    // `selfType` stamps the object whose parts they are (a window, a menu, a
    // tab control or tab page).
    void createParts(std::initializer_list<Part> parts, unsigned target, unsigned object, u32 line,
                     u16 selfType = 0x8002);
    void gatherParts(std::initializer_list<Part> parts, u16 arrayField, u16 elementType, unsigned target,
                     unsigned object, unsigned temp, u32 line, u16 selfType = 0x8002);
    void destroyFields(std::initializer_list<u16> fields, unsigned local, u32 line, u16 selfType = 0x8002);
    // The event result of window and control events, from message's field 6.
    void eventResult(u32 messageSlot, unsigned local, u32 line);

private:
    u32 finish();

    u32 ctx_;
    u32 area_;
    unsigned records_;
    const char* source_;
    u32 instance_ = 0;
    u32 savedFrame_, savedInstance_, savedArgs_;
    u32 result_ = 1;
    u32 unwind_[4] = {};
    unsigned unwindCount_ = 0;
    bool finished_ = false;
};

// The class tables handed to the runtime: the function list (record 0
// empty), the type list (ended by a zero type id) and the holder of both.
using EventRoutine = u32 (*)(u32 context, u32 unused);
struct Script {
    u16 event;
    EventRoutine routine;
};
struct TypeScripts {
    u16 typeId;
    std::initializer_list<Script> scripts;
};
void FillClassTables(pbvm::FunctionRecord* functions, pbvm::TypeRecord* types, pbvm::ClassHolder& holder,
                     std::initializer_list<TypeScripts> list);
// The registration routine's body, shared by every class.
u32 RegisterClassTables(u32 context, u32 holderOut, u32& groupCache, const pbvm::ClassHolder& holder);

}  // namespace hanzel
