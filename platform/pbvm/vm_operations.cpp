// The runtime's operations that generated routines reach by ordinal.
#include <cstring>

#include "vm_state.h"

namespace pbvm::ops {

namespace {

// A record that failed accesses read from and write to, so generated code
// never touches a stray address.
PbValue& scratch() {
    static u32 record = LowAlloc(sizeof(PbValue));
    *At<PbValue>(record) = {0, static_cast<u16>(flag::kValue | flag::kNull), 0};
    return *At<PbValue>(record);
}

// Target record: u32 kind (1 field, 2 global), u32 object or group instance,
// u16 field or slot, the temporary value at byte 10.
constexpr u32 kTargetSize = 24;
constexpr u32 kFieldTarget = 1;
constexpr u32 kGlobalTarget = 2;

PbValue* targetValue(u32 target, Object** owner = nullptr, u32* field = nullptr) {
    if (!target || !LowIsBlock(target)) return nullptr;
    u32 kind = Word(target), holder = Word(target + 4), index = Half(target + 8);
    if (kind == kFieldTarget) {
        Object* o = FindObject(holder);
        if (!o) return nullptr;
        if (owner) *owner = o;
        if (field) *field = index;
        return FieldRecord(*o, index);
    }
    if (kind == kGlobalTarget) {
        Group* g = GroupOfInstance(holder);
        const GlobalDef* def = g ? g->def.global(static_cast<int>(index)) : nullptr;
        return def ? At<PbValue>(GlobalValue(def->name)) : nullptr;
    }
    return nullptr;
}

void changed(Object* owner, u32 field) {
    if (owner) FieldChanged(*owner, field);
}

u16 objectType(u32 object, u16 fallback) {
    Object* o = FindObject(object);
    return o ? o->typeId : fallback;
}

}  // namespace

u32 EnterClassLoad(u32) { return 1; }
u32 CurrentGroup(u32) { return static_cast<u32>(S().loadingGroup); }
u32 LeaveClassLoad(u32) { return 1; }

// The runtime calls a registration routine with its arguments laid out in a
// frame record: the second argument, then the u32 that receives the holder,
// whose address is the third argument.
u32 RegisterClass(u32 pool, u32 routineStack, u32 group, u32 secondArgument, u32) {
    (void)pool;
    auto& groups = S().groups;
    if (group >= groups.size() || routineStack != S().routineStack) return 0;
    u32 holderAddress = Word(secondArgument + 4);
    if (!holderAddress) return 0;
    Group& g = groups[group];
    g.holder = *At<ClassHolder>(holderAddress);
    return 1;
}

u32 ResolveThis(u32, u32 index) {
    if (index >= Word(S().context + ctx::kInstanceCount)) return 0;
    u32 record = S().instanceTable + index * kInstanceRecordSize;
    for (const auto& g : S().groups)
        if (g.instanceIndex == index) {
            Word(record + 4) = g.instance;
            Word(record + 24) = 0;
            return g.instance;
        }
    return 0;
}

u32 NullObjectError(u32, u32 code) {
    S().nullErrors.push_back(code);
    ReportError(code == 0x503F ? "Error 20543: the object has no parent" : "Error 20502: null object reference");
    return S().nullAnswer;
}

u32 CheckObject(u32, u32 object, u32, u32 source, u32 line) {
    if (FindObject(object)) return 1;
    ReportError("invalid object at " + StringAt(source) + " line " + std::to_string(line));
    Word(S().context + ctx::kErrorFlag) = 1;
    return 0;
}

u32 FieldAddress(u32, u32 object, u32 field) {
    Object* o = FindObject(object);
    PbValue* f = o ? FieldRecord(*o, field) : nullptr;
    return f ? Low(f) : Low(&scratch());
}

u32 FieldLValue(u32, u32 local, u32 object, u32 field) {
    u32 target = LowAlloc(kTargetSize);
    Word(target) = kFieldTarget;
    Word(target + 4) = object;
    Half(target + 8) = static_cast<u16>(field);
    Word(local) = target;
    return 1;
}

u32 GlobalSlot(u32, u32 instance, u32 slot) {
    Group* g = GroupOfInstance(instance);
    const GlobalDef* def = g ? g->def.global(static_cast<int>(slot)) : nullptr;
    return def ? GlobalValue(def->name) : Low(&scratch());
}

u32 GlobalReference(u32, u32 argument, u32 instance, u32 slot) {
    u32 target = LowAlloc(kTargetSize);
    Word(target) = kGlobalTarget;
    Word(target + 4) = instance;
    Half(target + 8) = static_cast<u16>(slot);
    *At<PbValue>(argument) = {target, static_cast<u16>(flag::kValue | flag::kByReference), type::kClassBase};
    return 1;
}

u32 GroupVariable(u32, u32 instance, u32) {
    Group* g = GroupOfInstance(instance);
    return g ? GlobalValue(g->def.name) : Low(&scratch());
}

u32 ParentObject(u32, u32 object) {
    Object* o = FindObject(object);
    return o && FindObject(o->parent) ? o->parent : 0;
}

u32 MakeString(u32, u32 text) { return NewString(text ? At<const char>(text) : ""); }

u32 CopyString(u32, u32 record) {
    const PbValue& v = *At<PbValue>(record);
    return NewString(v.type == type::kString ? StringAt(v.value) : ValueText(v));
}

u32 FreeString(u32, u32 s) {
    if (s && LowIsBlock(s)) LowFree(s);
    return 1;
}

u32 ConcatString(u32 c, u32 left, u32 leftNull, u32 right, u32 rightNull) {
    PbValue& result = *At<PbValue>(Word(c + ctx::kExprResult));
    std::string text = StringAt(left) + StringAt(right);
    ReleaseValue(result);
    result = {NewString(text), static_cast<u16>(flag::kValue | ((leftNull || rightNull) ? flag::kNull : 0)),
              type::kString};
    return 1;
}

u32 Assign(u32, u32 target, u32 value, u32 null) {
    Object* owner = nullptr;
    u32 field = 0;
    PbValue* f = targetValue(target, &owner, &field);
    if (!f) {
        if (value && LowIsBlock(value)) LowFree(value);
        return 0;
    }
    u16 t = f->type;
    ReleaseValue(*f);
    if (t == type::kString || t == type::kEmpty) {
        *f = {value, static_cast<u16>(flag::kValue | (null ? flag::kNull : 0)), type::kString};
    } else {
        *f = {value, static_cast<u16>((t == type::kLong ? flag::kLong : flag::kValue) | (null ? flag::kNull : 0)), t};
    }
    changed(owner, field);
    return 1;
}

u32 StoreObject(u32, u32 target, u32 object, u32 null, u32) {
    Object* owner = nullptr;
    u32 field = 0;
    PbValue* f = targetValue(target, &owner, &field);
    if (!f) return 0;
    if (f->type == type::kString) ReleaseValue(*f);
    *f = {object, static_cast<u16>(flag::kValue | (null ? flag::kNull : 0)), objectType(object, type::kClassBase)};
    changed(owner, field);
    return 1;
}

u32 AssignObject(u32, u32 record, u32 object, u32 null) {
    PbValue& v = *At<PbValue>(record);
    if (v.type == type::kString) ReleaseValue(v);
    v = {object, static_cast<u16>(flag::kValue | (null ? flag::kNull : 0)), objectType(object, type::kClassBase)};
    return 1;
}

// The record may sit at any offset: a target record keeps its temporary
// value at byte 10.
u32 ReleaseValueOp(u32, u32 record) {
    if (!record) return 0;
    PbValue v = Unaligned<PbValue>{record};
    ReleaseValue(v);
    Unaligned<PbValue>{record} = v;
    return 1;
}

u32 ReleaseObjectRef(u32, u32 target) {
    if (target && LowIsBlock(target)) LowFree(target);
    return 1;
}

u32 CreateObject(u32 c, u32 destination, u32 instance, u32 typeId) {
    Group* g = GroupOfInstance(instance);
    std::string name = g ? g->def.typeName(static_cast<int>(typeId)) : std::string();
    if (name.empty()) return 0;
    u32 object;
    if (GroupNamed(name)) {
        object = CreateClassObject(name, Word(c + ctx::kThis));
    } else {
        object = NewObject(name, name, g->number, static_cast<u16>(typeId), 0, nullptr);
    }
    if (!object) return 0;
    *At<PbValue>(destination) = {object, flag::kValue, static_cast<u16>(typeId)};
    return 1;
}

u32 CreateChildControl(u32, u32 destination, u32 owner, u32 className) {
    Object* o = FindObject(owner);
    if (!o || o->group < 0) return static_cast<u32>(-1);
    const Group& g = S().groups[o->group];
    std::string name = StringAt(className);
    const ObjectDef* def = g.def.object(name);
    if (!def || def->parent.empty()) {
        ReportError("the class " + g.def.name + " has no control " + name);
        return static_cast<u32>(-1);
    }
    u16 typeId = static_cast<u16>(g.def.typeId(name));
    u32 child = NewObject(def->sysClass, name, o->group, typeId, owner, def);
    CreateControlWidget(*FindObject(child));
    *At<PbValue>(destination) = {child, flag::kValue, typeId};
    if (!RunScript(child, event::kCreate)) return static_cast<u32>(-1);
    return 1;
}

u32 DestroyObjectOp(u32, u32 object) { return DestroyObject(object) ? 1 : 0; }

u32 CompareString(u32, u32 s, u32 text) { return StringAt(s) == (text ? At<const char>(text) : "") ? 0 : 1; }

u32 SystemFunctions(u32) { return S().systemHolder; }
u32 BeginSystemCall(u32, u32) { return 1; }
u32 EndSystemCall(u32) { return 1; }

u32 CallObjectFunction(u32 object, u32, u32 index, u32 argc, u32 first, u32 result) {
    u32 c = S().context;
    Object* o = FindObject(object);
    PbValue& r = result ? *At<PbValue>(result) : scratch();
    // The result goes to the caller's record. The context keeps pointing at
    // the runtime's own result record: a record of the caller's value area
    // is gone once the caller returns, and system functions write through
    // that pointer.
    if (!o) return 0;
    if (HasScript(object, static_cast<int>(index))) {
        Word(c + ctx::kArgs) = first;
        if (!RunScript(object, static_cast<int>(index))) return 0;
        const PbValue& returned = *At<PbValue>(Word(c + ctx::kExprResult));
        r = returned;
        if (r.type == type::kString) r.value = NewString(StringAt(returned.value));
        return 1;
    }
    const bool ok = CallSystemObjectFunction(*o, index, argc, first, r);
    // Structures copied to pass by value end with the call.
    for (u32 i = 0; i < argc; ++i) {
        const PbValue& a = At<PbValue>(first)[i];
        if (a.type < type::kClassBase || (a.flags & flag::kByReference)) continue;
        if (Object* copy = FindObject(a.value); copy && copy->temporary) FreeObject(a.value);
    }
    return ok ? 1 : 0;
}

u32 Halt(u32, u32) {
    S().halted = true;
    FinishIfIdle();
    return 1;
}

u32 ReturnNormal(u32) { return 1; }

u32 Unwind(u32, u32 record) {
    if (record) ReleaseValue(*At<PbValue>(record));
    return 1;
}

u32 InitLocal(u32, u32 record, u32 instance) {
    PbValue& v = *At<PbValue>(record);
    v.value = 0;
    v.flags = flag::kLocal;
    // A structure variable holds a structure of its own from the start; it
    // lives as long as the script that declared it.
    if (v.type >= type::kClassBase) {
        Group* g = GroupOfInstance(instance);
        const std::string name = g ? g->def.typeName(v.type) : std::string();
        if (name == "treeviewitem") {
            v.value = NewObject(name, name, g->number, v.type, 0, nullptr);
            S().localStructures.push_back(v.value);
        }
    }
    return 1;
}

// The running event's argument `index`: the address of its value record (a
// null record when the event has no such argument).
u32 EventArgument(u32, u32 index) {
    const auto& stack = S().eventArguments;
    if (stack.empty() || !stack.back() || index >= S().eventArgumentCounts.back()) return Low(&scratch());
    return stack.back() + index * sizeof(PbValue);
}

// Makes the value in `record` the running function's return value (the
// record that context field 0x15C points to); a string is copied.
u32 SetReturnValue(u32 c, u32 record) {
    PbValue& result = *At<PbValue>(Word(c + ctx::kExprResult));
    const PbValue& v = *At<PbValue>(record);
    ReleaseValue(result);
    result = v;
    if (v.type == type::kString) result.value = NewString(StringAt(v.value));
    return 1;
}

u32 FreeVariableValue(u32, u32 record) {
    if (record) ReleaseValue(*At<PbValue>(record));
    return 1;
}

u32 NewArray(u32, u32, u32 descriptor, u32, u32, u32, u32, u32) {
    u32 array = LowAlloc(0x18);
    u32 store = LowAlloc(12);
    Word(array) = kArrayMagic;
    Word(array + 4) = descriptor;
    Word(array + 0x14) = store;
    Word(store + 8) = descriptor >> 16;
    return array;
}

u32 SetArrayBound(u32, u32 store, u32 count, u32) {
    if (!store) return 0;
    u32 elements = LowAlloc(std::max<u32>(count, 1) * sizeof(PbValue));
    u32 old = Word(store + 4);
    if (old) {
        std::memcpy(At<void>(elements), At<void>(old), std::min<u32>(Word(store), count) * sizeof(PbValue));
        LowFree(old);
    }
    Word(store) = count;
    Word(store + 4) = elements;
    return 1;
}

u32 ArrayElement(u32, u32 store, u32 index, u32) {
    if (!store || index >= Word(store)) return Low(&scratch());
    return Word(store + 4) + index * sizeof(PbValue);
}

u32 InitArrayElement(u32, u32 element, u32 typeId, u32 flags) {
    *At<PbValue>(element) = {0, static_cast<u16>(flags), static_cast<u16>(typeId)};
    return 1;
}

u32 CopyValue(u32, u32, u32 element, u32 source, u32) {
    PbValue& e = *At<PbValue>(element);
    const PbValue& s = *At<PbValue>(source);
    ReleaseValue(e);
    e = s;
    if (s.type == type::kString) e.value = NewString(StringAt(s.value));
    return 1;
}

u32 AssignArray(u32, u32 target, u32 array, u32, u32) {
    Object* owner = nullptr;
    u32 field = 0;
    PbValue* f = targetValue(target, &owner, &field);
    if (!f) return 0;
    ReleaseValue(*f);
    *f = {array, static_cast<u16>(flag::kValue | 0x2000), static_cast<u16>(Word(ArrayStore(array) + 8))};
    changed(owner, field);
    return 1;
}

u32 ConvertToInteger(u32, u32 record, u32) {
    PbValue& v = *At<PbValue>(record);
    long n = ValueLong(v);
    u16 null = v.flags & flag::kNull;
    ReleaseValue(v);
    v = {static_cast<u32>(static_cast<u16>(n)), static_cast<u16>(flag::kConstant | null), type::kInteger};
    return 1;
}

u32 IntegerValue(u32, u32 record) { return static_cast<u32>(static_cast<std::int32_t>(static_cast<std::int16_t>(ValueLong(*At<PbValue>(record))))); }

u32 AssignInteger(u32, u32 target, u32 value, u32 null) {
    Object* owner = nullptr;
    u32 field = 0;
    PbValue* f = targetValue(target, &owner, &field);
    if (!f) return 0;
    ReleaseValue(*f);
    *f = {value & 0xFFFF, static_cast<u16>(flag::kConstant | (null ? flag::kNull : 0)), type::kInteger};
    changed(owner, field);
    return 1;
}

u32 AssignAny(u32, u32 target, u32 record, u32) {
    Object* owner = nullptr;
    u32 field = 0;
    PbValue* f = targetValue(target, &owner, &field);
    if (!f) return 0;
    const PbValue& s = *At<PbValue>(record);
    ReleaseValue(*f);
    *f = s;
    if (s.type == type::kString) f->value = NewString(StringAt(s.value));
    changed(owner, field);
    return 1;
}

u32 CopyStructure(u32, u32 structure) {
    // Structures are objects of the runtime: a copy is a new object with
    // copies of the fields.
    Object* o = FindObject(structure);
    if (!o) return 0;
    u32 copy = NewObject(o->sysClass, o->name, o->group, o->typeId, 0, o->def);
    Object* c = FindObject(copy);
    c->temporary = true;  // the called function's; freed after the call
    for (u32 i = 0; i < o->fieldCount && i < c->fieldCount; ++i) {
        PbValue& to = *FieldRecord(*c, i);
        ReleaseValue(to);
        to = *FieldRecord(*o, i);
        if (to.type == type::kString) to.value = NewString(StringAt(to.value));
    }
    return copy;
}

u32 ByReferenceArgument(u32, u32 local, u32 typeId) {
    static u32 records = LowAlloc(16 * sizeof(PbValue));
    static u32 next = 0;
    u32 record = records + (next++ % 16) * sizeof(PbValue);
    *At<PbValue>(record) = {local, static_cast<u16>(flag::kValue | flag::kByReference), static_cast<u16>(typeId)};
    return record;
}

u32 ArrayCallback(u32, u32) { return 1; }

}  // namespace pbvm::ops
