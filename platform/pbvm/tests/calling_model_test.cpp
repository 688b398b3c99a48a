// The calling model between generated routines and the runtime: the
// context's records, the object a script runs for, object functions with
// their arguments and results, event arguments, and system functions that
// read their arguments from the context and leave their result there.
#include <unistd.h>

#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "low_arena.h"
#include "test_program.h"
#include "vm_state.h"

namespace {

using namespace tp;
namespace ctx = pbvm::ctx;
namespace flag = pbvm::flag;
namespace type = pbvm::type;
using pbvm::At;
using pbvm::Word;

class CallingModel : public ProgramTest {
protected:
    // Calls system function `entry` with the records from `first`; the
    // call's result record, or null when it failed (the error flag is
    // cleared again).
    const PbValue* systemCall(u32 entry, u32 first, u32 count) {
        const u32 c = context();
        const u32 table = Word(Op(op::kSystemFunctions, c) + 8);
        const u32 routine = Word(table + entry);
        if (!routine) {
            ADD_FAILURE() << "no system function at " << entry;
            return nullptr;
        }
        Word(c + ctx::kArgs) = first;
        const u32 ok = reinterpret_cast<pbvm::SystemFunction>(static_cast<std::uintptr_t>(routine))(c, count);
        const bool failed = ok == 0 || Word(c + ctx::kErrorFlag) != 0;
        Word(c + ctx::kErrorFlag) = 0;
        return failed ? nullptr : At<PbValue>(Word(c + ctx::kCallResult));
    }
    PbValue text(const std::string& s) { return {pbvm::NewString(s), flag::kValue, type::kString}; }
    std::string textAt(const PbValue& v) { return pbvm::ValueText(v); }
};

TEST_F(CallingModel, TheContextHoldsTheRecordsGeneratedCodeUses) {
    const u32 c = context();
    ASSERT_NE(c, 0u);
    for (u32 field : {ctx::kPool, ctx::kInstanceTable, ctx::kRoutineStack, ctx::kArrayPool, ctx::kExprResult,
                      ctx::kCallResult, ctx::kValueStackFree, ctx::kValueStackEnd})
        EXPECT_NE(Word(c + field), 0u) << std::hex << field;
    EXPECT_NE(Word(c + ctx::kExprResult), Word(c + ctx::kCallResult));
    EXPECT_TRUE(pbvm::LowIsBlock(Word(c + ctx::kExprResult)));
    EXPECT_TRUE(pbvm::LowIsBlock(Word(c + ctx::kCallResult)));
    // The value stack: free below its end, with room for deep calls; what
    // scripts take of it they give back.
    const u32 free = Word(c + ctx::kValueStackFree), end = Word(c + ctx::kValueStackEnd);
    EXPECT_GE(end - free, 64u * 1024);
    EXPECT_EQ(Word(c + ctx::kDepth), 0u);
    ASSERT_NE(openCalc(), 0u);
    runtime().Window("w_calc")->findChild<QPushButton*>("cb_add")->click();
    EXPECT_EQ(Word(c + ctx::kValueStackFree), free);
    EXPECT_EQ(Word(c + ctx::kDepth), 0u);
    // The system-function holder keeps the table at byte 8.
    const u32 holder = Op(op::kSystemFunctions, c);
    EXPECT_NE(Word(holder + 8), 0u);
}

TEST_F(CallingModel, AScriptRunsForItsObjectAndTheCallersObjectComesBack) {
    const u32 c = context();
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    const u32 shown = runtime().FieldObject(window, kShownField);
    Word(c + ctx::kThis) = 0x4321;
    EXPECT_TRUE(runtime().TriggerEvent(window, kNestedEvent));
    EXPECT_EQ(Word(c + ctx::kThis), 0x4321u);
    const Seen& seen = Observed();
    EXPECT_EQ(seen.thisBeforeNested, window);
    EXPECT_EQ(seen.thisInNested, shown);  // the called script ran for the text
    EXPECT_EQ(seen.thisAfterNested, window);
    EXPECT_EQ(seen.nestedResult, 1u);
    EXPECT_EQ(Observed().events.back(), "st_shown clicked");
    Word(c + ctx::kThis) = 0;
}

TEST_F(CallingModel, AnObjectFunctionGetsItsArgumentsAndReturnsItsValue) {
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    const u32 args = records(3);
    At<PbValue>(args)[0] = {5, flag::kLong, type::kLong};
    At<PbValue>(args)[1] = {37, flag::kLong, type::kLong};
    u32 result = 0;
    record(result, {0, 0, type::kEmpty});
    Word(context() + ctx::kArgs) = args;
    ASSERT_EQ(Op(op::kCallObjectFunction, window, 0u, kAddFunction, 2u, args, result), 1u);
    EXPECT_EQ(Observed().argsAtEntry, args);  // the function read its arguments there
    EXPECT_EQ(Observed().thisInScript, window);
    EXPECT_EQ(At<PbValue>(result)->value, 42u);
    EXPECT_EQ(At<PbValue>(result)->type, type::kLong);
    EXPECT_EQ(At<PbValue>(result)->flags & flag::kNull, 0);

    At<PbValue>(args)[0] = {static_cast<u32>(-50), flag::kLong, type::kLong};
    ASSERT_EQ(Op(op::kCallObjectFunction, window, 0u, kAddFunction, 2u, args, result), 1u);
    EXPECT_EQ(static_cast<std::int32_t>(At<PbValue>(result)->value), -13);
}

TEST_F(CallingModel, AStringResultIsTheCallersOwnCopy) {
    const u32 c = context();
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    const u32 args = records(3);
    At<PbValue>(args)[0] = text("Calc");
    At<PbValue>(args)[1] = text("ulator");
    u32 result = 0;
    record(result);
    ASSERT_EQ(Op(op::kCallObjectFunction, window, 0u, kConcatFunction, 2u, args, result), 1u);
    PbValue& r = *At<PbValue>(result);
    EXPECT_EQ(r.type, type::kString);
    EXPECT_EQ(textAt(r), "Calculator");
    EXPECT_TRUE(pbvm::LowIsBlock(r.value));
    EXPECT_NE(r.value, At<PbValue>(Word(c + ctx::kExprResult))->value);
    // Later expressions leave it alone.
    const u32 a = pbvm::NewString("x"), b = pbvm::NewString("y");
    Op(op::kConcatString, c, a, 0u, b, 0u);
    EXPECT_EQ(textAt(r), "Calculator");
    Op(op::kReleaseValue, c, result);
    EXPECT_EQ(r.type, type::kEmpty);

    // A null argument makes a null result.
    At<PbValue>(args)[1].flags |= flag::kNull;
    ASSERT_EQ(Op(op::kCallObjectFunction, window, 0u, kConcatFunction, 2u, args, result), 1u);
    EXPECT_TRUE(r.flags & flag::kNull);
    Op(op::kReleaseValue, c, result);
    for (u32 s : {a, b}) pbvm::LowFree(s);
    for (int i = 0; i < 2; ++i) Op(op::kReleaseValue, c, args + 8 * i);
}

TEST_F(CallingModel, CallsThatCannotRunLeaveTheResultAsItWas) {
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    const u32 args = records(2);
    u32 result = 0;
    record(result, {77, flag::kLong, type::kLong});
    EXPECT_EQ(Op(op::kCallObjectFunction, 0x7777770u, 0u, kAddFunction, 0u, args, result), 0u);
    EXPECT_EQ(Op(op::kCallObjectFunction, window, 0u, kStoppingEvent, 0u, args, result), 0u);
    // A system control without such a function.
    const u32 button = runtime().FieldObject(window, kButtonField);
    EXPECT_EQ(Op(op::kCallObjectFunction, button, 0u, 999u, 0u, args, result), 0u);
    EXPECT_EQ(At<PbValue>(result)->value, 77u);
    EXPECT_EQ(At<PbValue>(result)->type, type::kLong);
}

TEST_F(CallingModel, EventArgumentsAreReadByIndexAndReleasedAfterTheEvent) {
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    const PbValue first = text("first");
    ASSERT_TRUE(pbvm::RunScriptWith(window, kArgumentsEvent, {first, {7, flag::kLong, type::kLong}}));
    EXPECT_EQ(Observed().arguments, (std::vector<std::string>{"first", "7", "0"}));
    ASSERT_EQ(Observed().argumentFlags.size(), 3u);
    EXPECT_FALSE(Observed().argumentFlags[0] & flag::kNull);
    EXPECT_TRUE(Observed().argumentFlags[2] & flag::kNull);  // past the arguments: a null record
    EXPECT_FALSE(pbvm::LowIsBlock(first.value));             // the runtime owned the text

    // An event run without arguments reads nulls.
    Observed().arguments.clear();
    Observed().argumentFlags.clear();
    EXPECT_TRUE(runtime().TriggerEvent(window, kArgumentsEvent));
    ASSERT_EQ(Observed().argumentFlags.size(), 3u);
    for (u16 f : Observed().argumentFlags) EXPECT_TRUE(f & flag::kNull);
}

TEST_F(CallingModel, SystemFunctionsReadTheirArgumentsAndLeaveTheirResult) {
    const u32 args = records(5);
    PbValue* a = At<PbValue>(args);
    a[0] = {1234, flag::kLong, type::kLong};
    const PbValue* r = systemCall(pbvm::sysfn::kString, args, 1);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->type, type::kString);
    EXPECT_EQ(textAt(*r), "1234");
    a[0] = {0xFFFB, flag::kConstant, type::kInteger};
    r = systemCall(pbvm::sysfn::kString, args, 1);
    ASSERT_TRUE(r);
    EXPECT_EQ(textAt(*r), "-5");
    a[0].flags |= flag::kNull;
    r = systemCall(pbvm::sysfn::kString, args, 1);
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->flags & flag::kNull);
    EXPECT_FALSE(systemCall(pbvm::sysfn::kString, args, 2));  // a wrong count fails the call
    EXPECT_FALSE(systemCall(pbvm::sysfn::kOpen, args, 0));
    EXPECT_FALSE(systemCall(pbvm::sysfn::kClose, args, 1));   // a null window
    a[0] = {0, flag::kLong, type::kLong};
    r = systemCall(pbvm::sysfn::kSleep, args, 1);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->value, 1u);
}

