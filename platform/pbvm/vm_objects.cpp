// Objects, their field records, strings, arrays and script dispatch.
#include <cstring>
#include <QAction>
#include <QWidget>
#include <iostream>

#include "vm_state.h"

namespace pbvm {

State& S() {
    static State state;
    return state;
}

namespace {

struct FieldSpec {
    const char* property;  // property of the library's object, or "" for none
    u32 index;
    u16 type;
};

// The fields of the system classes that scripts and the runtime use.
const std::vector<FieldSpec>& fieldsOf(const std::string& sysClass, u32& count) {
    static const std::vector<FieldSpec> window{{"title", 1, type::kString}, {"menuname", 10, type::kString}};
    static const std::vector<FieldSpec> menu{{"text", 3, type::kString}, {"toolbaritemname", 11, type::kString}};
    static const std::vector<FieldSpec> textControl{{"text", 23, type::kString}};
    static const std::vector<FieldSpec> picture{{"picturename", 23, type::kString}};
    static const std::vector<FieldSpec> application{{"appname", 0, type::kString}};
    static const std::vector<FieldSpec> transaction{
        {"dbms", 1, type::kString},       {"database", 2, type::kString},     {"userid", 3, type::kString},
        {"dbpass", 4, type::kString},     {"logid", 5, type::kString},        {"logpass", 6, type::kString},
        {"servername", 7, type::kString}, {"sqlcode", 8, type::kLong},        {"sqlnrows", 9, type::kLong},
        {"sqldbcode", 10, type::kLong},   {"sqlerrtext", 11, type::kString}, {"lock", 12, type::kString},
        {"sqlreturndata", 13, type::kString}, {"dbparm", 14, type::kString}};
    static const std::vector<FieldSpec> message{{"", 6, type::kLong}};
    static const std::vector<FieldSpec> treeViewItem{
        {"", 9, type::kInteger}, {"", 10, type::kString}, {"", 11, type::kInteger}, {"", 15, type::kEmpty}};
    static const std::vector<FieldSpec> dataStore{{"dataobject", kDataStoreDataObject, type::kString}};
    static const std::vector<FieldSpec> none;
    if (sysClass == "window") return count = 38, window;
    if (sysClass == "menu") return count = 23, menu;
    if (sysClass == "statictext" || sysClass == "commandbutton") return count = 24, textControl;
    if (sysClass == "picture") return count = 24, picture;
    if (sysClass == "application") return count = 8, application;
    if (sysClass == "transaction") return count = 16, transaction;
    if (sysClass == "message") return count = 10, message;
    if (sysClass == "treeviewitem") return count = 20, treeViewItem;
    if (sysClass == "datastore") return count = 10, dataStore;
    count = 24;
    return none;
}

}  // namespace

Object* FindObject(u32 address) {
    auto it = S().objects.find(address);
    return it == S().objects.end() ? nullptr : it->second.get();
}

PbValue* FieldRecord(Object& o, u32 field) {
    if (field >= o.fieldCount) return nullptr;
    return At<PbValue>(Word(o.address + 8)) + field;
}

u32 NewString(const std::string& text) {
    u32 s = LowAlloc(text.size() + 1);
    std::memcpy(At<char>(s), text.c_str(), text.size() + 1);
    return s;
}

std::string StringAt(u32 address) { return address ? std::string(At<const char>(address)) : std::string(); }

void ReleaseValue(PbValue& v) {
    if (v.type == type::kString && v.value && LowIsBlock(v.value)) LowFree(v.value);
    if ((v.flags & 0x2000) && v.value && LowIsBlock(v.value)) {
        u32 store = ArrayStore(v.value);
        if (store) {
            u32 elements = Word(store + 4);
            for (u32 i = 0; i < Word(store); ++i) ReleaseValue(At<PbValue>(elements)[i]);
            if (elements) LowFree(elements);
            LowFree(store);
        }
        LowFree(v.value);
    }
    v.value = 0;
    v.type = type::kEmpty;
}

std::string ValueText(const PbValue& v) {
    if (v.flags & flag::kNull) return {};
    if (v.type == type::kString) return StringAt(v.value);
    return std::to_string(ValueLong(v));
}

long ValueLong(const PbValue& v) {
    if (v.type == type::kInteger || v.type == type::kBoolean || (v.type & 0xC000) == type::kEnumBase)
        return static_cast<std::int16_t>(v.value & 0xFFFF);
    if (v.type == type::kString) return std::strtol(StringAt(v.value).c_str(), nullptr, 10);
    return static_cast<std::int32_t>(v.value);
}

u32 ArrayStore(u32 array) {
    if (!array || !LowIsBlock(array) || Word(array) != kArrayMagic) return 0;
    return Word(array + 0x14);
}

std::vector<u32> ArrayObjects(u32 array) {
    std::vector<u32> out;
    u32 store = ArrayStore(array);
    if (!store) return out;
    for (u32 i = 0; i < Word(store); ++i) {
        const PbValue& e = At<PbValue>(Word(store + 4))[i];
        if (e.type >= type::kClassBase && !(e.flags & flag::kNull) && FindObject(e.value)) out.push_back(e.value);
    }
    return out;
}

u32 NewObject(const std::string& sysClass, const std::string& name, int group, u16 typeId, u32 parent,
              const ObjectDef* def) {
    u32 count = 0;
    const auto& specs = fieldsOf(sysClass, count);
    if (def && sysClass != "application" && group >= 0) {
        // Parts of a class sit in fields after the system class's own.
        const ClassDef& cls = S().groups[group].def;
        for (const auto& o : cls.objects)
            if (o.parent == def->name && o.field >= 0) count = std::max<u32>(count, o.field + 1);
        if (def->name == cls.name)
            for (const auto& v : cls.instanceVariables) count = std::max<u32>(count, v.field + 1);
    }
    u32 address = LowAlloc(0x18);
    u32 fields = LowAlloc(count * sizeof(PbValue));
    Word(address) = kObjectMagic;
    Word(address + 4) = count;
    Word(address + 8) = fields;
    Half(address + 0x10) = static_cast<u16>(group < 0 ? 0 : group);
    Half(address + 0x12) = typeId;
    auto object = std::make_unique<Object>();
    object->address = address;
    object->name = name;
    object->sysClass = sysClass;
    object->group = group;
    object->typeId = typeId;
    object->parent = parent;
    object->def = def;
    object->fieldCount = count;
    for (const auto& spec : specs) {
        PbValue& f = At<PbValue>(fields)[spec.index];
        f = {0, static_cast<u16>(flag::kValue | flag::kNull), spec.type};
        if (def && spec.property[0] && def->has(spec.property)) {
            f.flags = flag::kValue;
            if (spec.type == type::kString)
                f.value = NewString(def->text(spec.property));
            else
                f.value = static_cast<u32>(def->number(spec.property));
        } else if (spec.type == type::kLong) {
            f.flags = flag::kLong;  // numbers start at 0
        } else if (spec.type == type::kInteger) {
            f.flags = flag::kConstant;
        }
    }
    if (Object* p = FindObject(parent)) p->children.push_back(address);
    S().objects[address] = std::move(object);
    return address;
}

void FreeObject(u32 address) {
    auto it = S().objects.find(address);
    if (it == S().objects.end()) return;
    Object& o = *it->second;
    if (Object* p = FindObject(o.parent)) std::erase(p->children, address);
    for (u32 i = 0; i < o.fieldCount; ++i) {
        PbValue& f = At<PbValue>(Word(address + 8))[i];
        if (f.type == type::kString || (f.flags & 0x2000)) ReleaseValue(f);
    }
    // Variables that held the object now hold none.
    for (auto& [name, record] : S().globals) {
        PbValue& g = *At<PbValue>(record);
        if (g.type >= type::kClassBase && g.value == address) g = {0, static_cast<u16>(flag::kValue | flag::kNull), g.type};
    }
    LowFree(Word(address + 8));
    LowFree(address);
    S().objects.erase(it);
}

Group* GroupOfInstance(u32 instance) {
    Object* o = FindObject(instance);
    if (!o || o->sysClass != "_group") return nullptr;
    return &S().groups[o->group];
}

Group* GroupNamed(const std::string& className) {
    for (auto& g : S().groups)
        if (g.registered && g.def.name == className) return &g;
    return nullptr;
}

u32 GlobalValue(const std::string& name) {
    auto it = S().globals.find(name);
    if (it != S().globals.end()) return it->second;
    u32 record = LowAlloc(sizeof(PbValue));
    *At<PbValue>(record) = {0, static_cast<u16>(flag::kValue | flag::kNull), 0};
    S().globals[name] = record;
    return record;
}

std::string ClassOfGlobal(const std::string& name) {
    for (const auto& g : S().groups)
        for (const auto& v : g.def.globals)
            if (v.name == name) return v.className;
    return name;
}

namespace {

u32 routineFor(const Object& o, int eventNumber) {
    if (o.group < 0 || o.group >= static_cast<int>(S().groups.size())) return 0;
    const Group& g = S().groups[o.group];
    if (!g.registered || !g.holder.types) return 0;
    for (const TypeRecord* t = At<TypeRecord>(g.holder.types); t->typeId; ++t) {
        if (t->typeId != o.typeId) continue;
        const FunctionRecord* f = At<FunctionRecord>(g.holder.functions);
        for (u32 i = t->first; i < t->end; ++i)
            if (f[i].event == eventNumber) return f[i].address;
        return 0;
    }
    return 0;
}

}  // namespace

bool HasScript(u32 object, int eventNumber) {
    Object* o = FindObject(object);
    return o && routineFor(*o, eventNumber) != 0;
}

u32 WindowOf(u32 object) {
    for (Object* o = FindObject(object); o; o = FindObject(o->parent))
        if (o->sysClass == "window") return o->address;
    return 0;
}

bool RunScript(u32 object, int eventNumber) { return RunScriptWith(object, eventNumber, {}); }

bool RunScriptWith(u32 object, int eventNumber, const std::vector<PbValue>& arguments) {
    Object* o = FindObject(object);
    if (!o) return false;
    u32 routine = routineFor(*o, eventNumber);
    if (!routine) return true;
    State& s = S();
    u32 c = s.context;
    // The window counts as running a script until this one is over: a Close
    // meanwhile waits for it.
    const u32 window = WindowOf(object);
    if (window) ++s.busy[window];
    u32 argumentRecords = 0;
    if (!arguments.empty()) {
        argumentRecords = LowAlloc((arguments.size() + 1) * sizeof(PbValue));
        for (std::size_t i = 0; i < arguments.size(); ++i) At<PbValue>(argumentRecords)[i] = arguments[i];
    }
    s.eventArguments.push_back(argumentRecords);
    s.eventArgumentCounts.push_back(static_cast<u32>(arguments.size()));
    const std::size_t structures = s.localStructures.size();
    u32 savedThis = Word(c + ctx::kThis);
    Word(c + ctx::kThis) = object;
    u32 result = reinterpret_cast<EventRoutine>(static_cast<std::uintptr_t>(routine))(c, 0);
    Word(c + ctx::kThis) = savedThis;
    Word(c + ctx::kErrorFlag) = 0;
    s.eventArguments.pop_back();
    s.eventArgumentCounts.pop_back();
    if (argumentRecords) {
        for (std::size_t i = 0; i < arguments.size(); ++i) ReleaseValue(At<PbValue>(argumentRecords)[i]);
        LowFree(argumentRecords);
    }
    while (s.localStructures.size() > structures) {
        FreeObject(s.localStructures.back());
        s.localStructures.pop_back();
    }
    if (window) {
        auto it = s.busy.find(window);
        if (it != s.busy.end() && --it->second <= 0) {
            s.busy.erase(it);
            ScriptsOver(window);
        }
    }
    return result != 0;
}

u32 CreateClassObject(const std::string& className, u32 parent) {
    Group* g = GroupNamed(className);
    if (!g) {
        ReportError("The class " + className + " has no code in this program.");
        return 0;
    }
    const ObjectDef& self = g->def.objects.front();
    u32 object = NewObject(self.sysClass, className, g->number, static_cast<u16>(g->def.typeId(className)), parent,
                           &self);
    if (Object* o = FindObject(object); o && o->sysClass == "window") CreateControlWidget(*o);
    if (!RunScript(object, event::kCreate)) {
        DestroyObject(object);
        return 0;
    }
    return object;
}

bool DestroyObject(u32 address) {
    Object* o = FindObject(address);
    if (!o) return false;
    bool ok = RunScript(address, event::kDestroy);
    o = FindObject(address);
    if (!o) return ok;
    // Parts the destroy event left behind go with their owner.
    std::vector<u32> children = o->children;
    for (u32 child : children) DestroyObject(child);
    o = FindObject(address);
    if (o) {
        if (o->widget) o->widget->deleteLater();
        if (o->action) o->action->deleteLater();
        FreeObject(address);
    }
    return ok;
}

void ReportError(const std::string& text) { std::cerr << "pbvm: " << text << "\n"; }

}  // namespace pbvm
