// Loading the library, registering the classes, running the application.
#include "runtime.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <cstring>

#include "vm_state.h"

namespace pbvm {

u32 BuildSystemFunctionTable();

namespace {

constexpr u32 kMaxGroups = 64;
constexpr u32 kValueStackBytes = 256 * 1024;

void makeContext() {
    State& s = S();
    if (s.context) return;
    u32 c = LowAlloc(ctx::kSize);
    s.context = c;
    Word(c + ctx::kPool) = LowAlloc(16);
    s.instanceTable = LowAlloc(kMaxGroups * kInstanceRecordSize);
    Word(c + ctx::kInstanceTable) = s.instanceTable;
    s.routineStack = LowAlloc(0x20);
    u32 base = LowAlloc(kMaxGroups * 4);
    Word(s.routineStack) = base;
    Word(s.routineStack + kRoutineStackStride) = 4;
    for (u32 i = 0; i < kMaxGroups; ++i) Half(base + 4 * i) = kNoInstance;
    Word(c + ctx::kRoutineStack) = s.routineStack;
    Word(c + ctx::kArrayPool) = LowAlloc(16);
    s.valueStack = LowAlloc(kValueStackBytes);
    Word(c + ctx::kValueStackFree) = s.valueStack;
    Word(c + ctx::kValueStackEnd) = s.valueStack + kValueStackBytes;
    Word(c + ctx::kExprResult) = LowAlloc(sizeof(PbValue));
    Word(c + ctx::kCallResult) = LowAlloc(sizeof(PbValue));
    s.systemHolder = LowAlloc(16);
    s.systemTable = BuildSystemFunctionTable();
    Word(s.systemHolder + 8) = s.systemTable;
}

u32 exportAddress(const ExportDirectory& program, const std::string& name) {
    for (u32 i = 0; i < program.count; ++i)
        if (program.entries[i].name == name) return program.entries[i].address;
    return 0;
}

bool registerGroup(Group& g) {
    State& s = S();
    const std::string exportName = "_getVtableInfo_" + g.def.name + "@12";
    g.registration = exportAddress(*s.program, exportName);
    if (!g.registration) return false;
    g.instance = NewObject("_group", g.def.name, g.number, 0, 0, nullptr);
    g.instanceIndex = static_cast<u16>(g.number);
    u32 record = s.instanceTable + g.instanceIndex * kInstanceRecordSize;
    Word(record + 4) = g.instance;
    Half(Word(s.routineStack) + Word(s.routineStack + kRoutineStackStride) * g.number) = g.instanceIndex;
    Word(s.context + ctx::kInstanceCount) = std::max<u32>(Word(s.context + ctx::kInstanceCount), g.number + 1);
    // The second argument, then the u32 receiving the holder's address.
    u32 frame = LowAlloc(8);
    s.loadingGroup = g.number;
    g.registered = true;  // the registration routine's vmRegisterClass reads it
    u32 result = reinterpret_cast<RegistrationRoutine>(static_cast<std::uintptr_t>(g.registration))(
        s.context, 0, frame + 4);
    s.loadingGroup = -1;
    if (!result || !g.holder.types || Word(frame + 4) == 0) {
        g.registered = false;
        LowFree(frame);
        return false;
    }
    LowFree(frame);
    return true;
}

}  // namespace

Runtime& Runtime::Get() {
    static Runtime runtime;
    return runtime;
}

bool Runtime::Load(const ExportDirectory& program, const std::string& libraryFile, std::string& error) {
    State& s = S();
    if (s.loaded) return true;
    makeContext();
    s.program = &program;
    s.library = LibraryReader::Open(libraryFile, error);
    if (!s.library) return false;
    auto listData = s.library->Read("ob.exe", error);
    if (!listData) return false;
    auto list = ParseObjectList(*listData, error);
    if (!list) return false;
    if (list->classes.size() < 2 || list->classes[1] != list->application || list->classes.size() > kMaxGroups) {
        error = "the object list does not start with the application";
        return false;
    }
    s.groups.clear();
    s.groups.resize(list->classes.size());
    for (std::size_t i = 1; i < list->classes.size(); ++i) {
        Group& g = s.groups[i];
        g.number = static_cast<int>(i);
        g.entryName = list->classes[i];
        auto data = s.library->Read(g.entryName, error);
        if (!data) return false;
        auto def = ParseClassEntry(*data, error);
        if (!def) {
            error = g.entryName + ": " + error;
            return false;
        }
        g.def = std::move(*def);
    }
    for (std::size_t i = 1; i < s.groups.size(); ++i) {
        if (!registerGroup(s.groups[i])) {
            if (i == 1) {
                error = "the application class " + s.groups[i].def.name + " has no code in this program";
                return false;
            }
            ReportError("the class " + s.groups[i].def.name + " has no code in this program");
        }
    }
    s.loaded = true;
    return true;
}

void Runtime::StartApplication(const std::string& commandLine) {
    State& s = S();
    if (!s.loaded || s.groups.size() < 2) return;
    InstallFontFaces();
    s.ended = false;
    s.halted = false;
    Group& app = s.groups[1];
    s.application = NewObject("application", app.def.name, app.number, static_cast<u16>(app.def.typeId(app.def.name)),
                              0, &app.def.objects.front());
    if (!RunScript(s.application, event::kCreate)) return;
    u32 argument = LowAlloc(2 * sizeof(PbValue));
    *At<PbValue>(argument) = {NewString(commandLine), flag::kValue, type::kString};
    Word(s.context + ctx::kArgs) = argument;
    RunScript(s.application, event::kApplicationOpen);
    ReleaseValue(*At<PbValue>(argument));
    LowFree(argument);
}

void Runtime::EndApplication() {
    State& s = S();
    if (s.ended) return;
    s.ended = true;
    // No script runs any more: every window closes now.
    s.busy.clear();
    s.pendingClose.clear();
    while (!s.openWindows.empty()) {
        u32 w = s.openWindows.back();
        if (!CloseWindow(w)) std::erase(s.openWindows, w);
    }
    if (s.application) {
        RunScript(s.application, event::kApplicationClose);
        DestroyObject(s.application);  // runs its destroy event
        s.application = 0;
    }
    // Whatever scripts left behind (objects held only by variables).
    std::vector<u32> rest;
    for (auto& [address, object] : s.objects)
        if (object->sysClass != "_group") rest.push_back(address);
    for (u32 address : rest) FreeObject(address);
    for (auto& [name, record] : s.globals) ReleaseValue(*At<PbValue>(record));
    s.connections.clear();
    s.busy.clear();
    s.pendingClose.clear();
    s.closing.clear();
    s.pendingOpen.clear();
    s.localStructures.clear();
}

bool Runtime::Running() const { return !S().halted && !S().openWindows.empty(); }
bool Runtime::Halted() const { return S().halted; }
u32 Runtime::Context() const { return S().context; }
u32 Runtime::ApplicationObject() const { return S().application; }

u32 Runtime::GlobalRecord(const std::string& name) const {
    auto it = S().globals.find(name);
    return it == S().globals.end() ? 0 : it->second;
}

int Runtime::GroupOf(const std::string& className) const {
    Group* g = GroupNamed(className);
    return g ? g->number : -1;
}

QWidget* Runtime::Window(const std::string& className) const {
    for (u32 w : S().openWindows)
        if (Object* o = FindObject(w); o && o->name == className) return o->widget;
    return nullptr;
}

std::vector<QWidget*> Runtime::OpenWindows() const {
    std::vector<QWidget*> out;
    for (u32 w : S().openWindows)
        if (Object* o = FindObject(w)) out.push_back(o->widget);
    return out;
}

bool Runtime::TriggerEvent(u32 object, int eventNumber) { return RunScript(object, eventNumber); }

u32 Runtime::FieldObject(u32 object, int field) const {
    Object* o = FindObject(object);
    PbValue* f = o ? FieldRecord(*o, static_cast<u32>(field)) : nullptr;
    return f && f->type >= type::kClassBase && !(f->flags & flag::kNull) && FindObject(f->value) ? f->value : 0;
}

std::vector<std::vector<std::string>> Runtime::DataWindowTexts(u32 object) const { return pbvm::DataWindowTexts(object); }

void Runtime::SetMessageBoxHandler(MessageBoxHandler handler) { S().messageBox = std::move(handler); }
void Runtime::SetNullObjectErrorAnswer(u32 answer) { S().nullAnswer = answer; }
const std::vector<u32>& Runtime::NullObjectErrors() const { return S().nullErrors; }

}  // namespace pbvm

extern "C" std::uint32_t vmStartApplication(std::uint32_t instance, std::uint32_t, std::uint32_t commandLine,
                                            std::uint32_t, std::uint32_t, std::uint32_t) {
    using namespace pbvm;
    static int argc = 1;
    static char name[] = "pbhanzel";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QApplication> app;
    if (!QApplication::instance()) app = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const auto& program = *At<ExportDirectory>(instance);
    std::string error;
    Runtime& runtime = Runtime::Get();
    if (!runtime.Load(program, "/proc/self/exe", error)) {
        ReportError(error);
        ShowMessage(program.moduleName, "The program's object library cannot be loaded:\n" + error, 1);
        return 1;
    }
    runtime.StartApplication(commandLine ? At<const char>(commandLine) : "");
    if (runtime.Running()) QApplication::exec();
    runtime.EndApplication();
    return 0;
}