TEST_F(CallingModel, AMessageBoxAnswersWithTheButtonAndFailsWhenItCannotBeShown) {
    const u32 args = records(4);
    PbValue* a = At<PbValue>(args);
    a[0] = text("Title");
    a[1] = text("Text with PWD=secret;");
    a[2] = {2, flag::kConstant, pbvm::type::kIconEnum};
    messageAnswer_ = 2;
    const PbValue* r = systemCall(pbvm::sysfn::kMessageBox, args, 3);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->type, type::kInteger);
    EXPECT_EQ(r->value, 2u);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].title, "Title");
    EXPECT_EQ(messages_[0].text, "Text with PWD=****;");
    EXPECT_EQ(messages_[0].icon, 2);
    messageAnswer_ = 0;
    EXPECT_FALSE(systemCall(pbvm::sysfn::kMessageBox, args, 2));
    EXPECT_FALSE(systemCall(pbvm::sysfn::kMessageBox, args, 1));
    EXPECT_EQ(messages_.size(), 2u);
    for (int i = 0; i < 2; ++i) Op(op::kReleaseValue, context(), args + 8 * i);
}

TEST_F(CallingModel, ProfileStringsComeFromTheSettingsFile) {
    const auto path = std::filesystem::temp_directory_path() / ("pbvm_calling_" + std::to_string(::getpid()) + ".ini");
    std::ofstream(path) << "[Database]\nDBMS=ODBC\n";
    const u32 args = records(5);
    PbValue* a = At<PbValue>(args);
    a[0] = text(path.string());
    a[1] = text("database");
    a[2] = text("DBMS");
    a[3] = text("none");
    const PbValue* r = systemCall(pbvm::sysfn::kProfileString, args, 4);
    ASSERT_TRUE(r);
    EXPECT_EQ(textAt(*r), "ODBC");
    Op(op::kReleaseValue, context(), args + 16);
    a[2] = text("LogID");
    r = systemCall(pbvm::sysfn::kProfileString, args, 4);
    ASSERT_TRUE(r);
    EXPECT_EQ(textAt(*r), "none");
    a[3].flags |= flag::kNull;  // any null argument: a null result
    r = systemCall(pbvm::sysfn::kProfileString, args, 4);
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->flags & flag::kNull);
    EXPECT_FALSE(systemCall(pbvm::sysfn::kProfileString, args, 3));
    for (int i = 0; i < 4; ++i) Op(op::kReleaseValue, context(), args + 8 * i);
    std::filesystem::remove(path);
}

