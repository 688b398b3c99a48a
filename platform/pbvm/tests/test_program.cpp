#include "test_program.h"

#include <unistd.h>

#include <QApplication>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "class_source.h"
#include "library_file.h"
#include "low_arena.h"

namespace tp {

namespace ctx = pbvm::ctx;
namespace flag = pbvm::flag;
namespace type = pbvm::type;
using pbvm::At;
using pbvm::Half;
using pbvm::Word;

Seen& Observed() {
    static Seen seen;
    return seen;
}

std::vector<int>& RegisteredGroups() {
    static std::vector<int> groups;
    return groups;
}

u32 LowText(const std::string& text) {
    u32 s = pbvm::LowAlloc(text.size() + 1);
    std::memcpy(At<char>(s), text.c_str(), text.size() + 1);
    return s;
}

u32 GroupInstance(u32 c, u32 group) {
    const u32 stack = Word(c + ctx::kRoutineStack);
    const u16 index = Half(Word(stack) + Word(stack + pbvm::kRoutineStackStride) * group);
    if (index == pbvm::kNoInstance || index >= Word(c + ctx::kInstanceCount)) return 0;
    const u32 record = Word(c + ctx::kInstanceTable) + index * pbvm::kInstanceRecordSize;
    u32 instance = Word(record + 4);
    if (instance == 0 || Word(record + 24) == 1) instance = Op(op::kResolveThis, c, index);
    return instance;
}

namespace {

// The group numbers the classes' registration routines were given.
u32 g_appGroup = 0xFFFFFFFFu, g_calcGroup = 0xFFFFFFFFu;

// The frame of one routine: a value area taken from the value stack, the
// frame link and argument pointer saved, all restored on the way out.
class Frame {
public:
    Frame(u32 c, unsigned count) : c_(c) {
        word(ctx::kDepth) += 1;
        area_ = word(ctx::kValueStackFree);
        word(ctx::kValueStackFree) = area_ + 8 * count;
        savedFrame_ = word(ctx::kFrameLink);
        word(ctx::kFrameLink) = area_;
        savedArgs_ = word(ctx::kArgs);
        for (unsigned i = 0; i < count; ++i) val(i) = {0, 0, type::kEmpty};
        Observed().argsAtEntry = savedArgs_;
        Observed().thisInScript = self();
    }
    ~Frame() {
        word(ctx::kArgs) = savedArgs_;
        word(ctx::kFrameLink) = savedFrame_;
        word(ctx::kValueStackFree) = area_;
        word(ctx::kDepth) -= 1;
    }
    pbvm::Unaligned<u32> word(u32 offset) const { return Word(c_ + offset); }
    u32 rec(unsigned i) const { return area_ + 8 * i; }
    PbValue& val(unsigned i) const { return *At<PbValue>(rec(i)); }
    u32 self() const { return word(ctx::kThis); }
    const PbValue& arg(unsigned i) const { return At<PbValue>(savedArgs_)[i]; }
    // A field of an object read as the object it holds (0 for none).
    u32 objectField(u32 object, u32 field) const {
        const PbValue& v = *At<PbValue>(Op(op::kFieldAddress, c_, object, field));
        return (v.flags & flag::kNull) ? 0 : v.value;
    }
    // object.field := text, through a field target.
    void assignText(u32 object, u32 field, const std::string& text, unsigned target) const {
        Op(op::kFieldLValue, c_, rec(target), object, field);
        const u32 t = Word(rec(target));
        const u32 source = LowText(text);
        Op(op::kAssign, c_, t, Op(op::kMakeString, c_, source), 0u);
        pbvm::LowFree(source);
        releaseTarget(t);
    }
    void releaseTarget(u32 target) const {
        Op(op::kReleaseValue, c_, target + 10);
        Op(op::kReleaseObjectRef, word(ctx::kPool), target);
    }
    // A system function by table offset with `count` arguments from record
    // `first`; false when it failed.
    bool systemCall(u32 entry, unsigned first, unsigned count) const {
        const u32 holder = Op(op::kSystemFunctions, c_);
        const u32 routine = Word(Word(holder + 8) + entry);
        word(ctx::kArgs) = rec(first);
        const u32 ok = reinterpret_cast<pbvm::SystemFunction>(static_cast<std::uintptr_t>(routine))(c_, count);
        return ok != 0 && word(ctx::kErrorFlag) == 0;
    }

private:
    u32 c_;
    u32 area_ = 0, savedFrame_ = 0, savedArgs_ = 0;
};

std::string textOf(const PbValue& v) { return v.value && v.type == type::kString ? At<const char>(v.value) : ""; }

void log(const std::string& event) { Observed().events.push_back(event); }

// --- tp_app ---

u32 appCreate(u32 c, u32) {
    Frame f(c, 1);
    log("tp_app create");
    return 1;
}

u32 appOpen(u32 c, u32) {
    Frame f(c, 2);
    const std::string commandLine = textOf(f.arg(0));
    log("tp_app open " + commandLine);
    if (commandLine == "open" || commandLine == "nocode") {
        const u32 slot = commandLine == "open" ? kCalcSlot : kNoCodeSlot;
        Op(op::kGlobalReference, c, f.rec(0), GroupInstance(c, g_appGroup), slot);
        const u32 target = f.val(0).value;
        Observed().openResult = f.systemCall(pbvm::sysfn::kOpen, 0, 1);
        Op(op::kReleaseObjectRef, f.word(ctx::kPool), target);
    } else if (commandLine == "halt") {
        Op(op::kHalt, c, 0u);
    }
    return 1;
}

u32 appClose(u32 c, u32) {
    Frame f(c, 1);
    log("tp_app close");
    return 1;
}

u32 appDestroy(u32 c, u32) {
    Frame f(c, 1);
    log("tp_app destroy");
    return 1;
}

// --- w_calc ---

u32 calcCreate(u32 c, u32) {
    Frame f(c, 2);
    const std::pair<u32, const char*> parts[] = {{kButtonField, "cb_add"}, {kShownField, "st_shown"}};
    for (const auto& [field, name] : parts) {
        Op(op::kFieldLValue, c, f.rec(0), f.self(), field);
        const u32 target = Word(f.rec(0));
        const u32 className = LowText(name);
        const u32 created = Op(op::kCreateChildControl, c, f.rec(1), f.self(), className);
        pbvm::LowFree(className);
        if (static_cast<std::int32_t>(created) < 0) {
            f.releaseTarget(target);
            return 0;
        }
        Op(op::kStoreObject, c, target, f.val(1).value, 0u, 0u);
        f.releaseTarget(target);
    }
    log("w_calc create");
    return 1;
}

u32 calcDestroy(u32 c, u32) {
    Frame f(c, 1);
    for (u32 field : {kButtonField, kShownField})
        if (u32 part = f.objectField(f.self(), field)) Op(op::kDestroyObject, c, part);
    log("w_calc destroy");
    return 1;
}

u32 calcOpen(u32 c, u32) {
    Frame f(c, 1);
    log("w_calc open");
    return 1;
}

u32 calcClose(u32 c, u32) {
    Frame f(c, 1);
    log("w_calc close");
    return 1;
}

u32 buttonClicked(u32 c, u32) {
    Frame f(c, 1);
    const int clicks = ++Observed().clicks;
    const u32 window = Op(op::kParentObject, c, f.self());
    f.assignText(f.objectField(window, kShownField), 23, "clicked " + std::to_string(clicks), 0);
    log("cb_add clicked");
    return 1;
}

u32 shownClicked(u32 c, u32) {
    Frame f(c, 1);
    log("st_shown clicked");
    return 1;
}

// of_add(long a, long b) returns long.
u32 calcAdd(u32 c, u32) {
    Frame f(c, 1);
    const auto a = static_cast<std::int32_t>(f.arg(0).value), b = static_cast<std::int32_t>(f.arg(1).value);
    f.val(0) = {static_cast<u32>(a + b), flag::kLong, type::kLong};
    Op(op::kSetReturnValue, c, f.rec(0));
    log("of_add");
    return 1;
}

// of_concat(string a, string b) returns string.
u32 calcConcat(u32 c, u32) {
    Frame f(c, 1);
    const PbValue a = f.arg(0), b = f.arg(1);
    Op(op::kConcatString, c, a.value, a.flags & flag::kNull, b.value, b.flags & flag::kNull);
    const u32 result = f.word(ctx::kExprResult);
    const u16 null = At<PbValue>(result)->flags & flag::kNull;
    f.val(0) = {Op(op::kCopyString, c, result), static_cast<u16>(flag::kValue | null), type::kString};
    Op(op::kSetReturnValue, c, f.rec(0));
    Op(op::kReleaseValue, c, f.rec(0));
    log("of_concat");
    return 1;
}

// Calls st_shown's clicked script as an object function.
u32 calcNested(u32 c, u32) {
    Frame f(c, 3);
    Seen& seen = Observed();
    seen.thisBeforeNested = f.self();
    const u32 shown = f.objectField(f.self(), kShownField);
    f.word(ctx::kArgs) = f.rec(0);
    seen.nestedResult = Op(op::kCallObjectFunction, shown, 0u, 33u, 0u, f.rec(0), f.rec(1));
    seen.thisInNested = seen.thisInScript;
    seen.thisAfterNested = f.self();
    return 1;
}

u32 calcStops(u32 c, u32) {
    Frame f(c, 1);
    log("stops");
    return 0;
}

u32 calcArguments(u32 c, u32) {
    Frame f(c, 1);
    for (u32 i = 0; i < 3; ++i) {
        const PbValue& v = *At<PbValue>(Op(op::kEventArgument, c, i));
        Observed().arguments.push_back(v.type == type::kString ? textOf(v) : std::to_string(v.value));
        Observed().argumentFlags.push_back(v.flags);
    }
    return 1;
}

u32 calcSetsErrorFlag(u32 c, u32) {
    Frame f(c, 1);
    f.word(ctx::kErrorFlag) = 1;
    return 1;
}

// --- class tables and registration ---

struct TypeScripts {
    u16 typeId;
    std::vector<std::pair<u16, pbvm::EventRoutine>> scripts;
};

// The function list (record 0 empty), the type list (ended by type id 0)
// and their holder, in low memory; routines through low stubs.
u32 classTables(const std::vector<TypeScripts>& list) {
    std::size_t count = 1;
    for (const auto& t : list) count += t.scripts.size();
    const u32 functions = pbvm::LowAlloc(count * sizeof(pbvm::FunctionRecord));
    const u32 types = pbvm::LowAlloc((list.size() + 1) * sizeof(pbvm::TypeRecord));
    u32 next = 1;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const u32 first = next;
        for (const auto& [event, routine] : list[i].scripts)
            At<pbvm::FunctionRecord>(functions)[next++] = {event, pbvm::LowTrampoline(reinterpret_cast<const void*>(routine))};
        At<pbvm::TypeRecord>(types)[i] = {list[i].typeId, static_cast<u16>(next - first), 0, first, next, 0};
    }
    const u32 holder = pbvm::LowAlloc(sizeof(pbvm::ClassHolder));
    *At<pbvm::ClassHolder>(holder) = {functions, types};
    return holder;
}

u32 registerTables(u32 c, u32 holderOut, u32 holder, u32& group) {
    Op(op::kEnterClassLoad, c);
    Word(holderOut) = holder;
    group = Op(op::kCurrentGroup, c);
    RegisteredGroups().push_back(static_cast<int>(group));
    Op(op::kRegisterClass, Word(c + ctx::kPool), Word(c + ctx::kRoutineStack), group, holderOut - 4, 0u);
    return Op(op::kLeaveClassLoad, c);
}

u32 registerApp(u32 c, u32, u32 holderOut) {
    static const u32 holder = classTables(
        {{0x8002, {{0, appCreate}, {21, appOpen}, {19, appClose}, {1, appDestroy}}}});
    return registerTables(c, holderOut, holder, g_appGroup);
}

u32 registerCalc(u32 c, u32, u32 holderOut) {
    static const u32 holder = classTables({
        {kCalcType,
         {{0, calcCreate},
          {1, calcDestroy},
          {37, calcOpen},
          {23, calcClose},
          {kAddFunction, calcAdd},
          {kConcatFunction, calcConcat},
          {kNestedEvent, calcNested},
          {kStoppingEvent, calcStops},
          {kArgumentsEvent, calcArguments},
          {kErrorFlagEvent, calcSetsErrorFlag}}},
        {0x8003, {}},  // commandbutton: no scripts of its own
        {kButtonType, {{33, buttonClicked}}},
        {kShownType, {{33, shownClicked}}},
    });
    return registerTables(c, holderOut, holder, g_calcGroup);
}

u32 registerRefused(u32, u32, u32) {
    RegisteredGroups().push_back(-1);
    return 0;
}

const char kAppSource[] =
    "class tp_app application\n"
    "global 1 w_calc w_calc\n"
    "global 2 gs_text string\n"
    "global 3 w_nocode w_nocode\n"
    "object tp_app application - -\n"
    "  appname = \"Test Program\"\n"
    "_initsrc\n"
    "application\ntp_app\nw_calc\nstring\nw_nocode\n";

const char kCalcSource[] =
    "class w_calc window\n"
    "global 1 w_calc w_calc\n"
    "global 2 gs_text string\n"
    "instance 40 il_count long\n"
    "object w_calc window - -\n"
    "  title = \"Calculator\"\n"
    "  width = 900\n"
    "  height = 400\n"
    "object cb_add commandbutton w_calc 38\n"
    "  text = \"Add\"\n"
    "object st_shown statictext w_calc 39\n"
    "  text = \"none\"\n"
    "_initsrc\n"
    "window\nw_calc\ncommandbutton\ncb_add\nstatictext\nst_shown\ntreeviewitem\n";

const char kNoCodeSource[] = "class w_nocode window\nobject w_nocode window - -\n_initsrc\nwindow\nw_nocode\n";
const char kRefusedSource[] = "class w_refused window\nobject w_refused window - -\n_initsrc\nwindow\nw_refused\n";

pbvm::Bytes bytes(const char* text) { return pbvm::Bytes(text, text + std::strlen(text)); }

template <class F>
u32 low(F routine) {
    return pbvm::LowTrampoline(reinterpret_cast<const void*>(routine));
}

const pbvm::ExportDirectory& exportDirectory() {
    static const pbvm::ExportEntry entries[] = {
        {1, "_getVtableInfo_tp_app@12", low(registerApp)},
        {2, "_getVtableInfo_w_calc@12", low(registerCalc)},
        {3, "_getVtableInfo_w_refused@12", low(registerRefused)},
    };
    static const pbvm::ExportDirectory directory{"testprogram.exe", entries, 3};
    return directory;
}

// The program file: some code, then the object library.
std::string writeProgramFile() {
    const auto path = std::filesystem::temp_directory_path() / ("pbvm_program_" + std::to_string(::getpid()));
    pbvm::Bytes file(1000, 0x90);
    const pbvm::Bytes library = pbvm::BuildLibrary(
        {{"tp_app.apl", pbvm::CompileClassSource(bytes(kAppSource)), 0},
         {"w_calc.win", pbvm::CompileClassSource(bytes(kCalcSource)), 0},
         {"w_nocode.win", pbvm::CompileClassSource(bytes(kNoCodeSource)), 0},
         {"w_refused.win", pbvm::CompileClassSource(bytes(kRefusedSource)), 0},
         {"ob.exe",
          pbvm::BuildObjectList("tp_app.apl", {"_typedef.grp", "tp_app.apl", "w_calc.win", "w_nocode.win",
                                               "w_refused.win"}),
          0}},
        file.size(), 1700000000);
    file.insert(file.end(), library.begin(), library.end());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return path.string();
}

}  // namespace

