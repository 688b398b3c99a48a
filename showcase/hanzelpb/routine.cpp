#include "routine.h"

namespace hanzel {

namespace ctx = pbvm::ctx;
namespace flag = pbvm::flag;
namespace type = pbvm::type;
using pbvm::At;
using pbvm::Half;
using pbvm::Word;

Routine::Routine(u32 context, u32 groupCache, unsigned records, const char* source)
    : ctx_(context), records_(records), source_(source) {
    // 1. Depth, frame link, cleared field.
    field(ctx::kDepth) += 1;
    area_ = field(ctx::kValueStackFree);
    field(ctx::kValueStackFree) = area_ + 8 * records;
    savedFrame_ = field(ctx::kFrameLink);
    field(ctx::kFrameLink) = area_;
    field(ctx::kCleared) = 0;
    // 2. The group instance: none for an unregistered group, an entry of
    // 0xFFFF or an index past the instance table.
    if (groupCache != 0xFFFFFFFFu) {
        u32 stack = field(ctx::kRoutineStack);
        u16 index = Half(Word(stack) + Word(stack + pbvm::kRoutineStackStride) * groupCache);
        if (index != pbvm::kNoInstance && index < field(ctx::kInstanceCount)) {
            u32 record = field(ctx::kInstanceTable) + index * pbvm::kInstanceRecordSize;
            instance_ = Word(record + 4);
            if (instance_ == 0 || Word(record + 24) == 1) instance_ = vmResolveThis(ctx_, index);
        }
    }
    // 3. Group instance and argument pointer.
    savedInstance_ = field(ctx::kGroupInstance);
    field(ctx::kGroupInstance) = instance_;
    savedArgs_ = field(ctx::kArgs);
    // 4. Result flag, temporaries.
    result_ = 1;
    for (unsigned i = 0; i < records; ++i) val(i).type = type::kEmpty;
}

void Routine::declareLocal(unsigned record, u16 localType) {
    val(record) = {0, flag::kLocal, localType};
    vmInitLocal(ctx_, rec(record), instance_);
}

void Routine::unwindAtExit(u32 record) {
    if (unwindCount_ < 4) unwind_[unwindCount_++] = record;
}

u32 Routine::finish() {
    if (finished_) return result_;
    finished_ = true;
    for (unsigned i = 0; i < unwindCount_; ++i) vmUnwind(ctx_, unwind_[i]);
    field(ctx::kGroupInstance) = savedInstance_;
    field(ctx::kArgs) = savedArgs_;
    field(ctx::kFrameLink) = savedFrame_;
    field(ctx::kValueStackFree) = area_;
    field(ctx::kDepth) -= 1;
    return result_;
}

void Routine::halt() {
    vmHalt(ctx_);
    stop();
}

bool Routine::check(const PbValue& object, unsigned local, u32 line) {
    if ((object.flags & flag::kNull) || object.value == 0) {
        if (vmNullObjectError(ctx_, 0x5016) == 0) stop();
        return false;
    }
    val(local) = {object.value, static_cast<u16>(flag::kValue | (object.flags & flag::kNull)), object.type};
    vmCheckObject(ctx_, object.value, rec(local), source_, line);
    return true;
}

u32 Routine::readString(const PbValue& object, u16 index, unsigned local, u32 line, bool& null) {
    if (!check(object, local, line)) {
        null = true;
        return 0;
    }
    u32 address = vmFieldAddress(ctx_, object.value, index);
    u32 text = vmCopyString(ctx_, address);
    null = At<PbValue>(address)->flags & flag::kNull;
    vmReleaseValue(ctx_, rec(local));
    return text;
}

PbValue Routine::readScalar(const PbValue& object, u16 index, unsigned local, u32 line) {
    if (!check(object, local, line)) return {0, static_cast<u16>(flag::kLong | flag::kNull), type::kLong};
    u32 address = vmFieldAddress(ctx_, object.value, index);
    const PbValue& f = *At<PbValue>(address);
    PbValue out{f.value, static_cast<u16>(flag::kLong | (f.flags & flag::kNull)), f.type};
    vmReleaseValue(ctx_, rec(local));
    return out;
}

PbValue Routine::readObject(const PbValue& object, u16 index, unsigned local, u32 line) {
    if (!check(object, local, line)) return {0, static_cast<u16>(flag::kValue | flag::kNull), 0};
    u32 address = vmFieldAddress(ctx_, object.value, index);
    const PbValue& f = *At<PbValue>(address);
    PbValue out{f.value, static_cast<u16>(flag::kValue | (f.flags & flag::kNull)), f.type};
    vmReleaseValue(ctx_, rec(local));
    return out;
}

u32 Routine::beginAssign(const PbValue& object, u16 index, unsigned target, unsigned local, u32 line) {
    if (!check(object, local, line)) return 0;
    vmFieldLValue(ctx_, rec(target), object.value, index);
    return Word(rec(target));
}

void Routine::endAssign(u32 target, u32 value, bool null, unsigned source, unsigned local) {
    val(source).type = type::kEmpty;
    vmAssign(ctx_, target, value, null ? 1 : 0);
    releaseTarget(target);
    vmReleaseValue(ctx_, rec(local));
}

void Routine::assignText(const PbValue& object, u16 index, const char* text, unsigned target, unsigned source,
                         unsigned local, u32 line) {
    u32 t = beginAssign(object, index, target, local, line);
    if (!t) return;
    val(source) = {vmMakeString(ctx_, text), flag::kValue, type::kString};
    endAssign(t, val(source).value, false, source, local);
}

void Routine::releaseTarget(u32 target) {
    u32 kind = Word(target);
    if (kind == 1 || kind == 2) vmReleaseValue(ctx_, target + 10);
    vmReleaseObjectRef(field(ctx::kPool), target);
}

void Routine::stringArgument(unsigned record, const char* text) {
    val(record) = {vmMakeString(ctx_, text), flag::kValue, type::kString};
}

const PbValue* Routine::trySystemCall(u32 entry, unsigned first, unsigned count) {
    u32 holder = vmSystemFunctions(ctx_);
    val(first + count).type = type::kEmpty;
    field(ctx::kStackTop) = first + count;
    field(ctx::kCall158) = 0;
    field(ctx::kCall154) = 0;
    field(ctx::kArgs) = rec(first);
    vmBeginSystemCall(ctx_);
    auto function = reinterpret_cast<pbvm::SystemFunction>(static_cast<std::uintptr_t>(Word(Word(holder + 8) + entry)));
    u32 ok = function(ctx_, count);
    vmEndSystemCall(ctx_);
    if (ok == 0 || field(ctx::kErrorFlag) != 0) return nullptr;
    return At<PbValue>(field(ctx::kCallResult));
}

const PbValue& Routine::systemCall(u32 entry, unsigned first, unsigned count) {
    const PbValue* result = trySystemCall(entry, first, count);
    if (!result) stop();
    return *result;
}

void Routine::releaseArguments(unsigned first, unsigned count) {
    for (unsigned i = first; i < first + count; ++i)
        if (val(i).type == type::kString) vmReleaseValue(ctx_, rec(i));
}

void Routine::objectCall(u32 object, u32 index, unsigned first, unsigned count, unsigned result) {
    val(first + count).type = type::kEmpty;
    field(ctx::kStackTop) = first + count;
    field(ctx::kCall158) = 0;
    field(ctx::kCall154) = 0;
    field(ctx::kArgs) = rec(first);
    vmCallObjectFunction(object, index, count, rec(first), rec(result));
}

void Routine::openWindow(u32 slot, unsigned first) {
    vmGlobalReference(ctx_, rec(first), instance_, slot);
    u32 target = val(first).value;
    const bool opened = trySystemCall(pbvm::sysfn::kOpen, first, 1) != nullptr;
    releaseTarget(target);
    if (!opened) stop();
}

void Routine::closeWindow(const PbValue& window, unsigned first) {
    val(first) = {window.value, static_cast<u16>(flag::kValue | (window.flags & flag::kNull)),
                  static_cast<u16>(type::kClassBase + 2)};
    systemCall(pbvm::sysfn::kClose, first, 1);
}

u32 Routine::concat(u32 left, bool& leftNull, u32 right, bool rightNull) {
    if (!vmConcatString(ctx_, left, leftNull ? 1 : 0, right, rightNull ? 1 : 0)) {
        vmFreeString(ctx_, left);
        stop();
    }
    vmFreeString(ctx_, left);
    u32 result = field(ctx::kExprResult);
    leftNull = At<PbValue>(result)->flags & flag::kNull;
    return vmCopyString(ctx_, result);
}

void Routine::createParts(std::initializer_list<Part> parts, unsigned target, unsigned object, u32 line,
                          u16 selfType) {
    const PbValue me = thisValue(selfType);
    for (const Part& part : parts) {
        if (!check(me, object, line)) continue;
        vmFieldLValue(ctx_, rec(target), me.value, part.field);
        u32 t = Word(rec(target));
        if (static_cast<std::int32_t>(vmCreateChildControl(ctx_, rec(object), me.value, part.name)) < 0) {
            releaseTarget(t);
            stop();
        }
        vmStoreObject(ctx_, t, val(object).value, val(object).flags & flag::kNull);
        releaseTarget(t);
    }
}

void Routine::gatherParts(std::initializer_list<Part> parts, u16 arrayField, u16 elementType, unsigned target,
                          unsigned object, unsigned temp, u32 line, u16 selfType) {
    const PbValue me = thisValue(selfType);
    const u32 groupId = Half(instance_ + 0x10);
    u32 array = vmNewArray(ctx_, field(ctx::kArrayPool), groupId | (static_cast<u32>(elementType) << 16));
    u32 store = Word(array + 0x14);
    vmSetArrayBound(ctx_, store, static_cast<u32>(parts.size()));
    u32 index = 0;
    for (const Part& part : parts) {
        u32 element = vmArrayElement(ctx_, store, index++);
        vmInitArrayElement(ctx_, element, elementType);
        PbValue part_value = readObject(me, part.field, object, line);
        val(temp) = {part_value.value, static_cast<u16>(flag::kValue | (part_value.flags & flag::kNull)), part.typeId};
        vmCopyValue(ctx_, groupId, element, rec(temp));
    }
    if (!check(me, object, line)) return;
    vmFieldLValue(ctx_, rec(target), me.value, arrayField);
    u32 t = Word(rec(target));
    vmAssignArray(ctx_, t, array);
    releaseTarget(t);
}

void Routine::destroyFields(std::initializer_list<u16> fields, unsigned local, u32 line, u16 selfType) {
    const PbValue me = thisValue(selfType);
    for (u16 index : fields) {
        PbValue part = readObject(me, index, local, line);
        if ((part.flags & flag::kNull) || part.value == 0) continue;
        if (vmDestroyObject(ctx_, part.value) == 0) stop();
    }
}

void Routine::eventResult(u32 messageSlot, unsigned local, u32 line) {
    PbValue& result = *At<PbValue>(field(ctx::kExprResult));
    if (result.type == type::kString) vmReleaseValue(ctx_, field(ctx::kExprResult));
    PbValue message = global(messageSlot);
    if (!(message.flags & flag::kNull) && message.value != 0) {
        PbValue returned = readScalar(message, 6, local, line);
        result = {returned.value, static_cast<u16>(flag::kLong | (returned.flags & flag::kNull)), type::kLong};
    } else {
        result = {0, flag::kLong, type::kLong};
    }
}

}  // namespace hanzel