TEST_F(CallingModel, EveryOperationAProgramImportsIsThereByOrdinal) {
    for (unsigned ordinal :
         {137u, 2645u, 2644u, 5245u, 2646u, 2043u, 2183u, 2578u, 2458u, 2459u, 2454u, 2455u, 2456u, 2624u, 2448u,
          2050u, 2426u, 2632u, 2468u, 2416u, 2404u, 2012u, 5151u, 2453u, 2582u, 2461u, 2611u, 2479u, 2638u, 2639u,
          2384u, 2539u, 2540u, 2492u, 2462u, 2484u, 2486u, 2295u, 2474u, 2475u, 2495u, 2473u, 2497u, 2057u, 2469u,
          2607u, 2147u, 2405u, 2506u, 2498u, 2488u, 2634u, 2640u})
        EXPECT_NE(PBVM60_ProcByOrdinal(ordinal), nullptr) << ordinal;
    EXPECT_EQ(PBVM60_ProcByOrdinal(137), reinterpret_cast<void*>(&vmStartApplication));
    for (unsigned missing : {0u, 1u, 136u, 2000u, 9999u}) EXPECT_EQ(PBVM60_ProcByOrdinal(missing), nullptr) << missing;
}

TEST_F(CallingModel, ObjectChecksAndNullObjectErrors) {
    const u32 c = context();
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    const u32 source = LowText("w_calc.srw");
    u32 local = 0;
    record(local);
    EXPECT_EQ(Op(op::kCheckObject, c, window, local, source, 10u), 1u);
    EXPECT_EQ(Word(c + ctx::kErrorFlag), 0u);
    EXPECT_EQ(Op(op::kCheckObject, c, window + 8, local, source, 11u), 0u);
    EXPECT_EQ(Word(c + ctx::kErrorFlag), 1u);  // the script must stop
    Word(c + ctx::kErrorFlag) = 0;
    pbvm::LowFree(source);

    const std::size_t before = runtime().NullObjectErrors().size();
    EXPECT_EQ(Op(op::kNullObjectError, c, 0x5016u), 0u);  // stop, by default
    runtime().SetNullObjectErrorAnswer(1);
    EXPECT_EQ(Op(op::kNullObjectError, c, 0x503Fu), 1u);  // go on, skipping the access
    ASSERT_EQ(runtime().NullObjectErrors().size(), before + 2);
    EXPECT_EQ(runtime().NullObjectErrors()[before], 0x5016u);
    EXPECT_EQ(runtime().NullObjectErrors()[before + 1], 0x503Fu);
}

}  // namespace