void ProgramTest::SetUp() {
    static bool loaded = false;
    static std::string error;
    if (!loaded && error.empty()) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "pbvm_program_tests";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
        const std::string path = writeProgramFile();
        loaded = runtime().Load(exportDirectory(), path, error);
        std::filesystem::remove(path);
        if (!loaded && error.empty()) error = "the test program did not load";
    }
    ASSERT_TRUE(loaded) << error;
    Observed() = Seen{};
    runtime().SetMessageBoxHandler([this](const pbvm::MessageBoxCall& call) {
        messages_.push_back(call);
        return messageAnswer_;
    });
    runtime().SetNullObjectErrorAnswer(0);
}

void ProgramTest::TearDown() {
    runtime().EndApplication();
    QApplication::processEvents();
    runtime().SetMessageBoxHandler(nullptr);
    for (u32 address : owned_) pbvm::LowFree(address);
    owned_.clear();
    Word(context() + ctx::kErrorFlag) = 0;
}

u32 ProgramTest::global(const std::string& name) {
    const u32 record = runtime().GlobalRecord(name);
    if (!record) return 0;
    const PbValue& v = *At<PbValue>(record);
    return (v.flags & flag::kNull) ? 0 : v.value;
}

u32 ProgramTest::openCalc() {
    runtime().StartApplication("open");
    return global("w_calc");
}

PbValue& ProgramTest::record(u32& address, PbValue value) {
    address = records(1);
    *At<PbValue>(address) = value;
    return *At<PbValue>(address);
}

u32 ProgramTest::records(unsigned count) {
    const u32 address = pbvm::LowAlloc(count * sizeof(PbValue));
    owned_.push_back(address);
    return address;
}

}  // namespace tp
