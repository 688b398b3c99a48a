// The system-function table: each entry a routine of (context, argument
// count) that reads its arguments from the context's argument pointer and
// leaves its result in the record that context field 0x160 points to.
#include <chrono>
#include <thread>

#include "ini_file.h"
#include "vm_state.h"

namespace pbvm {

namespace {

PbValue& argument(u32 c, u32 index) { return At<PbValue>(Word(c + ctx::kArgs))[index]; }

PbValue& result(u32 c) {
    PbValue& r = *At<PbValue>(Word(c + ctx::kCallResult));
    ReleaseValue(r);
    return r;
}

void setString(u32 c, const std::string& text) { result(c) = {NewString(text), flag::kValue, type::kString}; }
void setInteger(u32 c, int n) { result(c) = {static_cast<u32>(static_cast<u16>(n)), flag::kConstant, type::kInteger}; }

std::uint32_t fail(u32 c) {
    Word(c + ctx::kErrorFlag) = 1;
    return 0;
}

std::uint32_t profileString(std::uint32_t c, std::uint32_t count) {
    if (count != 4) return fail(c);
    for (u32 i = 0; i < 4; ++i)
        if (argument(c, i).flags & flag::kNull) {
            result(c) = {NewString(""), flag::kValue | flag::kNull, type::kString};
            return 1;
        }
    setString(c, ReadProfileString(ValueText(argument(c, 0)), ValueText(argument(c, 1)), ValueText(argument(c, 2)),
                                   ValueText(argument(c, 3))));
    return 1;
}

std::uint32_t stringOf(std::uint32_t c, std::uint32_t count) {
    if (count != 1) return fail(c);
    const PbValue& v = argument(c, 0);
    const bool null = v.flags & flag::kNull;
    result(c) = {NewString(null ? "" : ValueText(v)), static_cast<u16>(flag::kValue | (null ? flag::kNull : 0)),
                 type::kString};
    return 1;
}

std::vector<std::string> knownPasswords() {
    std::vector<std::string> out;
    for (auto& [address, object] : S().objects) {
        if (object->sysClass != "transaction") continue;
        for (u32 field : {4u, 6u})
            if (PbValue* f = FieldRecord(*object, field)) out.push_back(ValueText(*f));
    }
    return out;
}

std::uint32_t messageBox(std::uint32_t c, std::uint32_t count) {
    if (count < 2) return fail(c);
    const std::string title = ValueText(argument(c, 0));
    // A message never shows a password from the connection settings.
    const std::string text = HidePasswords(ValueText(argument(c, 1)), knownPasswords());
    const int icon = count > 2 ? static_cast<int>(ValueLong(argument(c, 2))) : 0;
    int button = ShowMessage(title, text, icon);
    if (button <= 0) return fail(c);
    setInteger(c, button);
    return 1;
}

std::uint32_t open(std::uint32_t c, std::uint32_t count) {
    if (count != 1) return fail(c);
    const PbValue& reference = argument(c, 0);
    u32 target = reference.value;
    if (!target || !LowIsBlock(target) || Word(target) != 2) return fail(c);
    Group* g = GroupOfInstance(Word(target + 4));
    const GlobalDef* variable = g ? g->def.global(Half(target + 8)) : nullptr;
    if (!variable || !OpenWindow(variable->name)) return fail(c);
    setInteger(c, 1);
    return 1;
}

std::uint32_t close(std::uint32_t c, std::uint32_t count) {
    if (count != 1) return fail(c);
    const PbValue& window = argument(c, 0);
    if ((window.flags & flag::kNull) || !CloseWindow(window.value)) return fail(c);
    setInteger(c, 1);
    return 1;
}

// Entry 211: Sleep(seconds); 0 returns at once.
std::uint32_t sleepSeconds(std::uint32_t c, std::uint32_t count) {
    if (count != 1) return fail(c);
    long seconds = ValueLong(argument(c, 0));
    if (seconds > 0) std::this_thread::sleep_for(std::chrono::seconds(seconds));
    setInteger(c, 1);
    return 1;
}

}  // namespace

u32 BuildSystemFunctionTable() {
    u32 table = LowAlloc(sysfn::kTableSize);
    auto put = [&](u32 offset, SystemFunction f) { Word(table + offset) = LowTrampoline(reinterpret_cast<void*>(f)); };
    put(sysfn::kProfileString, &profileString);
    put(sysfn::kString, &stringOf);
    put(sysfn::kMessageBox, &messageBox);
    put(sysfn::kOpen, &open);
    put(sysfn::kClose, &close);
    put(sysfn::kSleep, &sleepSeconds);
    return table;
}

}  // namespace pbvm