namespace hanzel {

u32 RegisterClassTables(u32 context, u32 holderOut, u32& groupCache, const pbvm::ClassHolder& holder) {
    vmEnterClassLoad(context);
    Word(holderOut) = pbvm::Low(&holder);
    if (groupCache == 0xFFFFFFFFu) groupCache = vmCurrentGroup(context);
    // The runtime lays the call's arguments out in a frame record: the
    // second argument sits just before the u32 that receives the holder.
    vmRegisterClass(Word(context + ctx::kPool), Word(context + ctx::kRoutineStack), groupCache, holderOut - 4, 0);
    return vmLeaveClassLoad(context);
}

void FillClassTables(pbvm::FunctionRecord* functions, pbvm::TypeRecord* types, pbvm::ClassHolder& holder,
                     std::initializer_list<TypeScripts> list) {
    u32 next = 1;
    functions[0] = {0, 0};
    unsigned t = 0;
    for (const TypeScripts& entry : list) {
        const u32 first = next;
        for (const Script& script : entry.scripts)
            functions[next++] = {script.event, pbvm::Low(reinterpret_cast<const void*>(script.routine))};
        types[t++] = {entry.typeId, static_cast<u16>(next - first), 0, first, next, 0};
    }
    types[t] = {0, 0, 0, 0, 0, 0};
    holder = {pbvm::Low(functions), pbvm::Low(types)};
}

}  // namespace hanzel
